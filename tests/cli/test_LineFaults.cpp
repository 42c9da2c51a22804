// The commands against modules whose line misbehaves: refused or unconfirmed blocks, extra
// and late replies, a line that drops, silence, and Ctrl-C during a store. What the module
// holds afterwards is read from tessel-modsim's dump.

#include "EndToEndSupport.h"
#include "support/TestMain.h"

#include <csignal>

using namespace tessel;
using namespace tessel::e2e;

class LineFaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void storeFault_endsWithExitThreeNamingTheBlock_data();
    void storeFault_endsWithExitThreeNamingTheBlock();
    void droppedLine_endsWithExitOneAndAMessage_data();
    void droppedLine_endsWithExitOneAndAMessage();
    void slowModules_giveUpInTimeAndLateRepliesCountForNothing();
    void interrupt_duringAStoreEndsAfterTheBlockInFlight();

private:
    QString profile(const ModuleMemory &memory) {
        return writeProfile(m_dir, QStringLiteral("p%1.txt").arg(++m_profiles), profileOf(memory));
    }
    QTemporaryDir m_dir;
    int m_profiles = 0;
};

void LineFaultsTest::initTestCase() {
    QVERIFY(m_dir.isValid());
}

void LineFaultsTest::storeFault_endsWithExitThreeNamingTheBlock_data() {
    QTest::addColumn<ModuleKind>("kind");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("namedBlock");
    QTest::addColumn<int>("firstOldBlock");
    const ModuleKind tessel = ModuleKind::Tessel;
    QTest::newRow("first block refused") << tessel << QStringList{"--fail-block", "0"} << 0 << 0;
    QTest::newRow("last block refused")
        << ModuleKind::Threshold << QStringList{"--fail-block", "15"} << 15 << 15;
    // Replies slow enough that a stray byte comes well before the answer even when the machine
    // is so busy that the simulated module wakes up late.
    const QStringList slow{"--reply-delay-us", "100000"};
    QTest::newRow("every block confirmed twice")
        << tessel << slow + QStringList{"--double-ack"} << 0 << 1;
    QTest::newRow("stray acknowledge before block 5")
        << tessel << slow + QStringList{"--stray-byte-before-block", "5"} << 5 << 6;
}

void LineFaultsTest::storeFault_endsWithExitThreeNamingTheBlock() {
    QFETCH(ModuleKind, kind);
    QFETCH(QStringList, faults);
    QFETCH(int, namedBlock);
    QFETCH(int, firstOldBlock);
    SimulatedModule module(m_dir, kind,
                           QStringList{"--no-pacing", "--reply-delay-us", "200"} + faults);
    const ModuleMemory wanted = everyByteValue(true);
    const Outcome o = runConfig({"write", "--port", module.device(), profile(wanted)});
    CHECK_EXIT(o, 3);
    QVERIFY2(o.err.contains("Error Storing Data"), qPrintable(o.err));
    QVERIFY2(o.err.contains(QStringLiteral("block %1 ").arg(namedBlock)), qPrintable(o.err));
    QVERIFY(onlyBlocksBeforeChanged(module.memory(), wanted, factoryMemory(kind), firstOldBlock));
}

void LineFaultsTest::droppedLine_endsWithExitOneAndAMessage_data() {
    QTest::addColumn<QString>("command");
    // Link test and identification are the first two commands; the eighth is mid-transfer.
    QTest::newRow("mid-read") << "read";
    QTest::newRow("mid-store") << "write";
}

void LineFaultsTest::droppedLine_endsWithExitOneAndAMessage() {
    QFETCH(QString, command);
    SimulatedModule module(m_dir, ModuleKind::Tessel,
                           fast() << "--drop-after"
                                  << "8");
    QStringList arguments{command, "--port", module.device()};
    if (command == QLatin1String("write"))
        arguments << profile(everyByteValue(false));
    const Outcome o = runConfig(arguments);
    CHECK_EXIT(o, 1);
    QVERIFY2(o.err.contains("lost"), qPrintable(o.err));
    QVERIFY(o.out.isEmpty());
    QVERIFY(module.waitUntilGone(3000));
}

void LineFaultsTest::slowModules_giveUpInTimeAndLateRepliesCountForNothing() {
    // Six long waits at once, so that the suite pays for the longest only.
    const ModuleMemory wanted = everyByteValue(false);
    const QString path = profile(wanted);
    const ModuleKind tessel = ModuleKind::Tessel;
    SimulatedModule mute(m_dir, tessel, fast() << "--never-identify");
    SimulatedModule chatty(m_dir, ModuleKind::Threshold, fast() << "--extra-identity-byte");
    SimulatedModule silentStore(m_dir, tessel,
                                fast() << "--silent-block"
                                       << "4");
    SimulatedModule lateReads(m_dir, tessel,
                              fast() << "--late-reply-ms"
                                     << "6000");
    // Every reply after 1.2 s: the store would wait long enough, the identification does not.
    SimulatedModule slowIdentity(m_dir, tessel, {"--reply-delay-us", "1200000"});
    // Six identity bytes 50 ms apart, then a seventh.
    SimulatedModule trailingByte(
        m_dir, tessel, {"--extra-identity-byte", "--byte-at-a-time", "--reply-delay-us", "50000"});
    ConfigRun muteRun({"identify", "--port", mute.device()});
    ConfigRun chattyRun({"read", "--port", chatty.device()});
    ConfigRun silentRun({"write", "--port", silentStore.device(), path});
    ConfigRun lateReadRun({"read", "--port", lateReads.device()});
    ConfigRun slowWriteRun({"write", "--port", slowIdentity.device(), path});
    ConfigRun trailingWriteRun({"write", "--port", trailingByte.device(), path});

    // 10 identification attempts of 1 s, each followed by up to 1 s for a late reply.
    const Outcome muteOutcome = muteRun.finish(30000);
    CHECK_EXIT(muteOutcome, 1);
    QVERIFY2(muteOutcome.err.contains("identification") &&
                 muteOutcome.err.contains("exactly 6 bytes"),
             qPrintable(muteOutcome.err));
    QVERIFY2(muteOutcome.millis >= 9500, qPrintable(describeRun(muteOutcome)));
    // Identification attempts wait 1 s: a module answering later or with a byte too many is
    // never identified, so nothing is read or stored, rather than a stale identity reply being
    // taken for block 0's confirmation.
    for (ConfigRun *run : {&chattyRun, &slowWriteRun, &trailingWriteRun}) {
        const Outcome o = run->finish(30000);
        CHECK_EXIT(o, 1);
        QVERIFY2(o.out.isEmpty() && o.err.contains("identification"), qPrintable(describeRun(o)));
    }
    for (const SimulatedModule *module : {&slowIdentity, &trailingByte})
        QCOMPARE(module->memory(), factoryMemory(tessel));
    // Block reads wait 5 s: replies after 6 s can never make a read, and must not be shifted
    // into the next attempt or block.
    const Outcome read = lateReadRun.finish(60000);
    CHECK_EXIT(read, 1);
    QVERIFY2(read.out.isEmpty(), qPrintable(describeRun(read)));
    // A store waits 15 s for its confirmation.
    const Outcome silentOutcome = silentRun.finish(25000);
    CHECK_EXIT(silentOutcome, 3);
    QVERIFY2(silentOutcome.err.contains("Error Storing Data"), qPrintable(silentOutcome.err));
    QVERIFY2(silentOutcome.millis >= 14500, qPrintable(describeRun(silentOutcome)));
    QVERIFY(onlyBlocksBeforeChanged(silentStore.memory(), wanted, factoryMemory(tessel), 4));
}

void LineFaultsTest::interrupt_duringAStoreEndsAfterTheBlockInFlight() {
    // Replies 100 ms apart, so that Ctrl-C lands in the middle of the store.
    SimulatedModule module(m_dir, ModuleKind::Tessel, {"--reply-delay-us", "100000"});
    const ModuleMemory before = factoryMemory(ModuleKind::Tessel);
    const ModuleMemory wanted = everyByteValue(true);
    ConfigRun run({"write", "--port", module.device(), profile(wanted)});
    QElapsedTimer waited;
    waited.start();
    while (module.memory() == before && waited.elapsed() < 20000)
        QTest::qWait(20);
    QVERIFY2(module.memory() != before, "the store never began");
    run.sendSignal(SIGINT);

    const Outcome o = run.finish(20000);
    CHECK_EXIT(o, 130);
    // The operator is told where the store stopped, and the module holds exactly that.
    static const QRegularExpression stopped(QStringLiteral("stopped after block (\\d+)"));
    const QRegularExpressionMatch match = stopped.match(o.err);
    QVERIFY2(match.hasMatch(), qPrintable(o.err));
    const int last = match.captured(1).toInt();
    QVERIFY2(last < kBlockCount - 1, qPrintable(o.err));
    QVERIFY2(o.err.contains("hold the old settings."), qPrintable(o.err));
    QVERIFY(onlyBlocksBeforeChanged(module.memory(), wanted, before, last + 1));
}

TESSEL_TEST_OBJECT(LineFaultsTest);
#include "test_LineFaults.moc"
