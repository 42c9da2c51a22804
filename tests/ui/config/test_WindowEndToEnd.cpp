// SPDX-License-Identifier: Apache-2.0
// The window against tessel-modsim on a pseudo-terminal, one module for the whole object,
// what it holds read from the memory the simulator dumps after every stored block: what the
// review lists is what a store writes, a backup restored exactly, a store and a read stopped by the
// operator, and a store asked for after the line went.

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
#include "ui/dialogs/DifferencesWindow.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
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

    // The module's factory memory has relay functions above 0, which the window keeps at 0:
    // counted, reviewed and stored as corrections; a backup restored gives them back exactly.
    void reviewIsWhatTheStoreWrites_andRestoreGivesTheOldMemoryBack() {
        const EepromImage old = factoryImage(ModuleKind::Tessel);
        QCOMPARE(unstored(window()), QStringLiteral("24 corrections the next store writes"));
        auto *debounce = window().findChild<QScrollBar *>(QStringLiteral("debounce"));
        debounce->setValue(debounce->value() == 9 ? 10 : 9);
        window().findChild<WindowDesk *>()->refresh();
        QCOMPARE(unstored(window()),
                 QStringLiteral("1 setting not stored; 24 corrections the next store writes"));
        storeWritesTheReview(window(), old, dumpPath(m_dir));

        windowAction(window(), "Backups")->trigger();
        auto *backups = window().findChild<QDialog *>(QStringLiteral("BackupsWindow"));
        QCOMPARE(backups->windowTitle(), QStringLiteral("Backups of Tessel modules"));
        backups->findChild<QPushButton *>(QStringLiteral("restoreBackup"))->click();
        VERIFY_TEXT(m_app->questions.last(), startsWith,
                    "Restoring this backup changes 25 settings of the module:\nDebounce: ");
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kLoadWaitMs);
        QCOMPARE(dumped(), old);
        VERIFY_TEXT(window().statusLine().lastTransfer(), startsWith, "Restored and verified at ");
        QCOMPARE(unstored(window()), QStringLiteral("24 corrections the next store writes"));
        QVERIFY2(m_app->messages.isEmpty(), qPrintable(m_app->messages.join('\n')));
    }

    // A Threshold module whose limit types lie past the end of their table.
    void thresholdReviewIsWhatTheStoreWrites() {
        QTemporaryDir dir;
        ModsimProcess modsim(QStringLiteral(TESSEL_MODSIM_EXE),
                             {"--kind", "threshold", "--dump", dumpPath(dir)});
        StartOptions options;
        options.port = modsim.device();
        options.backups = BackupFolder(dir.filePath(QStringLiteral("backups")));
        RecordingApplication app(options);
        app.start();
        QTRY_VERIFY_WITH_TIMEOUT(app.configWindow() && !app.session()->busy(), kLoadWaitMs);
        ConfigWindow &threshold = *app.configWindow();
        EepromImage odd = factoryImage(ModuleKind::Threshold);
        odd.setValue(map::limitTypeAddress(0), 9);
        odd.setValue(map::limitTypeAddress(5), 200);
        threshold.restoreMemory(odd);
        QTRY_COMPARE_WITH_TIMEOUT(unstored(threshold),
                                  QStringLiteral("2 corrections the next store writes"),
                                  kLoadWaitMs);
        QCOMPARE(dumped(dumpPath(dir)), odd);
        threshold.findChild<QScrollBar *>(QStringLiteral("refresh"))->setValue(40);
        storeWritesTheReview(threshold, odd, dumpPath(dir));
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
        // The debounce went in a confirmed block, the serial byte did not.
        QCOMPARE(unstored(window()), QStringLiteral("1 setting not stored"));

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
    static QString dumpPath(const QTemporaryDir &dir) {
        return dir.filePath(QStringLiteral("dump.txt"));
    }
    static EepromImage dumped(const QString &path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return EepromImage(
            parseProfileText(QString::fromLatin1(file.readAll())).memory.value_or(ModuleMemory{}));
    }
    // No job of the window's session runs or waits: the session runs on a thread of its own.
    [[nodiscard]] bool idle() const {
        return m_app->session() && !m_app->session()->busy();
    }
    [[nodiscard]] EepromImage dumped() const {
        return dumped(dumpPath(m_dir));
    }
    static QString unstored(const ConfigWindow &w) {
        return w.findChild<QLabel *>(QStringLiteral("unstoredCount"))->text();
    }
    // What the review shows the next store writes, taken from its address column and applied
    // to the module's memory, is what the module holds after the store: nothing unlisted.
    static void storeWritesTheReview(ConfigWindow &w, const EepromImage &before,
                                     const QString &dump) {
        windowAction(w, "Review Changes")->trigger();
        const auto *review = w.findChild<DifferencesWindow *>();
        EepromImage expected = before;
        static const QRegularExpression byte(QStringLiteral("(\\d+): \\S+ → (\\d+)"));
        for (int i = 0; i < review->list()->topLevelItemCount(); ++i) {
            auto bytes = byte.globalMatch(review->list()->topLevelItem(i)->text(3));
            while (bytes.hasNext()) {
                const QRegularExpressionMatch m = bytes.next();
                expected.setValue(m.captured(1).toInt(), m.captured(2).toInt());
            }
        }
        QVERIFY(expected != before);
        w.storeSettings();
        QTRY_COMPARE_WITH_TIMEOUT(unstored(w), QStringLiteral("No changes"), kLoadWaitMs);
        QCOMPARE(dumped(dump), expected);
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
