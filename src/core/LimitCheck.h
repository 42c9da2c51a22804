// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/MemoryMap.h"

#include <QString>
#include <array>
#include <optional>

namespace tessel {

// One row of the limits panel per analog input.
constexpr int kAnalogRows = map::kAnalogInputs;

// One analog input as the limits panel holds it: the limit type from the image and the two
// limit label captions as typed.
struct LimitRow {
    int type = 0; // 0 Above, 1 Below, 2 Outside, 3 Inside
    QString lower;
    QString upper;
};

enum class LimitMark { None, Lower, Upper, Both };

struct LimitCheckResult {
    int code = 0; // 0 valid; 1 to 4 as limitCheckMessage() words them
    std::optional<int> failingRow;
    LimitMark marked = LimitMark::None; // the failing row's labels that turn light red
    // Rows 0 .. rowsChecked-1 had both labels whitened before their test ran (the failing
    // row included, before its mark); the labels of the rows after keep their colours.
    int rowsChecked = kAnalogRows;
    // What goes into the image for every row, whether the row was checked or not.
    std::array<int, kAnalogRows> storedLower{};
    std::array<int, kAnalogRows> storedUpper{};
};

// Reads all 16 rows, computes the values to store (rounded half to even, clamped to what an
// image entry holds) and checks the rows in order until the first one fails. A text that is
// not a number reads as 0 and passes.
LimitCheckResult checkLimits(const std::array<LimitRow, kAnalogRows> &rows);

// Writes the stored limits of all 16 inputs into their image entries.
void storeLimits(EepromImage &image, const LimitCheckResult &result);

// The message line for a check result; empty for 0 and for codes that do not exist.
QString limitCheckMessage(int code);

// The reaction time estimate shown under the capture speed.
QString reactionText(int captureSpeed);

} // namespace tessel
