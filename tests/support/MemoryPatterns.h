// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

namespace tessel::testing {

// Every byte value once (address a holds a, or 255 - a when descending): unlike the factory
// sets, so that a block stored or read into the wrong place shows, and no value is lost or
// translated by the line.
inline ModuleMemory everyByteValue(bool descending) {
    ModuleMemory memory{};
    for (int a = 0; a < kImageSize; ++a)
        memory[a] = static_cast<quint8>(descending ? 255 - a : a);
    return memory;
}

inline EepromImage descending() {
    return EepromImage(everyByteValue(true));
}

} // namespace tessel::testing
