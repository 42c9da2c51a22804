// The Threshold window against a simulated Threshold module: what it shows, its serial
// lengths, its device range and capture speed, and its factory settings.

#include "core/ControllerTypes.h"
#include "core/HelpTexts.h"
#include "core/MemoryMap.h"
#include "support/ThresholdBench.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

class ThresholdWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void syncSettings_showsTheThresholdImage();
    void factoryReset_writesTheThresholdDataSet_data();
    void factoryReset_writesTheThresholdDataSet();
    void capacity_isSixteenInputs();
    void serials_useTheThresholdLengths();
    void broadcastAndRestoreDefault_spellTheAddressesInThisWindowsForm();
    void typeStep_staysWithinTheSixteenInputTypes();
    void deviceCount_aboveFifteenRaisesTheRange();
    void captureSpeed_showsTheReactionTime();
};

void ThresholdWindowTest::syncSettings_showsTheThresholdImage() {
    auto bench = loadedBench();
    QCOMPARE(bench->child<QLineEdit>("SN")->text(), QStringLiteral("0013A200:4032"));
    QCOMPARE(bench->caption("C3_0"), QStringLiteral("9B05"));
    QCOMPARE(bench->caption("C5_0"), QStringLiteral("Relay Limiter Functions"));
    QCOMPARE(bench->caption("C5_15"), QStringLiteral("Relay Limiter Functions"));
    QCOMPARE(bench->caption("C5_16"), QStringLiteral("??"));
    QCOMPARE(bench->caption("C8_0"), QStringLiteral(" 0"));
    QCOMPARE(bench->caption("C8_15"), QStringLiteral(" 15"));
    QCOMPARE(bench->caption("C9_2"), kBelow);
    QCOMPARE(bench->caption("C10_2"), QStringLiteral("35"));
    QCOMPARE(bench->caption("C10_18"), QStringLiteral("36"));

    EepromImage image = factoryImage(ModuleKind::Threshold);
    for (int a = 0; a < 6; ++a)
        image.setValue(a, 0);
    image.setValue(map::recordAddress(3), 0xAB);
    image.setValue(map::recordAddress(3) + 1, 0x0C);
    image.setValue(map::limitTypeAddress(0), 9);
    image.setValue(map::limitTypeAddress(1), 2);
    bench->window->showImage(image);
    QCOMPARE(bench->child<QLineEdit>("SN")->text(), QStringLiteral("00000000:0000"));
    QCOMPARE(bench->caption("C3_3"), QStringLiteral("AB0C"));
    QCOMPARE(bench->caption("C9_0"), kInside);
    QCOMPARE(bench->window->image().value(map::limitTypeAddress(0)), 3);
    QCOMPARE(bench->caption("C9_1"), kOutside);
    // Each type change showed its explanation, the last in row order stays; the two-limit
    // types show their second limit.
    QCOMPARE(bench->helpText(), limitTypeHelp(kOutside));
    QVERIFY(!bench->child("C10_16")->isHidden());
    QVERIFY(!bench->child("C10_17")->isHidden());
    QVERIFY(bench->child("C10_20")->isHidden());
}

void ThresholdWindowTest::factoryReset_writesTheThresholdDataSet_data() {
    QTest::addColumn<bool>("duringLoop");
    QTest::newRow("idle") << false;
    // The store and the read wait for the loop's last pass, then run in this order.
    QTest::newRow("during a monitor loop") << true;
}

void ThresholdWindowTest::factoryReset_writesTheThresholdDataSet() {
    QFETCH(bool, duringLoop);
    auto bench = loadedBench();
    bench->module.setMemory(ModuleMemory{});
    bench->window->ReadSettings_Click();
    QCOMPARE(bench->caption("C3_0"), QStringLiteral("0000"));
    QCOMPARE(bench->caption("C9_2"), kAbove);

    auto *loop = bench->child<QCheckBox>("LoopRead");
    if (duringLoop) {
        loop->setChecked(true);
        bench->clock.callAfter(20 * kMillis, [&] { click(bench->child("Command2")); });
        click(bench->child("ReadAllAD"));
        QVERIFY(!loop->isChecked());
    } else {
        click(bench->child("Command2"));
    }
    QCOMPARE(bench->host.questions.size(), 1);
    QCOMPARE(bench->host.messages,
             QStringList{QStringLiteral("The factory settings were stored and checked.")});
    // Everything but the mode byte, which the window rebuilds from its own choices.
    const EepromImage factory = factoryImage(ModuleKind::Threshold);
    QVERIFY(sameRange(bench->module.memory(), factory, 0, map::kModeByte - 1));
    QVERIFY(sameRange(bench->module.memory(), factory, map::kModeByte + 1, 255));
    QCOMPARE(bench->caption("C3_0"), QStringLiteral("9B05"));
    QCOMPARE(bench->caption("C9_2"), kBelow);
    click(bench->child("LimitMap"));
    QCOMPARE(bench->caption("C10_2"), QStringLiteral("35"));
    QCOMPARE(bench->caption("C10_18"), QStringLiteral("36"));
    // The factory limits pass the check as they are.
    moveOverPanel(*bench);
    QVERIFY(bench->child("Label7")->isHidden());
    QCOMPARE(bench->window->invalidFields(),
             QStringList{QStringLiteral("controller type of device 1 (beyond the module's 16 "
                                        "inputs)")});
    QVERIFY(sameRange(bench->module.memory(), bench->window->image(), map::recordAddress(0),
                      map::recordAddress(16) - 1));
}

void ThresholdWindowTest::capacity_isSixteenInputs() {
    auto bench = loadedBench();
    EepromImage image = factoryImage(ModuleKind::Threshold);
    image.setValue(map::kLastDeviceIndex, 1);
    image.setValue(map::typeAddress(0), 4); // 8 inputs each
    image.setValue(map::typeAddress(1), 4);
    image.setValue(map::typeAddress(2), 0); // 1 input
    bench->window->showImage(image);
    QCOMPARE(bench->background("C1_1"), colours::kGrey);
    QVERIFY(!bench->child("StoreSettings")->isHidden());

    bench->child<QScrollBar>("HScroll1")->setValue(2);
    QCOMPARE(bench->background("C4_2"), colours::kLightRed);
    QCOMPARE(bench->background("C4_1"), colours::windowBackground());
    QVERIFY(bench->child("StoreSettings")->isHidden());
}

void ThresholdWindowTest::serials_useTheThresholdLengths() {
    auto bench = loadedBench();
    showTableWithinCapacity(*bench);
    auto *sn = bench->child<QLineEdit>("SN");
    auto *store = bench->child("StoreSettings");
    sn->setText(QStringLiteral("0A0B0C0D:0E0F"));
    QVERIFY(!store->isHidden());
    QCOMPARE(bench->background("SN"), colours::windowBackground());
    for (int a = 0; a < 6; ++a)
        QCOMPARE(bench->window->image().value(a), 10 + a);
    // Eight digits alone, a wrong separator or lower case fail, and nothing is written.
    for (const char *bad : {"0013A200", "0013A200-4032", "0013a200:4032", "0013A200:403"}) {
        sn->setText(QString::fromLatin1(bad));
        QVERIFY2(store->isHidden(), bad);
        QCOMPARE(bench->background("SN"), colours::kLightRed);
        QCOMPARE(bench->window->image().value(5), 15);
    }
    auto *sntb = bench->child<QLineEdit>("SNTB_2");
    QCOMPARE(sntb->maxLength(), 4);
    sntb->setText(QStringLiteral("12G4"));
    QCOMPARE(bench->background("C3_2"), colours::kLightRed);
    sntb->setText(QStringLiteral("C0DE"));
    QCOMPARE(bench->background("C3_2"), colours::windowBackground());
    QCOMPARE(bench->window->image().value(map::recordAddress(2)), 0xC0);
    QCOMPARE(bench->window->image().value(map::recordAddress(2) + 1), 0xDE);
    // The limits of the row's analog input, which follow the serial, are left alone.
    QCOMPARE(bench->window->image().value(map::limitTypeAddress(2)), 1);
}

void ThresholdWindowTest::broadcastAndRestoreDefault_spellTheAddressesInThisWindowsForm() {
    auto bench = loadedBench();
    showTableWithinCapacity(*bench);
    bench->child<QPushButton>("Broadcast")->click();
    QCOMPARE(bench->child<QLineEdit>("SN")->text(), QStringLiteral("00000000:0000"));
    for (int a = 0; a < 6; ++a)
        QCOMPARE(bench->window->image().value(a), 0);
    QCOMPARE(bench->caption("C3_0"), QStringLiteral("FFFF"));
    QCOMPARE(bench->window->image().value(16), 255);
    QCOMPARE(bench->window->image().value(17), 255);
    QCOMPARE(bench->child<QScrollBar>("HScroll1")->maximum(), 0);
    QVERIFY(!bench->child("StoreSettings")->isHidden());
    bench->child<QPushButton>("Default_SN")->click();
    QCOMPARE(bench->child<QLineEdit>("SN")->text(), QStringLiteral("0013A200:4032"));
    QCOMPARE(bench->window->image().value(4), 64);
    QCOMPARE(bench->window->image().value(5), 50);
    QCOMPARE(bench->child<QScrollBar>("HScroll1")->maximum(), 23);
}

void ThresholdWindowTest::typeStep_staysWithinTheSixteenInputTypes() {
    auto bench = loadedBench();
    EepromImage image = bench->window->image();
    image.setValue(map::typeAddress(0), 0);
    bench->window->showImage(image);
    bench->child<QPushButton>("DOWN_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 5);
    QCOMPARE(bench->caption("C4_0"), ControllerTypeTable()[5]);
    bench->child<QPushButton>("UP_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 0);
    // A type read from a module beyond the range steps down by one, and up back to the start.
    image.setValue(map::typeAddress(0), 20);
    bench->window->showImage(image);
    bench->child<QPushButton>("DOWN_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 19);
    bench->child<QPushButton>("UP_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 0);
}

void ThresholdWindowTest::deviceCount_aboveFifteenRaisesTheRange() {
    ThresholdBench bench(ModuleKind::Threshold);
    QCOMPARE(bench.child<QScrollBar>("HScroll1")->maximum(), 15);
    EepromImage image = factoryImage(ModuleKind::Threshold);
    image.setValue(map::kLastDeviceIndex, 19);
    bench.module.setMemory(*image.toMemory());
    QVERIFY(bench.window->loadFromModule());
    QCOMPARE(bench.child<QScrollBar>("HScroll1")->maximum(), 23);
    QCOMPARE(bench.window->image().value(map::kLastDeviceIndex), 19);
    QCOMPARE(bench.caption("DAT_0"), QStringLiteral("20"));
}

void ThresholdWindowTest::captureSpeed_showsTheReactionTime() {
    auto bench = loadedBench();
    auto *speed = bench->child<QScrollBar>("Debounce");
    speed->setValue(8);
    QCOMPARE(bench->caption("REACT"),
             QStringLiteral("Device will Respond to a Reaction in About 6 Seconds."));
    speed->setValue(9);
    QCOMPARE(bench->caption("REACT"),
             QStringLiteral("Device will Reponds to a Reaction in About 7 Seconds."));
    QCOMPARE(bench->window->image().value(map::kDebounce), 9);
    QCOMPARE(bench->caption("DAT_1"), QStringLiteral("9"));
}

QTEST_MAIN(ThresholdWindowTest)
#include "test_ThresholdWindow.moc"
