// SPDX-License-Identifier: Apache-2.0
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

// Whether the inputs the rows' controller types take are judged against the module's: only
// while the calculated assignment gives the mapping bytes. With custom mapping bytes the
// operator says which inputs drive each device, several devices may share them, and the
// calculated assignment does not apply; a Threshold module's own factory set is such a table
// (one 32-channel device on the module's 16 inputs, custom mapping bytes).
[[nodiscard]] bool capacityApplies(const EepromImage &image);

// "controller type of device 3 (beyond the module's 256 inputs)"; `row` counts from 0.
[[nodiscard]] QString beyondCapacityField(int row, int capacity);
// The limits a failed limit check marks: "lower limit of input 4", "upper limit of input 4".
[[nodiscard]] QStringList rejectedLimits(const LimitCheckResult &result);

} // namespace tessel
