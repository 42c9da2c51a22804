#pragma once

#include "core/EepromImage.h"
#include "core/LimitCheck.h"

#include <QStringList>

namespace tessel {

// The settings of an image that the configuration window refuses to store, named as a refused
// store names them: the controller types whose inputs lie beyond the module's, and the first
// pair of limits the limit check rejects. Units files are checked with it, so that a unit is
// refused in the window's words.
[[nodiscard]] QStringList invalidSettings(ModuleKind kind, const EepromImage &image);

// "controller type of device 3 (beyond the module's 256 inputs)"; `row` counts from 0.
[[nodiscard]] QString beyondCapacityField(int row, int capacity);
// The limits a failed limit check marks: "lower limit of input 4", "upper limit of input 4".
[[nodiscard]] QStringList rejectedLimits(const LimitCheckResult &result);

} // namespace tessel
