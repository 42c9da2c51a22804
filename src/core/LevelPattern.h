// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tessel {

// How the analog inputs of a simulated Threshold module move. A drift follows the clock, so
// that a window has something slow to show; a ramp and a sine follow the count of readings of
// each input, so that a test (or an installer trying the program) knows every level before it
// is read, however fast or slow the line is.
struct LevelPattern {
    enum class Shape { Drift, Ramp, Sine };
    Shape shape = Shape::Drift;
    // Ramp: added at every reading, wrapping from 255 to 0. Sine: readings for one whole wave.
    int step = 1;

    // The level of `input` at its `reading`-th reading (counted from 0), `nowMicros` into the
    // module's life. Inputs start 16 levels (ramp) or a sixteenth of a wave (sine) apart.
    [[nodiscard]] int level(int input, qint64 reading, qint64 nowMicros) const;
};

// "drift", "ramp", "ramp:STEP" (1 to 255), "sine" or "sine:PERIOD" (readings, 2 to 100000);
// nothing, with the reason in `error`, for anything else.
std::optional<LevelPattern> parseLevelPattern(const QString &text, QString &error);

} // namespace tessel
