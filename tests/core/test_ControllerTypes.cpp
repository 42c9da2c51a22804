#include "core/ControllerTypes.h"

#include <gtest/gtest.h>

using namespace tessel;

TEST(ControllerTypeTable, every_name_is_padded_to_26_characters) {
    for (int type = 0; type < kControllerTypeCount; ++type)
        EXPECT_EQ(ControllerTypeTable()[type].size(), 26) << "type " << type;
}

TEST(ControllerTypeTable, names_at_the_ends_of_each_family) {
    const auto &t = ControllerTypeTable();
    EXPECT_EQ(t[0], "WD1x 1-Ch. Relay Device   ");
    EXPECT_EQ(t[1], "WD2x 2-Ch. Relay Device   ");
    EXPECT_EQ(t[2], "Velqa 2-Ch. Relay Device  ");
    EXPECT_EQ(t[3], "Velqa 4-Ch. Relay Device  ");
    EXPECT_EQ(t[4], "Velqa 8-Ch. Relay Device  ");
    EXPECT_EQ(t[5], "Velqa 16-Ch. Relay Device ");
    EXPECT_EQ(t[15], "Velqa 96-Ch. Relay Device ");
    EXPECT_EQ(t[16], "Velqa 104-Ch. Relay Device");
    EXPECT_EQ(t[35], "Velqa 256-Ch. Relay Device");
    EXPECT_EQ(controllerTypeName(36), QString());
    EXPECT_EQ(controllerTypeName(-1), QString());
}

TEST(ControllerTypeTable, consumption_matches_the_channel_count_in_the_name) {
    for (int type = 0; type < kControllerTypeCount; ++type) {
        const QString name = ControllerTypeTable()[type];
        const int channels =
            name.section(QLatin1Char(' '), 1, 1).section(QLatin1Char('-'), 0, 0).toInt();
        EXPECT_EQ(ConsumptionOf(type), channels) << name.toStdString();
    }
}

TEST(ConsumptionOf, values_that_name_no_type_take_nothing) {
    for (int value :
         {-1, -35, 36, 255, 256, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        EXPECT_EQ(ConsumptionOf(value), 0) << value;
}

TEST(NameTables, relay_functions_and_limit_types) {
    EXPECT_EQ(RelayFunctionTable()[0], "Tessel Relay On/Off");
    EXPECT_EQ(RelayFunctionTable()[3], "Velqa Timer MMM:SSS");
    EXPECT_EQ(LimitTypeTable()[2], "Activate Relay Outside Limits");
    EXPECT_EQ(limitTypeIndex(QStringLiteral("Activate Relay Inside Limits")), 3);
    EXPECT_EQ(limitTypeIndex(QStringLiteral("Activate Relay Inside Limits ")), std::nullopt);
    EXPECT_EQ(limitTypeIndex(QStringLiteral("??")), std::nullopt);
}
