// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ControllerTypes.h"
#include "core/EepromImage.h"

namespace tessel {

// Addresses shared by both module kinds. A device record is 8 entries per row of the
// device table; the controller type sits at its last offset in both kinds.
namespace map {
constexpr int kRowCount = 24;
constexpr int kLastDeviceIndex = 6;
constexpr int kMaxLastDeviceIndex = kRowCount - 1;
constexpr int kDebounce = 7; // capture speed on a Threshold module
constexpr int kRefresh = 8;  // reaction interval on a Threshold module
constexpr int kActiveMask = 9;
constexpr int kModeByte = 12;
constexpr int kRecordStart = 16;
constexpr int kRecordSize = 8;
constexpr int kMappingStart = 208;
constexpr int kMaxType = kControllerTypeCount - 1;

constexpr int recordAddress(int row) {
    return kRecordStart + kRecordSize * row;
}
constexpr int typeAddress(int row) {
    return recordAddress(row) + 7;
}
constexpr int functionAddress(int row) {
    return recordAddress(row) + 6;
} // Tessel only
constexpr int mappingAddress(int row) {
    return kMappingStart + row;
}
constexpr int activeAddress(int row) {
    return kActiveMask + row / 8;
}
constexpr int activeBit(int row) {
    return row % 8;
}

// Threshold analog inputs 0..15 live in the records of rows 0..15.
constexpr int kAnalogInputs = 16;
constexpr int limitTypeAddress(int input) {
    return recordAddress(input) + 2;
}
constexpr int lowerLimitAddress(int input) {
    return recordAddress(input) + 3;
}
constexpr int upperLimitAddress(int input) {
    return recordAddress(input) + 4;
}
constexpr int kMaxLimitType = kLimitTypeCount - 1;

// Mode byte bits.
constexpr int kCommModeMask = 3;
constexpr int kLiteValue = 4;
constexpr int kRemapValue = 8;
constexpr int kForceDelayValue = 16;
} // namespace map

// What differs between the two memory layouts.
struct MemoryLayout {
    ModuleKind kind;
    int baseSerialBytes;  // 4 (Tessel) or 6 (Threshold, shown as 8 digits ":" 4 digits)
    int rowSerialBytes;   // 4 or 2
    int inputCapacity;    // 256 or 16
    int initialMaxDevice; // the device count control's maximum when the window opens
};

const MemoryLayout &layoutOf(ModuleKind kind);

} // namespace tessel
