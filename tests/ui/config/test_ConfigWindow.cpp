// SPDX-License-Identifier: Apache-2.0
// The configuration window of each kind against its simulated module: what it shows of what
// the module holds, and what its stores, factory settings and device range write.

#include "core/LimitCheck.h"
#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/config/TransferSummary.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

class ConfigWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void store_writesModeByteFromTheWindowsChoices_data() {
        QTest::addColumn<int>("modeInImage");
        QTest::addColumn<int>("stored");
        QTest::newRow("confirmation mode with Lite") << 5 << 5;
        QTest::newRow("hidden one-way mode, every flag") << 30 << 30;
        QTest::newRow("mode 3 keeps the shown mode") << 3 << 0;
        QTest::newRow("bits 5 to 7 are not kept") << (0xE0 | 1) << 1;
    }

    void store_writesModeByteFromTheWindowsChoices() {
        QFETCH(int, modeInImage);
        QFETCH(int, stored);
        auto bench = loadedTessel();
        setModuleEntry(bench->module, map::kModeByte, modeInImage);
        bench->window->readSettings();
        bench->window->storeSettings();
        QVERIFY2(bench->host.messages.isEmpty(), qPrintable(bench->host.messages.join('\n')));
        QCOMPARE(int(bench->module.memory()[map::kModeByte]), stored);
    }

    // The status line's account of each way a transfer ends.
    void transferSummary_tellsEachEnding() {
        using S = SessionStatus;
        using J = SessionJob;
        struct Ending {
            J job;
            S status;
            int failedBlock;
            bool cancelled;
            bool restore;
            const char *text;
        };
        const Ending endings[] = {
            {J::Identify, S::Done, -1, false, false, "Identified at 14:05"},
            {J::Identify, S::NoAnswer, -1, false, false, "Not identified at 14:05"},
            {J::Read, S::Done, -1, false, false, "Read at 14:05"},
            {J::Read, S::LinkFailed, 3, true, false,
             "Read cancelled at 14:05; the settings shown were kept"},
            {J::Read, S::LinkFailed, 3, false, false,
             "Read failed at 14:05; the settings shown were kept"},
            {J::LinkTest, S::Done, -1, false, false, ""},
            {J::Store, S::Done, -1, false, false, "Stored and verified at 14:05"},
            {J::Store, S::Done, -1, false, true, "Restored and verified at 14:05"},
            {J::FactoryReset, S::Done, -1, false, true,
             "Factory settings stored and verified at 14:05"},
            {J::Store, S::Stopped, 0, true, false, "Store stopped at 14:05 before its first block"},
            {J::Store, S::Stopped, 7, true, false,
             "Store stopped at 14:05: blocks 0 to 6 new, 7 to 15 old"},
            {J::Store, S::Differs, -1, false, false,
             "Store stored at 14:05, but 2 addresses differ on reading back"},
            {J::FactoryReset, S::ReadBackFailed, -1, false, false,
             "Factory reset stored at 14:05, not verified"},
            {J::Store, S::ModuleChanged, -1, false, false,
             "Store not started at 14:05: the module's memory changed"},
            {J::Store, S::NotConfirmed, 0, false, false, "Store failed at 14:05 at block 0"},
            {J::Store, S::LinkFailed, -1, true, false,
             "Store cancelled at 14:05; nothing was sent"},
            {J::FactoryReset, S::Refused, -1, false, false,
             "Factory reset not done at 14:05; nothing was sent"},
        };
        for (const Ending &e : endings) {
            SessionOutcome outcome;
            outcome.job = e.job;
            outcome.status = e.status;
            outcome.failedBlock = e.failedBlock;
            outcome.differences = {40, 41};
            QCOMPARE(transferSummary(outcome, e.cancelled, QTime(14, 5), e.restore),
                     QString::fromUtf8(e.text));
        }
        // The backup by its file name, after whatever the store did.
        SessionOutcome stopped;
        stopped.job = J::Store;
        stopped.status = S::NotConfirmed;
        stopped.failedBlock = 4;
        stopped.backup = QStringLiteral("/home/op/backups/ttyUSB0-0930.txt");
        QCOMPARE(transferSummary(stopped, false, QTime(9, 30), false),
                 QStringLiteral("Store failed at 09:30 at block 4; backup ttyUSB0-0930.txt"));
    }

    void readEditStoreRead_changesExactlyTheEditedEntries() {
        auto bench = loadedTessel();
        bench->window->storeSettings(); // the relay functions the window corrected on display
        const ModuleMemory before = bench->module.memory();
        bench->child<QScrollBar>("debounce")->setValue(9);
        bench->child<QScrollBar>("refresh")->setValue(4);
        QCOMPARE(bench->caption("settingValue_1") + bench->caption("settingValue_2"), "94");
        bench->child<QLineEdit>("baseSerial")->setText("0013A2FF");
        click(bench->child("serial_4"));
        // Typed in lower case, stored and shown in upper case.
        bench->child<QLineEdit>("serialEditor_4")->setText("cafe0001");
        hover(bench->form());
        click(bench->child("active_0"));
        // A press the pointer takes off the cell before its release changes nothing.
        QWidget *active2 = bench->child("active_2");
        sendMouse(active2, QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton, Qt::LeftButton);
        sendMouse(active2, QEvent::MouseButtonRelease, {2, -9}, Qt::LeftButton, Qt::NoButton);
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

    void factoryReset_storesTheWindowsModeAndReadsBack() {
        auto bench = loadedTessel();
        ModuleMemory scrambled{};
        scrambled.fill(7);
        bench->module.setMemory(scrambled);
        bench->child<QRadioButton>("commMode_1")->click();
        bench->child<QPushButton>("restoreFactorySettings")->click();
        EepromImage expected = factoryImage(ModuleKind::Tessel);
        expected.setValue(map::kModeByte, 1);
        QCOMPARE(EepromImage(bench->module.memory()), expected);
        // The Tessel window shows every relay function as 0, whatever the module holds.
        for (int r = 0; r < map::kRowCount; ++r)
            expected.setValue(map::functionAddress(r), 0);
        QCOMPARE(bench->window->image(), expected);
        QVERIFY(bench->child<QRadioButton>("commMode_1")->isChecked());
    }

    void factoryReset_waitsForTheMonitorLoopAndWritesTheThresholdSet() {
        auto bench = loadedThreshold();
        bench->module.setMemory(ModuleMemory{});
        bench->window->readSettings();
        // Asked for while a monitor loop runs: the reset and its read wait for the loop's last
        // pass.
        auto *loop = bench->child<QCheckBox>("readConstantly");
        loop->setChecked(true);
        bench->clock.callAfter(20 * kMillis,
                               [&] { click(bench->child("restoreFactorySettings")); });
        click(bench->child("readAllInputs"));
        QVERIFY(!loop->isChecked());
        // Said on the status line, not in a box. The set's first device has 32 channels: on
        // the calculated mapping the window kept, more than the module's 16 inputs; on the
        // set's own custom mapping bytes it is stored as it is.
        QVERIFY2(bench->host.messages.isEmpty(), qPrintable(bench->host.messages.join('\n')));
        QVERIFY(bench->caption("storeHiddenReason").contains("controller type of device 1"));
        bench->child<QRadioButton>("mappingMode_1")->click();
        QVERIFY(!bench->child("storeSettings")->isHidden());
        // Everything but the mode byte, which the window rebuilds from its own choices; shown as
        // stored, and the factory limits pass the check as they are.
        const EepromImage stored(bench->module.memory());
        EepromImage expected = factoryImage(ModuleKind::Threshold);
        expected.setValue(map::kModeByte, stored.value(map::kModeByte));
        QCOMPARE(stored, expected);
        QCOMPARE(bench->window->image(), stored);
        click(bench->child("setLimits"));
        moveOverPanel(*bench);
        QVERIFY(bench->child("limitMessage")->isHidden());
    }

    // Sixteen inputs: two rows of 8 fit, a third does not; serials in this window's lengths.
    void threshold_capacityAndSerialsAreItsOwn() {
        auto bench = loadedThreshold();
        showTableWithinCapacity(*bench);
        bench->child<QRadioButton>("mappingMode_0")->click(); // capacity counts on these bytes
        auto *sn = bench->child<QLineEdit>("baseSerial");
        auto *store = bench->child("storeSettings");
        QVERIFY(!store->isHidden());
        bench->child<QScrollBar>("deviceCount")->setValue(2);
        QCOMPARE(bench->background("controllerType_2"), colours::kLightRed);
        QVERIFY(store->isHidden());
        // The red cell's help names a type that fits, where one does.
        QCOMPARE(invalidReason(bench->child("controllerType_2")),
                 "The controller types of devices 1 to 3 need 18 inputs, but the module has 16. "
                 "No controller type fits here: use fewer devices.");
        bench->child<QScrollBar>("deviceCount")->setValue(1);
        bench->child<QPushButton>("nextType_1")->click(); // 8 and 16 inputs
        QCOMPARE(invalidReason(bench->child("controllerType_1")),
                 "The controller types of devices 1 to 2 need 24 inputs, but the module has 16. "
                 "\"Velqa 8-Ch. Relay Device\" (8 inputs) fits here.");
        bench->child<QPushButton>("previousType_1")->click();
        sn->setText(QStringLiteral("0A0B0C0D:0E0F"));
        QVERIFY(!store->isHidden());
        QCOMPARE(bench->window->image().value(5), 15);
        // Eight digits alone, a wrong separator or a letter past F fail, and nothing is written.
        for (const char *bad : {"0013A200", "0013A200-4032", "0013A20G:4032"}) {
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

    void threshold_deviceCountRangeGrowsToTheTableAndNoFurther() {
        WindowBench bench(ModuleKind::Threshold);
        // Sixteen devices still fit the range.
        EepromImage image = factoryImage(ModuleKind::Threshold);
        image.setValue(map::kLastDeviceIndex, 15);
        bench.module.setMemory(*image.toMemory());
        QVERIFY(bench.load());
        QCOMPARE(bench.child<QScrollBar>("deviceCount")->maximum(), 15);
        image.setValue(map::kLastDeviceIndex, 19);
        bench.module.setMemory(*image.toMemory());
        QVERIFY(bench.load());
        QCOMPARE(bench.child<QScrollBar>("deviceCount")->maximum(), 23);
        QCOMPARE(bench.caption("settingValue_0"), QStringLiteral("20"));
        // A count beyond the table, as an erased module holds, is taken as the last row.
        image.setValue(map::kLastDeviceIndex, 255);
        bench.window->showImage(image);
        QCOMPARE(bench.window->image().value(map::kLastDeviceIndex), 23);
        // The capture speed shows the reaction time it gives.
        bench.child<QScrollBar>("debounce")->setValue(9);
        QCOMPARE(bench.caption("reactionTime"),
                 "Device will Reponds to a Reaction in About 7 Seconds.");
    }
};

TESSEL_TEST_OBJECT(ConfigWindowTest);
#include "test_ConfigWindow.moc"
