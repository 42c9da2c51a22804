#include "core/ControllerTypes.h"
#include "core/HelpTexts.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

using namespace tessel;

namespace {

constexpr ModuleKind Tessel = ModuleKind::Tessel;
constexpr ModuleKind Threshold = ModuleKind::Threshold;

const QString kAbove = QStringLiteral("Activate Relay Above Limit");
const QString kInside = QStringLiteral("Activate Relay Inside Limits");

} // namespace

TEST(helpText, every_number_has_one_distinct_text_and_sentences_part_with_two_blanks) {
    QStringList seen;
    for (int n = 1; n <= kHelpTextCount; ++n) {
        const QString text = helpText(n);
        EXPECT_FALSE(text.isEmpty()) << n;
        EXPECT_FALSE(seen.contains(text)) << n;
        seen << text;
        // No sentence runs into the next with a single blank.
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[a-z]\\. [A-Z]")))) << n;
    }
    EXPECT_EQ(helpText(0), QString());
    EXPECT_EQ(helpText(43), QString());
}

TEST(helpFor, each_control_gives_its_text_or_leaves_the_box_alone) {
    struct Case {
        ModuleKind window;
        const char *control;
        int index;
        int text; // 0: the box is left alone
        bool endsEditing;
        bool clearFirst = false;
    };
    const Case cases[] = {
        {Tessel, "broadcastToAll", 5, 1, false},
        {Threshold, "deviceNumber", 5, 3, true},
        {Tessel, "deviceNumber", 5, 2, true},
        {Tessel, "controllerType", 5, 6, false},
        {Threshold, "function", 5, 7, true},
        {Tessel, "debounceBand", 5, 11, true},
        {Threshold, "debounceBand", 5, 29, true},
        {Tessel, "deviceCountBand", 5, 15, false},
        {Tessel, "serialEditor", 5, 19, false},
        {Threshold, "serialEditor", 5, 20, false},
        {Threshold, "baseSerial", 5, 34, false},
        {Tessel, "baseSerial", 0, 0, false},
        {Threshold, "advancedFeatures", 5, 26, false},
        {Tessel, "advancedFeatures", 0, 0, false},
        {Threshold, "setLimits", 5, 31, false},
        {Threshold, "levelMeter", 5, 25, false},
        {Tessel, "productionProfile", 5, 13, false},
        {Tessel, "commMode", 0, 10, false},
        {Threshold, "commMode", 1, 12, false},
        {Tessel, "commMode", 2, 0, false},
        {Tessel, "commMode", -1, 0, false},
        {Tessel, "mappingMode", 0, 22, false},
        {Threshold, "mappingMode", 1, 23, false},
        {Tessel, "mappingByte", 12, 17, false, true},
        {Threshold, "mappingByte", 0, 17, false, true},
        {Tessel, "mapping", 3, 0, false},
        {Tessel, "deviceCount", 0, 0, false},
        {Tessel, "limitType", 0, 0, false},
        {Threshold, "modesBand", 0, 0, false},
        {Tessel, "form", 0, 0, true},
        {Threshold, "help", 0, 0, true},
        {Tessel, "tesselWindow", 0, 0, true},
        {Threshold, "", 0, 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.control) + " " + std::to_string(c.index));
        const HelpEntry entry = helpFor(c.window, QString::fromUtf8(c.control), c.index, kAbove);
        EXPECT_EQ(entry.text, c.text ? std::optional(helpText(c.text)) : std::nullopt);
        EXPECT_EQ(entry.endsEditing, c.endsEditing);
        EXPECT_EQ(entry.clearFirst, c.clearFirst);
    }
}

TEST(helpFor, limit_labels_and_boxes_follow_the_inputs_limit_type) {
    for (int type = 0; type < kLimitTypeCount; ++type) {
        const QString caption = LimitTypeTable()[type];
        EXPECT_EQ(helpFor(Threshold, "limitType", 3, caption).text, helpText(35 + type));
        EXPECT_EQ(limitTypeHelp(caption), helpText(35 + type));
        EXPECT_EQ(helpFor(Threshold, "limitEditor", 3, caption).text, helpText(39 + type));
        EXPECT_EQ(helpFor(Threshold, "limitEditor", 19, caption).text, helpText(39 + type));
    }
    // Box 19 is the upper limit of input 3, so its text follows input 3's limit type.
    EXPECT_EQ(analogInputOfLimitBox(19), 3);
    EXPECT_EQ(analogInputOfLimitBox(3), 3);
    EXPECT_EQ(analogInputOfLimitBox(31), 15);
    EXPECT_EQ(analogInputOfLimitBox(32), -1);
    EXPECT_EQ(analogInputOfLimitBox(-1), -1);

    EXPECT_EQ(helpFor(Threshold, "limitType", 3, "??").text, std::nullopt);
    EXPECT_EQ(helpFor(Threshold, "limitEditor", 19, QString()).text, std::nullopt);
    EXPECT_EQ(helpFor(Threshold, "limitEditor", 32, kInside).text, std::nullopt);
    EXPECT_EQ(limitTypeHelp(QStringLiteral("activate relay above limit")), QString());
    EXPECT_FALSE(helpFor(Threshold, "limitType", 3, kInside).endsEditing);
}

TEST(helpFor, drags_and_drops) {
    const HelpEntry dragOver = helpForDragOver(Tessel, "settingValue");
    EXPECT_EQ(dragOver.text, helpText(11));
    EXPECT_FALSE(dragOver.endsEditing);
    EXPECT_EQ(helpForDragOver(Threshold, "settingValue").text, helpText(11));
    EXPECT_EQ(helpForDragOver(Tessel, "baseSerialBand"), HelpEntry{});

    for (const char *frame : {"baseSerialBand", "deviceCountBand"}) {
        const HelpEntry drop = helpForDrop(Threshold, frame);
        EXPECT_EQ(drop.text, std::nullopt);
        EXPECT_TRUE(drop.endsEditing) << frame;
    }
    EXPECT_EQ(helpForDrop(Tessel, "settingValue"), HelpEntry{});
}
