// The commands against modules whose line misbehaves: refused or unconfirmed blocks, noise,
// a line that drops, and Ctrl-C during a store; and the faults tessel-modsim
// strikes at chosen bytes. What the module holds afterwards is read from
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
    void faultyLine_exitStatusSaysWhatTheModuleHolds_data();
    void faultyLine_exitStatusSaysWhatTheModuleHolds();
    void interrupt_duringAStoreEndsAfterTheBlockInFlight();
    void lineFaults_strikeTheChosenBytesAndMoments_data();
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

namespace {
QByteArray bytesOf(const ModuleMemory &memory) {
    return {reinterpret_cast<const char *>(memory.data()), kImageSize};
}
} // namespace

void LineFaultsTest::faultyLine_exitStatusSaysWhatTheModuleHolds_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");     // in standard output or error
    QTest::addColumn<QByteArray>("holds"); // the module's memory afterwards
    const ModuleMemory factory = factoryMemory(ModuleKind::Tessel);
    const ModuleMemory wanted = everyByteValue(false);
    ModuleMemory shifted = wanted; // store7+9, the tenth byte of block 7's store, came twice:
    std::copy_backward(shifted.begin() + 118, shifted.begin() + 127, shifted.begin() + 128);
    const QString profile = profileOf(factory) + QLatin1Char('\n');
    const QStringList flipAddress13{"--flip-out", "read0+13:2"};
    // Link test and identification are the first two commands; the eighth is mid-transfer.
    const QStringList dropped{"--drop-after", "8"};
    QTest::newRow("read, a bit flipped in a reply")
        << "read" << flipAddress13 << 0 << profile << bytesOf(factory);
    QTest::newRow("read, block 3 different every time")
        << "read" << QStringList{"--flip-out", "read3+0,read3#2+1,read3#3+2"} << 1
        << "The line is unreliable: block 3 " << bytesOf(factory);
    QTest::newRow("read, line lost") << "read" << dropped << 1 << "lost" << bytesOf(factory);
    QTest::newRow("diff, a bit flipped to what the profile says")
        << "diff" << flipAddress13 << 1 << "1 of 256 addresses differ" << bytesOf(factory);
    QTest::newRow("write, a bit flipped in the backup's read")
        << "write" << flipAddress13 << 0 << "Stored and verified" << bytesOf(wanted);
    // Reads 1 and 2 of block 0 are the backup's, 3 and 4 the read-back's.
    QTest::newRow("write, the same bit flipped in both reads back")
        << "write" << QStringList{"--flip-out", "read0#3+0,read0#4+0"} << 0 << "Stored and verified"
        << bytesOf(wanted);
    QTest::newRow("write, line lost") << "write" << dropped << 1 << "lost" << bytesOf(factory);
    QTest::newRow("write, first block refused")
        << "write" << QStringList{"--fail-block", "0"} << 3
        << "did not confirm the store of block 0 " << bytesOf(factory);
    QTest::newRow("write, last block refused")
        << "write" << QStringList{"--fail-block", "15"} << 3
        << "did not confirm the store of block 15 " << bytesOf(storedUpTo(wanted, factory, 15));
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
        << bytesOf(storedUpTo(shifted, factory, 9));
}

void LineFaultsTest::faultyLine_exitStatusSaysWhatTheModuleHolds() {
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
    const Outcome o = runConfig(arguments, 30000); // a busy machine may take its time
    CHECK_EXIT(o, exitCode);
    QVERIFY2((o.out + o.err).contains(said), qPrintable(describeRun(o)));
    QCOMPARE(bytesOf(module.memory()), holds);
    // A read that failed leaves nothing a script could take for a profile.
    if (command == QLatin1String("read") && exitCode != 0)
        QVERIFY(o.out.isEmpty());
    // What a store saved first is what the module held.
    static const QRegularExpression saved(QStringLiteral("saved in (.*)\\.\n"));
    if (const QRegularExpressionMatch match = saved.match(o.out); match.hasMatch()) {
        QFile backup(match.captured(1));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(memoryIn(QString::fromLatin1(backup.readAll())),
                 std::optional<ModuleMemory>(factoryMemory(ModuleKind::Tessel)));
    }
}

void LineFaultsTest::interrupt_duringAStoreEndsAfterTheBlockInFlight() {
    // Replies 100 ms apart, so that Ctrl-C lands in the middle of the store; no backup, so that
    // the store starts at once.
    SimulatedModule module(m_dir, ModuleKind::Tessel, {"--reply-delay-us", "100000"});
    const ModuleMemory before = factoryMemory(ModuleKind::Tessel);
    const ModuleMemory wanted = everyByteValue(true);
    ConfigRun run({"write", "--no-backup", "--port", module.device(), profile(wanted)});
    QElapsedTimer waited;
    waited.start();
    while (module.memory() == before && waited.elapsed() < 20000)
        QTest::qWait(20);
    QVERIFY2(module.memory() != before, "the store never began");
    run.sendSignal(SIGINT);

    const Outcome o = run.finish(20000);
    CHECK_EXIT(o, 128 + SIGINT);
    // The operator is told where the store stopped, and the module holds exactly that.
    static const QRegularExpression stopped(QStringLiteral("stopped after block (\\d+)"));
    const QRegularExpressionMatch match = stopped.match(o.err);
    QVERIFY2(match.hasMatch(), qPrintable(o.err));
    const int last = match.captured(1).toInt();
    QVERIFY2(last < kBlockCount - 1, qPrintable(o.err));
    QVERIFY2(o.err.contains("hold the old settings."), qPrintable(o.err));
    QCOMPARE(module.memory(), storedUpTo(wanted, before, last + 1));
}

void LineFaultsTest::lineFaults_strikeTheChosenBytesAndMoments_data() {
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("readsAs"); // the block whose bytes a read of block 0 brings
    QTest::addColumn<int>("flipped"); // the address whose byte 4 is inverted, or -1
    // One link-test acknowledge and six identity bytes come before block 0's reply.
    QTest::newRow("flip counted from the start") << QStringList{"--flip-out", "20:2"} << 0 << 13;
    QTest::newRow("flip in a read's block number")
        << QStringList{"--flip-in", "read0+2"} << 1 << -1;
}

void LineFaultsTest::lineFaults_strikeTheChosenBytesAndMoments() {
    QFETCH(QStringList, faults);
    QFETCH(int, readsAs);
    QFETCH(int, flipped);
    // One exchange at a time through the program's own channel and protocol, so that each
    // struck byte shows where it lands.
    SimulatedModule module(m_dir, ModuleKind::Tessel, fast() << faults);
    SerialChannel channel;
    QCOMPARE(channel.open(module.device()), QString());
    RealClock clock;
    ControllerLink link(channel, clock);
    ModuleProtocol protocol(link);
    QCOMPARE(protocol.linkTestRepeated(1), 1);
    QVERIFY(protocol.identify(2));
    const std::optional<BlockBytes> read = protocol.readBlock(0, 1);
    const ModuleMemory factory = factoryMemory(ModuleKind::Tessel);
    BlockBytes data{};
    std::copy_n(everyByteValue(true).begin() + 7 * kBlockSize, kBlockSize, data.begin());
    QCOMPARE(protocol.writeBlock(7, data, true), StoreAnswer::Confirmed);

    BlockBytes expected{};
    std::copy_n(factory.begin() + readsAs * kBlockSize, kBlockSize, expected.begin());
    if (flipped >= 0)
        expected[flipped] ^= 4;
    QCOMPARE(read, std::optional(expected));
    QVERIFY(std::equal(data.begin(), data.end(), module.memory().begin() + 7 * kBlockSize));
}

TESSEL_TEST_OBJECT(LineFaultsTest);
#include "test_LineFaults.moc"
