// The window against tessel-modsim on a pseudo-terminal, one module for the whole object,
// what it holds read from the memory the simulator dumps after every stored block: a backup
// stored back, a store and a read stopped by the operator, and a store asked for after the
// line went.

#include "core/MemoryMap.h"
#include "core/ProfileText.h"
#include "session/BackupFolder.h"
#include "session/SessionClient.h"
#include "support/ModsimProcess.h"
#include "support/RecordingApplication.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/desk/ProfileActions.h"
#include "ui/desk/WindowDesk.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace tessel;
using namespace tessel::testing;

namespace {
constexpr int kStoreAgain = 0;
constexpr int kNotNow = 1;
constexpr int kClose = 1;
constexpr int kDumpWaitMs = 3000;
constexpr int kLoadWaitMs = 20000;
} // namespace

class WindowEndToEndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
#ifndef TESSEL_MODSIM_EXE
        QSKIP("needs tessel-modsim");
#else
        QStandardPaths::setTestModeEnabled(true);
        // Paced, so that the operator's Cancel, which crosses to the session's thread, comes
        // while the block it is meant for is on its way.
        m_modsim = std::make_unique<ModsimProcess>(
            QStringLiteral(TESSEL_MODSIM_EXE),
            QStringList{"--dump", m_dir.filePath(QStringLiteral("dump.txt")), "--reply-delay-us",
                        "50000"});
        QVERIFY(!m_modsim->device().isEmpty());
        StartOptions options;
        options.port = m_modsim->device();
        options.backups = BackupFolder(m_dir.filePath(QStringLiteral("backups")));
        m_app = std::make_unique<RecordingApplication>(options);
        m_app->start();
        QTRY_VERIFY_WITH_TIMEOUT(m_app->configWindow() && idle(), kLoadWaitMs);
        QVERIFY2(m_app->questions.isEmpty() && m_app->messages.isEmpty(),
                 qPrintable((m_app->questions + m_app->messages).join('\n')));
#endif
    }

    void backupStoredBack_givesTheModuleItsOldMemory() {
        // The window corrects what it shows (the simulated module's factory memory has relay
        // functions above 0, shown as 0): the memory it can give back is one it stored.
        window().storeSettings();
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kLoadWaitMs);
        const EepromImage old = window().imageToStore();
        QTRY_COMPARE_WITH_TIMEOUT(dumped(), old, kDumpWaitMs);
        auto *debounce = window().findChild<QScrollBar *>(QStringLiteral("debounce"));
        debounce->setValue(debounce->value() == 9 ? 10 : 9);
        window().storeSettings();
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kLoadWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(dumped(), window().imageToStore(), kDumpWaitMs);
        // A store that went well says so on the status line, with its backup.
        VERIFY_TEXT(window().statusLine().lastTransfer(), startsWith, "Stored and verified at ");
        const QString backup =
            window().findChild<QLabel *>(QStringLiteral("statusLastTransfer"))->toolTip();
        VERIFY_TEXT(window().statusLine().lastTransfer(), endsWith,
                    "; backup " + QFileInfo(backup).fileName());
        QVERIFY(window().findChild<WindowDesk *>()->profiles().open(backup));
        window().storeSettings();
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kLoadWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(dumped(), old, kDumpWaitMs);
        QVERIFY2(m_app->messages.isEmpty(), qPrintable(m_app->messages.join('\n')));
    }

    void cancelDuringBlock6_leavesSevenNewBlocksAndTellsThem() {
        // The window corrects what it shows (the simulated module's factory memory has relay
        // functions above 0, shown as 0): a first store makes the module hold what is shown.
        window().storeSettings();
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kLoadWaitMs);
        const EepromImage before = window().imageToStore();
        QTRY_COMPARE_WITH_TIMEOUT(dumped(), before, kDumpWaitMs);
        EepromImage edited = window().image();
        edited.setValue(map::kDebounce, edited.value(map::kDebounce) == 9 ? 10 : 9); // block 0
        edited.setValue(map::recordAddress(20) + 2, 0x55);                           // block 11
        window().showImage(edited);
        const EepromImage sent = window().imageToStore();
        // The operator's Cancel in the progress window while block 6 is on its way.
        ProgressWindow &progress = m_app->progressWindow();
        auto *cancel = progress.findChild<QPushButton *>(QStringLiteral("cancel"));
        const DuringTransfer during(progress, QStringLiteral("Storing"), 6 * kBlockSize,
                                    [cancel] { cancel->click(); });
        const qsizetype asked = m_app->questions.size();
        m_app->choices = {kNotNow};
        window().storeSettings();
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kLoadWaitMs);
        QVERIFY(during.acted);
        EepromImage mixed = before;
        for (int a = 0; a < 7 * kBlockSize; ++a)
            mixed.setValue(a, sent.value(a));
        QVERIFY(mixed != before && mixed != sent);
        QTRY_COMPARE_WITH_TIMEOUT(dumped(), mixed, kDumpWaitMs);
        // The window stays, says what the module holds, and offers the store again.
        QVERIFY(window().isVisible() && window().isEnabled());
        QCOMPARE(m_app->questions.size(), asked + 1);
        VERIFY_TEXT(m_app->questions.last(), contains,
                    "Blocks 0 to 6 (addresses 0 to 111) hold the new settings.\nBlocks 7 to 15 "
                    "(addresses 112 to 255) hold the old settings.");
        QCOMPARE(m_app->offered, (QStringList{"Store Again", "Not Now"}));
        VERIFY_TEXT(window().statusLine().lastTransfer(), contains,
                    "blocks 0 to 6 new, 7 to 15 old");
        QCOMPARE(window().imageToStore(), sent);

        // Stopped again, and this time stored again: the module then holds every new block.
        const DuringTransfer again(progress, QStringLiteral("Storing"), 6 * kBlockSize,
                                   [cancel] { cancel->click(); });
        m_app->choices = {kStoreAgain};
        window().storeSettings();
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kLoadWaitMs);
        QVERIFY(again.acted);
        QCOMPARE(m_app->questions.size(), asked + 2);
        QTRY_COMPARE_WITH_TIMEOUT(dumped(), sent, kDumpWaitMs);
    }

    void cancelDuringARead_keepsTheSettingsShown() {
        auto *debounce = window().findChild<QScrollBar *>(QStringLiteral("debounce"));
        debounce->setValue(debounce->value() == 9 ? 10 : 9);
        const EepromImage shown = window().imageToStore();
        ProgressWindow &progress = m_app->progressWindow();
        auto *cancel = progress.findChild<QPushButton *>(QStringLiteral("cancel"));
        const DuringTransfer during(progress, QStringLiteral("Loading"), 100,
                                    [cancel] { cancel->click(); });
        const qsizetype told = m_app->questions.size() + m_app->messages.size();
        window().readSettings();
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kLoadWaitMs);
        QVERIFY(during.acted);
        QCOMPARE(window().imageToStore(), shown);
        QCOMPARE(m_app->questions.size() + m_app->messages.size(), told);
        VERIFY_TEXT(window().statusLine().lastTransfer(), startsWith, "Read cancelled at ");
    }

    void storeAfterTheLineWent_sendsNothingAndMakesNoBackup() {
        // The module goes away while the window waits for the operator, who closes the offer.
        const qsizetype asked = m_app->questions.size();
        m_app->choices = {kClose};
        m_modsim->process().kill();
        m_modsim->process().waitForFinished(3000);
        QTRY_COMPARE_WITH_TIMEOUT(m_app->questions.size(), asked + 1, 5000);
        VERIFY_TEXT(m_app->questions.last(), startsWith,
                    QStringLiteral("The connection on %1 was lost").arg(m_modsim->device()));
        VERIFY_TEXT(m_app->questions.last(), contains, "the settings shown were kept");
        QCOMPARE(m_app->offered, (QStringList{"Reconnect", "Close"}));
        QCOMPARE(window().statusLine().connection(), QStringLiteral("Line lost"));
        // A store then offers the reconnection first; it sends nothing and makes no backup, and
        // does not report a store that never began.
        const QDir backups(m_app->backupsFolder());
        const QStringList before = backups.entryList(QDir::Files);
        const QString lastTransfer = window().statusLine().lastTransfer();
        window().storeSettings();
        QCOMPARE(m_app->questions.size(), asked + 2);
        VERIFY_TEXT(m_app->questions.last(), contains,
                    "Nothing was stored, and no backup was made.");
        QVERIFY(!m_app->questions.last().contains("Error Storing Data"));
        QCOMPARE(m_app->offered, (QStringList{"Reconnect", "Close"}));
        QCOMPARE(backups.entryList(QDir::Files), before);
        QCOMPARE(window().statusLine().lastTransfer(), lastTransfer);
    }

private:
    [[nodiscard]] EepromImage dumped() const {
        QFile file(m_dir.filePath(QStringLiteral("dump.txt")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return EepromImage(
            parseProfileText(QString::fromLatin1(file.readAll())).memory.value_or(ModuleMemory{}));
    }
    // No job of the window's session runs or waits: the session runs on a thread of its own.
    [[nodiscard]] bool idle() const {
        return m_app->session() && !m_app->session()->busy();
    }
    [[nodiscard]] ConfigWindow &window() const {
        return *m_app->configWindow();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ModsimProcess> m_modsim;
    std::unique_ptr<RecordingApplication> m_app;
};

TESSEL_TEST_OBJECT(WindowEndToEndTest);
#include "test_WindowEndToEnd.moc"
