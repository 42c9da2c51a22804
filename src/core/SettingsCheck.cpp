// SPDX-License-Identifier: Apache-2.0
#include "core/SettingsCheck.h"

#include "core/InputAssignment.h"
#include "core/MemoryMap.h"

#include <QCoreApplication>
#include <algorithm>

namespace tessel {

// The context the windows translate this file's texts in.
struct SettingsCheck {
    Q_DECLARE_TR_FUNCTIONS(tessel::SettingsCheck)
};

QString beyondCapacityField(int row, int capacity) {
    return SettingsCheck::tr("controller type of device %1 (beyond the module's %2 inputs)")
        .arg(row + 1)
        .arg(capacity);
}

bool capacityApplies(const EepromImage &image) {
    return (image.value(map::kModeByte) & map::kRemapValue) == 0;
}

QStringList rejectedLimits(const LimitCheckResult &result) {
    if (!result.failingRow)
        return {};
    const int input = *result.failingRow;
    QStringList names;
    if (result.marked == LimitMark::Lower || result.marked == LimitMark::Both)
        names << SettingsCheck::tr("lower limit of input %1").arg(input);
    if (result.marked == LimitMark::Upper || result.marked == LimitMark::Both)
        names << SettingsCheck::tr("upper limit of input %1").arg(input);
    return names;
}

QStringList invalidSettings(ModuleKind kind, const EepromImage &image) {
    const MemoryLayout &layout = layoutOf(kind);
    const int lastRow = std::clamp(image.value(map::kLastDeviceIndex), 0, map::kMaxLastDeviceIndex);
    std::vector<int> types;
    for (int r = 0; r <= lastRow; ++r)
        types.push_back(image.value(map::typeAddress(r)));
    QStringList invalid;
    const std::vector<bool> beyond = rowsBeyondCapacity(types, layout.inputCapacity);
    for (int r = 0; r < static_cast<int>(beyond.size()); ++r) {
        if (beyond[r] && capacityApplies(image))
            invalid << beyondCapacityField(r, layout.inputCapacity);
    }
    if (kind == ModuleKind::Threshold) {
        std::array<LimitRow, kAnalogRows> rows;
        for (int i = 0; i < kAnalogRows; ++i) {
            rows[i] = {std::min(image.value(map::limitTypeAddress(i)), map::kMaxLimitType),
                       QString::number(image.value(map::lowerLimitAddress(i))),
                       QString::number(image.value(map::upperLimitAddress(i)))};
        }
        invalid << rejectedLimits(checkLimits(rows));
    }
    return invalid;
}

} // namespace tessel
