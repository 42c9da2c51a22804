// SPDX-License-Identifier: Apache-2.0
// Numbers as the operator types them: how they are read and rounded, mapping texts, the rules
// for analog limits, and the help of a limit's controls.

#include "core/ControllerTypes.h"
#include "core/EepromImage.h"
#include "core/HelpTexts.h"
#include "core/LimitCheck.h"
#include "core/MemoryMap.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>
#include <limits>

using namespace tessel;

namespace {
constexpr int Above = 0, Below = 1, Outside = 2, Inside = 3;

using Rows = std::array<LimitRow, kAnalogRows>;

// Sixteen rows that pass: type Above with limits 10 and 20.
Rows validRows() {
    Rows rows;
    rows.fill({Above, QStringLiteral("10"), QStringLiteral("20")});
    return rows;
}
} // namespace

TEST(checkLimits, single_row_outcomes) {
    struct RowCase {
        const char *name;
        LimitRow row;
        int code;
        LimitMark marked;
    };
    const RowCase cases[] = {
        {"Above, first limit 300", {Above, "300", "0"}, 4, LimitMark::Lower},
        {"Above, first limit -1", {Above, "-1", "0"}, 3, LimitMark::Lower},
        {"Outside 100/101 too close", {Outside, "100", "101"}, 1, LimitMark::Both},
        {"Outside 100/102 passes", {Outside, "100", "102"}, 0, LimitMark::None},
        {"Inside 150/100 reversed", {Inside, "150", "100"}, 2, LimitMark::Both},
        {"Inside 0/255 passes", {Inside, "0", "255"}, 0, LimitMark::None},
        {"Above, first limit 255 passes", {Above, "255", "0"}, 0, LimitMark::None},
        {"Below 50, hidden second 20 passes", {Below, "50", "20"}, 0, LimitMark::None},
        {"Below 50, hidden second 300", {Below, "50", "300"}, 4, LimitMark::Upper},
        // The range tests come first and use the lower limit before the upper one.
        {"both out of range: the lower is reported", {Inside, "-5", "999"}, 3, LimitMark::Lower},
        // Comparisons use the numbers as typed, not as stored.
        {"100.4/101 is not one apart", {Outside, "100.4", "101"}, 0, LimitMark::None},
        {"255.4 is above 255", {Above, "255.4", "0"}, 4, LimitMark::Lower},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Rows rows = validRows();
        rows[4] = c.row;
        const LimitCheckResult result = checkLimits(rows);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.marked, c.marked);
        EXPECT_EQ(result.failingRow, c.code ? std::optional(4) : std::nullopt);
        EXPECT_EQ(result.rowsChecked, c.code ? 5 : kAnalogRows);
    }
}

TEST(checkLimits, the_first_failing_row_is_reported_and_every_row_stored) {
    Rows rows = validRows();
    rows[0] = {Above, "12.5", "13.5"};
    // Hundreds of digits pass what an int holds before they are clamped.
    rows[1] = {Above, QString(400, QLatin1Char('9')),
               QLatin1Char('-') + QString(400, QLatin1Char('9'))};
    rows[2] = {Inside, "150", "100"};
    rows[15] = {Inside, "", " 7 "};
    const LimitCheckResult result = checkLimits(rows);
    EXPECT_EQ(result.failingRow, 1);
    EXPECT_EQ(result.code, 4);
    // Rounded half to even and clamped to what an entry holds, the failing rows included.
    EepromImage image = factoryImage(ModuleKind::Threshold);
    storeLimits(image, result);
    EXPECT_EQ(image.value(map::lowerLimitAddress(0)), 12);
    EXPECT_EQ(image.value(map::upperLimitAddress(0)), 14);
    EXPECT_EQ(image.value(map::lowerLimitAddress(1)), 32767);
    EXPECT_EQ(image.value(map::upperLimitAddress(1)), -32768);
    EXPECT_EQ(image.value(map::lowerLimitAddress(2)), 150);
    EXPECT_EQ(image.value(map::upperLimitAddress(15)), 7);
    EXPECT_EQ(image.value(map::limitTypeAddress(2)), 1); // types are not touched
}

TEST(reactionText, estimate_follows_the_capture_speed) {
    const QString quick = "Device will Respond to a Reaction in About 6 Seconds.";
    const QString slow = "Device will Reponds to a Reaction in About %1 Seconds.";
    for (const auto &[speed, text] : {std::pair{8, quick},
                                      {-40, quick},
                                      {9, slow.arg(7)},
                                      {128, slow.arg(100)},
                                      {255, slow.arg(200)}})
        EXPECT_EQ(reactionText(speed), text) << speed;
}

TEST(readLeadingNumber, reads_like_the_classic_number_reader) {
    const std::pair<const char *, double> cases[] = {
        {"", 0},     {"abc", 0},   {"12.5", 12.5}, {"1 2 3", 123}, {"  7x", 7},     {"1.2.3", 1.2},
        {"- 4", -4}, {"+8", 8},    {"\t1\n0", 10}, {".5", 0.5},    {"1e5", 1},      {"--5", 0},
        {"0x1F", 0}, {"12-3", 12}, {"3,5", 3},     {"\r5", 0},     {"-.25", -0.25}, {"1 . 5", 1.5},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_DOUBLE_EQ(readLeadingNumber(QString::fromUtf8(text)), expected)
            << '"' << text << '"';
    // Overlong digit strings stay finite; many digits that still fit are read, not cut off.
    const QString huge(5000, QLatin1Char('9'));
    EXPECT_EQ(readLeadingNumber(QLatin1Char('-') + huge), -std::numeric_limits<double>::max());
    EXPECT_DOUBLE_EQ(readLeadingNumber(QStringLiteral("1") + QString(300, QLatin1Char('0'))),
                     1e300);
}

TEST(readMappingText, marks_but_always_stores) {
    const std::pair<const char *, MapEntry> cases[] = {
        {"", {0, false}},    {"abc", {0, true}},     {"256", {256, false}},   {"255", {255, true}},
        {" 25", {25, true}}, {"-1", {-1, false}},    {"1000", {1000, false}}, {"2.5", {2, true}},
        {"-.4", {0, false}}, {"255 ", {255, false}}, {"0255", {255, false}},  {"0012", {12, false}},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(readMappingText(QString::fromUtf8(text)), expected) << '"' << text << '"';
}

// A limit's label and box give the help of their input's limit type, which the operator may
// have just changed.
TEST(helpFor, limit_labels_and_boxes_follow_the_inputs_limit_type) {
    constexpr ModuleKind Threshold = ModuleKind::Threshold;
    for (int type = 0; type < kLimitTypeCount; ++type) {
        const QString caption = LimitTypeTable()[type]; // "Activate Relay Above Limit"
        const QString typeHelp = helpFor(Threshold, "limitType", 3, caption).text.value_or("");
        const QString boxHelp = helpFor(Threshold, "limitEditor", 19, caption).text.value_or("");
        EXPECT_TRUE(typeHelp.startsWith("Activate a Relay " + caption.section(' ', 2, 2) + ' '));
        EXPECT_TRUE(boxHelp.contains("You have selected the " + caption.toUpper() + " option."));
    }
    // Box 19 is the upper limit of input 3, so its text follows input 3's limit type.
    EXPECT_EQ(analogInputOfLimitBox(19), 3);
    EXPECT_EQ(analogInputOfLimitBox(31), 15);
    EXPECT_EQ(analogInputOfLimitBox(32), -1);
    EXPECT_EQ(helpFor(Threshold, "limitEditor", 32, LimitTypeTable()[3]).text, std::nullopt);
    EXPECT_EQ(helpFor(Threshold, "limitType", 3, "activate relay above limit").text, std::nullopt);
}
