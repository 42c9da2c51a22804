#include "LinkBench.h"
#include "link/SettingsTransfer.h"

#include <QtTest>

using namespace tessel;

using Bench = tessel::test::LinkBench;

class ControllerLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void receive_timesOutAfterExactlyItsPollCount_data();
    void receive_timesOutAfterExactlyItsPollCount();
    void receive_returnsZeroByteAsZeroAndLeavesTheRest();
    void lateByte_staysQueuedForTheNextRead();
    void clearBuffer_emptiesTheQueue();
    void putI_refusesValuesThatAreNotBytes();
    void session_refusesASecondExchange();
    void linkTest_succeedsOnTheHundredthAttempt();
    void identify_retriesWhenSevenBytesArrive();
    void identify_givesUpAfterItsAttemptLimit();
    void readWholeMemory_fillsEveryAddressInOrder();
    void readBlock_retriesWhenSeventeenBytesArrive();
    void store_stopsAtFirstUnconfirmedBlock();
    void store_refusesImageWithEntriesThatAreNotBytes();
    void store_writesEveryBlockWhenConfirmed();
    void droppedLine_endsTransferWithMessage();
};

void ControllerLinkTest::receive_timesOutAfterExactlyItsPollCount_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("polls");
    QTest::newRow("GetI") << 1 << 15000;
    QTest::newRow("GetI2") << 2 << 150000;
    QTest::newRow("GetI3") << 3 << 15000;
    QTest::newRow("GetI4") << 4 << 3500;
}

void ControllerLinkTest::receive_timesOutAfterExactlyItsPollCount() {
    QFETCH(int, which);
    QFETCH(int, polls);
    Bench bench;
    int result = 0;
    switch (which) {
    case 1:
        result = bench.link.GetI();
        break;
    case 2:
        result = bench.link.GetI2();
        break;
    case 3:
        result = bench.link.GetI3();
        break;
    default:
        result = bench.link.GetI4();
        break;
    }
    QCOMPARE(result, -1);
    QCOMPARE(bench.clock.idleCount(), qint64(polls));
    QCOMPARE(bench.clock.nowMicros(), qint64(polls) * 100);
}

void ControllerLinkTest::receive_returnsZeroByteAsZeroAndLeavesTheRest() {
    Bench bench;
    bench.channel.inject(QByteArray("\x00\x07", 2));
    QCOMPARE(bench.link.GetI3(), 0);
    QCOMPARE(bench.channel.bytesAvailable(), qint64(1));
    QCOMPARE(bench.link.GetI(), 7);
    QCOMPARE(bench.clock.idleCount(), qint64(0));
}

void ControllerLinkTest::lateByte_staysQueuedForTheNextRead() {
    // The primitives keep what comes late; deciding whose it is falls to the exchanges.
    Bench bench;
    bench.clock.callAfter(400'000, [&] { bench.channel.inject("*"); });
    QCOMPARE(bench.link.GetI4(), -1);
    QCOMPARE(bench.link.GetI(), int('*'));
}

void ControllerLinkTest::clearBuffer_emptiesTheQueue() {
    Bench bench;
    bench.link.ClearBuffer();
    QCOMPARE(bench.clock.nowMicros(), qint64(0));
    bench.channel.inject("abc");
    bench.link.ClearBuffer();
    QCOMPARE(bench.channel.bytesAvailable(), qint64(0));
}

void ControllerLinkTest::putI_refusesValuesThatAreNotBytes() {
    Bench bench;
    QVERIFY(!bench.link.PutI(256));
    QVERIFY(!bench.link.PutI(-1));
    QVERIFY(bench.channel.written().isEmpty());
    QVERIFY(bench.link.PutI(0));
    QCOMPARE(bench.channel.written(), QByteArray(1, '\0'));
}

void ControllerLinkTest::session_refusesASecondExchange() {
    Bench bench;
    {
        auto first = bench.link.tryBegin();
        QVERIFY(first.has_value());
        QVERIFY(!bench.link.tryBegin().has_value());
    }
    QVERIFY(bench.link.tryBegin().has_value());
}

void ControllerLinkTest::linkTest_succeedsOnTheHundredthAttempt() {
    SimulatorFaults faults;
    faults.ignoreLinkTests = 99;
    Bench bench(ModuleKind::Tessel, faults);
    QCOMPARE(bench.protocol.linkTestRepeated(100), 100);

    faults.ignoreLinkTests = 100;
    Bench silent(ModuleKind::Tessel, faults);
    QCOMPARE(silent.protocol.linkTestRepeated(100), 0);
    QCOMPARE(silent.commandsStartingWith(0, 2), 100);
}

void ControllerLinkTest::identify_retriesWhenSevenBytesArrive() {
    SimulatorFaults faults;
    faults.extraIdentityByte = true;
    Bench bench(ModuleKind::Tessel, faults);
    QVERIFY(!bench.protocol.identify(3).has_value());
    QCOMPARE(bench.commandsStartingWith(0, 3), 3);
    // Each attempt waits its full second before trying again.
    QCOMPARE(bench.clock.nowMicros(), qint64(3) * 10000 * 100);

    Bench good(ModuleKind::Threshold);
    const auto reply = good.protocol.identify(std::nullopt);
    QVERIFY(reply.has_value());
    QCOMPARE(reply->moduleKind(), std::optional(ModuleKind::Threshold));
    QCOMPARE(reply->releaseYearCode(), 208);
}

void ControllerLinkTest::identify_givesUpAfterItsAttemptLimit() {
    SimulatorFaults faults;
    faults.neverIdentify = true;
    Bench bench(ModuleKind::Tessel, faults);
    QVERIFY(!bench.protocol.identify(10).has_value());
    QCOMPARE(bench.commandsStartingWith(0, 3), 10);
}

void ControllerLinkTest::readWholeMemory_fillsEveryAddressInOrder() {
    Bench bench(ModuleKind::Tessel);
    ModuleMemory memory{};
    for (int a = 0; a < kImageSize; ++a)
        memory[a] = static_cast<quint8>(255 - a);
    bench.module.setMemory(memory);
    QList<int> progress;
    const auto result = readWholeMemory(bench.protocol, [&](int a) { progress << a; });
    QVERIFY(result.ok());
    QCOMPARE(result.image, EepromImage(memory));
    QCOMPARE(progress.size(), 256);
    QCOMPARE(progress.last(), 255);
    QCOMPARE(bench.commandsStartingWith(0, 1), 16);
    QCOMPARE(bench.module.commands().back(), wire::readConfigBlock(15));
}

void ControllerLinkTest::readBlock_retriesWhenSeventeenBytesArrive() {
    Bench bench(ModuleKind::Tessel, {}, 1000);
    // A stray byte lands together with the first reply: 17 bytes, never exactly 16.
    bench.clock.callAfter(1000, [&] { bench.channel.inject("x"); });
    const auto block = bench.protocol.readBlock(0, 2);
    QVERIFY(block.has_value());
    QCOMPARE((*block)[1], quint8(19));
    QCOMPARE(bench.commandsStartingWith(0, 1), 2);
}

void ControllerLinkTest::store_stopsAtFirstUnconfirmedBlock() {
    SimulatorFaults faults;
    faults.silentBlock = 0;
    Bench bench(ModuleKind::Tessel, faults);
    const auto result = storeWholeMemory(bench.protocol, startImage(), {});
    QCOMPARE(result.status, TransferStatus::NotConfirmed);
    QCOMPARE(result.message, QStringLiteral("Error Storing Data"));
    QCOMPARE(result.failedBlock, 0);
    QCOMPARE(bench.commandsStartingWith(1, 2), 1);
    QCOMPARE(bench.clock.idleCount(), qint64(150000));
}

void ControllerLinkTest::store_refusesImageWithEntriesThatAreNotBytes() {
    Bench bench;
    EepromImage image = startImage();
    image.setValue(211, 256);
    image.setValue(19, -3);
    const auto result = storeWholeMemory(bench.protocol, image, {});
    QCOMPARE(result.status, TransferStatus::Refused);
    QVERIFY(result.message.contains("address 19 = -3"));
    QVERIFY(result.message.contains("address 211 = 256"));
    QVERIFY(bench.channel.written().isEmpty());
}

void ControllerLinkTest::store_writesEveryBlockWhenConfirmed() {
    Bench bench;
    EepromImage image = startImage();
    image.setValue(12, 30);
    QVERIFY(storeWholeMemory(bench.protocol, image, {}).ok());
    QCOMPARE(EepromImage(bench.module.memory()), image);
    QCOMPARE(bench.commandsStartingWith(1, 2), 16);
}

void ControllerLinkTest::droppedLine_endsTransferWithMessage() {
    SimulatorFaults faults;
    faults.dropAfterCommands = 5;
    Bench bench(ModuleKind::Tessel, faults);
    const auto read = readWholeMemory(bench.protocol, {});
    QCOMPARE(read.status, TransferStatus::LinkFailed);
    QVERIFY2(read.message.contains("lost"), qPrintable(read.message));
}

QTEST_GUILESS_MAIN(ControllerLinkTest)
#include "test_ControllerLink.moc"
