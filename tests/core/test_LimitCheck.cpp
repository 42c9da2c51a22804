#include "core/EepromImage.h"
#include "core/LimitCheck.h"
#include "core/MemoryMap.h"

#include <gtest/gtest.h>

using namespace tessel;

namespace {

constexpr int Above = 0, Below = 1, Outside = 2, Inside = 3;

using Rows = std::array<LimitRow, kAnalogRows>;

// Sixteen rows that pass: type Above with limits 10 and 20.
Rows validRows() {
    Rows rows;
    for (auto &row : rows)
        row = {Above, QStringLiteral("10"), QStringLiteral("20")};
    return rows;
}

Rows withRow(int index, LimitRow row) {
    Rows rows = validRows();
    rows[index] = std::move(row);
    return rows;
}

struct RowCase {
    const char *name;
    LimitRow row;
    int code;
    LimitMark marked;
};

} // namespace

TEST(checkLimits, single_row_outcomes) {
    const RowCase cases[] = {
        {"Above, first limit 300", {Above, "300", "0"}, 4, LimitMark::Lower},
        {"Above, first limit -1", {Above, "-1", "0"}, 3, LimitMark::Lower},
        {"Outside 100/101 too close", {Outside, "100", "101"}, 1, LimitMark::Both},
        {"Outside 100/102 passes", {Outside, "100", "102"}, 0, LimitMark::None},
        {"Outside 100/100 too close", {Outside, "100", "100"}, 1, LimitMark::Both},
        {"Inside 150/100 reversed", {Inside, "150", "100"}, 2, LimitMark::Both},
        {"Inside 0/255 passes", {Inside, "0", "255"}, 0, LimitMark::None},
        {"Above, first limit 255 passes", {Above, "255", "0"}, 0, LimitMark::None},
        {"Below 50, hidden second 20 passes", {Below, "50", "20"}, 0, LimitMark::None},
        {"Below 50, hidden second 300", {Below, "50", "300"}, 4, LimitMark::Upper},
        {"letters read as 0 and pass", {Above, "abc", "xyz"}, 0, LimitMark::None},
        {"letters in a pair read 0 and 0", {Inside, "abc", "xyz"}, 1, LimitMark::Both},
        // The range tests come first and use the lower limit before the upper one.
        {"both out of range: the lower is reported", {Inside, "-5", "999"}, 3, LimitMark::Lower},
        // Comparisons use the numbers as typed, not as stored.
        {"100.4/101 is not one apart", {Outside, "100.4", "101"}, 0, LimitMark::None},
        {"255.4 is above 255", {Above, "255.4", "0"}, 4, LimitMark::Lower},
        {"an unknown type gets the pair tests", {7, "5", "5"}, 1, LimitMark::Both},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const LimitCheckResult result = checkLimits(withRow(4, c.row));
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.marked, c.marked);
        if (c.code == 0) {
            EXPECT_EQ(result.failingRow, std::nullopt);
            EXPECT_EQ(result.rowsChecked, kAnalogRows);
        } else {
            EXPECT_EQ(result.failingRow, 4);
            EXPECT_EQ(result.rowsChecked, 5);
        }
    }
}

TEST(checkLimits, the_first_failing_row_is_reported_and_every_row_stored) {
    Rows rows = validRows();
    rows[0] = {Above, "12.5", "13.5"};
    rows[1] = {Above, "99999999", "-99999999"};
    rows[2] = {Inside, "150", "100"};
    rows[15] = {Inside, "", " 7 "};
    const LimitCheckResult result = checkLimits(rows);
    EXPECT_EQ(result.failingRow, 1);
    EXPECT_EQ(result.code, 4);
    EXPECT_EQ(result.rowsChecked, 2);
    // Rounded half to even and clamped to what an entry holds, the failing rows included.
    const std::pair<int, int> stored[] = {{12, 14}, {32767, -32768}, {150, 100}, {10, 20}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(result.storedLower[i], stored[i].first) << i;
        EXPECT_EQ(result.storedUpper[i], stored[i].second) << i;
    }
    EXPECT_EQ(result.storedUpper[15], 7);

    EepromImage image = factoryImage(ModuleKind::Threshold);
    storeLimits(image, result);
    EXPECT_EQ(image.value(map::lowerLimitAddress(0)), 12);
    EXPECT_EQ(image.value(map::upperLimitAddress(1)), -32768);
    EXPECT_EQ(image.value(map::upperLimitAddress(15)), 7);
    EXPECT_EQ(image.value(map::limitTypeAddress(2)), 1); // types are not touched
}

TEST(checkLimits, factory_limits_pass_unchanged) {
    const EepromImage image = factoryImage(ModuleKind::Threshold);
    Rows rows;
    for (int i = 0; i < kAnalogRows; ++i) {
        rows[i] = {image.value(map::limitTypeAddress(i)),
                   QString::number(image.value(map::lowerLimitAddress(i))),
                   QString::number(image.value(map::upperLimitAddress(i)))};
    }
    const LimitCheckResult result = checkLimits(rows);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.failingRow, std::nullopt);
    EepromImage stored = image;
    storeLimits(stored, result);
    EXPECT_EQ(stored, image);
}

TEST(reactionText, estimate_follows_the_capture_speed) {
    const QString fixed = QStringLiteral("Device will Respond to a Reaction in About 6 Seconds.");
    EXPECT_EQ(reactionText(8), fixed);
    EXPECT_EQ(reactionText(0), fixed);
    EXPECT_EQ(reactionText(-40), fixed);
    const std::pair<int, int> computed[] = {{9, 7}, {20, 15}, {128, 100}, {255, 200}};
    for (const auto &[speed, seconds] : computed) {
        EXPECT_EQ(
            reactionText(speed),
            QStringLiteral("Device will Reponds to a Reaction in About %1 Seconds.").arg(seconds))
            << speed;
    }
}
