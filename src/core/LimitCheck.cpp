// SPDX-License-Identifier: Apache-2.0
#include "core/LimitCheck.h"

#include "core/EepromImage.h"
#include "core/MemoryMap.h"
#include "core/NumberText.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

namespace tessel {

// The context the windows translate this file's texts in.
struct LimitCheck {
    Q_DECLARE_TR_FUNCTIONS(tessel::LimitCheck)
};

namespace {

int storableEntry(double value) {
    return std::clamp(roundHalfEven(value), int{std::numeric_limits<qint16>::min()},
                      int{std::numeric_limits<qint16>::max()});
}

struct RowVerdict {
    int code = 0;
    LimitMark marked = LimitMark::None;
};

RowVerdict checkRow(int type, double lower, double upper) {
    if (lower < 0)
        return {3, LimitMark::Lower};
    if (lower > 255)
        return {4, LimitMark::Lower};
    if (upper < 0)
        return {3, LimitMark::Upper};
    if (upper > 255)
        return {4, LimitMark::Upper};
    // Above and Below use only the first limit; the pair tests are for Outside and Inside.
    if (type == 0 || type == 1)
        return {};
    if (upper == lower)
        return {1, LimitMark::Both};
    if (upper < lower)
        return {2, LimitMark::Both};
    if (upper == lower + 1)
        return {1, LimitMark::Both};
    return {};
}

} // namespace

LimitCheckResult checkLimits(const std::array<LimitRow, kAnalogRows> &rows) {
    LimitCheckResult result;
    std::array<double, kAnalogRows> lower{};
    std::array<double, kAnalogRows> upper{};
    // Every row is read and stored before anything is checked.
    for (int i = 0; i < kAnalogRows; ++i) {
        lower[i] = readLeadingNumber(rows[i].lower);
        upper[i] = readLeadingNumber(rows[i].upper);
        result.storedLower[i] = storableEntry(lower[i]);
        result.storedUpper[i] = storableEntry(upper[i]);
    }
    for (int i = 0; i < kAnalogRows; ++i) {
        const RowVerdict verdict = checkRow(rows[i].type, lower[i], upper[i]);
        if (verdict.code != 0) {
            result.code = verdict.code;
            result.marked = verdict.marked;
            result.failingRow = i;
            result.rowsChecked = i + 1;
            break;
        }
    }
    return result;
}

void storeLimits(EepromImage &image, const LimitCheckResult &result) {
    for (int i = 0; i < kAnalogRows; ++i) {
        image.setValue(map::lowerLimitAddress(i), result.storedLower[i]);
        image.setValue(map::upperLimitAddress(i), result.storedUpper[i]);
    }
}

QString limitCheckMessage(int code) {
    switch (code) {
    case 1:
        return LimitCheck::tr("Limits are too close together.  Please Separate Limits with at "
                              "least 1 value in between.");
    case 2:
        return LimitCheck::tr("Lower Limit Cannot Be Higher the Upper Limit");
    case 3:
        return LimitCheck::tr("Value Cannot be Less than 0");
    case 4:
        return LimitCheck::tr("Value Cannot be Above 255");
    default:
        return {};
    }
}

QString reactionText(int captureSpeed) {
    if (captureSpeed <= 8)
        return LimitCheck::tr("Device will Respond to a Reaction in About 6 Seconds.");
    // An estimate only: the longer the delay between the reads of a group, the slower the
    // module reacts; at 8 and below a fixed floor of about 6 seconds dominates.
    const int seconds = static_cast<int>(std::floor(captureSpeed * 0.7882352));
    return LimitCheck::tr("Device will Reponds to a Reaction in About%1 Seconds.")
        .arg(withLeadingBlank(seconds));
}

} // namespace tessel
