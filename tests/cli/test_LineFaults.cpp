// The commands against modules whose line misbehaves: refused or unconfirmed blocks, extra
// and late replies, a line that drops, silence, and Ctrl-C during a store; and the faults
// tessel-modsim strikes at chosen bytes. What the module holds afterwards is read from
// tessel-modsim's dump.

#include "EndToEndSupport.h"
#include "link/ControllerLink.h"
#include "link/ModuleProtocol.h"
#include "link/SerialChannel.h"
#include "support/TestMain.h"

#include <algorithm>
#include <csignal>

using namespace tessel;
using namespace tessel::e2e;

class LineFaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void storeFault_endsWithExitThreeNamingTheBlock_data();
    void storeFault_endsWithExitThreeNamingTheBlock();
    void readBackThatDiffers_isExitThreeNamingTheAddress();
    void droppedLine_endsWithExitOneAndAMessage_data();
    void droppedLine_endsWithExitOneAndAMessage();
    void slowModules_giveUpInTimeAndLateRepliesCountForNothing();
    void interrupt_duringAStoreEndsAfterTheBlockInFlight_data();
    void interrupt_duringAStoreEndsAfterTheBlockInFlight();
    void lineFaults_strikeTheChosenBytesAndMoments_data();
    void noisyLine_readsAreCheckedAndTheAccountReadsAgain_data();
    void noisyLine_readsAreCheckedAndTheAccountReadsAgain();
    void lineFaults_strikeTheChosenBytesAndMoments();

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

void LineFaultsTest::readBackThatDiffers_isExitThreeNamingTheAddress() {
    // Bit 2 of block 7's tenth byte turns over on its way in: the module confirms every block
    // but holds another byte than was sent, which only the read-back finds.
    SimulatedModule module(m_dir, ModuleKind::Tessel,
                           fast() << "--flip-in"
                                  << "store7+12:2");
    const ModuleMemory wanted = everyByteValue(true);
    const Outcome o = runConfig({"write", "--port", module.device(), profile(wanted)});
    CHECK_EXIT(o, 3);
    QVERIFY2(o.err.contains("Verification failed") && o.err.contains("address 121 "),
             qPrintable(o.err));
    ModuleMemory held = wanted;
    held[7 * kBlockSize + 9] ^= 4;
    QCOMPARE(module.memory(), held);
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
    // Seven long waits at once, so that the suite pays for the longest only.
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
    // Every reply 1.1 s late, or its bytes 1 s apart: later than an identification attempt
    // first waits, as on a radio bridge or through a distant device server.
    SimulatedModule late(m_dir, tessel, {"--reply-delay-us", "1100000"});
    SimulatedModule gaps(m_dir, tessel, {"--byte-at-a-time", "--reply-delay-us", "1000000"});
    // Six identity bytes 50 ms apart, then a seventh.
    SimulatedModule trailingByte(
        m_dir, tessel, {"--extra-identity-byte", "--byte-at-a-time", "--reply-delay-us", "50000"});
    ConfigRun muteRun({"identify", "--port", mute.device()});
    ConfigRun chattyRun({"read", "--port", chatty.device()});
    ConfigRun silentRun({"write", "--port", silentStore.device(), path});
    ConfigRun lateReadRun({"read", "--port", lateReads.device()});
    ConfigRun lateRun({"identify", "--port", late.device()});
    ConfigRun gapsRun({"identify", "--port", gaps.device()});
    ConfigRun trailingWriteRun({"write", "--port", trailingByte.device(), path});

    // 10 identification attempts of 1 s, each followed by up to 1 s for a late reply.
    const Outcome muteOutcome = muteRun.finish(30000);
    CHECK_EXIT(muteOutcome, 1);
    QVERIFY2(muteOutcome.err.contains("identification") &&
                 muteOutcome.err.contains("exactly 6 bytes"),
             qPrintable(muteOutcome.err));
    QVERIFY2(muteOutcome.millis >= 9500, qPrintable(describeRun(muteOutcome)));
    // A module with a byte too many is never identified, so nothing is read or stored, rather
    // than a stale identity reply being taken for block 0's confirmation.
    for (ConfigRun *run : {&chattyRun, &trailingWriteRun}) {
        const Outcome o = run->finish(30000);
        CHECK_EXIT(o, 1);
        QVERIFY2(o.out.isEmpty() && o.err.contains("identification"), qPrintable(describeRun(o)));
    }
    QCOMPARE(trailingByte.memory(), factoryMemory(tessel));
    // A late reply to the first attempt shows how late the module answers; the next attempt
    // waits long enough for its own.
    for (ConfigRun *run : {&lateRun, &gapsRun}) {
        const Outcome o = run->finish(30000);
        CHECK_EXIT(o, 0);
        QVERIFY2(o.out.startsWith("Tessel module"), qPrintable(describeRun(o)));
    }
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

void LineFaultsTest::interrupt_duringAStoreEndsAfterTheBlockInFlight_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("Ctrl-C") << SIGINT;
    // A closed terminal or a dropped SSH session.
    QTest::newRow("hang-up") << SIGHUP;
}

void LineFaultsTest::interrupt_duringAStoreEndsAfterTheBlockInFlight() {
    QFETCH(int, signal);
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
    run.sendSignal(signal);

    const Outcome o = run.finish(20000);
    CHECK_EXIT(o, 128 + signal);
    // The operator is told where the store stopped, and the module holds exactly that.
    static const QRegularExpression stopped(QStringLiteral("stopped after block (\\d+)"));
    const QRegularExpressionMatch match = stopped.match(o.err);
    QVERIFY2(match.hasMatch(), qPrintable(o.err));
    const int last = match.captured(1).toInt();
    QVERIFY2(last < kBlockCount - 1, qPrintable(o.err));
    QVERIFY2(o.err.contains("hold the old settings."), qPrintable(o.err));
    QVERIFY(onlyBlocksBeforeChanged(module.memory(), wanted, before, last + 1));
}

void LineFaultsTest::lineFaults_strikeTheChosenBytesAndMoments_data() {
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("readsAs");       // the block whose bytes a read of block 0 brings
    QTest::addColumn<int>("flipped");       // the address whose byte 4 is inverted, or -1
    QTest::addColumn<QList<int>>("stored"); // what block 7 holds after a store of 112..127
    QTest::addColumn<int>("leastMs");
    QList<int> sent;
    for (int v = 112; v < 128; ++v)
        sent << v;
    QList<int> shifted = sent; // the tenth byte of the command came twice: one data byte
    shifted.insert(6, 118);    // more, the last one pushed out of the block
    shifted.removeLast();
    QList<int> bitTwo = sent;
    bitTwo[9] ^= 4;
    const auto args = [](const char *option, const char *value) {
        return QStringList{QLatin1String(option), QLatin1String(value)};
    };
    QTest::newRow("clean line") << QStringList() << 0 << -1 << sent << 0;
    QTest::newRow("flip in a reply") << args("--flip-out", "read0+13:2") << 0 << 13 << sent << 0;
    // One link-test acknowledge and six identity bytes come before block 0's reply.
    QTest::newRow("flip counted from the start")
        << args("--flip-out", "20:2") << 0 << 13 << sent << 0;
    QTest::newRow("flip in a read's block number")
        << args("--flip-in", "read0+2") << 1 << -1 << sent << 0;
    QTest::newRow("byte doubled in a store")
        << args("--double-in", "store7+9") << 0 << -1 << shifted << 0;
    QTest::newRow("flip in a store") << args("--flip-in", "store7+12:2") << 0 << -1 << bitTwo << 0;
    QTest::newRow("latency") << args("--latency-ms", "300") << 0 << -1 << sent << 4 * 300;
    QTest::newRow("gap between reply bytes")
        << args("--byte-gap-ms", "40") << 0 << -1 << sent << 5 * 40 + 15 * 40;
}

void LineFaultsTest::lineFaults_strikeTheChosenBytesAndMoments() {
    QFETCH(QStringList, faults);
    QFETCH(int, readsAs);
    QFETCH(int, flipped);
    QFETCH(QList<int>, stored);
    QFETCH(int, leastMs);
    // One exchange at a time through the program's own channel and protocol, so that each
    // struck byte shows where it lands.
    SimulatedModule module(m_dir, ModuleKind::Tessel, fast() << faults);
    SerialChannel channel;
    QCOMPARE(channel.open(module.device()), QString());
    RealClock clock;
    ControllerLink link(channel, clock);
    ModuleProtocol protocol(link);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(protocol.linkTestRepeated(1), 1);
    QVERIFY(protocol.identify(2));
    const std::optional<BlockBytes> read = protocol.readBlock(0, 1);
    BlockBytes data{};
    for (int j = 0; j < kBlockSize; ++j)
        data[j] = static_cast<quint8>(112 + j);
    QCOMPARE(protocol.writeBlock(7, data, true), StoreAnswer::Confirmed);
    QVERIFY2(timer.elapsed() >= leastMs, qPrintable(QString::number(timer.elapsed())));

    ModuleMemory expected = factoryMemory(ModuleKind::Tessel);
    BlockBytes expectedRead{};
    std::copy_n(expected.begin() + readsAs * kBlockSize, kBlockSize, expectedRead.begin());
    if (flipped >= 0)
        expectedRead[flipped] ^= 4;
    QCOMPARE(read, std::optional<BlockBytes>(expectedRead));
    for (int j = 0; j < kBlockSize; ++j)
        expected[7 * kBlockSize + j] = static_cast<quint8>(stored[j]);
    QCOMPARE(module.memory(), expected);
}

namespace {
QByteArray bytesOf(const ModuleMemory &memory) {
    return {reinterpret_cast<const char *>(memory.data()), kImageSize};
}
} // namespace

void LineFaultsTest::noisyLine_readsAreCheckedAndTheAccountReadsAgain_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");     // in standard output or error
    QTest::addColumn<QByteArray>("holds"); // the module's memory afterwards
    const ModuleMemory factory = factoryMemory(ModuleKind::Tessel);
    const ModuleMemory wanted = everyByteValue(false);
    ModuleMemory shifted = wanted; // store7+9, the tenth byte of block 7's store, came twice:
    std::copy_backward(shifted.begin() + 118, shifted.begin() + 127, shifted.begin() + 128);
    ModuleMemory refusedAt9 = shifted;
    std::copy(factory.begin() + 9 * kBlockSize, factory.end(), refusedAt9.begin() + 9 * kBlockSize);
    const QString profile = profileOf(factory) + QLatin1Char('\n');
    const QStringList flipAddress13{"--flip-out", "read0+13:2"};
    QTest::newRow("read, a bit flipped in a reply")
        << "read" << flipAddress13 << 0 << profile << bytesOf(factory);
    QTest::newRow("read, a bit flipped in a block number")
        << "read" << QStringList{"--flip-in", "read0+2"} << 0 << profile << bytesOf(factory);
    QTest::newRow("read, block 3 different every time")
        << "read" << QStringList{"--flip-out", "read3+0,read3#2+1,read3#3+2"} << 1
        << "The line is unreliable: block 3 " << bytesOf(factory);
    QTest::newRow("diff, a bit flipped to what the profile says")
        << "diff" << flipAddress13 << 1 << "1 of 256 addresses differ" << bytesOf(factory);
    QTest::newRow("write, a bit flipped in the backup's read")
        << "write" << flipAddress13 << 0 << "Stored and verified" << bytesOf(wanted);
    // Reads 1 and 2 of block 0 are the backup's, 3 and 4 the read-back's.
    QTest::newRow("write, the same bit flipped in both reads back")
        << "write" << QStringList{"--flip-out", "read0#3+0,read0#4+0"} << 0 << "Stored and verified"
        << bytesOf(wanted);
    QTest::newRow("write, a byte doubled in block 7's store")
        << "write" << QStringList{"--double-in", "store7+9"} << 3
        << "Block 7 (addresses 112 to 127) holds neither the old nor the new settings"
        << bytesOf(shifted);
    QTest::newRow("write, a byte doubled in block 7's store, block 9 refused")
        << "write" << QStringList{"--double-in", "store7+9", "--fail-block", "9"} << 3
        << "Read again after the store:\n"
           "Blocks 0 to 6 (addresses 0 to 111) hold the new settings.\n"
           "Block 7 (addresses 112 to 127) holds neither the old nor the new settings: the line "
           "changed what was sent.\n"
           "Block 8 (addresses 128 to 143) holds the new settings.\n"
           "Blocks 9 to 14 (addresses 144 to 239) hold the old settings." // 15 is both
        << bytesOf(refusedAt9);
}

void LineFaultsTest::noisyLine_readsAreCheckedAndTheAccountReadsAgain() {
    QFETCH(QString, command);
    QFETCH(QStringList, faults);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(QByteArray, holds);
    SimulatedModule module(m_dir, ModuleKind::Tessel, fast() + faults);
    ModuleMemory differs = factoryMemory(ModuleKind::Tessel);
    differs[13] ^= 4;
    QStringList arguments{command, "--port", module.device()};
    if (command != QLatin1String("read"))
        arguments << profile(command == QLatin1String("diff") ? differs : everyByteValue(false));
    const Outcome o = runConfig(arguments);
    CHECK_EXIT(o, exitCode);
    QVERIFY2((o.out + o.err).contains(said), qPrintable(describeRun(o)));
    QCOMPARE(bytesOf(module.memory()), holds);
    // What a store saved first is what the module held.
    static const QRegularExpression saved(QStringLiteral("saved in (.*)\\.\n"));
    if (const QRegularExpressionMatch match = saved.match(o.out); match.hasMatch()) {
        QFile backup(match.captured(1));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(memoryIn(QString::fromLatin1(backup.readAll())),
                 std::optional<ModuleMemory>(factoryMemory(ModuleKind::Tessel)));
    }
}

TESSEL_TEST_OBJECT(LineFaultsTest);
#include "test_LineFaults.moc"
