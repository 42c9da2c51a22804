#include "core/ControllerTypes.h"
#include "core/InputAssignment.h"

#include <gtest/gtest.h>

using namespace tessel;

namespace tessel {
// Lets failures show the caption and byte instead of raw bytes.
void PrintTo(const RowAssignment &row, std::ostream *out) {
    *out << '\'' << row.caption.toStdString() << "' " << row.mappingByte;
}
} // namespace tessel

namespace {

struct AssignmentCase {
    const char *name;
    std::vector<int> types;
    std::vector<RowAssignment> expected;
};

// Type indices by the inputs they take.
constexpr int One = 0, Two = 1, Four = 3, Eight = 4, Sixteen = 5, TwoFiftySix = 35;

} // namespace

TEST(computeAssignment, table_of_layouts) {
    const AssignmentCase cases[] = {
        {"worked example",
         {0, 1, 3, 4, 5, 0},
         {{"Bank: 1  Input: 1", 9},
          {"Bank: 1  Input: 2-3", 10},
          {"Bank: 1  Input: 4-7", 12},
          {"Bank: 2  Input: 1-8", 17},
          {"Bank: 3-4  Input: 1-8", 25},
          {"Bank: 5  Input: 1", 41}}},
        {"nothing in use", {}, {}},
        {"pairs and a quad fill a bank exactly",
         {Two, Four, Two, One},
         {{"Bank: 1  Input: 1-2", 9},
          {"Bank: 1  Input: 3-6", 11},
          {"Bank: 1  Input: 7-8", 15},
          {"Bank: 2  Input: 1", 17}}},
        {"quads never cross a bank end",
         {Four, Four, Four},
         {{"Bank: 1  Input: 1-4", 9}, {"Bank: 1  Input: 5-8", 13}, {"Bank: 2  Input: 1-4", 17}}},
        {"a pair that would cross leaves the last input free",
         {Four, Two, One, Two},
         {{"Bank: 1  Input: 1-4", 9},
          {"Bank: 1  Input: 5-6", 13},
          {"Bank: 1  Input: 7", 15},
          {"Bank: 2  Input: 1-2", 17}}},
        {"a run of 8 fills its bank and the next single starts a new one",
         {Eight, One, Eight, Eight},
         {{"Bank: 1  Input: 1-8", 9},
          {"Bank: 2  Input: 1", 17},
          {"Bank: 3  Input: 1-8", 25},
          {"Bank: 4  Input: 1-8", 33}}},
        {"the whole module in one row",
         {TwoFiftySix, One},
         {{"Bank: 1-32  Input: 1-8", 9}, {"Bank: 33  Input: 1", 265}}},
        {"last banks above 99 show their first two digits",
         {TwoFiftySix, TwoFiftySix, TwoFiftySix, TwoFiftySix},
         {{"Bank: 1-32  Input: 1-8", 9},
          {"Bank: 33-64  Input: 1-8", 265},
          {"Bank: 65-96  Input: 1-8", 521},
          {"Bank: 97-12  Input: 1-8", 777}}},
        {"type 30 takes 27 banks",
         {30, One},
         {{"Bank: 1-27  Input: 1-8", 9}, {"Bank: 28  Input: 1", 225}}},
        {"a value that names no type shows the position and takes nothing",
         {Eight, 99, -4, One},
         {{"Bank: 1  Input: 1-8", 9},
          {"Bank: 1  Input: 9", 17},
          {"Bank: 1  Input: 9", 17},
          {"Bank: 2  Input: 1", 17}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(computeAssignment(c.types), c.expected);
    }
}

TEST(rowsBeyondCapacity, a_total_of_exactly_the_capacity_fits) {
    struct Case {
        const char *name;
        std::vector<int> types;
        int capacity;
        std::vector<bool> expected;
    };
    const Case cases[] = {
        {"256 alone fits a Tessel module", {TwoFiftySix}, 256, {false}},
        {"256 then 1", {TwoFiftySix, One}, 256, {false, true}},
        {"8 + 8 fit a Threshold module", {Eight, Eight}, 16, {false, false}},
        {"8 + 8 + 1", {Eight, Eight, One}, 16, {false, false, true}},
        {"once past, every later row is beyond",
         {Sixteen, One, 99, One},
         16,
         {false, true, true, true}},
        {"unknown types take nothing", {99, -1}, 0, {false, false}},
        {"alignment gaps do not count", {Four, Eight, Four}, 16, {false, false, false}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rowsBeyondCapacity(c.types, c.capacity), c.expected);
    }
}

TEST(ConsumptionOf, follows_the_channel_count_and_names_say_it) {
    const std::pair<int, int> cases[] = {{0, 1},    {1, 2},    {2, 2},  {3, 4},  {4, 8},  {5, 16},
                                         {16, 104}, {35, 256}, {36, 0}, {-1, 0}, {255, 0}};
    for (const auto &[type, inputs] : cases)
        EXPECT_EQ(ConsumptionOf(type), inputs) << type;
    EXPECT_EQ(controllerTypeName(16), "Velqa 104-Ch. Relay Device");
    EXPECT_EQ(controllerTypeName(36), QString());
    EXPECT_EQ(limitTypeIndex(QStringLiteral("Activate Relay Inside Limits")), 3);
    EXPECT_EQ(limitTypeIndex(QStringLiteral("Activate Relay Inside Limits ")), std::nullopt);
}
