// SPDX-License-Identifier: Apache-2.0
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
// Type indices by the inputs they take.
constexpr int One = 0, Two = 1, Four = 3, Eight = 4, TwoFiftySix = 35;
} // namespace

TEST(computeAssignment, table_of_layouts) {
    struct Case {
        const char *name;
        std::vector<int> types;
        std::vector<RowAssignment> expected;
    };
    const Case cases[] = {
        {"a pair, a quad and singles fill a bank to its last input",
         {Two, Four, One, One, Two},
         {{"Bank: 1  Input: 1-2", 9},
          {"Bank: 1  Input: 3-6", 11},
          {"Bank: 1  Input: 7", 15},
          {"Bank: 1  Input: 8", 16},
          {"Bank: 2  Input: 1-2", 17}}},
        {"a pair that would cross leaves the last input free",
         {Four, Two, One, Two},
         {{"Bank: 1  Input: 1-4", 9},
          {"Bank: 1  Input: 5-6", 13},
          {"Bank: 1  Input: 7", 15},
          {"Bank: 2  Input: 1-2", 17}}},
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
