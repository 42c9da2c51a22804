// SPDX-License-Identifier: Apache-2.0
// What the operator can and cannot do to a store: what is sent is fixed when the store starts,
// what the window marks invalid is never stored, controls the narrow window does not show do
// nothing, and the operator is told what a store left in the module. Opening a profile,
// undoing and closing likewise keep what the operator has not chosen to lose.

#include "core/MemoryMap.h"
#include "core/ProfileText.h"
#include "core/SettingChanges.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/desk/ChangeMarks.h"
#include "ui/desk/EditHistory.h"
#include "ui/desk/HelpActions.h"
#include "ui/desk/ProfileActions.h"
#include "ui/desk/WindowDesk.h"
#include "ui/desk/WindowMenus.h"
#include "ui/dialogs/DifferencesWindow.h"
#include "ui/widgets/Readability.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
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
    // The band under the form holds controls too, so places are compared on the screen.
    const QWidget *form = bench.form();
    return w && w->mapToGlobal(QPoint(0, 0)).x() >= form->mapToGlobal(QPoint(form->width(), 0)).x();
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
        // A row serial with a letter past F, then a click on > in the same row: the row
        // repaints, the mark and the refusal stay. The base serial likewise, with another row's
        // Active clicked. The status line names both.
        m_bench->child<QLineEdit>("serialEditor_3")->setText("4032ABCG");
        m_bench->child<QPushButton>("nextType_3")->click();
        m_bench->child<QLineEdit>("baseSerial")->setText("0013A20G");
        click(m_bench->child("active_1"));
        VERIFY_TEXT(m_bench->caption("unstoredCount"), startsWith,
                    "2 settings not valid: base serial number, serial of device 4; 2 settings "
                    "not stored; 24 corrections");
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
        // Typed in lower case, taken in upper case.
        auto *serial = m_bench->child<QLineEdit>("serialEditor_3");
        serial->clear();
        QTest::keyClicks(serial, "4032abcd");
        QCOMPARE(serial->text(), QStringLiteral("4032ABCD"));
        QVERIFY(!store->isHidden());
        QCOMPARE(m_bench->window->image().value(map::recordAddress(3) + 3), 0xCD);
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
        // The module loses ten entries between the store and the read-back.
        DuringTransfer during(m_bench->host.progress, QStringLiteral("Storing"), 160, [&] {
            for (int lost = 100; lost < 110; ++lost)
                setModuleEntry(m_bench->module, lost, m_bench->module.memory()[lost] ^ 0x55);
        });
        m_bench->window->storeSettings();
        QVERIFY(during.acted);
        QCOMPARE(m_bench->host.messages.size(), 1);
        const QStringList lines = m_bench->host.messages[0].split('\n');
        // Every block was confirmed: the store did not fail, its check did.
        VERIFY_TEXT(lines[0], startsWith, "Verification failed");
        QCOMPARE(lines.last(), QStringLiteral("The module holds other values than were sent for: "
                                              "row 11 unused byte +4, row 11 unused byte +5, row "
                                              "11 relay function, row 11 controller type, row 12 "
                                              "serial byte 1, row 12 serial byte 2, row 12 serial "
                                              "byte 3, row 12 serial byte 4, and 2 more."));
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
                    "The module's memory changed since it was read: 1 setting differs (1 of "
                    "256 addresses).\nRefresh: ");
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
        QTest::addColumn<QStringList>("review"); // as Copy puts it on the clipboard
        QTest::newRow("tessel") << int(ModuleKind::Tessel)
                                << QStringList{"debounce", "refresh", "serialEditor_0", "serial_0"}
                                << QStringList{"Debounce: 0 → 3", "Refresh: 1 → 77",
                                               "Device 1 serial: 9B1F0037 → 4A1F0037",
                                               "3 settings differ (3 of 256 addresses)"};
        QTest::newRow("threshold")
            << int(ModuleKind::Threshold)
            << QStringList{"debounce", "limit_2", "serialEditor_0", "serial_0"}
            << QStringList{"Capture speed: 7 → 10", "Device 1 serial: 9B05 → 4A05",
                           "Lower limit of input 2: 35 → 77",
                           "3 settings differ (3 of 256 addresses)"};
    }

    // Open -> changed marks -> review -> store -> no marks, end to end.
    void openMarkStore() {
        QFETCH(int, kind);
        QFETCH(QStringList, marked);
        QFETCH(QStringList, review);
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
        windowAction(*m_bench->window, "Open Profile")->trigger();

        QCOMPARE(m_bench->host.questions,
                 QStringList{"This profile changes 3 settings of this module. Load it?"});
        QCOMPARE(m_bench->window->imageToStore(), profile);
        QCOMPARE(markedNames(*m_bench), marked);
        QVERIFY(m_bench->window->isWindowModified());
        QCOMPARE(m_bench->caption("unstoredCount"), QStringLiteral("3 settings not stored"));
        windowAction(*m_bench->window, "Review Changes")->trigger();
        auto *shown = m_bench->window->findChild<DifferencesWindow *>();
        QCOMPARE(shown->lines(), review);
        // The addresses on request.
        QVERIFY(shown->list()->isColumnHidden(3));
        shown->findChild<QCheckBox *>("showAddresses")->click();
        QVERIFY(!shown->list()->isColumnHidden(3));
        VERIFY_TEXT(shown->list()->topLevelItem(0)->text(3), startsWith, "7: ");

        windowAction(*m_bench->window, "Store These Settings")->trigger();
        QCOMPARE(EepromImage(m_bench->module.memory()), profile);
        QVERIFY(markedNames(*m_bench).isEmpty());
        QCOMPARE(m_bench->caption("unstoredCount"), QStringLiteral("No changes"));
        QCOMPARE(shown->list()->topLevelItemCount(), 0); // an open review follows
    }

    // The controls that show each address, and the bits of it that changed; a value not known
    // has changed in every bit.
    void controlsShowing_eachAddress() {
        const ModuleKind T = ModuleKind::Tessel, H = ModuleKind::Threshold;
        const QStringList modes{"commMode_0",    "commMode_1",    "commMode_2", "liteCommands",
                                "mappingMode_0", "mappingMode_1", "forceDelay"};
        const struct {
            ModuleKind kind;
            int address, before, after;
            QStringList controls;
        } cases[] = {
            {T, 3, 0, 1, {"baseSerial"}},
            {H, 5, 0, 1, {"baseSerial"}},
            {T, map::kLastDeviceIndex, 0, 1, {"deviceCount"}},
            {H, map::kRefresh, 0, 1, {"refresh"}},
            {T, map::kModeByte, 0, 1, modes.mid(0, 3)},
            {T, map::kModeByte, 4, 24, modes.mid(3)},
            {T, map::kModeByte, 0, kUnknownEntry, modes},
            {T, map::kActiveMask + 1, 0x01, 0x80, {"active_8", "active_15"}},
            {T, map::recordAddress(3) + 3, 0, 1, {"serial_3", "serialEditor_3"}},
            {H, map::recordAddress(3) + 3, 0, 1, {"limit_3"}},
            {H, map::upperLimitAddress(15), 0, 1, {"limit_31"}},
            {H, map::upperLimitAddress(16), 0, 1, {}},
            {H, map::limitTypeAddress(4), 0, 1, {"limitType_4"}},
            {T, map::typeAddress(20), 0, 1, {"controllerType_20"}},
            {T, map::mappingAddress(23), 0, 1, {"mappingByte_23"}},
        };
        for (const auto &c : cases)
            QCOMPARE(controlsShowing(c.kind, c.address, c.before, c.after), c.controls);
    }

    void marks_tellEditsWhatFollowsAndTheFocusApart() {
        const QPalette light = QApplication::palette();
        for (const bool dark : {false, true}) {
            QApplication::setPalette(dark ? darkPalette() : light);
            m_bench = loadedTessel();
            m_bench->window->storeSettings(); // no corrections: the marks are the edits'
            // One device more: its row comes into use, with its inputs and calculated mapping byte.
            auto *count = m_bench->child<QScrollBar>("deviceCount");
            count->setValue(count->value() + 1);
            toggleActive(*m_bench);
            m_bench->desk->refresh();
            QCOMPARE(markedNames(*m_bench),
                     (QStringList{"active_0", "deviceCount", "deviceNumber_7", "inputAssignment_7",
                                  "mappingByte_7"}));
            // The mark is an amber corner; the focus a frame all round in the highlight colour.
            QWidget *cell = m_bench->child("active_0");
            m_bench->window->show();
            focusAtStartUp(*m_bench);
            cell->setFocus();
            const QImage seen = m_bench->form()->grab(cell->geometry()).toImage();
            const QColor highlight = cell->palette().color(QPalette::Highlight);
            QCOMPARE(seen.pixelColor(1, 1), colours::kChangedMark);
            QCOMPARE(seen.pixelColor(seen.width() / 2, 1), highlight);
            QCOMPARE(seen.pixelColor(seen.width() - 2, seen.height() / 2), highlight);
            // Row 7 is inactive: hatched where its dark grey is close to the palette's own.
            QCOMPARE(m_bench->child<CaptionLabel>("serial_6")->hatched(), dark);
        }
        QApplication::setPalette(light);
    }

    void help_listsEveryShortcutOfTheMenus() {
        const QString keys = keyboardShortcutsText(m_bench->desk->menus());
        for (const char *line : {"Ctrl+O\tOpen Profile...", "Ctrl+Q\tQuit", "Alt+D\trestore"})
            VERIFY_TEXT(keys, contains, QString::fromUtf8(line));
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
        QTest::newRow("a Threshold module's")
            << profileText(factoryImage(ModuleKind::Threshold)).toLatin1()
            << "This profile looks like a Threshold module's; this window is a Tessel module's. It "
               "changes ";
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
        QCOMPARE(m_bench->window->isWindowModified(), edited); // one setting: the title's mark
        QCOMPARE(m_bench->window->close(), closes);
        QCOMPARE(m_bench->host.closed, closes);
        QCOMPARE(m_bench->host.questions.size(), edited ? 1 : 0);
        if (edited) // what a store would write, the window's corrections with it
            VERIFY_TEXT(m_bench->host.questions[0], contains,
                        "\nDevice 1 active: Yes → No\nDevice 1 relay function: 22 (no such "
                        "function) → Tessel Relay On/Off (correction)\n");
        QCOMPARE(m_bench->module.memory() != before, stored);
    }

private:
    std::unique_ptr<WindowBench> m_bench;
};

TESSEL_TEST_OBJECT(WindowStoresTest);
#include "test_WindowStores.moc"
