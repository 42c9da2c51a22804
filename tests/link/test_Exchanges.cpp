// The exchanges with a module on the virtual clock: their waits and retries, and that a reply
// counts only for the exchange that asked for it (late replies, trailing bytes and stray
// acknowledges are never taken for another exchange).

#include "link/SettingsTransfer.h"
#include "support/SimulatedLine.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace tessel;
using Bench = tessel::testing::SimulatedLine;

namespace {

// Every address different, so that a block read into the wrong place shows.
ModuleMemory distinctMemory() {
    ModuleMemory memory{};
    for (int a = 0; a < kImageSize; ++a)
        memory[a] = static_cast<quint8>(255 - a);
    return memory;
}

// One letter a block: N holds what was stored, O what it held before, ? neither.
QString blockStates(const ModuleMemory &now, const ModuleMemory &stored,
                    const ModuleMemory &before) {
    QString states;
    for (int block = 0; block < kBlockCount; ++block) {
        const auto first = now.begin() + block * kBlockSize;
        const auto same = [&](const ModuleMemory &m) {
            return std::equal(first, first + kBlockSize, m.begin() + block * kBlockSize);
        };
        states += same(stored)   ? QLatin1Char('N')
                  : same(before) ? QLatin1Char('O')
                                 : QLatin1Char('?');
    }
    return states;
}

QString newUpTo(int lastNew) {
    return QString(lastNew + 1, QLatin1Char('N')) + QString(kBlockCount - lastNew - 1, 'O');
}

const QByteArray kAck(1, static_cast<char>(wire::kAckByte));

} // namespace

class ExchangesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void receive_timesOutAfterExactlyItsPollCount_data();
    void receive_timesOutAfterExactlyItsPollCount();
    void receive_returnsZeroByteAsZeroAndLeavesTheRest();
    void linkTest_succeedsOnTheHundredthAttempt();
    void identify_givesUpAfterItsAttemptLimit();
    void store_refusesImageWithEntriesThatAreNotBytes();
    void blockRead_behindANoiseByteIsRetried_data();
    void blockRead_behindANoiseByteIsRetried();
    void analogRead_asksOnlyForInputsTheModuleHas();
    void lateBlockReplies_neverFillAnotherBlock();
    void lateBlockReply_isDiscardedAndTheRetryReadsExactly();
    void slowModule_worksWithItsOwnRepliesOnly_data();
    void slowModule_worksWithItsOwnRepliesOnly();
    void staleReplyTakenByARetry_leavesTheRetrysOwnToBeWaitedOut();
    void trailingIdentityByte_spoilsTheReply();
    void lateLinkTestAck_endsTheRunButIsNeverTakenLater();
    void lateAnalogLevel_isNotShownForTheNextInput();
    void lateAnalogLevel_isNotTakenAsAStoreConfirmation();
    void doubleAck_stopsTheStoreAtTheFirstBlock();
    void strayAck_makesItsBlockCountAsNotStored_data();
    void strayAck_makesItsBlockCountAsNotStored();
    void cleanStore_waitsLittleBeyondItsConfirmations();
};

void ExchangesTest::receive_timesOutAfterExactlyItsPollCount_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("polls");
    QTest::newRow("GetI") << 0 << 15000;
    QTest::newRow("GetI2") << 1 << 150000;
    QTest::newRow("GetI3") << 2 << 15000;
    QTest::newRow("GetI4") << 3 << 3500;
}

void ExchangesTest::receive_timesOutAfterExactlyItsPollCount() {
    QFETCH(int, which);
    QFETCH(int, polls);
    using Receive = int (ControllerLink::*)();
    const Receive receives[] = {&ControllerLink::GetI, &ControllerLink::GetI2,
                                &ControllerLink::GetI3, &ControllerLink::GetI4};
    Bench bench(ModuleKind::Tessel);
    QCOMPARE((bench.link.*receives[which])(), -1);
    QCOMPARE(bench.clock.idleCount(), qint64(polls));
    QCOMPARE(bench.clock.nowMicros(), qint64(polls) * 100);
}

void ExchangesTest::receive_returnsZeroByteAsZeroAndLeavesTheRest() {
    Bench bench(ModuleKind::Tessel);
    bench.channel.inject(QByteArray("\x00\x07", 2));
    QCOMPARE(bench.link.GetI3(), 0);
    QCOMPARE(bench.channel.bytesAvailable(), qint64(1));
    QCOMPARE(bench.link.GetI(), 7);
    QCOMPARE(bench.clock.idleCount(), qint64(0));
}

void ExchangesTest::linkTest_succeedsOnTheHundredthAttempt() {
    SimulatorFaults faults;
    faults.ignoreLinkTests = 99;
    Bench bench(ModuleKind::Tessel, faults);
    QCOMPARE(bench.protocol.linkTestRepeated(100), 100);

    faults.ignoreLinkTests = 100;
    Bench silent(ModuleKind::Tessel, faults);
    QCOMPARE(silent.protocol.linkTestRepeated(100), 0);
    QCOMPARE(silent.commands(0, 2), 100);
}

void ExchangesTest::identify_givesUpAfterItsAttemptLimit() {
    SimulatorFaults faults;
    faults.neverIdentify = true;
    Bench bench(ModuleKind::Tessel, faults);
    QVERIFY(!bench.protocol.identify(10).has_value());
    QCOMPARE(bench.commands(0, 3), 10);
}

void ExchangesTest::store_refusesImageWithEntriesThatAreNotBytes() {
    Bench bench(ModuleKind::Tessel);
    EepromImage image = startImage();
    image.setValue(211, 256);
    image.setValue(19, -3);
    const auto result = storeWholeMemory(bench.protocol, image, {});
    QCOMPARE(result.status, TransferStatus::Refused);
    QVERIFY(result.message.contains("address 19 = -3"));
    QVERIFY(result.message.contains("address 211 = 256"));
    QVERIFY(bench.channel.written().isEmpty());
}

void ExchangesTest::blockRead_behindANoiseByteIsRetried_data() {
    QTest::addColumn<bool>("twoParts");
    QTest::newRow("17 bytes at once") << false;
    // Sixteen show first, the seventeenth while they are read: only the byte behind them
    // tells that the sixteen are one noise byte and fifteen of the reply.
    QTest::newRow("16 bytes, then the 17th") << true;
}

void ExchangesTest::blockRead_behindANoiseByteIsRetried() {
    QFETCH(bool, twoParts);
    Bench bench(ModuleKind::Tessel, {}, 1000);
    bench.clock.callAfter(1000, [&] { bench.channel.inject("x"); });
    if (twoParts)
        bench.delivery.holdBackBeyond(kBlockSize);
    const auto block = bench.protocol.readBlock(1, 2);
    QVERIFY(block.has_value());
    QCOMPARE(*block, *EepromImage(bench.module.memory()).block(1));
    QCOMPARE(bench.commands(0, 1), 2);
}

void ExchangesTest::analogRead_asksOnlyForInputsTheModuleHas() {
    Bench bench(ModuleKind::Threshold);
    bench.module.setAnalogLevel(15, 200);
    QCOMPARE(bench.protocol.readAnalog(15), 200);
    QCOMPARE(bench.protocol.readAnalog(16), -1);
    QCOMPARE(bench.protocol.readAnalog(-1), -1);
    QCOMPARE(bench.channel.written(), wire::readAnalogInput(15));
}

void ExchangesTest::lateBlockReplies_neverFillAnotherBlock() {
    SimulatorFaults faults;
    faults.lateReplyMicros = 6'000'000; // each block read waits 5 s
    Bench bench(ModuleKind::Tessel, faults);
    bench.module.setMemory(distinctMemory());
    const TransferResult result = readWholeMemory(bench.protocol, {}, 3);
    // Every reply is late for its own attempt, so none may count: not for the retry of the
    // same block, and not for the next block.
    QVERIFY2(!result.ok(), "a read made of late replies ended in success");
    QCOMPARE(result.status, TransferStatus::LinkFailed);
    QVERIFY2(result.message.contains(QLatin1String("block 0")), qPrintable(result.message));
    QCOMPARE(bench.commands(0, 1), 3);
}

void ExchangesTest::lateBlockReply_isDiscardedAndTheRetryReadsExactly() {
    // A slow module (0.1 s a reply) whose very first reply comes 6.05 s late, in the middle of
    // the read that follows the timed-out attempt.
    SimulatorFaults faults;
    faults.lateReplyMicros = 6'050'000;
    Bench bench(ModuleKind::Tessel, faults, 100'000);
    bench.module.setMemory(distinctMemory());
    bench.clock.callAfter(1, [&] { bench.module.faults().lateReplyMicros = -1; });
    const TransferResult result = readWholeMemory(bench.protocol, {}, 3);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(result.image, EepromImage(distinctMemory()));
}

void ExchangesTest::slowModule_worksWithItsOwnRepliesOnly_data() {
    QTest::addColumn<qint64>("replyDelay");
    QTest::addColumn<bool>("byteAtATime");
    // Later than the first identification attempt waits (1 s), than a link test waits (1.5 s),
    // and than it waits for a late acknowledge.
    QTest::newRow("1.1 s late") << qint64(1'100'000) << false;
    QTest::newRow("2 s late") << qint64(2'000'000) << false;
    QTest::newRow("3 s late") << qint64(3'000'000) << false;
    QTest::newRow("1 s between reply bytes") << qint64(1'000'000) << true;
}

void ExchangesTest::slowModule_worksWithItsOwnRepliesOnly() {
    QFETCH(qint64, replyDelay);
    QFETCH(bool, byteAtATime);
    SimulatorFaults faults;
    faults.byteAtATime = byteAtATime;
    Bench bench(ModuleKind::Threshold, faults, replyDelay);
    // One link test at a time, as a production station looks for a module: the late
    // acknowledge of one must teach the next to wait long enough.
    int tests = 1;
    while (bench.protocol.linkTestRepeated(1) == 0 && tests < 4)
        ++tests;
    QVERIFY2(tests < 4, "the module was never seen");
    const auto identity = bench.protocol.identify(10);
    QVERIFY(identity.has_value());
    QCOMPARE(identity->kind(), 2);
    // The first attempt's late reply teaches the second to wait long enough for its own.
    QVERIFY2(bench.commands(0, 3) <= 2, qPrintable(bench.protocol.pace().describe()));
    // A stale identity reply taken for block 0's confirmation, or a read reply shifted into
    // the next block, would show in the memory.
    QVERIFY(storeWholeMemory(bench.protocol, EepromImage(distinctMemory()), {}).ok());
    QCOMPARE(bench.module.memory(), distinctMemory());
    const TransferResult read = readWholeMemory(bench.protocol, {}, 1);
    QVERIFY2(read.ok(), qPrintable(read.message));
    QCOMPARE(read.image, EepromImage(distinctMemory()));
}

void ExchangesTest::staleReplyTakenByARetry_leavesTheRetrysOwnToBeWaitedOut() {
    // Identity replies 2.5 s late: the first attempt's comes during the second attempt, which
    // takes it (the same six bytes); the second attempt's own then comes in the middle of a
    // slow store (0.2 s a block) unless it is waited for first.
    SimulatorFaults faults;
    faults.lateReplyMicros = 2'500'000;
    Bench bench(ModuleKind::Threshold, faults, 200'000);
    const auto identity = bench.protocol.identify(2);
    QVERIFY(identity.has_value());
    QCOMPARE(identity->kind(), 2);
    const TransferResult stored =
        storeWholeMemory(bench.protocol, EepromImage(distinctMemory()), {});
    QVERIFY2(stored.ok(), qPrintable(stored.message));
    QCOMPARE(bench.module.memory(), distinctMemory());
}

void ExchangesTest::trailingIdentityByte_spoilsTheReply() {
    // Bytes 50 ms apart: six, then a seventh that the first six do not show.
    SimulatorFaults faults;
    faults.byteAtATime = true;
    faults.extraIdentityByte = true;
    Bench chatty(ModuleKind::Tessel, faults, 50'000);
    QVERIFY(!chatty.protocol.identify(3).has_value());
    QCOMPARE(chatty.commands(0, 3), 3);
    const TransferResult stored =
        storeWholeMemory(chatty.protocol, EepromImage(distinctMemory()), {});
    QVERIFY2(stored.ok(), qPrintable(stored.message));
    QCOMPARE(chatty.module.memory(), distinctMemory());

    // Six bytes as slowly, with nothing after them, are a reply.
    faults.extraIdentityByte = false;
    Bench slow(ModuleKind::Threshold, faults, 50'000);
    const auto identity = slow.protocol.identify(1);
    QVERIFY(identity.has_value());
    QCOMPARE(identity->kind(), 2);
}

void ExchangesTest::lateLinkTestAck_endsTheRunButIsNeverTakenLater() {
    // Within a run of link tests a late acknowledge still shows that the module is there.
    SimulatorFaults deaf;
    deaf.ignoreLinkTests = 1000;
    Bench starting(ModuleKind::Tessel, deaf);
    starting.clock.callAfter(1'800'000, [&] { starting.channel.inject(kAck); });
    QCOMPARE(starting.protocol.linkTestRepeated(100), 2);

    // The first test's acknowledge turns up after the run, while a block is being stored
    // that the module never confirms.
    SimulatorFaults faults;
    faults.ignoreLinkTests = 1;
    faults.silentBlock = 0;
    Bench bench(ModuleKind::Tessel, faults);
    QCOMPARE(bench.protocol.linkTestRepeated(100), 2);
    bench.clock.callAfter(1'000'000, [&] { bench.channel.inject(kAck); });
    const TransferResult result =
        storeWholeMemory(bench.protocol, EepromImage(distinctMemory()), {});
    QCOMPARE(result.status, TransferStatus::NotConfirmed);
    QCOMPARE(result.failedBlock, 0);
}

void ExchangesTest::lateAnalogLevel_isNotShownForTheNextInput() {
    SimulatorFaults faults;
    faults.analogDelayMicros = 400'000; // later than the 0.35 s an analog read waits
    Bench bench(ModuleKind::Threshold, faults);
    bench.module.setAnalogLevel(0, 42);
    bench.module.setAnalogLevel(1, 43);
    // Only the first level is too late; the next ones come in 0.1 s, after the late one.
    bench.clock.callAfter(1, [&] { bench.module.faults().analogDelayMicros = 100'000; });
    QCOMPARE(bench.protocol.readAnalog(0), -1);
    QCOMPARE(bench.protocol.readAnalog(1), 43);
    QCOMPARE(bench.protocol.readAnalog(0), 42);
}

void ExchangesTest::lateAnalogLevel_isNotTakenAsAStoreConfirmation() {
    SimulatorFaults faults;
    faults.analogDelayMicros = 400'000;
    faults.silentBlock = 0;
    Bench bench(ModuleKind::Threshold, faults);
    bench.module.setAnalogLevel(3, wire::kAckByte);
    QCOMPARE(bench.protocol.readAnalog(3), -1);
    const TransferResult result =
        storeWholeMemory(bench.protocol, EepromImage(distinctMemory()), {});
    QCOMPARE(result.status, TransferStatus::NotConfirmed);
    QCOMPARE(result.failedBlock, 0);
}

void ExchangesTest::doubleAck_stopsTheStoreAtTheFirstBlock() {
    SimulatorFaults faults;
    faults.doubleAck = true;
    Bench bench(ModuleKind::Tessel, faults);
    const ModuleMemory before = bench.module.memory();
    const TransferResult result =
        storeWholeMemory(bench.protocol, EepromImage(distinctMemory()), {});
    QCOMPARE(result.status, TransferStatus::NotConfirmed);
    QCOMPARE(result.failedBlock, 0);
    QCOMPARE(bench.commands(1, 2), 1);
    QCOMPARE(blockStates(bench.module.memory(), distinctMemory(), before), newUpTo(0));
}

void ExchangesTest::strayAck_makesItsBlockCountAsNotStored_data() {
    QTest::addColumn<int>("block");
    QTest::addColumn<bool>("refused");
    QTest::newRow("before block 0") << 0 << false;
    QTest::newRow("before block 5") << 5 << false;
    QTest::newRow("before block 5, which is refused") << 5 << true;
    QTest::newRow("before block 15, which is refused") << 15 << true;
}

void ExchangesTest::strayAck_makesItsBlockCountAsNotStored() {
    QFETCH(int, block);
    QFETCH(bool, refused);
    SimulatorFaults faults;
    faults.strayByteBeforeBlock = block;
    faults.failBlock = refused ? block : -1;
    Bench bench(ModuleKind::Tessel, faults);
    const ModuleMemory before = bench.module.memory();
    const TransferResult result =
        storeWholeMemory(bench.protocol, EepromImage(distinctMemory()), {});
    QCOMPARE(result.status, TransferStatus::NotConfirmed);
    QCOMPARE(result.failedBlock, block);
    QCOMPARE(bench.commands(1, 2), block + 1);
    QCOMPARE(blockStates(bench.module.memory(), distinctMemory(), before),
             newUpTo(refused ? block - 1 : block));
}

void ExchangesTest::cleanStore_waitsLittleBeyondItsConfirmations() {
    // Watching for extra bytes must not make a store much slower than its confirmations.
    Bench bench(ModuleKind::Tessel);
    QVERIFY(storeWholeMemory(bench.protocol, EepromImage(distinctMemory()), {}).ok());
    QVERIFY(storeWholeMemory(bench.protocol, startImage(), {}).ok());
    const qint64 confirmations = 2 * kBlockCount * 2000;
    QVERIFY2(bench.clock.nowMicros() < confirmations * 5 / 4,
             qPrintable(QString::number(bench.clock.nowMicros())));
}

TESSEL_TEST_OBJECT(ExchangesTest);
#include "test_Exchanges.moc"
