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
constexpr int One = 0, Two = 1, Four = 3, Eight = 4, Sixteen = 5, Eighty = 13, TwoFiftySix = 35;

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
        {"single row", {One}, {{"Bank: 1  Input: 1", 9}}},
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
        {"eighty inputs from bank 1", {Eighty}, {{"Bank: 1-10  Input: 1-8", 9}}},
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

TEST(computeAssignment, eight_singles_fill_bank_one_and_the_ninth_starts_bank_two) {
    const auto rows = computeAssignment(std::vector<int>(9, One));
    ASSERT_EQ(rows.size(), 9u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(rows[i].caption, QStringLiteral("Bank: 1  Input: %1").arg(i + 1));
        EXPECT_EQ(rows[i].mappingByte, 9 + i);
    }
    EXPECT_EQ(rows[8], (RowAssignment{"Bank: 2  Input: 1", 17}));
}

TEST(computeAssignment, nothing_in_use_gives_nothing) {
    EXPECT_TRUE(computeAssignment({}).empty());
}

TEST(computeAssignment, banks_beyond_31_give_bytes_that_do_not_fit) {
    // 16 + 256 inputs: the second row starts at bank 3 and ends at bank 34; the third row
    // starts at bank 35 (8 x 35 + 1 = 281).
    const auto rows = computeAssignment({Sixteen, TwoFiftySix, One});
    EXPECT_EQ(rows[0], (RowAssignment{"Bank: 1-2  Input: 1-8", 9}));
    EXPECT_EQ(rows[1], (RowAssignment{"Bank: 3-34  Input: 1-8", 25}));
    EXPECT_EQ(rows[2], (RowAssignment{"Bank: 35  Input: 1", 281}));

    // Bank 31 input 8 is the last position that fits: 8 x 31 + 7 = 255.
    std::vector<int> types(1, 31); // 224 inputs, banks 1-28
    types.insert(types.end(), {Eight, Eight, Four, Two, One, One});
    const auto edge = computeAssignment(types);
    EXPECT_EQ(edge[3].caption, "Bank: 31  Input: 1-4");
    EXPECT_EQ(edge[5].mappingByte, 255);
    EXPECT_EQ(edge[6].mappingByte, 256); // bank 31 input 8 -> 8*31+8
}

TEST(computeAssignment, last_banks_above_99_show_their_first_two_digits) {
    // Four rows of 256 inputs: the fourth runs from bank 97 to bank 128.
    const auto rows = computeAssignment(std::vector<int>(4, TwoFiftySix));
    EXPECT_EQ(rows[2].caption, "Bank: 65-96  Input: 1-8");
    EXPECT_EQ(rows[3].caption, "Bank: 97-12  Input: 1-8");
    EXPECT_EQ(rows[3].mappingByte, 8 * 97 + 1);
}

TEST(computeAssignment, every_row_stays_inside_its_bank) {
    // Property over many mixed tables: a short run never crosses a bank end and every run of
    // 8 or more starts at input 1.
    const int pool[] = {One, Two, 2, Four, Eight, Sixteen, 7, 35};
    for (unsigned seed = 1; seed < 400; ++seed) {
        std::vector<int> types;
        unsigned x = seed;
        for (int r = 0; r < 24; ++r) {
            x = x * 1103515245u + 12345u;
            types.push_back(pool[(x >> 16) % 8]);
        }
        const auto rows = computeAssignment(types);
        int previousByte = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const int input = (rows[r].mappingByte - 1) % 8 + 1;
            // Inputs of the row's first bank: a long run counts up to the end of its bank.
            const int c = types[r] == One ? 1 : types[r] <= 2 ? 2 : types[r] == Four ? 4 : 8;
            ASSERT_LE(input + c - 1, 8) << "seed " << seed << " row " << r;
            ASSERT_GT(rows[r].mappingByte, previousByte) << "seed " << seed << " row " << r;
            previousByte = rows[r].mappingByte;
        }
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
