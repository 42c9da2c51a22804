#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

namespace {
using Bench = WindowBench;

// A loaded Tessel window showing `rows` devices of the given types, all active.
std::unique_ptr<Bench> benchWithTypes(const std::vector<int> &types, int modeByte = 0) {
    auto bench = std::make_unique<Bench>(ModuleKind::Tessel);
    EepromImage image = factoryImage(ModuleKind::Tessel);
    image.setValue(map::kLastDeviceIndex, static_cast<int>(types.size()) - 1);
    for (int a : {9, 10, 11})
        image.setValue(a, 255);
    for (int r = 0; r < static_cast<int>(types.size()); ++r)
        image.setValue(map::typeAddress(r), types[r]);
    image.setValue(map::kModeByte, modeByte);
    bench->module.setMemory(*image.toMemory());
    if (!bench->window->loadFromModule())
        qFatal("the window did not load");
    return bench;
}

} // namespace

class MappingColoursTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void capacity_rowsPastTheModulesInputsTurnRed();
    void capacity_exactlyFullFits();
    void inactiveRow_isDarkWithSilverActiveCell();
    void modePass_colorsTheMappingColumnsByMode();
    void switchingToCustom_keepsBytesAndEnablesBoxes();
    void switchingBackToCalculated_recomputesBytes();
    void mapChange_readsTheNumberAndMarksWhatDoesNotFit_data();
    void mapChange_readsTheNumberAndMarksWhatDoesNotFit();
    void outOfRangeMappingByte_isMarkedAndRefusedAtStore();
    void calculatedBytePastBank31_isMarkedAndRefused();
    void customImage_keepsItsBytesWhenTheCountDiffers();
    void calculatedImage_replacesItsBytesWhenShown();
    void assignmentColumn_followsTheWorkedExample();
};

void MappingColoursTest::capacity_rowsPastTheModulesInputsTurnRed() {
    auto bench = benchWithTypes({35, 0});
    QCOMPARE(bench->background("deviceNumber_1"), colours::kLightRed);
    QCOMPARE(bench->background("inputAssignment_1"), colours::kLightRed);
    QCOMPARE(bench->background("serial_1"), colours::kLightRed);
    QCOMPARE(bench->background("deviceNumber_0"), colours::kGrey);
    QCOMPARE(bench->background("controllerType_0"), colours::windowBackground());
    // The help on a red cell says why it is red; on any other cell it does not.
    hover(bench->child("controllerType_1"));
    QVERIFY2(bench->helpText().endsWith(
                 "\n\nWhy it is red: The controller types of devices 1 to 2 need 257 inputs, but "
                 "the module has 256. Choose a type with fewer channels, or fewer devices, to "
                 "store."),
             qPrintable(bench->helpText()));
    hover(bench->child("controllerType_0"));
    QVERIFY(!bench->helpText().contains("Why it is red"));
    // Neither the end of the read, a recolouring nor another check passing offers the store,
    // and a store asked for anyway names the row.
    QVERIFY(bench->child("storeSettings")->isHidden());
    click(bench->child("active_0"));
    click(bench->child("active_0"));
    bench->child<QLineEdit>("baseSerial")->setText("0013A2FF");
    QVERIFY(bench->child("storeSettings")->isHidden());
    bench->window->storeSettings();
    QCOMPARE(bench->commands(1, 2), 0);
    QVERIFY2(bench->host.messages.value(0).contains("controller type of device 2"),
             qPrintable(bench->host.messages.join('\n')));
    // Back to one row of 256 inputs: it fits, but the hidden second row keeps its calculated
    // byte 257, which no module entry holds; the window names it rather than offer the store.
    bench->child<QScrollBar>("deviceCount")->setValue(0);
    QCOMPARE(bench->window->invalidFields(),
             QStringList{QStringLiteral("mapping byte of device 2")});
    QVERIFY(bench->child("storeSettings")->isHidden());
}

void MappingColoursTest::capacity_exactlyFullFits() {
    auto bench = benchWithTypes({28, 10}); // 200 + 56 = 256
    click(bench->child("active_0"));
    click(bench->child("active_0"));
    QVERIFY(!bench->child("storeSettings")->isHidden());
    QCOMPARE(bench->background("deviceNumber_1"), colours::kGrey);
}

void MappingColoursTest::inactiveRow_isDarkWithSilverActiveCell() {
    auto bench = benchWithTypes({34, 1, 0}); // row 3 is beyond capacity
    click(bench->child("active_2"));
    QCOMPARE(bench->caption("active_2"), QStringLiteral("No"));
    for (const char *cell : {"serial_2", "controllerType_2", "function_2", "inputAssignment_2"})
        QCOMPARE(bench->background(cell), colours::kDarkGrey);
    QCOMPARE(bench->background("active_2"), colours::kSilver);
    // A mapping byte that cannot be stored outranks the dark of an inactive row.
    QCOMPARE(bench->background("deviceNumber_2"), colours::kLightRed);

    bench = benchWithTypes({0, 0});
    click(bench->child("active_1"));
    QCOMPARE(bench->caption("active_1"), QStringLiteral("No"));
    for (const char *cell :
         {"deviceNumber_1", "serial_1", "controllerType_1", "function_1", "inputAssignment_1"})
        QCOMPARE(bench->background(cell), colours::kDarkGrey);
    QCOMPARE(bench->background("active_1"), colours::kSilver);
}

void MappingColoursTest::modePass_colorsTheMappingColumnsByMode() {
    auto bench = benchWithTypes({0, 1});
    // A read leaves the boxes enabled and white; the next recolouring applies the mode.
    QCOMPARE(bench->background("mappingByte_0"), colours::windowBackground());
    click(bench->child("active_0"));
    click(bench->child("active_0"));
    QCOMPARE(bench->background("mapping_0"), colours::kDarkGrey);
    QCOMPARE(bench->background("mappingByte_0"), colours::kDarkGrey);
    QCOMPARE(bench->background("inputAssignment_0"), colours::kGrey);
    bench->child<QRadioButton>("mappingMode_1")->click();
    QCOMPARE(bench->background("mapping_0"), colours::kGrey);
    QCOMPARE(bench->background("inputAssignment_0"), colours::kDarkGrey);
    QCOMPARE(bench->background("mappingByte_0"), colours::windowBackground());
    // Rows not in use are painted too, ready for when the count grows.
    QCOMPARE(bench->background("mapping_20"), colours::kGrey);
}

void MappingColoursTest::switchingToCustom_keepsBytesAndEnablesBoxes() {
    auto bench = benchWithTypes({0, 1, 3});
    // A read enables the boxes whatever the mode.
    QVERIFY(bench->child("mappingByte_0")->isEnabled());
    bench->child<QRadioButton>("mappingMode_1")->click();
    for (int r = 0; r < map::kRowCount; ++r) {
        QCOMPARE(bench->caption(elementName("mapping", r)), QStringLiteral("REMAPPED"));
        QVERIFY(bench->child(elementName("mappingByte", r))->isEnabled());
    }
    QCOMPARE(bench->window->image().value(map::mappingAddress(1)), 10);
    QCOMPARE(bench->caption("inputAssignment_1"), QStringLiteral("Bank: 1  Input: 2-3"));
    bench->window->storeSettings();
    QCOMPARE(int(bench->module.memory()[map::kModeByte]), 8);
}

void MappingColoursTest::switchingBackToCalculated_recomputesBytes() {
    auto bench = benchWithTypes({0, 1, 3});
    bench->child<QRadioButton>("mappingMode_1")->click();
    bench->child<QLineEdit>("mappingByte_1")->setText("200");
    QCOMPARE(bench->window->image().value(map::mappingAddress(1)), 200);
    bench->child<QRadioButton>("mappingMode_0")->click();
    QCOMPARE(bench->window->image().value(map::mappingAddress(1)), 10);
    QCOMPARE(bench->child<QLineEdit>("mappingByte_1")->text(), QStringLiteral(" 10"));
    QCOMPARE(bench->caption("mapping_1"), QStringLiteral("Bank: 1  Input: 2-3"));
    QVERIFY(!bench->child("mappingByte_1")->isEnabled());
    // Custom again does not bring the typed byte back.
    bench->child<QRadioButton>("mappingMode_1")->click();
    QCOMPARE(bench->window->image().value(map::mappingAddress(1)), 10);
}

void MappingColoursTest::mapChange_readsTheNumberAndMarksWhatDoesNotFit_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("marked");
    QTest::newRow("largest byte") << "255" << 255 << false;
    QTest::newRow("one too many") << "256" << 256 << true;
    QTest::newRow("empty") << "" << 0 << true;
    // Stored as read, but marked: a store never sends a byte the box does not plainly show.
    QTest::newRow("letters") << "abc" << 0 << true;
    QTest::newRow("leading blank") << " 25" << 25 << false;
    QTest::newRow("half to even") << "2.5" << 2 << true;
    QTest::newRow("negative") << "-1" << -1 << true;
    QTest::newRow("too long") << "0012" << 12 << true;
}

void MappingColoursTest::mapChange_readsTheNumberAndMarksWhatDoesNotFit() {
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(bool, marked);
    auto bench = benchWithTypes({0, 0, 0, 0}, 8);
    auto *box = bench->child<QLineEdit>("mappingByte_3");
    box->setText(typed);
    QCOMPARE(bench->window->image().value(211), stored);
    QCOMPARE(backgroundOf(box) == colours::kLightRed, marked);
}

void MappingColoursTest::outOfRangeMappingByte_isMarkedAndRefusedAtStore() {
    auto bench = benchWithTypes({0, 0, 0, 0}, 8);
    const ModuleMemory before = bench->module.memory();
    bench->child<QLineEdit>("mappingByte_2")->setText("300");
    bench->child<QLineEdit>("mappingByte_3")->setText("-4");
    click(bench->child("active_0")); // any recolouring keeps the marks
    QCOMPARE(bench->background("mappingByte_2"), colours::kLightRed);
    QCOMPARE(bench->background("deviceNumber_3"), colours::kLightRed);
    bench->window->storeSettings();
    QCOMPARE(bench->host.messages.size(), 1);
    QCOMPARE(bench->host.messages[0],
             QStringLiteral("Nothing was stored: correct mapping byte of device 3, mapping byte "
                            "of device 4 first."));
    QCOMPARE(bench->commands(1, 2), 0);
    QCOMPARE(bench->module.memory(), before);
    // Nothing typed was lost: correcting one box leaves the other as typed.
    bench->child<QLineEdit>("mappingByte_2")->setText("30");
    QCOMPARE(bench->window->image().value(211), -4);
}

void MappingColoursTest::calculatedBytePastBank31_isMarkedAndRefused() {
    // 248 inputs fill banks 1 to 31; the next row starts at bank 32: 8 x 32 + 1 = 257.
    auto bench = benchWithTypes({34, 0});
    QCOMPARE(bench->window->image().value(map::mappingAddress(1)), 257);
    QCOMPARE(bench->background("mappingByte_1"), colours::kLightRed);
    bench->window->storeSettings();
    QCOMPARE(bench->host.messages.size(), 1);
    QVERIFY2(bench->host.messages[0].contains("mapping byte of device 2"),
             qPrintable(bench->host.messages[0]));
    QCOMPARE(bench->commands(1, 2), 0);
}

void MappingColoursTest::customImage_keepsItsBytesWhenTheCountDiffers() {
    auto bench = benchWithTypes({0, 0, 0}); // shows 3 rows, calculated mapping
    EepromImage image = bench->window->image();
    image.setValue(map::kLastDeviceIndex, 9);
    image.setValue(map::kModeByte, 8);
    for (int r = 0; r < map::kRowCount; ++r)
        image.setValue(map::mappingAddress(r), 100 + r);
    bench->module.setMemory(*image.toMemory());
    bench->window->readSettings();
    QVERIFY(bench->child<QRadioButton>("mappingMode_1")->isChecked());
    for (int r = 0; r < map::kRowCount; ++r) {
        QCOMPARE(bench->window->image().value(map::mappingAddress(r)), 100 + r);
        QCOMPARE(bench->child<QLineEdit>(elementName("mappingByte", r))->text(),
                 QString::number(100 + r));
    }
    QCOMPARE(bench->caption("mapping_9"), QStringLiteral("REMAPPED"));
}

void MappingColoursTest::calculatedImage_replacesItsBytesWhenShown() {
    auto bench = benchWithTypes({0, 0, 0});
    EepromImage image = bench->window->image();
    for (int r = 0; r < map::kRowCount; ++r)
        image.setValue(map::mappingAddress(r), 100 + r);
    bench->window->showImage(image);
    QCOMPARE(bench->window->image().value(map::mappingAddress(0)), 9);
    QCOMPARE(bench->window->image().value(map::mappingAddress(2)), 11);
    QCOMPARE(bench->window->image().value(map::mappingAddress(3)), 103); // not in use
}

void MappingColoursTest::assignmentColumn_followsTheWorkedExample() {
    auto bench = benchWithTypes({0, 1, 3, 4, 5, 0});
    const QStringList captions = {"Bank: 1  Input: 1",     "Bank: 1  Input: 2-3",
                                  "Bank: 1  Input: 4-7",   "Bank: 2  Input: 1-8",
                                  "Bank: 3-4  Input: 1-8", "Bank: 5  Input: 1"};
    const int bytes[] = {9, 10, 12, 17, 25, 41};
    for (int r = 0; r < 6; ++r) {
        QCOMPARE(bench->caption(elementName("inputAssignment", r)), captions[r]);
        QCOMPARE(bench->caption(elementName("mapping", r)), captions[r]);
        QCOMPARE(bench->window->image().value(map::mappingAddress(r)), bytes[r]);
    }
}

TESSEL_TEST_OBJECT(MappingColoursTest);
#include "test_MappingColours.moc"
