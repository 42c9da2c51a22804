// The memory image: its factory sets, the names a difference is reported under, and the
// production profile that holds it as text.

#include "core/EepromImage.h"
#include "core/FieldNames.h"
#include "core/ProfileText.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

using namespace tessel;

TEST(EepromImage, factory_sets_hold_the_documented_bytes) {
    // Written out here, two blocks a line, rather than taken from the program's own table, so
    // that one wrong byte there shows.
    const std::pair<ModuleKind, const char *> sets[] = {
        {ModuleKind::Tessel, "0013a2004032060001bfffff000d0e0f9b1f0037421516049b0500162c1d1e04"
                             "9b3f0001242526009b1100582c2d2e01904f0002343536009b1b00636d3d3e01"
                             "9b42004244454601234500004c4d4e00aaaa010054555600585900005c5d5e00"
                             "6061001764656600686900006c6d6e007071000074757600787900007c7d7e00"
                             "8081000084858600aaaa01008c8d8e0090910093949596009899009b9c9d9e00"
                             "c8c900a3a4a5a600a8a900abacadae00b0b100b3b4b5b600b8b900bbbcbdbe00"
                             "c0c100c3c4c5c600ffff00cbcccdce000911191a1c1d1f101112131415161718"
                             "191a1b1c1d1e1f20e8e9eaebecedeeeff0f1f2f3f4f5f6f7f8f9fafbfcfdfeff"},
        {ModuleKind::Threshold,
         "0013a2004032000701ffffff0c0d0e0f9b050013141516072222001b1c1d1e01"
         "3333012324252601cccc002b2c2d2e0455550133343536046666003b3c3d3e06"
         "11110043444546072345004b4c4d4e05aaaa0053545556045859005b5c5d5e04"
         "60610063646566056869006b6c6d6e0570710073747576057879007b7c7d7e04"
         "8081008384858603aaaa008b8c8d8e0090910093949596009899009b9c9d9e00"
         "c8c900a3a4a5a600a8a900abacadae00b0b100b3b4b5b600b8b900bbbcbdbe00"
         "c0c100c3c4c5c600ffff00cbcccdce00090a0c11192139596971798999a9b1b5"
         "b6b7b8b9babbbcbde8e9eaebecedeeeff0f1f2f3f4f5f6f7f8f9fafbfcfdfeff"}};
    for (const auto &[kind, hex] : sets) {
        const QByteArray expected = QByteArray::fromHex(hex);
        const EepromImage image = factoryImage(kind);
        for (int a = 0; a < kImageSize; ++a)
            EXPECT_EQ(image.value(a), quint8(expected[a]))
                << moduleKindName(kind).toStdString() << " " << a;
    }
}

TEST(profileText, start_image_reads_as_documented) {
    QString expected =
        QStringLiteral("DATA 0, 9, 10, 15, 0, 0, 1, 5, 1, 255, 255, 255, 0, 0, 0, 0     ");
    for (int b = 1; b < 16; ++b)
        expected += QStringLiteral("DATA 0") + QStringLiteral(", 0").repeated(15) + "     ";
    EXPECT_EQ(profileText(startImage()), expected);
}

TEST(parseProfileText, refuses_malformed_profiles_naming_record_and_value) {
    // A value that is no byte is refused by the command-line tests.
    const QString zeros = QStringLiteral("DATA 0") + QStringLiteral(", 0").repeated(15);
    const auto profile = [&](int record, const QString &text) {
        QStringList records(16, zeros);
        records[record - 1] = text;
        return records.join(QStringLiteral("     ")) + QStringLiteral("     ");
    };
    const std::pair<QString, const char *> cases[] = {
        {profile(16, {}), "record 16: missing, a profile holds 16 records, found 15"},
        {profile(3, zeros + ", 0"),
         "record 3, value 17: unexpected \"0\", a record holds 16 values"},
        {profile(1, "DATA 0 0" + zeros.mid(9)), "record 1, value 2: expected \",\" before \"0\""},
        {profile(5, "DAT " + zeros.mid(4)), "record 5: expected \"DATA\", found \"DAT\""},
        {QStringLiteral("DATA 1,,2"), "record 1, value 2: missing, a record holds 16 values"},
        {QStringLiteral("DATA ") + QString(100, QLatin1Char('7')),
         "record 1, value 1: \"777777777777777777777777...\" is not a whole number 0 to 255"},
    };
    for (const auto &[text, error] : cases) {
        const ProfileParse parsed = parseProfileText(text);
        EXPECT_FALSE(parsed.memory.has_value()) << error;
        EXPECT_EQ(parsed.error.toStdString(), error);
    }
}
