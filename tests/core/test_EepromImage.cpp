#include "core/EepromImage.h"

#include <gtest/gtest.h>

using namespace tessel;

TEST(hexByte, pads_and_cuts_to_two_upper_case_digits) {
    EXPECT_EQ(hexByte(0), "00");
    EXPECT_EQ(hexByte(15), "0F");
    EXPECT_EQ(hexByte(16), "10");
    EXPECT_EQ(hexByte(255), "FF");
    EXPECT_EQ(hexByte(256), "10");
    EXPECT_EQ(hexByte(0xABC), "AB");
}

TEST(EepromImage, start_image_holds_the_documented_values) {
    const EepromImage image = startImage();
    const int expected[16] = {0, 9, 10, 15, 0, 0, 1, 5, 1, 255, 255, 255, 0, 0, 0, 0};
    for (int a = 0; a < 16; ++a)
        EXPECT_EQ(image.value(a), expected[a]) << "address " << a;
    for (int a = 16; a < kImageSize; ++a)
        ASSERT_EQ(image.value(a), 0) << "address " << a;
}

TEST(EepromImage, factory_sets_differ_by_kind_where_documented) {
    const EepromImage tessel = factoryImage(ModuleKind::Tessel);
    const EepromImage threshold = factoryImage(ModuleKind::Threshold);
    EXPECT_EQ(tessel.value(6), 6);
    EXPECT_EQ(tessel.value(9), 191);
    EXPECT_EQ(tessel.value(23), 4);
    EXPECT_EQ(tessel.value(208), 9);
    EXPECT_EQ(threshold.value(12), 12);
    EXPECT_EQ(threshold.value(16), 155);
    EXPECT_EQ(threshold.value(17), 5);
    EXPECT_EQ(threshold.value(34), 1); // input 2 limit type Below
    EXPECT_EQ(threshold.value(35), 35);
    EXPECT_EQ(threshold.value(36), 36);
    EXPECT_EQ(threshold.value(255), 255);
}

TEST(EepromImage, out_of_range_entries_are_kept_but_never_become_memory) {
    EepromImage image = startImage();
    image.setValue(208, 256);
    image.setValue(19, -1);
    image.setValue(20, 100000); // clamped to what an entry holds
    EXPECT_EQ(image.value(20), 32767);
    EXPECT_EQ(image.badEntries(), (std::vector<BadEntry>{{19, -1}, {20, 32767}, {208, 256}}));
    EXPECT_FALSE(image.toMemory().has_value());
    EXPECT_FALSE(image.block(13).has_value());
    EXPECT_TRUE(image.block(0).has_value());
    EXPECT_EQ(describeBadEntries({{208, 256}}), "address 208 = 256");
}

TEST(EepromImage, bits_set_and_clear_without_touching_neighbours) {
    EepromImage image;
    image.setValue(10, 0b1010'0000);
    image.setBit(10, 0, true);
    EXPECT_EQ(image.value(10), 0b1010'0001);
    image.setBit(10, 7, false);
    EXPECT_EQ(image.value(10), 0b0010'0001);
    EXPECT_TRUE(image.bit(10, 5));
}
