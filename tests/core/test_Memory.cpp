// SPDX-License-Identifier: Apache-2.0
// The memory image: its factory sets, the names a difference is reported under, and the
// production profile that holds it as text.

#include "core/EepromImage.h"
#include "core/ProfileText.h"
#include "core/SettingChanges.h"

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

namespace {
EepromImage edited(EepromImage image, std::initializer_list<std::pair<int, int>> entries) {
    for (const auto &[address, value] : entries)
        image.setValue(address, value);
    return image;
}

QStringList linesOf(const std::vector<SettingChange> &changes) {
    QStringList lines;
    for (const SettingChange &c : changes)
        lines << c.line() + QStringLiteral(" @ ") + c.addressText();
    return lines;
}
} // namespace

TEST(settingChanges, name_settings_as_the_windows_show_them) {
    const EepromImage tessel = factoryImage(ModuleKind::Tessel);
    const EepromImage threshold = factoryImage(ModuleKind::Threshold);
    const struct {
        ModuleKind kind;
        EepromImage after;
        QStringList lines;
    } cases[] = {
        {ModuleKind::Tessel,
         edited(tessel, {{6, 9}, {22, 0}, {12, 130}, {13, 0}, {209, 256}}),
         {"Device count: 7 → 10 @ 6: 6 → 9",
          "Communication mode: 2-Way Communication → 1-Way Communication (faster) @ 12: 0 → 130",
          "Mode byte bits 5 to 7: 0 → 128 @ 12: 0 → 130",
          "Address 13 (not shown): 13 → 0 @ 13: 13 → 0",
          "Device 1 relay function: 22 (no such function) → Tessel Relay On/Off @ 22: 22 → 0",
          "Mapping byte of device 2: 17 → 256 @ 209: 17 → 256"}},
        {ModuleKind::Threshold,
         edited(threshold, {{42, 9}, {51, 50}, {52, 1}, {146, 7}}),
         {"Limit type of input 3: Activate Relay Above Limit → 9 (no such type) @ 42: 0 → 9",
          "Lower limit of input 4: 51 → 50 @ 51: 51 → 50",
          "Upper limit of input 4: 52 → 1 @ 52: 52 → 1",
          "Address 146 (not shown): 0 → 7 @ 146: 0 → 7"}},
        {ModuleKind::Threshold,
         edited(threshold, {{16, kUnknownEntry}, {17, kUnknownEntry}}),
         {"Device 1 serial: 9B05 → unknown @ 16: 155 → ?, 17: 5 → ?"}},
    };
    for (const auto &c : cases) {
        const EepromImage before = c.kind == ModuleKind::Tessel ? tessel : threshold;
        EXPECT_EQ(linesOf(settingChanges(c.kind, before, c.after)).join('\n').toStdString(),
                  c.lines.join('\n').toStdString());
    }
}

TEST(settingChanges, list_every_address_that_differs_and_no_other) {
    // A store must never write a byte that no listed setting names.
    for (ModuleKind kind : {ModuleKind::Tessel, ModuleKind::Threshold}) {
        const EepromImage before = factoryImage(kind);
        for (int a = 0; a < kImageSize; ++a) {
            for (const int flip : {0x01, 0x80, 0xFF}) {
                const auto changes =
                    settingChanges(kind, before, edited(before, {{a, before.value(a) ^ flip}}));
                ASSERT_FALSE(changes.empty()) << a;
                for (const SettingChange &c : changes)
                    EXPECT_EQ(c.bytes, (std::vector<ByteChange>{
                                           {a, before.value(a), before.value(a) ^ flip}}))
                        << a;
            }
        }
    }
}

TEST(storeChanges, list_the_windows_corrections_with_the_operators_edits) {
    // Relay functions, a device count and controller types out of range, as a module may hold
    // them; the operator then edits a serial and a type the window had corrected.
    const EepromImage module =
        edited(factoryImage(ModuleKind::Tessel), {{6, 30}, {47, 40}, {55, 41}});
    const EepromImage shown = windowCorrected(ModuleKind::Tessel, module);
    // Every relay function 0, the device count and the types at their highest: 24 devices, type 35.
    EepromImage corrected = edited(module, {{6, 23}, {47, 35}, {55, 35}});
    for (int row = 0; row < 24; ++row)
        corrected.setValue(16 + 8 * row + 6, 0);
    EXPECT_EQ(profileText(shown).toStdString(), profileText(corrected).toStdString());
    const auto changes =
        storeChanges(ModuleKind::Tessel, module, shown, edited(shown, {{35, 2}, {47, 4}}));
    QStringList edits;
    int corrections = 0;
    for (const SettingChange &c : changes)
        c.correction ? ++corrections : (edits << c.line(), 0);
    EXPECT_EQ(corrections, 24 + 2); // relay functions, device count, device 5's type
    EXPECT_EQ(edits.join('\n').toStdString(),
              "Device 3 serial: 9B3F0001 → 9B3F0002\n"
              "Device 4 controller type: 40 (no such type) → Velqa 8-Ch. Relay Device");
}

TEST(kindWrittenBy, tells_a_kind_where_the_bytes_show_it) {
    const EepromImage tessel =
        windowCorrected(ModuleKind::Tessel, factoryImage(ModuleKind::Tessel));
    const EepromImage threshold = factoryImage(ModuleKind::Threshold);
    const struct {
        EepromImage memory;
        std::optional<ModuleKind> kind;
    } cases[] = {
        {edited(factoryImage(ModuleKind::Tessel), {{12, 3}}), ModuleKind::Tessel},
        {edited(threshold, {{12, 0}}), ModuleKind::Threshold},
        {tessel, ModuleKind::Tessel},                   // more inputs than a Threshold module has
        {edited(tessel, {{6, 2}}), ModuleKind::Tessel}, // 17 inputs: 8 + 8 + 1
        {edited(tessel, {{6, 1}}), std::nullopt},       // 16: as many as a Threshold module's
        {edited(tessel, {{12, 8}}), std::nullopt},      // as many, but on custom mapping bytes
        {edited(tessel, {{6, 1}, {18, 4}}), ModuleKind::Tessel}, // no limit type 4
        {edited(tessel, {{6, 1}, {18, 3}}), std::nullopt},       // limit type 3 is one
        {edited(threshold, {{16, 0}}), ModuleKind::Threshold},   // relay functions not 0
        {startImage(), std::nullopt},                            // fits both
    };
    for (const auto &c : cases)
        EXPECT_EQ(kindWrittenBy(*c.memory.toMemory()), c.kind)
            << profileText(c.memory).toStdString();
}

TEST(changeLines, list_the_first_changes_and_count_the_rest) {
    const EepromImage factory = factoryImage(ModuleKind::Threshold);
    const auto changes = settingChanges(ModuleKind::Threshold, factory,
                                        edited(factory, {{51, 1}, {52, 2}, {146, 7}}));
    const QString lines[] = {"Lower limit of input 4: 51 → 1", "Upper limit of input 4: 52 → 2",
                             "Address 146 (not shown): 0 → 7"};
    EXPECT_EQ(changeLines(changes, 2), lines[0] + '\n' + lines[1] + "\nand 1 more");
    EXPECT_EQ(changeLines(changes, 3), lines[0] + '\n' + lines[1] + '\n' + lines[2]);
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
