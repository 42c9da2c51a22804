// The Threshold window against a simulated Threshold module: what it shows, its serial
// lengths, its device range and capture speed, and its factory settings.

#include "core/ControllerTypes.h"
#include "core/HelpTexts.h"
#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"

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
    void showSettings_showsTheThresholdImage();
    void factoryReset_writesTheThresholdDataSet_data();
    void factoryReset_writesTheThresholdDataSet();
    void capacity_isSixteenInputs();
    void serials_useTheThresholdLengths();
    void broadcastAndRestoreDefault_spellTheAddressesInThisWindowsForm();
    void typeStep_staysWithinTheSixteenInputTypes();
    void deviceCount_aboveFifteenRaisesTheRange();
    void captureSpeed_showsTheReactionTime();
};

void ThresholdWindowTest::showSettings_showsTheThresholdImage() {
    auto bench = loadedThreshold();
    QCOMPARE(bench->child<QLineEdit>("baseSerial")->text(), QStringLiteral("0013A200:4032"));
    QCOMPARE(bench->caption("serial_0"), QStringLiteral("9B05"));
    QCOMPARE(bench->caption("function_0"), QStringLiteral("Relay Limiter Functions"));
    QCOMPARE(bench->caption("function_15"), QStringLiteral("Relay Limiter Functions"));
    QCOMPARE(bench->caption("function_16"), QStringLiteral("??"));
    QCOMPARE(bench->caption("analogInput_0"), QStringLiteral(" 0"));
    QCOMPARE(bench->caption("analogInput_15"), QStringLiteral(" 15"));
    QCOMPARE(bench->caption("limitType_2"), kBelow);
    QCOMPARE(bench->caption("limit_2"), QStringLiteral("35"));
    QCOMPARE(bench->caption("limit_18"), QStringLiteral("36"));

    EepromImage image = factoryImage(ModuleKind::Threshold);
    for (int a = 0; a < 6; ++a)
        image.setValue(a, 0);
    image.setValue(map::recordAddress(3), 0xAB);
    image.setValue(map::recordAddress(3) + 1, 0x0C);
    image.setValue(map::limitTypeAddress(0), 9);
    image.setValue(map::limitTypeAddress(1), 2);
    bench->window->showImage(image);
    QCOMPARE(bench->child<QLineEdit>("baseSerial")->text(), QStringLiteral("00000000:0000"));
    QCOMPARE(bench->caption("serial_3"), QStringLiteral("AB0C"));
    QCOMPARE(bench->caption("limitType_0"), kInside);
    QCOMPARE(bench->window->image().value(map::limitTypeAddress(0)), 3);
    QCOMPARE(bench->caption("limitType_1"), kOutside);
    // Each type change showed its explanation, the last in row order stays; the two-limit
    // types show their second limit.
    QCOMPARE(bench->helpText(), limitTypeHelp(kOutside));
    QVERIFY(!bench->child("limit_16")->isHidden());
    QVERIFY(!bench->child("limit_17")->isHidden());
    QVERIFY(bench->child("limit_20")->isHidden());
}

void ThresholdWindowTest::factoryReset_writesTheThresholdDataSet_data() {
    QTest::addColumn<bool>("duringLoop");
    QTest::newRow("idle") << false;
    // The store and the read wait for the loop's last pass, then run in this order.
    QTest::newRow("during a monitor loop") << true;
}

void ThresholdWindowTest::factoryReset_writesTheThresholdDataSet() {
    QFETCH(bool, duringLoop);
    auto bench = loadedThreshold();
    bench->module.setMemory(ModuleMemory{});
    bench->window->readSettings();
    QCOMPARE(bench->caption("serial_0"), QStringLiteral("0000"));
    QCOMPARE(bench->caption("limitType_2"), kAbove);

    auto *loop = bench->child<QCheckBox>("readConstantly");
    if (duringLoop) {
        loop->setChecked(true);
        bench->clock.callAfter(20 * kMillis,
                               [&] { click(bench->child("restoreFactorySettings")); });
        click(bench->child("readAllInputs"));
        QVERIFY(!loop->isChecked());
    } else {
        click(bench->child("restoreFactorySettings"));
    }
    QCOMPARE(bench->host.questions.size(), 1);
    // Said on the status line, not in a box; the factory set's first row is more than the
    // module's inputs, and the window says so where the store button was and on the row.
    QVERIFY2(bench->host.messages.isEmpty(), qPrintable(bench->host.messages.join('\n')));
    QVERIFY2(bench->window->statusLine().lastTransfer().startsWith(
                 "Factory settings stored and verified at "),
             qPrintable(bench->window->statusLine().lastTransfer()));
    QCOMPARE(bench->caption("storeHiddenReason"),
             QStringLiteral("Not stored until corrected: controller type of device 1 (beyond "
                            "the module's 16 inputs)."));
    hover(bench->child("controllerType_0"));
    QVERIFY2(bench->helpText().contains("Why it is red: The controller type of device 1 needs 32 "
                                        "inputs, but the module has 16."),
             qPrintable(bench->helpText()));
    // Everything but the mode byte, which the window rebuilds from its own choices.
    const EepromImage factory = factoryImage(ModuleKind::Threshold);
    QVERIFY(sameRange(bench->module.memory(), factory, 0, map::kModeByte - 1));
    QVERIFY(sameRange(bench->module.memory(), factory, map::kModeByte + 1, 255));
    QCOMPARE(bench->caption("serial_0"), QStringLiteral("9B05"));
    QCOMPARE(bench->caption("limitType_2"), kBelow);
    click(bench->child("setLimits"));
    QCOMPARE(bench->caption("limit_2"), QStringLiteral("35"));
    QCOMPARE(bench->caption("limit_18"), QStringLiteral("36"));
    // The factory limits pass the check as they are.
    moveOverPanel(*bench);
    QVERIFY(bench->child("limitMessage")->isHidden());
    QCOMPARE(bench->window->invalidFields(),
             QStringList{QStringLiteral("controller type of device 1 (beyond the module's 16 "
                                        "inputs)")});
    QVERIFY(sameRange(bench->module.memory(), bench->window->image(), map::recordAddress(0),
                      map::recordAddress(16) - 1));
}

void ThresholdWindowTest::capacity_isSixteenInputs() {
    auto bench = loadedThreshold();
    EepromImage image = factoryImage(ModuleKind::Threshold);
    image.setValue(map::kLastDeviceIndex, 1);
    image.setValue(map::typeAddress(0), 4); // 8 inputs each
    image.setValue(map::typeAddress(1), 4);
    image.setValue(map::typeAddress(2), 0); // 1 input
    bench->window->showImage(image);
    QCOMPARE(bench->background("deviceNumber_1"), colours::kGrey);
    QVERIFY(!bench->child("storeSettings")->isHidden());

    bench->child<QScrollBar>("deviceCount")->setValue(2);
    QCOMPARE(bench->background("controllerType_2"), colours::kLightRed);
    QCOMPARE(bench->background("controllerType_1"), colours::windowBackground());
    QVERIFY(bench->child("storeSettings")->isHidden());
}

void ThresholdWindowTest::serials_useTheThresholdLengths() {
    auto bench = loadedThreshold();
    showTableWithinCapacity(*bench);
    auto *sn = bench->child<QLineEdit>("baseSerial");
    auto *store = bench->child("storeSettings");
    sn->setText(QStringLiteral("0A0B0C0D:0E0F"));
    QVERIFY(!store->isHidden());
    QCOMPARE(bench->background("baseSerial"), colours::windowBackground());
    for (int a = 0; a < 6; ++a)
        QCOMPARE(bench->window->image().value(a), 10 + a);
    // Eight digits alone, a wrong separator or lower case fail, and nothing is written.
    for (const char *bad : {"0013A200", "0013A200-4032", "0013a200:4032", "0013A200:403"}) {
        sn->setText(QString::fromLatin1(bad));
        QVERIFY2(store->isHidden(), bad);
        QCOMPARE(bench->background("baseSerial"), colours::kLightRed);
        QCOMPARE(bench->window->image().value(5), 15);
    }
    auto *sntb = bench->child<QLineEdit>("serialEditor_2");
    QCOMPARE(sntb->maxLength(), 4);
    sntb->setText(QStringLiteral("12G4"));
    QCOMPARE(bench->background("serial_2"), colours::kLightRed);
    sntb->setText(QStringLiteral("C0DE"));
    QCOMPARE(bench->background("serial_2"), colours::windowBackground());
    QCOMPARE(bench->window->image().value(map::recordAddress(2)), 0xC0);
    QCOMPARE(bench->window->image().value(map::recordAddress(2) + 1), 0xDE);
    // The limits of the row's analog input, which follow the serial, are left alone.
    QCOMPARE(bench->window->image().value(map::limitTypeAddress(2)), 1);
}

void ThresholdWindowTest::broadcastAndRestoreDefault_spellTheAddressesInThisWindowsForm() {
    auto bench = loadedThreshold();
    showTableWithinCapacity(*bench);
    bench->child<QPushButton>("broadcastToAll")->click();
    QCOMPARE(bench->child<QLineEdit>("baseSerial")->text(), QStringLiteral("00000000:0000"));
    for (int a = 0; a < 6; ++a)
        QCOMPARE(bench->window->image().value(a), 0);
    QCOMPARE(bench->caption("serial_0"), QStringLiteral("FFFF"));
    QCOMPARE(bench->window->image().value(16), 255);
    QCOMPARE(bench->window->image().value(17), 255);
    QCOMPARE(bench->child<QScrollBar>("deviceCount")->maximum(), 0);
    QVERIFY(!bench->child("storeSettings")->isHidden());
    bench->child<QPushButton>("restoreDefaultSerial")->click();
    QCOMPARE(bench->child<QLineEdit>("baseSerial")->text(), QStringLiteral("0013A200:4032"));
    QCOMPARE(bench->window->image().value(4), 64);
    QCOMPARE(bench->window->image().value(5), 50);
    QCOMPARE(bench->child<QScrollBar>("deviceCount")->maximum(), 23);
}

void ThresholdWindowTest::typeStep_staysWithinTheSixteenInputTypes() {
    auto bench = loadedThreshold();
    EepromImage image = bench->window->image();
    image.setValue(map::typeAddress(0), 0);
    bench->window->showImage(image);
    bench->child<QPushButton>("previousType_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 5);
    QCOMPARE(bench->caption("controllerType_0"), ControllerTypeTable()[5]);
    bench->child<QPushButton>("nextType_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 0);
    // A type read from a module beyond the range steps down by one, and up back to the start.
    image.setValue(map::typeAddress(0), 20);
    bench->window->showImage(image);
    bench->child<QPushButton>("previousType_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 19);
    bench->child<QPushButton>("nextType_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 0);
}

void ThresholdWindowTest::deviceCount_aboveFifteenRaisesTheRange() {
    WindowBench bench(ModuleKind::Threshold);
    // Sixteen devices still fit the range.
    EepromImage image = factoryImage(ModuleKind::Threshold);
    image.setValue(map::kLastDeviceIndex, 15);
    bench.module.setMemory(*image.toMemory());
    QVERIFY(bench.window->loadFromModule());
    QCOMPARE(bench.child<QScrollBar>("deviceCount")->maximum(), 15);
    image.setValue(map::kLastDeviceIndex, 19);
    bench.module.setMemory(*image.toMemory());
    QVERIFY(bench.window->loadFromModule());
    QCOMPARE(bench.child<QScrollBar>("deviceCount")->maximum(), 23);
    QCOMPARE(bench.window->image().value(map::kLastDeviceIndex), 19);
    QCOMPARE(bench.caption("settingValue_0"), QStringLiteral("20"));
}

void ThresholdWindowTest::captureSpeed_showsTheReactionTime() {
    auto bench = loadedThreshold();
    auto *speed = bench->child<QScrollBar>("debounce");
    speed->setValue(8);
    QCOMPARE(bench->caption("reactionTime"),
             QStringLiteral("Device will Respond to a Reaction in About 6 Seconds."));
    speed->setValue(9);
    QCOMPARE(bench->caption("reactionTime"),
             QStringLiteral("Device will Reponds to a Reaction in About 7 Seconds."));
    QCOMPARE(bench->window->image().value(map::kDebounce), 9);
    QCOMPARE(bench->caption("settingValue_1"), QStringLiteral("9"));
}

TESSEL_TEST_OBJECT(ThresholdWindowTest);
#include "test_ThresholdWindow.moc"
