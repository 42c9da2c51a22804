// Over the pseudo-terminal: a reply counts only for the exchange that asked for it. Modules
// that answer late, trail an extra byte, confirm twice or send a stray acknowledge.

#include "EndToEndSupport.h"
#include "core/ProfileText.h"
#include "link/ControllerLink.h"
#include "link/ModuleProtocol.h"
#include "link/SerialChannel.h"

using namespace tessel;
using namespace tessel::e2e;

namespace {

QStringList writeArguments(const SimulatedModule &module, const QString &profile) {
    return {QStringLiteral("write"), QStringLiteral("--port"), module.device(), profile};
}

} // namespace

class EndToEndRepliesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void lateAndTrailingReplies_neverCountForALaterExchange();
    void storeConfirmations_mustBeOneAckToEachBlock_data();
    void storeConfirmations_mustBeOneAckToEachBlock();
    void analog_lateLevelIsDiscarded();

private:
    QTemporaryDir m_dir;
};

void EndToEndRepliesTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo::exists(configExecutable()), qPrintable(configExecutable()));
}

void EndToEndRepliesTest::lateAndTrailingReplies_neverCountForALaterExchange() {
    // Three slow runs at once, so that the suite pays for the longest only.
    const ModuleMemory wanted = everyByteValue(false);
    const QString path =
        writeProfile(m_dir, QStringLiteral("late.txt"), profileText(EepromImage(wanted)));
    const QStringList lateRead{QStringLiteral("--late-reply-ms"), QStringLiteral("6000")};
    // Every reply after 1.2 s: the store would wait long enough, the identification does not.
    const QStringList slow{QStringLiteral("--reply-delay-us"), QStringLiteral("1200000")};
    // Six identity bytes 50 ms apart, then a seventh.
    const QStringList trailing{QStringLiteral("--extra-identity-byte"),
                               QStringLiteral("--byte-at-a-time"),
                               QStringLiteral("--reply-delay-us"), QStringLiteral("50000")};
    SimulatedModule slowReads(m_dir, ModuleKind::Tessel, fast() << lateRead);
    SimulatedModule slowIdentity(m_dir, ModuleKind::Tessel, slow);
    SimulatedModule trailingByte(m_dir, ModuleKind::Tessel, trailing);
    ConfigRun readRun({QStringLiteral("read"), QStringLiteral("--port"), slowReads.device()});
    ConfigRun slowWriteRun(writeArguments(slowIdentity, path));
    ConfigRun trailingWriteRun(writeArguments(trailingByte, path));

    // Block reads wait 5 s: replies after 6 s can never make a read, and must not be shifted
    // into the next attempt or block.
    const Outcome read = readRun.finish(60000);
    CHECK_EXIT(read, 1);
    QVERIFY2(read.out.isEmpty(), qPrintable(describeRun(read)));

    // Identification attempts wait 1 s: the module is never identified, so nothing is stored,
    // rather than a stale identity reply being taken for block 0's confirmation.
    for (ConfigRun *run : {&slowWriteRun, &trailingWriteRun}) {
        const Outcome o = run->finish(30000);
        CHECK_EXIT(o, 1);
        QVERIFY2(o.err.contains(QStringLiteral("identification")), qPrintable(describeRun(o)));
    }
    for (const SimulatedModule *module : {&slowIdentity, &trailingByte})
        QCOMPARE(module->memory(), std::optional<ModuleMemory>(factoryMemory(ModuleKind::Tessel)));
}

void EndToEndRepliesTest::storeConfirmations_mustBeOneAckToEachBlock_data() {
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("namedBlock");
    QTest::addColumn<int>("firstOldBlock");
    const QString stray = QStringLiteral("--stray-byte-before-block");
    QTest::newRow("every block confirmed twice")
        << QStringList{QStringLiteral("--double-ack")} << 0 << 1;
    QTest::newRow("stray acknowledge before block 5")
        << QStringList{stray, QStringLiteral("5")} << 5 << 6;
    QTest::newRow("stray acknowledge before block 5, which is refused")
        << QStringList{stray, QStringLiteral("5"), QStringLiteral("--fail-block"),
                       QStringLiteral("5")}
        << 5 << 5;
    QTest::newRow("stray acknowledge before the last block, which is refused")
        << QStringList{stray, QStringLiteral("15"), QStringLiteral("--fail-block"),
                       QStringLiteral("15")}
        << 15 << 15;
}

void EndToEndRepliesTest::storeConfirmations_mustBeOneAckToEachBlock() {
    QFETCH(QStringList, faults);
    QFETCH(int, namedBlock);
    QFETCH(int, firstOldBlock);
    // Unpaced, but with replies slow enough that a stray byte comes well before the answer even
    // when the machine is so busy that the simulated module wakes up late.
    SimulatedModule module(m_dir, ModuleKind::Tessel,
                           QStringList{QStringLiteral("--no-pacing"),
                                       QStringLiteral("--reply-delay-us"), QStringLiteral("100000")}
                               << faults);
    const ModuleMemory wanted = everyByteValue(true);
    const QString path =
        writeProfile(m_dir, QStringLiteral("acks.txt"), profileText(EepromImage(wanted)));
    const Outcome o = runConfig(writeArguments(module, path));
    CHECK_EXIT(o, 3);
    QVERIFY2(o.err.contains(QStringLiteral("Error Storing Data")), qPrintable(o.err));
    QVERIFY2(o.err.contains(QStringLiteral("block %1 ").arg(namedBlock)), qPrintable(o.err));
    const auto now = module.memory();
    QVERIFY(now);
    QVERIFY(
        onlyBlocksBeforeChanged(*now, wanted, factoryMemory(ModuleKind::Tessel), firstOldBlock));
}

void EndToEndRepliesTest::analog_lateLevelIsDiscarded() {
    // The command line has no analog command; the monitor's exchange runs here over the same
    // pseudo-terminal and serial channel the program uses.
    SimulatedModule prompt(m_dir, ModuleKind::Threshold,
                           {QStringLiteral("--analog-delay-us"), QStringLiteral("150000")});
    SimulatedModule late(m_dir, ModuleKind::Threshold,
                         {QStringLiteral("--analog-delay-us"), QStringLiteral("500000")});
    for (SimulatedModule *module : {&prompt, &late}) {
        SerialChannel channel;
        QCOMPARE(channel.open(module->device()), QString());
        RealClock clock;
        ControllerLink link(channel, clock);
        ModuleProtocol protocol(link);
        QElapsedTimer timer;
        timer.start();
        const int level = protocol.readAnalog(3);
        const qint64 waited = timer.elapsed();
        if (module == &prompt) {
            QVERIFY2(level >= 0 && level <= 255, qPrintable(QString::number(level)));
            continue;
        }
        // Each level comes 0.15 s after its read gave up: input 3's must not be shown for
        // input 4, nor input 4's taken for the link test's acknowledge.
        QCOMPARE(level, -1);
        QVERIFY2(waited >= 330 && waited < 1000, qPrintable(QString::number(waited)));
        QCOMPARE(protocol.readAnalog(4), -1);
        QCOMPARE(protocol.linkTestRepeated(1), 1);
        QCOMPARE(channel.bytesAvailable(), qint64(0));
    }
}

QTEST_GUILESS_MAIN(EndToEndRepliesTest)
#include "test_EndToEndReplies.moc"
