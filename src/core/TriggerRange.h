// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <vector>

namespace tessel {

class EepromImage;

// One analog input's limits as the module applies them.
struct InputLimits {
    int type = 0; // 0 Above, 1 Below, 2 Outside, 3 Inside
    int lower = 0;
    int upper = 0;
    bool operator==(const InputLimits &) const = default;
};

// The limits of analog input `input` (0..15) as the image holds them; a type above 3 is
// taken as Inside, as the window shows it.
InputLimits limitsOf(const EepromImage &image, int input);

// Whether a level switches the input's relay. A limit itself never triggers: Above means
// above the lower limit, Below below it, Outside below the lower or above the upper limit,
// Inside between the two. That is why the limits of Outside and Inside must leave a value
// between them: Inside with nothing between its limits would never trigger.
bool triggers(const InputLimits &limits, int level);

// A run of levels first..last (both included) within 0..255.
struct LevelSpan {
    int first = 0;
    int last = 0;
    bool operator==(const LevelSpan &) const = default;
};

// The parts of 0..255 that trigger, lowest first: none, one or two spans.
std::vector<LevelSpan> triggerSpans(const InputLimits &limits);

// The words a bar carries for whether its level triggers: "ON" or "off".
QString triggerWord(bool triggered);

// A limit set from a level seen: `margin` below it for a lower limit, above it for an upper
// one, kept within 0..255, so that what was seen itself stays on the untriggered side.
int limitFromSeen(int seen, int margin, bool lower);

} // namespace tessel
