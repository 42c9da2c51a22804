// SPDX-License-Identifier: Apache-2.0
#include "core/EepromImage.h"

#include <QStringList>
#include <algorithm>
#include <limits>

namespace tessel {

EepromImage::EepromImage(const ModuleMemory &memory) {
    std::copy(memory.begin(), memory.end(), m_entries.begin());
}

void EepromImage::setValue(int address, int value) {
    m_entries.at(address) = static_cast<qint16>(std::clamp<int>(
        value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

void EepromImage::setBit(int address, int bit, bool on) {
    const int mask = 1 << bit;
    setValue(address, on ? (value(address) | mask) : (value(address) & ~mask));
}

std::vector<BadEntry> EepromImage::badEntries() const {
    std::vector<BadEntry> bad;
    for (int a = 0; a < kImageSize; ++a) {
        if (m_entries[a] < 0 || m_entries[a] > 255)
            bad.push_back({a, m_entries[a]});
    }
    return bad;
}

std::optional<ModuleMemory> EepromImage::toMemory() const {
    if (!badEntries().empty())
        return std::nullopt;
    ModuleMemory memory{};
    std::transform(m_entries.begin(), m_entries.end(), memory.begin(),
                   [](qint16 v) { return static_cast<quint8>(v); });
    return memory;
}

std::optional<BlockBytes> EepromImage::block(int blockIndex) const {
    BlockBytes bytes{};
    for (int j = 0; j < kBlockSize; ++j) {
        const int v = value(blockIndex * kBlockSize + j);
        if (v < 0 || v > 255)
            return std::nullopt;
        bytes[j] = static_cast<quint8>(v);
    }
    return bytes;
}

QString hexByte(int value) {
    const QString hex = QString::number(value, 16).toUpper();
    if (value < 0)
        return hex.right(2);
    return hex.size() == 1 ? QStringLiteral("0") + hex : hex.left(2);
}

EepromImage startImage() {
    EepromImage image;
    image.setValue(0, 0);
    image.setValue(1, 9);
    image.setValue(2, 10);
    image.setValue(3, 15);
    image.setValue(6, 1);
    image.setValue(7, 5);
    image.setValue(8, 1);
    for (int a : {9, 10, 11})
        image.setValue(a, 255);
    return image;
}

namespace {

// clang-format off
constexpr ModuleMemory kTesselFactory = {
      0,  19, 162,   0,  64,  50,   6,   0,   1, 191, 255, 255,   0,  13,  14,  15,
    155,  31,   0,  55,  66,  21,  22,   4, 155,   5,   0,  22,  44,  29,  30,   4,
    155,  63,   0,   1,  36,  37,  38,   0, 155,  17,   0,  88,  44,  45,  46,   1,
    144,  79,   0,   2,  52,  53,  54,   0, 155,  27,   0,  99, 109,  61,  62,   1,
    155,  66,   0,  66,  68,  69,  70,   1,  35,  69,   0,   0,  76,  77,  78,   0,
    170, 170,   1,   0,  84,  85,  86,   0,  88,  89,   0,   0,  92,  93,  94,   0,
     96,  97,   0,  23, 100, 101, 102,   0, 104, 105,   0,   0, 108, 109, 110,   0,
    112, 113,   0,   0, 116, 117, 118,   0, 120, 121,   0,   0, 124, 125, 126,   0,
    128, 129,   0,   0, 132, 133, 134,   0, 170, 170,   1,   0, 140, 141, 142,   0,
    144, 145,   0, 147, 148, 149, 150,   0, 152, 153,   0, 155, 156, 157, 158,   0,
    200, 201,   0, 163, 164, 165, 166,   0, 168, 169,   0, 171, 172, 173, 174,   0,
    176, 177,   0, 179, 180, 181, 182,   0, 184, 185,   0, 187, 188, 189, 190,   0,
    192, 193,   0, 195, 196, 197, 198,   0, 255, 255,   0, 203, 204, 205, 206,   0,
      9,  17,  25,  26,  28,  29,  31,  16,  17,  18,  19,  20,  21,  22,  23,  24,
     25,  26,  27,  28,  29,  30,  31,  32, 232, 233, 234, 235, 236, 237, 238, 239,
    240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255,
};

constexpr ModuleMemory kThresholdFactory = {
      0,  19, 162,   0,  64,  50,   0,   7,   1, 255, 255, 255,  12,  13,  14,  15,
    155,   5,   0,  19,  20,  21,  22,   7,  34,  34,   0,  27,  28,  29,  30,   1,
     51,  51,   1,  35,  36,  37,  38,   1, 204, 204,   0,  43,  44,  45,  46,   4,
     85,  85,   1,  51,  52,  53,  54,   4, 102, 102,   0,  59,  60,  61,  62,   6,
     17,  17,   0,  67,  68,  69,  70,   7,  35,  69,   0,  75,  76,  77,  78,   5,
    170, 170,   0,  83,  84,  85,  86,   4,  88,  89,   0,  91,  92,  93,  94,   4,
     96,  97,   0,  99, 100, 101, 102,   5, 104, 105,   0, 107, 108, 109, 110,   5,
    112, 113,   0, 115, 116, 117, 118,   5, 120, 121,   0, 123, 124, 125, 126,   4,
    128, 129,   0, 131, 132, 133, 134,   3, 170, 170,   0, 139, 140, 141, 142,   0,
    144, 145,   0, 147, 148, 149, 150,   0, 152, 153,   0, 155, 156, 157, 158,   0,
    200, 201,   0, 163, 164, 165, 166,   0, 168, 169,   0, 171, 172, 173, 174,   0,
    176, 177,   0, 179, 180, 181, 182,   0, 184, 185,   0, 187, 188, 189, 190,   0,
    192, 193,   0, 195, 196, 197, 198,   0, 255, 255,   0, 203, 204, 205, 206,   0,
      9,  10,  12,  17,  25,  33,  57,  89, 105, 113, 121, 137, 153, 169, 177, 181,
    182, 183, 184, 185, 186, 187, 188, 189, 232, 233, 234, 235, 236, 237, 238, 239,
    240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255,
};
// clang-format on

} // namespace

EepromImage factoryImage(ModuleKind kind) {
    return EepromImage(kind == ModuleKind::Tessel ? kTesselFactory : kThresholdFactory);
}

QString describeBadEntries(const std::vector<BadEntry> &bad) {
    QStringList parts;
    for (const BadEntry &e : bad)
        parts << QStringLiteral("address %1 = %2").arg(e.address).arg(e.value);
    return parts.join(QStringLiteral(", "));
}

} // namespace tessel
