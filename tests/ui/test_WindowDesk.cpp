#include "core/ProfileText.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/ChangeMarks.h"
#include "ui/DifferencesWindow.h"
#include "ui/EditHistory.h"
#include "ui/ProfileActions.h"
#include "ui/WindowDesk.h"

#include <QAction>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

namespace {

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
    for (const QWidget *w : bench.window->desk().marks().marked())
        names << w->objectName();
    names.sort();
    return names;
}

QString unstored(const WindowBench &bench) {
    return bench.child<QLabel>(QStringLiteral("unstoredCount"))->text();
}

// What the module holds with three settings changed that the window shows as they are.
EepromImage changedSettings(const WindowBench &bench) {
    EepromImage image = bench.window->moduleBaseline();
    const bool threshold = bench.window->kind() == ModuleKind::Threshold;
    image.setValue(map::kDebounce, image.value(map::kDebounce) + 3);
    image.setValue(map::recordAddress(0), 0x4A);
    image.setValue(threshold ? map::lowerLimitAddress(2) : map::kRefresh, 77);
    return image;
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

class WindowDeskTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        // The recent files go to a test folder, not the user's settings.
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
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
        auto bench = WindowBench::loaded(ModuleKind(kind));
        if (kind == int(ModuleKind::Threshold))
            showTableWithinCapacity(*bench); // so that a store is offered
        bench->window->storeSettings();
        QCOMPARE(unstored(*bench), QStringLiteral("No changes"));
        const EepromImage profile = changedSettings(*bench);
        QTemporaryDir dir;
        bench->host.fileToChoose = writeFile(dir, "p.txt", profileText(profile).toLatin1());
        action(*bench, "Open Profile")->trigger();

        QCOMPARE(bench->host.questions,
                 QStringList{"This profile changes 3 settings of this module. Load it?"});
        QCOMPARE(bench->window->imageToStore(), profile);
        QCOMPARE(markedNames(*bench), marked);
        QVERIFY(bench->window->isWindowModified());
        QCOMPARE(unstored(*bench), QStringLiteral("3 settings not stored"));
        action(*bench, "Review Changes")->trigger();
        auto *review = bench->window->findChild<DifferencesWindow *>();
        QCOMPARE(review->list()->topLevelItemCount(), 3);
        QCOMPARE(review->list()->topLevelItem(0)->text(1), firstField);

        action(*bench, "Store These Settings")->trigger();
        QCOMPARE(EepromImage(bench->module.memory()), profile);
        QVERIFY(markedNames(*bench).isEmpty());
        QCOMPARE(unstored(*bench), QStringLiteral("No changes"));
        QCOMPARE(review->list()->topLevelItemCount(), 0); // an open review follows
    }

    void open_refusesWhatItCannotTake_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no such file
        QTest::addColumn<QString>("told");
        QTest::newRow("not a profile")
            << QByteArray("DATA 1, 2, x") << "is not a profile: record 1";
        QTest::newRow("no such file") << QByteArray() << "Cannot read";
        // Declined when the count shows it is another kind's profile: the factory sets differ at
        // 78 addresses. The count is of the module's own bytes, not of what the window tidies
        // (it shows every relay function as 0), so this module's memory with one change counts 1.
        QTest::newRow("other kind") << profileText(factoryImage(ModuleKind::Threshold)).toLatin1()
                                    << "This profile changes 78 settings of this module. Load it?";
        EepromImage own = factoryImage(ModuleKind::Tessel);
        own.setValue(map::kDebounce, own.value(map::kDebounce) + 1);
        QTest::newRow("this module's, one change")
            << profileText(own).toLatin1()
            << "This profile changes 1 setting of this module. Load it?";
    }

    void open_refusesWhatItCannotTake() {
        QFETCH(QByteArray, content);
        QFETCH(QString, told);
        auto bench = WindowBench::loaded(ModuleKind::Tessel);
        bench->module.setMemory(*factoryImage(ModuleKind::Tessel).toMemory());
        bench->window->readSettings();
        const EepromImage before = bench->window->imageToStore();
        QTemporaryDir dir;
        const QString path =
            content.isEmpty() ? dir.filePath("none.txt") : writeFile(dir, "p.txt", content);
        bench->host.answer = false;
        QVERIFY(!bench->window->desk().profiles().open(path));
        const QStringList said = bench->host.messages + bench->host.questions;
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().contains(told), qPrintable(said.first()));
        QCOMPARE(bench->window->imageToStore(), before);
        QVERIFY(!bench->window->desk().history().stack().canUndo());
    }

    // A read that replaced edits can be undone, and the edits are marked again; Redo goes back to
    // what the module holds. Both through the keyboard's shortcuts.
    void undo_bringsBackWhatAReadReplaced() {
        auto bench = WindowBench::loaded(ModuleKind::Tessel);
        ConfigWindow &window = *bench->window;
        window.show();
        toggleActive(*bench);
        const EepromImage edited = window.imageToStore();
        window.readSettings();
        QCOMPARE(window.imageToStore(), window.moduleBaseline());

        QApplication::setActiveWindow(&window); // the progress window had it
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window.imageToStore(), edited);
        QCOMPARE(markedNames(*bench), QStringList{"active_0"});
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(window.imageToStore(), window.moduleBaseline());
        QVERIFY(markedNames(*bench).isEmpty());
    }

    void close_asksWhileSettingsDiffer_data() {
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("stored");
        const auto store = int(ClosingChoice::Store);
        const auto discard = int(ClosingChoice::Discard);
        const auto cancel = int(ClosingChoice::Cancel);
        QTest::newRow("nothing to store") << false << cancel << true << false;
        QTest::newRow("cancel") << true << cancel << false << false;
        QTest::newRow("discard") << true << discard << true << false;
        QTest::newRow("store") << true << store << true << true;
    }

    void close_asksWhileSettingsDiffer() {
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, stored);
        auto bench = WindowBench::loaded(ModuleKind::Tessel);
        const ModuleMemory before = bench->module.memory();
        if (edited)
            toggleActive(*bench);
        bench->host.closing = ClosingChoice(answer);
        QCOMPARE(bench->window->close(), closes);
        QCOMPARE(bench->host.closed, closes);
        QCOMPARE(bench->host.questions.size(), edited ? 1 : 0);
        QCOMPARE(bench->module.memory() != before, stored);
    }
};

TESSEL_TEST_OBJECT(WindowDeskTest);
#include "test_WindowDesk.moc"
