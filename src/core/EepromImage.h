// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ModuleKind.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

namespace tessel {

constexpr int kImageSize = 256;
constexpr int kBlockSize = 16;
constexpr int kBlockCount = kImageSize / kBlockSize;

using ModuleMemory = std::array<quint8, kImageSize>;
using BlockBytes = std::array<quint8, kBlockSize>;

// An entry that cannot be sent to a module as one byte.
struct BadEntry {
    int address;
    int value;
    bool operator==(const BadEntry &) const = default;
};

// The window's copy of the module's 256-byte configuration memory. Entries are
// signed 16-bit so that an operator's out-of-range typing (a mapping byte of 256,
// a limit of 300) can be kept and marked instead of silently truncated; only
// byte values ever leave the image towards a module (see toMemory()).
class EepromImage {
public:
    EepromImage() { m_entries.fill(0); }
    explicit EepromImage(const ModuleMemory &memory);

    [[nodiscard]] int value(int address) const { return m_entries.at(address); }
    // Values beyond what an entry holds are clamped to -32768..32767.
    void setValue(int address, int value);

    [[nodiscard]] bool bit(int address, int bit) const { return (value(address) >> bit) & 1; }
    void setBit(int address, int bit, bool on);

    // Entries that are not 0..255, in address order; empty when the image can be stored.
    [[nodiscard]] std::vector<BadEntry> badEntries() const;
    // The memory the image stands for, or nothing when an entry is not a byte.
    [[nodiscard]] std::optional<ModuleMemory> toMemory() const;
    [[nodiscard]] std::optional<BlockBytes> block(int blockIndex) const;

    bool operator==(const EepromImage &) const = default;

private:
    std::array<qint16, kImageSize> m_entries{};
};

// Two upper-case hex digits of a value; a value above 255 gives the first two of its digits.
QString hexByte(int value);

// The image a window holds before anything is read from a module.
EepromImage startImage();
// The data set "Restore to Factory Default Settings" writes.
EepromImage factoryImage(ModuleKind kind);

// "address 208 = 256, address 19 = 300": for messages that name what cannot be sent.
QString describeBadEntries(const std::vector<BadEntry> &bad);

} // namespace tessel
