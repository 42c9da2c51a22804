#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

namespace {

// The module's memory with one entry changed, as another tool might have left it.
void setModuleEntry(WindowBench &bench, int address, int value) {
    ModuleMemory memory = bench.module.memory();
    memory[address] = static_cast<quint8>(value);
    bench.module.setMemory(memory);
}

} // namespace

class TesselWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void load_showsTheModulesImage();
    void store_writesModeByteFromTheWindowsChoices_data();
    void store_writesModeByteFromTheWindowsChoices();
    void liteBit_hidesTheRefreshStep();
    void serialChecks_markAndHideStoreUntilAValidSerial();
    void serialCell_editEndsByPointerOrEnter();
    void typeStep_wrapsWithinTheKindsTypes_data();
    void typeStep_wrapsWithinTheKindsTypes();
    void broadcast_writesTheBroadcastAddressAndClosesTheCount();
    void factoryReset_storesTheWindowsModeAndReadsBack();
    void readEditStoreRead_changesExactlyTheEditedEntries();
    void keyboard_tabGoesThroughTheFormInReadingOrder();
};

void TesselWindowTest::load_showsTheModulesImage() {
    auto bench = loadedTessel();
    QCOMPARE(bench->commands(0, 3), 1); // one identification, then two reads of 32
    // Shown as read, except the relay functions, which the window keeps at 0.
    EepromImage expected = factoryImage(ModuleKind::Tessel);
    for (int r = 0; r < map::kRowCount; ++r)
        expected.setValue(map::functionAddress(r), 0);
    QCOMPARE(bench->window->image(), expected);
    QVERIFY(!bench->child("deviceNumber_6")->isHidden());
    QVERIFY(bench->child("deviceNumber_7")->isHidden());
    // While the link is busy, a store or read is ignored.
    {
        auto busy = bench->link.tryBegin();
        bench->window->storeSettings();
        bench->window->readSettings();
        QCOMPARE(bench->commands(1, 2), 0);
        QCOMPARE(bench->commands(0, 1), 64);
    }

    // What a module may hold out of range is shown clamped.
    EepromImage image = factoryImage(ModuleKind::Tessel);
    image.setValue(map::kLastDeviceIndex, 30);
    image.setValue(map::typeAddress(0), 40);
    bench->window->showImage(image);
    const EepromImage &shown = bench->window->image();
    QCOMPARE(shown.value(map::kLastDeviceIndex), 23);
    QVERIFY(!bench->child("deviceNumber_23")->isHidden());
    QCOMPARE(shown.value(map::typeAddress(0)), 35);
}

void TesselWindowTest::store_writesModeByteFromTheWindowsChoices_data() {
    QTest::addColumn<int>("modeInImage");
    QTest::addColumn<int>("stored");
    QTest::newRow("hidden one-way mode") << 2 << 2;
    QTest::newRow("one-way with forced delay") << 18 << 18;
    QTest::newRow("confirmation mode with Lite") << 5 << 5;
    QTest::newRow("every flag") << 30 << 30;
    QTest::newRow("mode 3 keeps the shown mode") << 3 << 0;
    QTest::newRow("bits 5 to 7 are not kept") << (0xE0 | 1) << 1;
}

void TesselWindowTest::store_writesModeByteFromTheWindowsChoices() {
    QFETCH(int, modeInImage);
    QFETCH(int, stored);
    auto bench = loadedTessel();
    setModuleEntry(*bench, map::kModeByte, modeInImage);
    bench->window->readSettings();
    bench->window->storeSettings();
    QVERIFY2(bench->host.messages.isEmpty(), qPrintable(bench->host.messages.join('\n')));
    QCOMPARE(int(bench->module.memory()[map::kModeByte]), stored);
}

void TesselWindowTest::liteBit_hidesTheRefreshStep() {
    auto bench = loadedTessel();
    setModuleEntry(*bench, map::kModeByte, 5);
    bench->window->readSettings();
    QVERIFY(bench->child<QRadioButton>("commMode_1")->isChecked());
    QVERIFY(bench->child<QCheckBox>("liteCommands")->isChecked());
    QVERIFY(bench->child("refreshBand")->isHidden());
    // Choosing plain two-way communication clears the Lite flag and shows the step again.
    bench->child<QRadioButton>("commMode_0")->click();
    QVERIFY(!bench->child<QCheckBox>("liteCommands")->isChecked());
    QVERIFY(!bench->child("refreshBand")->isHidden());
    bench->window->storeSettings();
    QCOMPARE(int(bench->module.memory()[map::kModeByte]), 0);
}

void TesselWindowTest::serialChecks_markAndHideStoreUntilAValidSerial() {
    auto bench = loadedTessel();
    auto *sn = bench->child<QLineEdit>("baseSerial");
    auto *store = bench->child("storeSettings");
    for (const char *bad : {"0013a200", "0013A20", "0013A20:"}) {
        sn->setText(bad);
        QVERIFY2(store->isHidden(), bad);
        QCOMPARE(backgroundOf(sn), colours::kLightRed);
        QCOMPARE(bench->window->image().value(1), 19);
    }
    sn->setText("0A0B0C0D");
    QVERIFY(!store->isHidden());
    QCOMPARE(backgroundOf(sn), colours::windowBackground());
    QCOMPARE(bench->window->image().value(3), 13);

    // The button waits for every check, not only the last one that ran.
    auto *sntb = bench->child<QLineEdit>("serialEditor_3");
    sntb->setText("4032ABC");
    sn->setText("0013A200");
    QVERIFY(store->isHidden());
    QCOMPARE(bench->background("serial_3"), colours::kLightRed);
    QCOMPARE(bench->window->image().value(40), 155);
    sntb->setText("4032ABCD");
    QVERIFY(!store->isHidden());
    QCOMPARE(bench->window->image().value(43), 205);
}

// The in-place serial box opens by click or Enter and ends by Enter or the pointer leaving
// the row; an invalid text shows, but the image keeps the last valid serial.
void TesselWindowTest::serialCell_editEndsByPointerOrEnter() {
    auto bench = loadedTessel();
    QTest::keyClick(bench->child("active_1"), Qt::Key_Space);
    QCOMPARE(bench->caption("active_1"), QStringLiteral("No"));
    QTest::keyClick(bench->child("serial_1"), Qt::Key_Return);
    auto *sntb = bench->child<QLineEdit>("serialEditor_1");
    QCOMPARE(sntb->text(), QStringLiteral("9B050016"));
    sntb->setText("00C0FFEE");
    QTest::keyClick(sntb, Qt::Key_Return);
    QVERIFY(sntb->isHidden());
    QCOMPARE(bench->caption("serial_1"), QStringLiteral("00C0FFEE"));
    click(bench->child("serial_1"));
    sntb->setText("12");
    hover(bench->child("controllerType_1")); // within the row the box stays open
    QVERIFY(!sntb->isHidden());
    hover(bench->form());
    QVERIFY(sntb->isHidden());
    QCOMPARE(bench->caption("serial_1"), QStringLiteral("12"));
    QCOMPARE(bench->window->image().value(map::recordAddress(1) + 3), 0xEE);
}

void TesselWindowTest::typeStep_wrapsWithinTheKindsTypes_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("previous");
    QTest::newRow("tessel 0") << int(ModuleKind::Tessel) << 0 << 35;
    QTest::newRow("threshold 0") << int(ModuleKind::Threshold) << 0 << 5;
    // A type read beyond the range steps down by one, and up back to the start.
    QTest::newRow("threshold 20") << int(ModuleKind::Threshold) << 20 << 19;
}

void TesselWindowTest::typeStep_wrapsWithinTheKindsTypes() {
    QFETCH(int, kind);
    QFETCH(int, type);
    QFETCH(int, previous);
    auto bench = WindowBench::loaded(ModuleKind(kind));
    EepromImage image = bench->window->image();
    image.setValue(map::typeAddress(0), type);
    bench->window->showImage(image);
    bench->child<QPushButton>("previousType_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), previous);
    bench->child<QPushButton>("nextType_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 0);
}

void TesselWindowTest::broadcast_writesTheBroadcastAddressAndClosesTheCount() {
    auto bench = loadedTessel();
    bench->child<QPushButton>("broadcastToAll")->click();
    const EepromImage &image = bench->window->image();
    QCOMPARE(image.value(3), 0);
    QCOMPARE(image.value(18) + image.value(19), 2 * 255);
    QCOMPARE(image.value(map::kLastDeviceIndex), 0);
    auto *count = bench->child<QScrollBar>("deviceCount");
    QCOMPARE(count->maximum(), 0);
    QVERIFY(!bench->child("storeSettings")->isHidden());
    bench->child<QPushButton>("restoreDefaultSerial")->click();
    QCOMPARE(count->maximum(), 23);
    // A read reopens the range a broadcast closed: the module still holds 7 devices.
    bench->child<QPushButton>("broadcastToAll")->click();
    bench->window->readSettings();
    QCOMPARE(count->value(), 6);
    QCOMPARE(bench->caption("settingValue_0"), QStringLiteral("7"));
}

void TesselWindowTest::factoryReset_storesTheWindowsModeAndReadsBack() {
    auto bench = loadedTessel();
    ModuleMemory scrambled{};
    scrambled.fill(7);
    bench->module.setMemory(scrambled);
    bench->child<QRadioButton>("commMode_1")->click();
    bench->child<QPushButton>("restoreFactorySettings")->click();
    EepromImage expected = factoryImage(ModuleKind::Tessel);
    expected.setValue(map::kModeByte, 1);
    QCOMPARE(EepromImage(bench->module.memory()), expected);
    for (int r = 0; r < map::kRowCount; ++r)
        expected.setValue(map::functionAddress(r), 0); // shown corrected, as after every read
    QCOMPARE(bench->window->image(), expected);
    QVERIFY(bench->child<QRadioButton>("commMode_1")->isChecked());
}

void TesselWindowTest::readEditStoreRead_changesExactlyTheEditedEntries() {
    auto bench = loadedTessel();
    bench->window->storeSettings(); // the relay functions the window corrected on display
    const ModuleMemory before = bench->module.memory();
    bench->child<QScrollBar>("debounce")->setValue(9);
    bench->child<QScrollBar>("refresh")->setValue(4);
    QCOMPARE(bench->caption("settingValue_1") + bench->caption("settingValue_2"), "94");
    bench->child<QLineEdit>("baseSerial")->setText("0013A2FF");
    click(bench->child("serial_4"));
    bench->child<QLineEdit>("serialEditor_4")->setText("CAFE0001");
    hover(bench->form());
    click(bench->child("active_0"));
    // Rows a smaller count hides keep what they hold, and come back with it.
    click(bench->child("active_5"));
    auto *count = bench->child<QScrollBar>("deviceCount");
    count->setValue(1);
    QVERIFY(bench->child("controllerType_5")->isHidden());
    count->setValue(6);
    bench->window->storeSettings();
    QVERIFY(bench->host.messages.isEmpty());

    const ModuleMemory after = bench->module.memory();
    QMap<int, int> changed;
    for (int a = 0; a < kImageSize; ++a) {
        if (before[a] != after[a])
            changed.insert(a, after[a]);
    }
    const QMap<int, int> expected{{3, 0xFF},  {7, 9},     {8, 4},    {9, 158},
                                  {48, 0xCA}, {49, 0xFE}, {51, 0x01}};
    QCOMPARE(changed, expected);
    bench->window->readSettings();
    QCOMPARE(EepromImage(bench->module.memory()), bench->window->image());
    QCOMPARE(bench->caption("serial_4"), QStringLiteral("CAFE0001"));
}

void TesselWindowTest::keyboard_tabGoesThroughTheFormInReadingOrder() {
    auto bench = loadedTessel();
    // Wide, so that the advanced area is shown and takes the focus too.
    bench->child<QPushButton>("advancedFeatures")->click();
    // Tab visits the bands left to right, then the table row by row, then the buttons below.
    QStringList tabOrder;
    for (QWidget *w = bench->window->nextInFocusChain(); w != bench->window.get();
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            tabOrder << w->objectName();
    }
    const QStringList reading =
        QStringLiteral("baseSerial restoreDefaultSerial broadcastToAll deviceCount commMode_0 "
                       "advancedFeatures mappingMode_0 debounce refresh active_0 serial_0 "
                       "previousType_0 nextType_0 function_0 mappingByte_0 active_1 "
                       "mappingByte_23 productionProfile readSettings storeSettings "
                       "restoreFactorySettings")
            .split(QLatin1Char(' '));
    qsizetype at = -1;
    for (const QString &name : reading) {
        const qsizetype next = tabOrder.indexOf(name);
        QVERIFY2(next > at, qPrintable(name + QStringLiteral(" out of order: ") +
                                       tabOrder.join(QLatin1Char(' '))));
        at = next;
    }
}

TESSEL_TEST_OBJECT(TesselWindowTest);
#include "test_TesselWindow.moc"
