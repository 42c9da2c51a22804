// The memory image: its factory sets, start values, entries that are not bytes, and the
// names a difference is reported under.

#include "core/EepromImage.h"
#include "core/FieldNames.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace tessel;

namespace {
// The documented factory sets, written out here rather than taken from the program's own
// table, so that one wrong byte there shows.
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
    240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255};
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
    240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255};
// clang-format on
} // namespace

TEST(EepromImage, factory_sets_hold_the_documented_bytes) {
    const std::pair<ModuleKind, const ModuleMemory &> sets[] = {
        {ModuleKind::Tessel, kTesselFactory}, {ModuleKind::Threshold, kThresholdFactory}};
    for (const auto &[kind, expected] : sets) {
        const EepromImage image = factoryImage(kind);
        for (int a = 0; a < kImageSize; ++a)
            EXPECT_EQ(image.value(a), expected[a])
                << moduleKindName(kind).toStdString() << " " << a;
    }
}

TEST(EepromImage, start_image_holds_the_documented_values) {
    const EepromImage image = startImage();
    const int expected[16] = {0, 9, 10, 15, 0, 0, 1, 5, 1, 255, 255, 255, 0, 0, 0, 0};
    for (int a = 0; a < kImageSize; ++a)
        EXPECT_EQ(image.value(a), a < 16 ? expected[a] : 0) << "address " << a;
}

TEST(EepromImage, entries_that_are_not_bytes_are_kept_but_never_become_memory) {
    EepromImage image = startImage();
    image.setValue(208, 256);
    image.setValue(19, -1);
    image.setValue(20, 100000); // clamped to what an entry holds
    image.setValue(21, 255);
    image.setBit(10, 0, false);
    EXPECT_EQ(image.value(10), 254);
    EXPECT_EQ(image.badEntries(), (std::vector<BadEntry>{{19, -1}, {20, 32767}, {208, 256}}));
    EXPECT_FALSE(image.toMemory().has_value());
    EXPECT_FALSE(image.block(13).has_value());
    EXPECT_FALSE(image.block(1).has_value());
    image.setValue(19, 0);
    image.setValue(20, 0);
    EXPECT_TRUE(image.block(1).has_value());
    EXPECT_EQ(describeBadEntries(image.badEntries()), "address 208 = 256");
}

TEST(hexByte, pads_and_cuts_to_two_upper_case_digits) {
    const std::pair<int, const char *> cases[] = {
        {0, "00"}, {15, "0F"}, {255, "FF"}, {256, "10"}, {0xABC, "AB"}};
    for (const auto &[value, hex] : cases)
        EXPECT_EQ(hexByte(value), hex) << value;
}

TEST(fieldName, names_per_module_kind) {
    struct Case {
        int address;
        const char *tessel;
        const char *threshold;
    };
    const Case cases[] = {
        {3, "base serial byte 4", "base serial byte 4"},
        {4, "unused address 4", "base serial byte 5"},
        {7, "debounce", "capture speed"},
        {11, "active mask (rows 17-24)", "active mask (rows 17-24)"},
        {12, "mode byte", "mode byte"},
        {16, "row 1 serial byte 1", "row 1 serial byte 1"},
        {34, "row 3 serial byte 3", "input 2 limit type"},
        {35, "row 3 serial byte 4", "lower limit of input 2"},
        {36, "row 3 unused byte +4", "upper limit of input 2"},
        {38, "row 3 relay function", "row 3 unused byte +6"},
        {39, "row 3 controller type", "row 3 controller type"},
        {140, "row 16 unused byte +4", "upper limit of input 15"},
        {146, "row 17 serial byte 3", "row 17 unused byte +2"},
        {208, "mapping byte of row 1", "mapping byte of row 1"},
        {231, "mapping byte of row 24", "mapping byte of row 24"},
        {232, "unused address 232", "unused address 232"},
        {256, "address 256", "address 256"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(fieldName(ModuleKind::Tessel, c.address).toStdString(), c.tessel) << c.address;
        EXPECT_EQ(fieldName(ModuleKind::Threshold, c.address).toStdString(), c.threshold)
            << c.address;
    }
    // A diff that names two addresses alike would be ambiguous.
    for (ModuleKind kind : {ModuleKind::Tessel, ModuleKind::Threshold}) {
        QSet<QString> seen;
        for (int address = 0; address < kImageSize; ++address)
            seen.insert(fieldName(kind, address));
        EXPECT_EQ(seen.size(), kImageSize);
    }
}
