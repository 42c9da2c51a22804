// SPDX-License-Identifier: Apache-2.0
#include "session/ModuleSession.h"
#include "session/StoreReport.h"
#include "support/MemoryPatterns.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace tessel;
using testing::descending;

namespace {
const QString kBackup = QStringLiteral("/home/op/.local/share/tessel-config/backups/"
                                       "tessel-0013A200-20261206T210512Z.txt");
const QString kSaved = QStringLiteral("The module's memory before the store is saved in %1.");
const QString kRestore = QStringLiteral("Run the store again, or restore the backup with: "
                                        "tessel-config write --port %1 %2");
const QString kError = QString::fromLatin1(kErrorStoringData);

SessionOutcome storeEnded(SessionStatus status, int failedBlock, const QString &message = {},
                          const QString &backup = kBackup) {
    SessionOutcome outcome;
    outcome.job = SessionJob::Store;
    outcome.status = status;
    outcome.failedBlock = failedBlock;
    outcome.message = message;
    outcome.backup = backup;
    return outcome;
}
} // namespace

class StoreReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void report_saysWhatEachBlockHoldsAndTheNextStep_data() {
        QTest::addColumn<SessionOutcome>("outcome");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QStringList>("lines"); // consecutive lines of the report
        // A block left unconfirmed and a store stopped are told end to end (the production run,
        // the window); these are the endings they do not reach.
        const QString usb = QStringLiteral("/dev/ttyUSB0");
        QTest::newRow("last block not confirmed: no block old")
            << storeEnded(SessionStatus::NotConfirmed, 15, kError) << usb
            << QStringList{"Blocks 0 to 14 (addresses 0 to 239) hold the new settings.",
                           "Block 15 (addresses 240 to 255) may hold the old or the new settings: "
                           "its store was not confirmed.",
                           kSaved.arg(kBackup)};
        QTest::newRow("read-back failed: the store itself completed")
            << storeEnded(SessionStatus::ReadBackFailed, -1,
                          "Reading block 2 of the module's memory failed. The device was lost.")
            << usb
            << QStringList{
                   "The store itself completed: all 16 blocks were stored and each was "
                   "confirmed by the module.",
                   "Verification could not be done: Reading block 2 of the module's memory "
                   "failed. The device was lost.",
                   "Read the module to compare; should that fail too, check the connection.",
                   kSaved.arg(kBackup)};
        SessionOutcome differs =
            storeEnded(SessionStatus::Differs, -1,
                       "Verification failed: 4 of 256 addresses differ after the store.");
        differs.differences = {40, 41, 42, 200};
        QTest::newRow("read-back differs: blocks and addresses")
            << differs << usb
            << QStringList{differs.message,
                           "Every block was confirmed, but the module holds other values than were "
                           "stored at addresses 40 to 42, 200 (blocks 2, 12)."};
        QTest::newRow("without a backup: only the store again")
            << storeEnded(SessionStatus::NotConfirmed, 5, kError, {}) << usb
            << QStringList{"Blocks 6 to 15 (addresses 96 to 255) hold the old settings.",
                           "No backup of the module's memory was saved before the store.",
                           "Run the store again."};
        // A refusal is passed on as it is: nothing was sent, so no block needs an account.
        const QString refusal = QStringLiteral("No backup of the module's memory could be saved: "
                                               "cannot write /x (full). Nothing was stored.");
        QTest::newRow("refused: only why")
            << storeEnded(SessionStatus::Refused, -1, refusal, {}) << usb << QStringList{refusal};
        QTest::newRow("restore command quoted for a shell")
            << storeEnded(SessionStatus::Stopped, 4, {}, "/tmp/Op's data/b.txt") << "COM3"
            << QStringList{kRestore.arg("COM3", "'/tmp/Op'\\''s data/b.txt'")};
        QTest::newRow("a space alone is quoted")
            << storeEnded(SessionStatus::Stopped, 4, {}, "/tmp/My backups/b.txt") << "COM3"
            << QStringList{kRestore.arg("COM3", "'/tmp/My backups/b.txt'")};
    }

    void report_saysWhatEachBlockHoldsAndTheNextStep() {
        QFETCH(SessionOutcome, outcome);
        QFETCH(QString, port);
        QFETCH(QStringList, lines);
        const QStringList report = storeReport(outcome, port).split(QLatin1Char('\n'));
        const qsizetype first = report.indexOf(lines.first());
        QVERIFY2(first >= 0, qPrintable(report.join('\n')));
        QCOMPARE(report.mid(first, lines.size()), lines);
    }

    void blockHolds_judgesEveryByteOfTheBlock() {
        // Only the last byte of block 2 is not what was sent.
        const EepromImage sent = descending();
        EepromImage now = sent;
        now.setValue(47, sent.value(47) ^ 1);
        QCOMPARE(blockHolds(now, sent, std::nullopt, 2), BlockHolds::NotNew);
        QCOMPARE(blockHolds(now, sent, now, 2), BlockHolds::Old);
        QCOMPARE(blockHolds(now, sent, sent, 2), BlockHolds::Neither);
    }
};

TESSEL_TEST_OBJECT(StoreReportTest);
#include "test_StoreReport.moc"
