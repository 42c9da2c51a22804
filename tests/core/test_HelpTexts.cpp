// Which help text a control gives in which window; the window tests hover over the controls whose
// text is fixed, these are the cases that depend on the window, the index or the limit type.

#include "core/ControllerTypes.h"
#include "core/HelpTexts.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

using namespace tessel;

namespace {
constexpr ModuleKind Tessel = ModuleKind::Tessel;
constexpr ModuleKind Threshold = ModuleKind::Threshold;
} // namespace

TEST(helpText, every_number_has_one_distinct_text_and_sentences_part_with_two_blanks) {
    QStringList seen;
    for (int n = 1; n <= kHelpTextCount; ++n) {
        const QString text = helpText(n);
        EXPECT_FALSE(text.isEmpty() || seen.contains(text)) << n;
        seen << text;
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[a-z]\\. [A-Z]")))) << n;
    }
    EXPECT_EQ(helpText(kHelpTextCount + 1), QString());
}

TEST(helpFor, the_window_and_the_index_choose_the_text) {
    const auto text = [](ModuleKind window, const char *control, int index) {
        return helpFor(window, QString::fromLatin1(control), index, QString()).text;
    };
    EXPECT_EQ(text(Tessel, "deviceNumber", 5), helpText(2));
    EXPECT_EQ(text(Threshold, "deviceNumber", 5), helpText(3));
    EXPECT_EQ(text(Threshold, "debounceBand", 5), helpText(29));
    EXPECT_EQ(text(Threshold, "baseSerial", 5), helpText(34));
    EXPECT_EQ(text(Tessel, "baseSerial", 5), std::nullopt);
    EXPECT_EQ(text(Threshold, "commMode", 1), helpText(12));
    EXPECT_EQ(text(Tessel, "commMode", 2), std::nullopt);
    // The mapping box clears the help first; the window's background ends serial editing.
    EXPECT_TRUE(helpFor(Threshold, "mappingByte", 0, QString()).clearFirst);
    EXPECT_TRUE(helpFor(Threshold, "", 0, QString()).endsEditing);
    EXPECT_FALSE(helpFor(Threshold, "serialEditor", 0, QString()).endsEditing);
}

TEST(helpFor, limit_labels_and_boxes_follow_the_inputs_limit_type) {
    for (int type = 0; type < kLimitTypeCount; ++type) {
        const QString caption = LimitTypeTable()[type];
        EXPECT_EQ(helpFor(Threshold, "limitType", 3, caption).text, helpText(35 + type));
        EXPECT_EQ(helpFor(Threshold, "limitEditor", 19, caption).text, helpText(39 + type));
    }
    // Box 19 is the upper limit of input 3, so its text follows input 3's limit type.
    EXPECT_EQ(analogInputOfLimitBox(19), 3);
    EXPECT_EQ(analogInputOfLimitBox(31), 15);
    EXPECT_EQ(analogInputOfLimitBox(32), -1);
    EXPECT_EQ(helpFor(Threshold, "limitEditor", 32, LimitTypeTable()[3]).text, std::nullopt);
    EXPECT_EQ(helpFor(Threshold, "limitType", 3, "activate relay above limit").text, std::nullopt);
}
