// SPDX-License-Identifier: Apache-2.0
// The device table's marks and mapping bytes: rows beyond the module's inputs,
// the two mapping modes, and mapping bytes typed by hand.

#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

namespace {

// A loaded Tessel window showing `rows` devices of the given types, all active.
std::unique_ptr<WindowBench> benchWithTypes(const std::vector<int> &types, int modeByte = 0) {
    auto bench = std::make_unique<WindowBench>(ModuleKind::Tessel);
    EepromImage image = factoryImage(ModuleKind::Tessel);
    image.setValue(map::kLastDeviceIndex, static_cast<int>(types.size()) - 1);
    for (int a : {9, 10, 11})
        image.setValue(a, 255);
    for (int r = 0; r < static_cast<int>(types.size()); ++r)
        image.setValue(map::typeAddress(r), types[r]);
    image.setValue(map::kModeByte, modeByte);
    bench->module.setMemory(*image.toMemory());
    if (!bench->load())
        qFatal("the window did not load");
    return bench;
}

} // namespace

class MappingColoursTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void capacity_rowsPastTheModulesInputsTurnRed() {
        auto bench = benchWithTypes({35, 0});
        QCOMPARE(bench->background("serial_1"), colours::kLightRed);
        QCOMPARE(bench->background("controllerType_0"), colours::windowBackground());
        // The help on a red cell says why it is red.
        hover(bench->child("controllerType_1"));
        QVERIFY2(bench->helpText().contains("Why it is red"), qPrintable(bench->helpText()));
        // A mapping byte that cannot be stored stays red when its row is made
        // inactive.
        click(bench->child("active_1"));
        QCOMPARE(bench->background("deviceNumber_1"), colours::kLightRed);
        // Back to one row of 256 inputs: it fits, but the hidden second row keeps its
        // calculated byte 257, which no module entry holds; the window names it
        // rather than offer the store.
        bench->child<QScrollBar>("deviceCount")->setValue(0);
        QCOMPARE(bench->window->invalidFields(),
                 QStringList{QStringLiteral("mapping byte of device 2")});
        QVERIFY(bench->child("storeSettings")->isHidden());
    }

    void mapChange_readsTheNumberAndMarksWhatDoesNotFit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("marked");
        QTest::newRow("largest byte") << "255" << 255 << false;
        QTest::newRow("one too many") << "256" << 256 << true;
        // Stored as read, but marked: a store never sends a byte the box does not
        // plainly show.
        QTest::newRow("letters") << "abc" << 0 << true;
        QTest::newRow("leading blank") << " 25" << 25 << false;
        QTest::newRow("too long") << "0012" << 12 << true;
    }

    void mapChange_readsTheNumberAndMarksWhatDoesNotFit() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(bool, marked);
        auto bench = benchWithTypes({0, 0, 0, 0}, 8);
        auto *box = bench->child<QLineEdit>("mappingByte_3");
        box->setText(typed);
        click(bench->child("active_0")); // any recolouring keeps the marks
        QCOMPARE(bench->window->image().value(map::mappingAddress(3)), stored);
        QCOMPARE(backgroundOf(box) == colours::kLightRed, marked);
        QCOMPARE(bench->background("deviceNumber_3") == colours::kLightRed, marked);
        QCOMPARE(bench->window->invalidFields().isEmpty(), !marked);
    }

    void mappingMode_keepsCustomBytesAndRecomputesCalculatedOnes() {
        auto bench = benchWithTypes({0, 0, 0});
        // Custom: every box takes typing, the calculated bytes stay until typed over.
        bench->child<QRadioButton>("mappingMode_1")->click();
        for (int r = 0; r < map::kRowCount; ++r)
            QVERIFY(bench->child(elementName("mappingByte", r))->isEnabled());
        QCOMPARE(bench->window->image().value(map::mappingAddress(1)), 10);
        bench->child<QLineEdit>("mappingByte_1")->setText("200");
        QCOMPARE(bench->window->image().value(map::mappingAddress(1)), 200);
        // Calculated again: the typed byte gives way to the row's place, and the
        // boxes close.
        bench->child<QRadioButton>("mappingMode_0")->click();
        QCOMPARE(bench->window->image().value(map::mappingAddress(1)), 10);
        QVERIFY(!bench->child("mappingByte_1")->isEnabled());

        // An image shown in the calculated mode gets the bytes of the rows in use.
        EepromImage image = bench->window->image();
        for (int r = 0; r < map::kRowCount; ++r)
            image.setValue(map::mappingAddress(r), 100 + r);
        bench->window->showImage(image);
        QCOMPARE(bench->window->image().value(map::mappingAddress(2)), 11);
        QCOMPARE(bench->window->image().value(map::mappingAddress(3)), 103); // not in use

        // Custom bytes are kept even for rows the count shown before did not reach.
        image.setValue(map::kLastDeviceIndex, 9);
        image.setValue(map::kModeByte, 8);
        bench->module.setMemory(*image.toMemory());
        bench->window->readSettings();
        QVERIFY(bench->child<QRadioButton>("mappingMode_1")->isChecked());
        // Custom bytes are typed in the advanced area, which opens for them.
        QCOMPARE(bench->form()->width(), px(kWideWidthTwips));
        for (int r = 0; r < map::kRowCount; ++r) {
            QCOMPARE(bench->window->image().value(map::mappingAddress(r)), 100 + r);
            QCOMPARE(bench->child<QLineEdit>(elementName("mappingByte", r))->text(),
                     QString::number(100 + r));
        }
        // Down to the first type, from it to the last, and up from the last to the first.
        QList<int> types;
        for (const char *step : {"nextType_2", "previousType_2", "previousType_2", "previousType_2",
                                 "nextType_2", "nextType_2"}) {
            bench->child<QPushButton>(step)->click();
            types << bench->window->image().value(map::typeAddress(2));
        }
        QCOMPARE(types, (QList<int>{1, 0, map::kMaxType, map::kMaxType - 1, map::kMaxType, 0}));
    }
};

TESSEL_TEST_OBJECT(MappingColoursTest);
#include "test_MappingColours.moc"
