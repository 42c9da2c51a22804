// What the operator can and cannot do to a store: what is sent is fixed when the store starts,
// what the window marks invalid is never stored, controls the narrow window does not show do
// nothing, and the operator is told what a store left in the module. Opening a profile,
// undoing and closing likewise keep what the operator has not chosen to lose.

#include "core/FieldNames.h"
#include "core/MemoryMap.h"
#include "core/ProfileText.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/desk/ChangeMarks.h"
#include "ui/desk/EditHistory.h"
#include "ui/desk/ProfileActions.h"
#include "ui/desk/WindowDesk.h"
#include "ui/dialogs/DifferencesWindow.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

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

// The window's action whose text, without its mnemonic, starts with `text`.
QAction *action(const WindowBench &bench, const QString &text) {
    for (QAction *a : bench.window->findChildren<QAction *>()) {
        if (a->text().remove(QLatin1Char('&')).startsWith(text))
            return a;
    }
    qFatal("no action %s", qPrintable(text));
}

QStringList markedNames(const WindowBench &bench) {
    QStringList names;
    for (const QWidget *w : bench.desk->marks().marked())
        names << w->objectName();
    names.sort();
    return names;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// An edit as the operator makes it: Space on a row's Active cell.
void toggleActive(WindowBench &bench, int row = 0) {
    QTest::keyClick(bench.child(elementName(QStringLiteral("active"), row)), Qt::Key_Space);
    QCoreApplication::processEvents();
}

} // namespace

class WindowStoresTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        // The recent files go to a test folder, not the user's settings.
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
    }

    // A Tessel window for each case; a case for another kind or memory replaces it.
    void init() { m_bench = loadedTessel(); }
    void cleanup() { m_bench.reset(); }

    void inputDuringAStore_changesNothingThatIsSent() {
        m_bench->child<QPushButton>("advancedFeatures")->click();
        m_bench->child<QRadioButton>("mappingMode_1")
            ->click(); // custom bytes: the boxes take typing
        EepromImage approved = m_bench->window->image();
        approved.setValue(map::kModeByte, map::kRemapValue);
        // Half way through, the operator types into a mapping byte box and asks for the factory
        // settings, as a keyboard and mouse can while the store waits for the module.
        DuringTransfer during(m_bench->host.progress, QStringLiteral("Storing"), 64, [&] {
            auto *box = m_bench->child<QLineEdit>("mappingByte_3");
            QTest::keyClick(box, Qt::Key_End);
            QTest::keyClicks(box, QStringLiteral("77"));
            click(m_bench->child("restoreFactorySettings"));
        });
        m_bench->window->storeSettings();
        QVERIFY(during.acted);
        QCOMPARE(EepromImage(m_bench->module.memory()), approved);
        // The window shows what the module holds, not a mix of what was typed and the factory set.
        QCOMPARE(m_bench->window->image(), approved);
        QCOMPARE(m_bench->child<QLineEdit>("mappingByte_3")->text(),
                 QString::number(approved.value(map::mappingAddress(3))));
        QVERIFY2(m_bench->host.messages.isEmpty(), qPrintable(m_bench->host.messages.join('\n')));
    }

    // The session keeps one store asked for while another runs and refuses a third; this is the
    // only test of that queue.
    void storeAskedForDuringAStore_waitsAndSendsTheImageOfItsClick() {
        m_bench->child<QScrollBar>("debounce")->setValue(9);
        int stores = 0;
        QObject::connect(&m_bench->session, &SessionClient::started,
                         [&](SessionJob job) { stores += job == SessionJob::Store; });
        DuringTransfer during(m_bench->host.progress, QStringLiteral("Storing"), 100, [&] {
            m_bench->window->storeSettings(); // kept and run next
            m_bench->window->storeSettings(); // one is kept already: refused, and said so
        });
        m_bench->window->storeSettings();
        QVERIFY(during.acted);
        QCOMPARE(stores, 2);
        QCOMPARE(m_bench->host.messages.size(), 1);
        VERIFY_TEXT(m_bench->host.messages[0], contains, "another transfer already waits");
        QCOMPARE(EepromImage(m_bench->module.memory()), m_bench->window->image());
    }

    void rejectedFields_stayMarkedAndAreNeverStored() {
        auto *store = m_bench->child("storeSettings");
        const ModuleMemory before = m_bench->module.memory();
        // A lower-case row serial, then a click on > in the same row: the row repaints, the mark
        // and the refusal stay. The base serial likewise, with another row's Active clicked.
        m_bench->child<QLineEdit>("serialEditor_3")->setText("4032abcd");
        m_bench->child<QPushButton>("nextType_3")->click();
        m_bench->child<QLineEdit>("baseSerial")->setText("0013a200");
        click(m_bench->child("active_1"));
        QCOMPARE(m_bench->background("serial_3"), colours::kLightRed);
        QCOMPARE(m_bench->background("baseSerial"), colours::kLightRed);
        QVERIFY(store->isHidden());
        QCOMPARE(m_bench->caption("storeHiddenReason"),
                 "Not stored until corrected: base serial number, serial of device 4.");
        m_bench->window->storeSettings();
        QCOMPARE(
            m_bench->host.messages,
            QStringList{QStringLiteral("Nothing was stored: correct base serial number, serial "
                                       "of device 4 first.")});
        QCOMPARE(m_bench->module.memory(), before);

        // Correcting one leaves the other refused; correcting both offers the store again.
        m_bench->child<QLineEdit>("baseSerial")->setText("0013A200");
        QVERIFY(store->isHidden());
        m_bench->child<QLineEdit>("serialEditor_3")->setText("4032ABC"); // a digit short
        QVERIFY(store->isHidden());
        m_bench->child<QLineEdit>("serialEditor_3")->setText("4032ABCD");
        QVERIFY(!store->isHidden());
    }

    void narrowWindow_keyboardNeverReachesTheAdvancedArea() {
        QWidget *start = focusAtStartUp(*m_bench);
        QVERIFY(start);
        // Shift+Tab from the start-up focus, then Space: nothing may act unseen.
        QTest::keyClick(start, Qt::Key_Backtab, Qt::ShiftModifier);
        QWidget *reached = QApplication::focusWidget();
        QVERIFY2(!inAdvancedArea(*m_bench, reached), qPrintable(reached->objectName()));
        QTest::keyClick(reached, Qt::Key_Space);
        // Nor its mnemonic ("Restore to Factory &Default"), which clicks after 100 ms.
        QVERIFY(QTest::qWaitForWindowActive(m_bench->window.get()));
        QTest::keyClick(m_bench->window.get(), Qt::Key_D, Qt::AltModifier);
        QVERIFY(!m_bench->child<QPushButton>("restoreFactorySettings")->isDown());
        // A full round of Tab stays inside what the window shows.
        focusAtStartUp(*m_bench);
        for (int step = 0; step < 200; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *at = QApplication::focusWidget();
            QVERIFY2(at && !inAdvancedArea(*m_bench, at), qPrintable(at ? at->objectName() : ""));
        }
        // Widened, the same controls act again; refused, the factory settings send nothing.
        m_bench->child<QPushButton>("advancedFeatures")->click();
        m_bench->host.answer = false;
        const int writes = m_bench->commands(1, 2);
        QTest::keyClick(m_bench->window.get(), Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(m_bench->host.questions.size(), 1);
        QCOMPARE(m_bench->commands(1, 2), writes);
    }

    void store_isReadBackAndNamesWhatDiffers() {
        m_bench->child<QScrollBar>("debounce")->setValue(9);
        // The module loses one entry between the store and the read-back.
        constexpr int kLost = 100;
        DuringTransfer during(m_bench->host.progress, QStringLiteral("Storing"), 160, [&] {
            setModuleEntry(m_bench->module, kLost, m_bench->module.memory()[kLost] ^ 0x55);
        });
        m_bench->window->storeSettings();
        QVERIFY(during.acted);
        QCOMPARE(m_bench->host.messages.size(), 1);
        const QStringList lines = m_bench->host.messages[0].split('\n');
        // Every block was confirmed: the store did not fail, its check did.
        VERIFY_TEXT(lines[0], startsWith, "Verification failed");
        VERIFY_TEXT(m_bench->host.messages[0], contains, fieldName(ModuleKind::Tessel, kLost));
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
        QList<EepromImage> backups;
        m_bench->session.setBackup([&backups](const ModuleSession &session) {
            backups << *session.moduleImage();
            return BackupResult{QStringLiteral("/backups/t.txt"), {}};
        });
        m_bench->child<QScrollBar>("debounce")->setValue(9);
        const EepromImage edited = m_bench->window->image();
        // Another module's memory behind the same adapter.
        setModuleEntry(m_bench->module, map::kRefresh, m_bench->module.memory()[map::kRefresh] ^ 1);
        const ModuleMemory swapped = m_bench->module.memory();
        m_bench->host.choices = {choice};
        m_bench->window->storeSettings();
        QCOMPARE(m_bench->host.questions.size(), 1);
        VERIFY_TEXT(m_bench->host.questions[0], startsWith,
                    "The module's memory changed since it was read: 1 setting differs.");
        QCOMPARE(m_bench->host.offered,
                 (QStringList{"Store Anyway", "Show the Module's Settings", "Cancel"}));
        QCOMPARE(m_bench->commands(1, 2), stored ? kBlockCount : 0);
        // The backup holds what the module held when the store went ahead.
        QCOMPARE(backups, stored ? QList{EepromImage(swapped)} : QList<EepromImage>{});
        QCOMPARE(EepromImage(m_bench->module.memory()), stored ? edited : EepromImage(swapped));
        const EepromImage shown = showsModule ? EepromImage(swapped) : edited;
        for (const int address : {map::kDebounce, map::kRefresh})
            QCOMPARE(m_bench->window->image().value(address), shown.value(address));
    }

    void openMarkStore_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("marked");
        QTest::addColumn<QString>("firstField");
        QTest::newRow("tessel") << int(ModuleKind::Tessel)
                                << QStringList{"debounce", "refresh", "serialEditor_0", "serial_0"}
                                << "debounce";
        QTest::newRow("threshold")
            << int(ModuleKind::Threshold)
            << QStringList{"debounce", "limit_2", "serialEditor_0", "serial_0"} << "capture speed";
    }

    // Open -> changed marks -> review -> store -> no marks, end to end.
    void openMarkStore() {
        QFETCH(int, kind);
        QFETCH(QStringList, marked);
        QFETCH(QString, firstField);
        m_bench = WindowBench::loaded(ModuleKind(kind));
        if (kind == int(ModuleKind::Threshold))
            showTableWithinCapacity(*m_bench); // so that a store is offered
        m_bench->window->storeSettings();
        QCOMPARE(m_bench->caption("unstoredCount"), QStringLiteral("No changes"));
        // Three settings changed that the window shows as they are.
        EepromImage profile = m_bench->window->moduleBaseline();
        profile.setValue(map::kDebounce, profile.value(map::kDebounce) + 3);
        profile.setValue(map::recordAddress(0), 0x4A);
        profile.setValue(
            kind == int(ModuleKind::Threshold) ? map::lowerLimitAddress(2) : map::kRefresh, 77);
        QTemporaryDir dir;
        m_bench->host.fileToChoose = writeFile(dir, "p.txt", profileText(profile).toLatin1());
        action(*m_bench, "Open Profile")->trigger();

        QCOMPARE(m_bench->host.questions,
                 QStringList{"This profile changes 3 settings of this module. Load it?"});
        QCOMPARE(m_bench->window->imageToStore(), profile);
        QCOMPARE(markedNames(*m_bench), marked);
        QVERIFY(m_bench->window->isWindowModified());
        QCOMPARE(m_bench->caption("unstoredCount"), QStringLiteral("3 settings not stored"));
        action(*m_bench, "Review Changes")->trigger();
        auto *review = m_bench->window->findChild<DifferencesWindow *>();
        QCOMPARE(review->list()->topLevelItemCount(), 3);
        QCOMPARE(review->list()->topLevelItem(0)->text(1), firstField);

        action(*m_bench, "Store These Settings")->trigger();
        QCOMPARE(EepromImage(m_bench->module.memory()), profile);
        QVERIFY(markedNames(*m_bench).isEmpty());
        QCOMPARE(m_bench->caption("unstoredCount"), QStringLiteral("No changes"));
        QCOMPARE(review->list()->topLevelItemCount(), 0); // an open review follows
    }

    void open_refusesWhatItCannotTake_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no such file
        QTest::addColumn<QString>("told");
        QTest::newRow("not a profile")
            << QByteArray("DATA 1, 2, x") << "is not a profile: record 1";
        QTest::newRow("no such file") << QByteArray() << "Cannot read";
        // Declined after the count, which is of the module's own bytes, not of what the window
        // tidies (it shows every relay function as 0): this module's memory with one change.
        EepromImage own = factoryImage(ModuleKind::Tessel);
        own.setValue(map::kDebounce, own.value(map::kDebounce) + 1);
        QTest::newRow("this module's, one change")
            << profileText(own).toLatin1()
            << "This profile changes 1 setting of this module. Load it?";
    }

    void open_refusesWhatItCannotTake() {
        QFETCH(QByteArray, content);
        QFETCH(QString, told);
        m_bench->module.setMemory(*factoryImage(ModuleKind::Tessel).toMemory());
        m_bench->window->readSettings();
        const EepromImage before = m_bench->window->imageToStore();
        QTemporaryDir dir;
        const QString path =
            content.isEmpty() ? dir.filePath("none.txt") : writeFile(dir, "p.txt", content);
        m_bench->host.answer = false;
        QVERIFY(!m_bench->desk->profiles().open(path));
        const QStringList said = m_bench->host.messages + m_bench->host.questions;
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().contains(told), qPrintable(said.first()));
        QCOMPARE(m_bench->window->imageToStore(), before);
        QVERIFY(!m_bench->desk->history().stack().canUndo());
    }

    // Keys in one control make one step, in another control another; typed away and back, none.
    void undo_takesBackOneControlsStepAtATime() {
        auto *debounce = m_bench->child<QScrollBar>("debounce");
        auto *refresh = m_bench->child<QScrollBar>("refresh");
        QUndoStack &steps = m_bench->desk->history().stack();
        const auto press = [](QWidget *control, Qt::Key key) {
            QTest::keyClick(control, key);
            QCoreApplication::processEvents();
        };
        const EepromImage start = m_bench->window->imageToStore();
        press(debounce, Qt::Key_Right);
        press(debounce, Qt::Key_Left);
        QVERIFY(!steps.canUndo());
        press(debounce, Qt::Key_Right);
        press(debounce, Qt::Key_Right);
        EepromImage edited = m_bench->window->imageToStore();
        QCOMPARE(edited.value(map::kDebounce), start.value(map::kDebounce) + 2);
        const EepromImage debounced = edited;
        press(refresh, Qt::Key_Right);
        edited.setValue(map::kRefresh, start.value(map::kRefresh) + 1);
        QCOMPARE(m_bench->window->imageToStore(), edited);
        steps.undo();
        QCOMPARE(m_bench->window->imageToStore(), debounced);
        steps.undo();
        QCOMPARE(m_bench->window->imageToStore(), start);
        QVERIFY(!steps.canUndo());
    }

    void close_asksWhileSettingsDiffer_data() {
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("stored");
        QTest::newRow("nothing to store") << false << int(ClosingChoice::Cancel) << true << false;
        QTest::newRow("cancel") << true << int(ClosingChoice::Cancel) << false << false;
        QTest::newRow("discard") << true << int(ClosingChoice::Discard) << true << false;
        QTest::newRow("store") << true << int(ClosingChoice::Store) << true << true;
        QTest::newRow("store fails: the window stays")
            << true << int(ClosingChoice::Store) << false << false;
    }

    void close_asksWhileSettingsDiffer() {
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, stored);
        const ModuleMemory before = m_bench->module.memory();
        if (edited)
            toggleActive(*m_bench);
        // A store that fails has told the operator so.
        const bool fails = answer == int(ClosingChoice::Store) && !closes;
        m_bench->module.faults().failBlock = fails ? 0 : -1;
        m_bench->host.closing = ClosingChoice(answer);
        QCOMPARE(m_bench->window->close(), closes);
        QCOMPARE(m_bench->host.closed, closes);
        QCOMPARE(m_bench->host.questions.size() + m_bench->host.messages.size(),
                 int(edited) + int(fails));
        QCOMPARE(m_bench->module.memory() != before, stored);
    }

private:
    std::unique_ptr<WindowBench> m_bench;
};

TESSEL_TEST_OBJECT(WindowStoresTest);
#include "test_WindowStores.moc"
