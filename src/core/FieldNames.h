// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QString>

namespace tessel {

// The name an operator knows an image address by, e.g. "row 3 controller type" or "lower
// limit of input 2". Rows are numbered 1 to 24 as in the device table; analog inputs 0 to 15
// as in the limits panel. Addresses outside the image are named "address N".
QString fieldName(ModuleKind kind, int address);

// One side of a difference: where the value was found, and the value.
struct NamedValue {
    QString where; // "module", "window", "profile"
    int value;
};

// A difference in the words every comparison uses, on the command line and in the windows:
// "address 7 (debounce): module 3, profile 4".
QString differenceLine(ModuleKind kind, int address, const NamedValue &first,
                       const NamedValue &second);
// "no differences", or "3 of 256 addresses differ".
QString differenceSummary(int differing);

} // namespace tessel
