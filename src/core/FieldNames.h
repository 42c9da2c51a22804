#pragma once

#include "core/EepromImage.h"

#include <QString>

namespace tessel {

// The name an operator knows an image address by, e.g. "row 3 controller type" or "lower
// limit of input 2". Rows are numbered 1 to 24 as in the device table; analog inputs 0 to 15
// as in the limits panel. Addresses outside the image are named "address N".
QString fieldName(ModuleKind kind, int address);

} // namespace tessel
