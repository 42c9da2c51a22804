#include "SessionBench.h"
#include "session/StoreReport.h"

#include <QtTest>

using namespace tessel;
using namespace tessel::test;

namespace {
const QString kBackup = QStringLiteral("/home/op/.local/share/tessel-config/backups/"
                                       "tessel-0013A200-20261206T210512Z.txt");
const QString kPort = QStringLiteral("/dev/ttyUSB0");

SessionOutcome storeEnded(SessionStatus status, int failedBlock, const QString &message,
                          const QString &backup = kBackup) {
    SessionOutcome outcome;
    outcome.job = SessionJob::Store;
    outcome.status = status;
    outcome.failedBlock = failedBlock;
    outcome.message = message;
    outcome.backup = backup;
    return outcome;
}

QStringList reportLines(const SessionOutcome &outcome, const QString &port = kPort) {
    return storeReport(outcome, port).split(QLatin1Char('\n'));
}
} // namespace

class StoreReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unconfirmedBlock_saysWhatEachBlockHoldsAndHowToGoBack();
    void unconfirmedFirstBlock_claimsNoBlockIsStored();
    void unconfirmedLastBlock_leavesNoBlockOld();
    void lostLine_namesTheCauseAfterTheHeadline();
    void stop_leavesNoBlockInDoubt();
    void readBackFailure_saysTheStoreItselfCompleted();
    void differences_nameTheirBlocksAndAddresses();
    void withoutBackup_adviseOnlyTheStore();
    void restoreCommand_quotesWhatAShellWouldSplit();
    void successAndRefusal_needNoStateOfBlocks();
    void realSession_unconfirmedBlockReportsFromItsOutcome();
};

void StoreReportTest::unconfirmedBlock_saysWhatEachBlockHoldsAndHowToGoBack() {
    const QString report = storeReport(
        storeEnded(SessionStatus::NotConfirmed, 5, QStringLiteral("Error Storing Data")), kPort);
    QCOMPARE(report,
             QStringLiteral(
                 "Error Storing Data\n"
                 "The module did not confirm the store of block 5 (addresses 80 to 95).\n"
                 "Blocks 0 to 4 (addresses 0 to 79) hold the new settings.\n"
                 "Block 5 (addresses 80 to 95) may hold the old or the new settings: its store "
                 "was not confirmed.\n"
                 "Blocks 6 to 15 (addresses 96 to 255) hold the old settings.\n"
                 "The module's memory before the store is saved in %1.\n"
                 "Run the store again, or restore the backup with: tessel-config write --port "
                 "/dev/ttyUSB0 %1")
                 .arg(kBackup));
}

void StoreReportTest::unconfirmedFirstBlock_claimsNoBlockIsStored() {
    const QStringList lines = reportLines(
        storeEnded(SessionStatus::NotConfirmed, 0, QStringLiteral("Error Storing Data")));
    QCOMPARE(lines.first(), QStringLiteral("Error Storing Data"));
    QCOMPARE(lines.at(2), QStringLiteral("No block holds the new settings."));
    QVERIFY(lines.at(3).startsWith(QStringLiteral("Block 0 (addresses 0 to 15) may hold")));
    QCOMPARE(lines.at(4),
             QStringLiteral("Blocks 1 to 15 (addresses 16 to 255) hold the old settings."));
    QVERIFY(!lines.join(QLatin1Char(' ')).contains(QStringLiteral("before it")));
}

void StoreReportTest::unconfirmedLastBlock_leavesNoBlockOld() {
    const QStringList lines = reportLines(
        storeEnded(SessionStatus::NotConfirmed, 15, QStringLiteral("Error Storing Data")));
    QCOMPARE(lines.at(2),
             QStringLiteral("Blocks 0 to 14 (addresses 0 to 239) hold the new settings."));
    QVERIFY(lines.at(3).startsWith(QStringLiteral("Block 15 (addresses 240 to 255) may hold")));
    QVERIFY(!lines.join(QLatin1Char(' ')).contains(QStringLiteral("old settings.")));
}

void StoreReportTest::lostLine_namesTheCauseAfterTheHeadline() {
    const QStringList lines = reportLines(
        storeEnded(SessionStatus::LinkFailed, 1,
                   QStringLiteral("Error Storing Data. The device /dev/ttyUSB0 was lost.")));
    QCOMPARE(lines.first(), QStringLiteral("Error Storing Data"));
    QCOMPARE(lines.at(1), QStringLiteral("The store stopped at block 1 (addresses 16 to 31): The "
                                         "device /dev/ttyUSB0 was lost."));
    QCOMPARE(lines.at(2), QStringLiteral("Block 0 (addresses 0 to 15) holds the new settings."));
}

void StoreReportTest::stop_leavesNoBlockInDoubt() {
    const QStringList after3 = reportLines(storeEnded(SessionStatus::Stopped, 3, {}));
    QCOMPARE(after3.first(), QStringLiteral("The store was stopped after block 2, as asked; every "
                                            "block sent was confirmed."));
    QCOMPARE(after3.at(1),
             QStringLiteral("Blocks 0 to 2 (addresses 0 to 47) hold the new settings."));
    QCOMPARE(after3.at(2),
             QStringLiteral("Blocks 3 to 15 (addresses 48 to 255) hold the old settings."));
    QVERIFY(after3.at(4).startsWith(QStringLiteral("Run the store again, or restore")));
    QVERIFY(!after3.join(QLatin1Char(' ')).contains(QStringLiteral("may hold")));

    const QStringList before = reportLines(storeEnded(SessionStatus::Stopped, 0, {}));
    QCOMPARE(before.first(),
             QStringLiteral("The store was stopped before its first block, as asked."));
    QCOMPARE(before.at(1), QStringLiteral("No block holds the new settings."));
}

void StoreReportTest::readBackFailure_saysTheStoreItselfCompleted() {
    const QStringList lines = reportLines(storeEnded(
        SessionStatus::ReadBackFailed, -1,
        QStringLiteral("Reading block 2 of the module's memory failed. The device was lost.")));
    QCOMPARE(lines.first(), QStringLiteral("The store itself completed: all 16 blocks were stored "
                                           "and each was confirmed by the module."));
    QCOMPARE(lines.at(1), QStringLiteral("Verification could not be done: Reading block 2 of the "
                                         "module's memory failed. The device was lost."));
    QVERIFY(lines.contains(
        QStringLiteral("The module's memory before the store is saved in %1.").arg(kBackup)));
    QVERIFY(!lines.join(QLatin1Char(' ')).contains(QStringLiteral("Error Storing Data")));
}

void StoreReportTest::differences_nameTheirBlocksAndAddresses() {
    SessionOutcome outcome = storeEnded(
        SessionStatus::Differs, -1,
        QStringLiteral("Verification failed: 4 of 256 addresses differ after the store."));
    outcome.differences = {40, 41, 42, 200};
    const QStringList lines = reportLines(outcome);
    QCOMPARE(lines.first(), outcome.message);
    QCOMPARE(lines.at(1), QStringLiteral("Every block was confirmed, but the module holds other "
                                         "values than were stored at addresses 40 to 42, 200 "
                                         "(blocks 2, 12)."));
    QVERIFY(lines.last().startsWith(QStringLiteral("Run the store again, or restore")));
}

void StoreReportTest::withoutBackup_adviseOnlyTheStore() {
    const QStringList lines = reportLines(
        storeEnded(SessionStatus::NotConfirmed, 5, QStringLiteral("Error Storing Data"), {}));
    QCOMPARE(lines.mid(lines.size() - 2),
             (QStringList{QStringLiteral("No backup of the module's memory was saved before the "
                                         "store."),
                          QStringLiteral("Run the store again.")}));
}

void StoreReportTest::restoreCommand_quotesWhatAShellWouldSplit() {
    const QStringList lines = reportLines(
        storeEnded(SessionStatus::Stopped, 4, {}, QStringLiteral("/tmp/Op's data/b.txt")),
        QStringLiteral("COM3"));
    QCOMPARE(lines.last(), QStringLiteral("Run the store again, or restore the backup with: "
                                          "tessel-config write --port COM3 '/tmp/Op'\\''s "
                                          "data/b.txt'"));
}

void StoreReportTest::successAndRefusal_needNoStateOfBlocks() {
    QVERIFY(storeReport(storeEnded(SessionStatus::Done, -1, {}), kPort).isEmpty());
    const QString refusal = QStringLiteral("No backup of the module's memory could be saved: "
                                           "cannot write /x (full). Nothing was stored.");
    QCOMPARE(storeReport(storeEnded(SessionStatus::Refused, -1, refusal, {}), kPort), refusal);
}

void StoreReportTest::realSession_unconfirmedBlockReportsFromItsOutcome() {
    SimulatorFaults faults;
    faults.failBlock = 0;
    auto bench = Bench::identified(faults);
    QCOMPARE(bench->session.store(descending()), Admission::Started);
    const QStringList lines = reportLines(bench->session.lastOutcome());
    QCOMPARE(lines.first(), QStringLiteral("Error Storing Data"));
    QCOMPARE(lines.at(1), QStringLiteral("The module did not confirm the store of block 0 "
                                         "(addresses 0 to 15)."));
    QCOMPARE(lines.at(2), QStringLiteral("No block holds the new settings."));
}

QTEST_GUILESS_MAIN(StoreReportTest)
#include "test_StoreReport.moc"
