// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"
#include "core/MemoryMap.h"
#include "core/SerialDigits.h"

#include <QString>

namespace tessel {

// Serial numbers as the window shows and takes them: two upper-case hex digits a byte, and a
// colon after 8 digits where the base serial is longer than 32 bits ("0013A200:4032").
QString baseSerialText(const EepromImage &image, const MemoryLayout &layout);
QString rowSerialText(const EepromImage &image, const MemoryLayout &layout, int row);

} // namespace tessel
