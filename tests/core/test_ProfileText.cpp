#include "core/ProfileText.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <random>

using namespace tessel;

namespace {

EepromImage imageOf(const ModuleMemory &memory) {
    return EepromImage(memory);
}

QString zeroRecord() {
    QString record = QStringLiteral("DATA");
    for (int j = 0; j < 16; ++j)
        record += j == 0 ? QStringLiteral(" 0") : QStringLiteral(", 0");
    return record + QStringLiteral("     ");
}

} // namespace

TEST(profileText, start_image_reads_as_documented) {
    const QString text = profileText(startImage());
    const QString first =
        QStringLiteral("DATA 0, 9, 10, 15, 0, 0, 1, 5, 1, 255, 255, 255, 0, 0, 0, 0     ");
    ASSERT_TRUE(text.startsWith(first));
    QString expected = first;
    for (int b = 1; b < 16; ++b)
        expected += zeroRecord();
    EXPECT_EQ(text, expected);
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
    EXPECT_EQ(text.count(QStringLiteral("DATA")), 16);
    EXPECT_EQ(text.count(QLatin1Char(',')), 16 * 15);
}

TEST(profileText, round_trips_both_factory_images_and_random_memories) {
    for (ModuleKind kind : {ModuleKind::Tessel, ModuleKind::Threshold}) {
        const EepromImage image = factoryImage(kind);
        const ProfileParse parsed = parseProfileText(profileText(image));
        ASSERT_TRUE(parsed.memory.has_value()) << parsed.error.toStdString();
        EXPECT_TRUE(parsed.error.isEmpty());
        EXPECT_EQ(imageOf(*parsed.memory), image);
    }
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        ModuleMemory memory{};
        for (auto &byte : memory)
            byte = static_cast<quint8>(random() & 0xFF);
        const ProfileParse parsed = parseProfileText(profileText(imageOf(memory)));
        ASSERT_TRUE(parsed.memory.has_value()) << parsed.error.toStdString();
        EXPECT_EQ(*parsed.memory, memory);
    }
}

TEST(parseProfileText, refuses_malformed_profiles_naming_record_and_value) {
    using Records = std::vector<QStringList>;
    const Records zeros(16, QStringList(16, QStringLiteral("0")));
    const auto profile = [](const Records &records) {
        QString text;
        for (const QStringList &values : records)
            text += QStringLiteral("DATA ") + values.join(QStringLiteral(", ")) +
                    QStringLiteral("     ");
        return text;
    };
    const auto edited = [&](int record, int value, const QString &text) {
        Records records = zeros;
        records[record - 1][value - 1] = text;
        return profile(records);
    };
    Records fifteenRecords = zeros;
    fifteenRecords.pop_back();
    Records seventeenRecords = zeros;
    seventeenRecords.push_back(zeros.front());
    Records seventeenValues = zeros;
    seventeenValues[2].append(QStringLiteral("0"));
    Records fifteenValues = zeros;
    fifteenValues[0].removeLast();
    QString missingData = profile(zeros);
    missingData.replace(56 * 4, 4, QStringLiteral("DAT "));
    QString missingComma = profile(zeros);
    missingComma.replace(QStringLiteral("DATA 0, 0"), QStringLiteral("DATA 0 0"));

    struct Case {
        const char *name;
        QString text;
        const char *expectedError;
    };
    const Case cases[] = {
        {"empty", QString(), "record 1: missing, a profile holds 16 records, found 0"},
        {"15 records", profile(fifteenRecords),
         "record 16: missing, a profile holds 16 records, found 15"},
        {"17 records", profile(seventeenRecords),
         "record 17: unexpected \"DATA\" after the last of 16 records"},
        {"letters in a value", edited(1, 5, QStringLiteral("12a")),
         "record 1, value 5: \"12a\" is not a whole number 0 to 255"},
        {"256", edited(2, 11, QStringLiteral("256")),
         "record 2, value 11: \"256\" is not a whole number 0 to 255"},
        {"17 values", profile(seventeenValues),
         "record 3, value 17: unexpected \"0\", a record holds 16 values"},
        {"15 values", profile(fifteenValues),
         "record 1, value 16: missing, a record holds 16 values"},
        {"missing comma", missingComma, "record 1, value 2: expected \",\" before \"0\""},
        {"missing DATA", missingData, "record 5: expected \"DATA\", found \"DAT\""},
        {"empty value", QStringLiteral("DATA 1,,2"),
         "record 1, value 2: missing, a record holds 16 values"},
        {"long offending text is cut", QStringLiteral("DATA ") + QString(100, QLatin1Char('7')),
         "record 1, value 1: \"777777777777777777777777...\" is not a whole number 0 to 255"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ProfileParse parsed = parseProfileText(c.text);
        EXPECT_FALSE(parsed.memory.has_value());
        EXPECT_EQ(parsed.error.toStdString(), std::string(c.expectedError));
    }
}
