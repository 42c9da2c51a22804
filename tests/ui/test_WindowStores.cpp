// What the operator can and cannot do to a store: what is sent is fixed when the store starts,
// what the window marks invalid is never stored, controls the narrow window does not show do
// nothing, and the operator is told what a store left in the module.

#include "core/FieldNames.h"
#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"

#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>
#include <functional>

using namespace tessel;
using namespace tessel::testing;

namespace {

bool inAdvancedArea(const WindowBench &bench, const QWidget *w) {
    return w && w->mapTo(bench.form(), QPoint(0, 0)).x() >= bench.form()->width();
}

// The start-up focus, where the keyboard begins once the window shows.
QWidget *focusAtStartUp(WindowBench &bench) {
    bench.window->activateWindow();
    if (!QTest::qWaitForWindowActive(bench.window.get()))
        qFatal("the window never became active");
    if (!QApplication::focusWidget())
        bench.child("baseSerial")->setFocus();
    return QApplication::focusWidget();
}

} // namespace

class WindowStoresTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inputDuringAStore_changesNothingThatIsSent() {
        auto bench = loadedTessel();
        bench->child<QPushButton>("advancedFeatures")->click();
        bench->child<QRadioButton>("mappingMode_1")->click(); // custom bytes: the boxes take typing
        EepromImage approved = bench->window->image();
        approved.setValue(map::kModeByte, map::kRemapValue);
        // Half way through, the operator types into a mapping byte box and asks for the factory
        // settings, as a keyboard and mouse can while the store waits for the module.
        DuringTransfer during(bench->host.progress, QStringLiteral("Storing"), 64, [&] {
            auto *box = bench->child<QLineEdit>("mappingByte_3");
            QTest::keyClick(box, Qt::Key_End);
            QTest::keyClicks(box, QStringLiteral("77"));
            click(bench->child("restoreFactorySettings"));
        });
        bench->window->storeSettings();
        QVERIFY(during.acted);
        QCOMPARE(EepromImage(bench->module.memory()), approved);
        // The window shows what the module holds, not a mix of what was typed and the factory set.
        QCOMPARE(bench->window->image(), approved);
        QCOMPARE(bench->child<QLineEdit>("mappingByte_3")->text(),
                 QString::number(approved.value(map::mappingAddress(3))));
        QVERIFY2(bench->host.messages.isEmpty(), qPrintable(bench->host.messages.join('\n')));
    }

    // The session keeps one store asked for while another runs and refuses a third; this is the
    // only test of that queue.
    void storeAskedForDuringAStore_waitsAndSendsTheImageOfItsClick() {
        auto bench = loadedTessel();
        bench->child<QScrollBar>("debounce")->setValue(9);
        int stores = 0;
        QObject::connect(&bench->session, &ModuleSession::started,
                         [&](SessionJob job) { stores += job == SessionJob::Store; });
        DuringTransfer during(bench->host.progress, QStringLiteral("Storing"), 100, [&] {
            bench->window->storeSettings(); // kept and run next
            bench->window->storeSettings(); // one is kept already: refused, and said so
        });
        bench->window->storeSettings();
        QVERIFY(during.acted);
        QCOMPARE(stores, 2);
        QCOMPARE(bench->host.messages.size(), 1);
        QVERIFY2(bench->host.messages[0].contains("another transfer already waits"),
                 qPrintable(bench->host.messages[0]));
        QCOMPARE(EepromImage(bench->module.memory()), bench->window->image());
    }

    void rejectedFields_stayMarkedAndAreNeverStored() {
        auto bench = loadedTessel();
        auto *store = bench->child("storeSettings");
        const ModuleMemory before = bench->module.memory();
        // A lower-case row serial, then a click on > in the same row: the row repaints, the mark
        // and the refusal stay. The base serial likewise, with another row's Active clicked.
        bench->child<QLineEdit>("serialEditor_3")->setText("4032abcd");
        bench->child<QPushButton>("nextType_3")->click();
        bench->child<QLineEdit>("baseSerial")->setText("0013a200");
        click(bench->child("active_1"));
        QCOMPARE(bench->background("serial_3"), colours::kLightRed);
        QCOMPARE(bench->background("baseSerial"), colours::kLightRed);
        QVERIFY(store->isHidden());
        bench->window->storeSettings();
        QCOMPARE(bench->host.messages, QStringList{QStringLiteral(
                                           "Nothing was stored: correct base serial number, serial "
                                           "of device 4 first.")});
        QCOMPARE(bench->module.memory(), before);

        // Correcting one leaves the other refused; correcting both offers the store again.
        bench->child<QLineEdit>("baseSerial")->setText("0013A200");
        QVERIFY(store->isHidden());
        bench->child<QLineEdit>("serialEditor_3")->setText("4032ABCD");
        QVERIFY(!store->isHidden());
    }

    void narrowWindow_keyboardNeverReachesTheAdvancedArea() {
        auto bench = loadedTessel();
        QWidget *start = focusAtStartUp(*bench);
        QVERIFY(start);
        // Shift+Tab from the start-up focus, then Space: nothing may act unseen.
        QTest::keyClick(start, Qt::Key_Backtab, Qt::ShiftModifier);
        QWidget *reached = QApplication::focusWidget();
        QVERIFY2(!inAdvancedArea(*bench, reached), qPrintable(reached->objectName()));
        QTest::keyClick(reached, Qt::Key_Space);
        // Nor its mnemonic ("Restore to Factory &Default"), which clicks after 100 ms.
        QVERIFY(QTest::qWaitForWindowActive(bench->window.get()));
        QTest::keyClick(bench->window.get(), Qt::Key_D, Qt::AltModifier);
        QTest::qWait(250);
        QVERIFY(bench->host.questions.isEmpty());
        // A full round of Tab stays inside what the window shows.
        focusAtStartUp(*bench);
        for (int step = 0; step < 200; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *at = QApplication::focusWidget();
            QVERIFY2(at && !inAdvancedArea(*bench, at), qPrintable(at ? at->objectName() : ""));
        }
        // Widened, the same controls act again; refused, the factory settings send nothing.
        bench->child<QPushButton>("advancedFeatures")->click();
        bench->host.answer = false;
        const int writes = bench->commands(1, 2);
        QTest::keyClick(bench->window.get(), Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(bench->host.questions.size(), 1);
        QCOMPARE(bench->commands(1, 2), writes);
    }

    void store_isReadBackAndNamesWhatDiffers() {
        auto bench = loadedTessel();
        bench->child<QScrollBar>("debounce")->setValue(9);
        // The module loses one entry between the store and the read-back.
        constexpr int kLost = 100;
        DuringTransfer during(bench->host.progress, QStringLiteral("Storing"), 160, [&] {
            ModuleMemory memory = bench->module.memory();
            memory[kLost] = static_cast<quint8>(memory[kLost] ^ 0x55);
            bench->module.setMemory(memory);
        });
        bench->window->storeSettings();
        QVERIFY(during.acted);
        QCOMPARE(bench->host.messages.size(), 1);
        const QStringList lines = bench->host.messages[0].split('\n');
        // Every block was confirmed: the store did not fail, its check did.
        QVERIFY2(lines[0].startsWith(QStringLiteral("Verification failed")), qPrintable(lines[0]));
        QVERIFY2(bench->host.messages[0].contains(fieldName(ModuleKind::Tessel, kLost)),
                 qPrintable(bench->host.messages[0]));
    }

    void changedMemory_isAskedAboutBeforeAnythingIsSent_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("showsModule");
        QTest::newRow("Store Anyway") << 0 << true << false;
        QTest::newRow("Show the Module's Settings") << 1 << false << true;
        QTest::newRow("Cancel") << 2 << false << false;
    }

    void changedMemory_isAskedAboutBeforeAnythingIsSent() {
        QFETCH(int, choice);
        QFETCH(bool, stored);
        QFETCH(bool, showsModule);
        auto bench = loadedTessel();
        QList<EepromImage> backups;
        bench->session.setBackup([&backups](const ModuleSession &session) {
            backups << *session.moduleImage();
            return BackupResult{QStringLiteral("/backups/t.txt"), {}};
        });
        bench->child<QScrollBar>("debounce")->setValue(9);
        const EepromImage edited = bench->window->image();
        // Another module's memory behind the same adapter.
        ModuleMemory swapped = bench->module.memory();
        swapped[map::kRefresh] ^= 1;
        bench->module.setMemory(swapped);
        bench->host.choices = {choice};
        bench->window->storeSettings();
        QCOMPARE(bench->host.questions.size(), 1);
        QVERIFY2(bench->host.questions[0].startsWith(
                     "The module's memory changed since it was read: 1 setting differs."),
                 qPrintable(bench->host.questions[0]));
        QCOMPARE(bench->host.offered,
                 (QStringList{"Store Anyway", "Show the Module's Settings", "Cancel"}));
        QCOMPARE(bench->commands(1, 2), stored ? kBlockCount : 0);
        // The backup holds what the module held when the store went ahead.
        QCOMPARE(backups, stored ? QList{EepromImage(swapped)} : QList<EepromImage>{});
        QCOMPARE(EepromImage(bench->module.memory()), stored ? edited : EepromImage(swapped));
        const EepromImage shown = showsModule ? EepromImage(swapped) : edited;
        for (const int address : {map::kDebounce, map::kRefresh})
            QCOMPARE(bench->window->image().value(address), shown.value(address));
    }
};

TESSEL_TEST_OBJECT(WindowStoresTest);
#include "test_WindowStores.moc"
