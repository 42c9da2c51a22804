#include "core/NumberText.h"

#include <gtest/gtest.h>
#include <limits>

using namespace tessel;

namespace {

struct ReadCase {
    const char *text;
    double expected;
};

} // namespace

TEST(readLeadingNumber, reads_like_the_classic_number_reader) {
    const ReadCase cases[] = {
        {"", 0},        {"abc", 0},  {"12.5", 12.5}, {"1 2 3", 123},  {"-1", -1},     {"  7x", 7},
        {"1.2.3", 1.2}, {"- 4", -4}, {"+8", 8},      {"\t1\n0", 10},  {".5", 0.5},    {"5.", 5},
        {"1e5", 1},     {"--5", 0},  {"-", 0},       {".", 0},        {"0x1F", 0},    {"12-3", 12},
        {"3,5", 3},     {"\r5", 0},  {"0007", 7},    {"-.25", -0.25}, {"1 . 5", 1.5}, {"x12", 0},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(readLeadingNumber(QString::fromUtf8(c.text)), c.expected)
            << '"' << c.text << '"';
}

TEST(readLeadingNumber, overlong_digit_strings_stay_finite) {
    const QString huge(5000, QLatin1Char('9'));
    EXPECT_EQ(readLeadingNumber(huge), std::numeric_limits<double>::max());
    EXPECT_EQ(readLeadingNumber(QLatin1Char('-') + huge), -std::numeric_limits<double>::max());
    const QString tiny = QStringLiteral("0.") + QString(5000, QLatin1Char('0')) + QLatin1Char('1');
    EXPECT_EQ(readLeadingNumber(tiny), 0.0);
    // Many digits that still fit are read, not cut off.
    EXPECT_DOUBLE_EQ(readLeadingNumber(QStringLiteral("1") + QString(300, QLatin1Char('0'))),
                     1e300);
}

TEST(roundHalfEven, halves_go_to_the_even_neighbour_and_ends_saturate) {
    EXPECT_EQ(roundHalfEven(12.5), 12);
    EXPECT_EQ(roundHalfEven(13.5), 14);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(12.5000001), 13);
    EXPECT_EQ(roundHalfEven(-0.4), 0);
    EXPECT_EQ(roundHalfEven(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(roundHalfEven(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::infinity()),
              std::numeric_limits<int>::max());
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(readMappingText, marks_but_always_stores) {
    struct Case {
        const char *text;
        MapEntry expected;
    };
    const Case cases[] = {
        {"", {0, false}},        {"abc", {0, true}},     {"256", {256, false}},
        {"255", {255, true}},    {" 25", {25, true}},    {"-1", {-1, false}},
        {"1000", {1000, false}}, {"0", {0, true}},       {"2.5", {2, true}},
        {"-.4", {0, false}},     {"255 ", {255, false}}, {"12x", {12, true}},
        {"0255", {255, false}},  {"0012", {12, false}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(readMappingText(QString::fromUtf8(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(withLeadingBlank, puts_one_blank_before_the_digits_and_any_sign) {
    EXPECT_EQ(withLeadingBlank(25), " 25");
    EXPECT_EQ(withLeadingBlank(0), " 0");
    // A bad entry in a profile keeps its blank, so the values stay apart.
    EXPECT_EQ(withLeadingBlank(-3), " -3");
}
