// The Threshold window against a simulated Threshold module: what it shows, its serial
// lengths, its device range and capture speed, and its factory settings.

#include "core/HelpTexts.h"
#include "core/LimitCheck.h"
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
    void factoryReset_writesTheThresholdDataSet();
    void capacityAndSerials_areTheThresholds();
    void deviceCount_aboveFifteenRaisesTheRange();
};

void ThresholdWindowTest::showSettings_showsTheThresholdImage() {
    auto bench = loadedThreshold();
    QCOMPARE(bench->caption("limit_18"), QStringLiteral("36"));
    // A type beyond the four is shown as the last; the two-limit types show their second limit.
    EepromImage image = factoryImage(ModuleKind::Threshold);
    image.setValue(map::limitTypeAddress(0), 9);
    image.setValue(map::limitTypeAddress(1), 2);
    bench->window->showImage(image);
    QCOMPARE(bench->caption("limitType_0"), kInside);
    QCOMPARE(bench->window->image().value(map::limitTypeAddress(0)), 3);
    QVERIFY(!bench->child("limit_17")->isHidden());
    QVERIFY(bench->child("limit_20")->isHidden());
}

void ThresholdWindowTest::factoryReset_writesTheThresholdDataSet() {
    auto bench = loadedThreshold();
    bench->module.setMemory(ModuleMemory{});
    bench->window->readSettings();
    // Asked for while a monitor loop runs: the reset and its read wait for the loop's last pass.
    auto *loop = bench->child<QCheckBox>("readConstantly");
    loop->setChecked(true);
    bench->clock.callAfter(20 * kMillis, [&] { click(bench->child("restoreFactorySettings")); });
    click(bench->child("readAllInputs"));
    QVERIFY(!loop->isChecked());
    // Said on the status line, not in a box; the factory set's first row is more than the
    // module's inputs, and the window says so where the store button was.
    QVERIFY2(bench->host.messages.isEmpty(), qPrintable(bench->host.messages.join('\n')));
    QVERIFY(bench->caption("storeHiddenReason").contains("controller type of device 1"));
    // Everything but the mode byte, which the window rebuilds from its own choices; shown as
    // stored, and the factory limits pass the check as they are.
    const EepromImage factory = factoryImage(ModuleKind::Threshold);
    QVERIFY(sameRange(bench->module.memory(), factory, 0, map::kModeByte - 1));
    QVERIFY(sameRange(bench->module.memory(), factory, map::kModeByte + 1, 255));
    QVERIFY(sameRange(bench->module.memory(), bench->window->image(), map::recordAddress(0),
                      map::recordAddress(16) - 1));
    click(bench->child("setLimits"));
    moveOverPanel(*bench);
    QVERIFY(bench->child("limitMessage")->isHidden());
}

// Sixteen inputs: two rows of 8 fit, a third does not; serials in this window's lengths.
void ThresholdWindowTest::capacityAndSerials_areTheThresholds() {
    auto bench = loadedThreshold();
    showTableWithinCapacity(*bench);
    auto *sn = bench->child<QLineEdit>("baseSerial");
    auto *store = bench->child("storeSettings");
    QVERIFY(!store->isHidden());
    bench->child<QScrollBar>("deviceCount")->setValue(2);
    QCOMPARE(bench->background("controllerType_2"), colours::kLightRed);
    QVERIFY(store->isHidden());
    bench->child<QScrollBar>("deviceCount")->setValue(1);
    sn->setText(QStringLiteral("0A0B0C0D:0E0F"));
    QVERIFY(!store->isHidden());
    QCOMPARE(bench->window->image().value(5), 15);
    // Eight digits alone, a wrong separator or lower case fail, and nothing is written.
    for (const char *bad : {"0013A200", "0013A200-4032", "0013a200:4032"}) {
        sn->setText(QString::fromLatin1(bad));
        QVERIFY2(store->isHidden(), bad);
        QCOMPARE(bench->window->image().value(5), 15);
    }
    auto *sntb = bench->child<QLineEdit>("serialEditor_2");
    QCOMPARE(sntb->maxLength(), 4);
    sntb->setText(QStringLiteral("C0DE"));
    QCOMPARE(bench->window->image().value(map::recordAddress(2) + 1), 0xDE);
    // The limits of the row's analog input, which follow the serial, are left alone.
    QCOMPARE(bench->window->image().value(map::limitTypeAddress(2)), 1);

    // Broadcast and the default serial in this window's lengths.
    bench->child<QPushButton>("broadcastToAll")->click();
    QCOMPARE(sn->text(), QStringLiteral("00000000:0000"));
    bench->child<QPushButton>("restoreDefaultSerial")->click();
    QCOMPARE(bench->window->image().value(5), 50);
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
    QCOMPARE(bench.caption("settingValue_0"), QStringLiteral("20"));
    // The capture speed shows the reaction time it gives.
    bench.child<QScrollBar>("debounce")->setValue(9);
    QCOMPARE(bench.caption("reactionTime"), reactionText(9));
}

TESSEL_TEST_OBJECT(ThresholdWindowTest);
#include "test_ThresholdWindow.moc"
