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

TEST(helpText, texts_quoted_whole_keep_their_exact_spacing) {
    EXPECT_EQ(helpText(7), "This Field Cannot be Changed.");
    EXPECT_EQ(helpText(14),
              "This button restores communication mode to default ZigBee Series 1 devices and "
              "allows communication to multiple controllers of multiple device types (default "
              "and recomended setting).");
    EXPECT_EQ(helpText(15), "This option allows you to choose how many remote relay controllers "
                            "this Tessel Device will communicate to.  Up to 16 1-Channel "
                            "controllers are supported");
    EXPECT_EQ(helpText(37),
              "Activate a Relay Outside Limits.  Set Upper and Lower Limits.  If the Analog Input "
              "Value is above or Below the Limits you have chosen, a Relay will activate.   "
              "Otherwise, a Relay will turn off.");
    EXPECT_EQ(helpText(28),
              "Click the DONE! Button after you have set valid input ranges for all inputs.");
    EXPECT_EQ(initialHelpText(), "HELP Information will be displayed in this box.");
}

TEST(helpText, longer_texts_begin_and_end_as_the_operators_know_them) {
    struct Case {
        int number;
        const char *start;
        const char *trailing; // the exact blanks after the last full stop
    };
    const Case cases[] = {
        {6, "Choose the type of controller this device will be communicating with.  ", " "},
        {8, "This configuration program maps an Input to a remote relay Controller.  ", "       "},
        {13, "Use this button to generate a data set that can be emailed to Orvane.  ", ""},
        {34,
         "The serial number is used to control communications to individual controllers or "
         "broadcast to a group of controllers.  ",
         "  "},
        {39,
         "When an analog sensor is read, a value will assigned from 0 to 255 that directly "
         "corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY ABOVE "
         "LIMIT option.  ",
         ""},
        {42,
         "When an analog sensor is read, a value will assigned from 0 to 255 that directly "
         "corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY INSIDE "
         "LIMITS option.  ",
         ""},
    };
    for (const auto &c : cases) {
        const QString text = helpText(c.number);
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.start))) << c.number;
        const QString trailing = QString::fromUtf8(c.trailing);
        EXPECT_TRUE(text.endsWith(QLatin1Char('.') + trailing)) << c.number;
    }
}

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

TEST(helpFor, controls_with_fixed_texts_per_window) {
    struct Case {
        ModuleKind window;
        const char *control;
        int text;
        bool endsEditing;
    };
    const Case cases[] = {
        {Tessel, "broadcastToAll", 1, false},
        {Threshold, "broadcastToAll", 1, false},
        {Tessel, "deviceNumber", 2, true},
        {Threshold, "deviceNumber", 3, true},
        {Tessel, "active", 4, true},
        {Tessel, "serial", 5, true},
        {Tessel, "controllerType", 6, false},
        {Threshold, "function", 7, true},
        {Tessel, "inputAssignment", 8, true},
        {Tessel, "debounceBand", 11, true},
        {Threshold, "debounceBand", 29, true},
        {Tessel, "refreshBand", 16, true},
        {Threshold, "refreshBand", 30, true},
        {Tessel, "deviceCountBand", 15, false},
        {Tessel, "serialEditor", 19, false},
        {Threshold, "serialEditor", 20, false},
        {Threshold, "baseSerial", 34, false},
        {Threshold, "advancedFeatures", 26, false},
        {Threshold, "setLimits", 31, false},
        {Threshold, "levelMeter", 25, false},
        {Tessel, "productionProfile", 13, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.control);
        const HelpEntry entry = helpFor(c.window, QString::fromUtf8(c.control), 5);
        EXPECT_EQ(entry.text, helpText(c.text));
        EXPECT_EQ(entry.endsEditing, c.endsEditing);
        EXPECT_FALSE(entry.clearFirst);
    }
}

TEST(helpFor, controls_without_text_leave_the_box_alone) {
    struct Case {
        ModuleKind window;
        const char *control;
        int index;
        bool endsEditing;
    };
    const Case cases[] = {
        {Tessel, "baseSerial", 0, false},   {Tessel, "advancedFeatures", 0, false},
        {Tessel, "mapping", 3, false},      {Tessel, "nextType", 3, false},
        {Tessel, "deviceCount", 0, false},  {Tessel, "commMode", 2, false},
        {Tessel, "mappingMode", 2, false},  {Tessel, "baseSerialBand", 0, false},
        {Tessel, "level", 0, false},        {Tessel, "limitType", 0, false},
        {Threshold, "modesBand", 0, false}, {Tessel, "form", 0, true},
        {Threshold, "help", 0, true},       {Tessel, "tesselWindow", 0, true},
        {Threshold, "", 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.control);
        const HelpEntry entry = helpFor(c.window, QString::fromUtf8(c.control), c.index, kAbove);
        EXPECT_EQ(entry.text, std::nullopt);
        EXPECT_EQ(entry.endsEditing, c.endsEditing);
    }
}

TEST(helpFor, option_buttons_follow_the_button_under_the_pointer) {
    EXPECT_EQ(helpFor(Tessel, "commMode", 0).text, helpText(10));
    EXPECT_EQ(helpFor(Threshold, "commMode", 1).text, helpText(12));
    EXPECT_EQ(helpFor(Tessel, "commMode", 2).text, std::nullopt);
    EXPECT_EQ(helpFor(Tessel, "commMode", -1).text, std::nullopt);
    EXPECT_EQ(helpFor(Tessel, "mappingMode", 0).text, helpText(22));
    EXPECT_EQ(helpFor(Threshold, "mappingMode", 1).text, helpText(23));
}

TEST(helpFor, mapping_boxes_empty_the_box_first) {
    const HelpEntry entry = helpFor(Tessel, "mappingByte", 12);
    EXPECT_EQ(entry.text, helpText(17));
    EXPECT_TRUE(entry.clearFirst);
    EXPECT_FALSE(entry.endsEditing);
    EXPECT_TRUE(helpFor(Threshold, "mappingByte", 0).clearFirst);
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
