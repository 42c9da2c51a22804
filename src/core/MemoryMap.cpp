// SPDX-License-Identifier: Apache-2.0
#include "core/MemoryMap.h"

namespace tessel {

const MemoryLayout &layoutOf(ModuleKind kind) {
    static const MemoryLayout tessel{ModuleKind::Tessel, 4, 4, 256, map::kMaxLastDeviceIndex};
    // A Threshold module serves at most 16 one-input controllers, so its count starts at 0..15.
    static const MemoryLayout threshold{ModuleKind::Threshold, 6, 2, map::kAnalogInputs,
                                        map::kAnalogInputs - 1};
    return kind == ModuleKind::Tessel ? tessel : threshold;
}

} // namespace tessel
