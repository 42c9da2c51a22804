// SPDX-License-Identifier: Apache-2.0
// The exchanges with a module on the virtual clock: their waits and retries,
// and that a reply counts only for the exchange that asked for it (late
// replies, trailing bytes and stray acknowledges are never taken for another
// exchange).

#include "link/protocol/SettingsTransfer.h"
#include "link/protocol/WireTrace.h"
#include "support/SimulatedLine.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace tessel;
using Bench = tessel::testing::SimulatedLine;
using tessel::testing::descending;

namespace {

enum Before { Nothing, LinkTest, AnalogLevel, StrayAfterWatch };

} // namespace

class ExchangesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The window keeps the last exchanges and session steps as they came, and makes them the
    // trace's text, in local time, only when asked.
    void traceLog_keepsTheLastLinesAsText() {
        TraceLog log(2);
        const QTime before = QTime::currentTime();
        traceExchange({QStringLiteral("link test"), QByteArray("\x00\x02", 2), QByteArray("X"),
                       1200, 1, WireExchange::End::Answered});
        traceSession(QStringLiteral("read started"));
        traceExchange({QStringLiteral("read block 3"),
                       QByteArray("\x00\x01\x03", 3),
                       {},
                       150'000,
                       2,
                       WireExchange::End::TimedOut});
        const QTime after = QTime::currentTime();
        QStringList lines = log.kept();
        for (QString &line : lines) {
            const QTime at = QTime::fromString(line.left(12), QStringLiteral("HH:mm:ss.zzz"));
            QVERIFY2((before <= at && at <= after) || after < before, qPrintable(line));
            line.remove(0, 13);
        }
        QCOMPARE(lines, QStringList({QStringLiteral("read started"),
                                     QStringLiteral("read block 3 -> 00 01 03 <- nothing "
                                                    "(150.0 ms) attempt 2 time-out")}));
    }

    void store_refusesImageWithEntriesThatAreNotBytes() {
        Bench bench(ModuleKind::Tessel);
        EepromImage image = startImage();
        image.setValue(211, 256);
        image.setValue(19, -3);
        const auto result = storeWholeMemory(bench.protocol, image, {});
        QCOMPARE(result.status, TransferStatus::Refused);
        QVERIFY2(result.message.contains("address 19 = -3, address 211 = 256"),
                 qPrintable(result.message));
        QVERIFY(bench.channel.written().isEmpty());
    }

    void blockRead_behindANoiseByteIsRetried() {
        // Sixteen show first, the seventeenth while they are read: only the byte
        // behind them tells that the sixteen are one noise byte and fifteen of the
        // reply.
        Bench bench(ModuleKind::Tessel, {}, 1000);
        bench.clock.callAfter(1000, [&] { bench.channel.inject("x"); });
        bench.delivery.holdBackBeyond(kBlockSize);
        const auto block = bench.protocol.readBlock(1, 2);
        QVERIFY(block.has_value());
        QCOMPARE(*block, *EepromImage(bench.module.memory()).block(1));
        QCOMPARE(bench.commands(0, 1), 2);
    }

    void analogRead_takesALoneReplyOfAnInputTheModuleHas() {
        // The first reply comes twice: which byte is the level cannot be told, and the second is
        // taken by no later read.
        SimulatorFaults faults;
        faults.spots = {{LineFault::Double, LineDirection::FromModule, "analog15"}};
        Bench bench(ModuleKind::Threshold, faults);
        bench.module.setAnalogLevel(15, 200);
        QCOMPARE(bench.protocol.readAnalog(15), -1);
        QCOMPARE(bench.protocol.readAnalog(15), 200);
        QCOMPARE(bench.protocol.readAnalog(16), -1);
        QCOMPARE(bench.protocol.readAnalog(-1), -1);
        QCOMPARE(bench.module.commands().size(), std::size_t(2));
    }

    void lateReadReplies_countForNoOtherRead() {
        // Every reply comes after its read gave up: one taken by a retry would leave the retry's
        // own reply to fill the next block.
        SimulatorFaults faults;
        faults.lateReplyMicros = 6'000'000;
        Bench bench(ModuleKind::Tessel, faults, 1000);
        const TransferResult result = readWholeMemory(bench.protocol, {}, 3);
        QCOMPARE(result.status, TransferStatus::LinkFailed);
        QVERIFY2(result.message.contains(QLatin1String("block 0")), qPrintable(result.message));
        QCOMPARE(bench.commands(0, 1), 3);
    }

    void slowModule_worksWithItsOwnRepliesOnly_data() {
        QTest::addColumn<SimulatorFaults>("faults");
        QTest::addColumn<qint64>("replyDelay");
        QTest::addColumn<int>("attempts"); // to identify it
        QTest::addColumn<bool>("identified");
        // Later than the first identification attempt waits (1 s), than a link test
        // waits (1.5 s), and than it waits for a late acknowledge.
        SimulatorFaults f;
        QTest::newRow("1.1 s late") << f << qint64(1'100'000) << 2 << true;
        QTest::newRow("3 s late") << f << qint64(3'000'000) << 2 << true;
        f.byteAtATime = true;
        QTest::newRow("1 s between reply bytes") << f << qint64(1'000'000) << 2 << true;
        // Bytes 50 ms apart: six, then a seventh that the first six do not show.
        f.extraIdentityByte = true;
        QTest::newRow("a seventh identity byte") << f << qint64(50'000) << 3 << false;
        // The first attempt's identity reply comes during the second attempt, which
        // takes it (the same six bytes); the second's own would then come in the
        // middle of the store (0.2 s a block) unless it is waited for first.
        f = {};
        f.lateReplyMicros = 2'500'000;
        QTest::newRow("identity 2.5 s late") << f << qint64(200'000) << 2 << true;
    }

    void slowModule_worksWithItsOwnRepliesOnly() {
        QFETCH(SimulatorFaults, faults);
        QFETCH(qint64, replyDelay);
        QFETCH(int, attempts);
        QFETCH(bool, identified);
        Bench bench(ModuleKind::Threshold, faults, replyDelay);
        // One link test at a time, as a production station looks for a module: the
        // late acknowledge of one must teach the next to wait long enough.
        int tests = 1;
        while (bench.protocol.linkTestRepeated(1) == 0 && tests < 4)
            ++tests;
        QVERIFY2(tests < 4, "the module was never seen");
        const auto identity = bench.protocol.identify(identified ? 10 : attempts);
        QCOMPARE(identity.has_value() && identity->kind() == 2, identified);
        // The first attempt's late reply teaches the second to wait long enough for
        // its own.
        QVERIFY2(bench.commands(0, 3) <= attempts, qPrintable(bench.protocol.pace().describe()));
        // A stale identity reply taken for block 0's confirmation, or a read reply
        // shifted into the next block, would show in the memory.
        const TransferResult stored = storeWholeMemory(bench.protocol, descending(), {});
        QVERIFY2(stored.ok(), qPrintable(stored.message));
        QCOMPARE(EepromImage(bench.module.memory()), descending());
        const TransferResult read = readWholeMemory(bench.protocol, {}, 1);
        QVERIFY2(read.ok(), qPrintable(read.message));
        QCOMPARE(read.image, descending());
    }

    void unconfirmedStore_endsAtItsBlock_data() {
        QTest::addColumn<SimulatorFaults>("faults");
        QTest::addColumn<int>("before");     // what was asked before the store
        QTest::addColumn<int>("block");      // the block the store ends at
        QTest::addColumn<int>("lastStored"); // the last block that holds what was stored
        SimulatorFaults f;
        f.doubleAck = true;
        QTest::newRow("double acknowledge") << f << int(Nothing) << 0 << 0;
        for (const auto &[block, refused] : {std::pair{0, false}, {5, false}, {15, true}}) {
            f = {};
            f.strayByteBeforeBlock = block;
            f.failBlock = refused ? block : -1;
            QTest::addRow("stray 88 before block %d%s", block, refused ? ", refused" : "")
                << f << int(Nothing) << block << (refused ? block - 1 : block);
        }
        // An 88 after block 5's confirmation was watched for, before block 6 is sent:
        // that confirmation was not alone, and it counts for no other block.
        QTest::newRow("stray 88 after block 5's watch")
            << SimulatorFaults{} << int(StrayAfterWatch) << 5 << 5;
        // Replies that come after their exchange gave up, into a store that is never
        // confirmed.
        f = {};
        f.silentBlock = 0;
        f.ignoreLinkTests = 1;
        QTest::newRow("late link-test acknowledge") << f << int(LinkTest) << 0 << -1;
        f.analogDelayMicros = 400'000; // later than the 0.35 s an analog read waits
        QTest::newRow("late analog level of 88") << f << int(AnalogLevel) << 0 << -1;
    }

    void unconfirmedStore_endsAtItsBlock() {
        QFETCH(SimulatorFaults, faults);
        QFETCH(int, before);
        QFETCH(int, block);
        QFETCH(int, lastStored);
        Bench bench(ModuleKind::Threshold, faults);
        EepromImage expected(bench.module.memory());
        if (before == LinkTest) {
            QCOMPARE(bench.protocol.linkTestRepeated(100), 2);
            bench.clock.callAfter(
                1'000'000, [&] { bench.channel.inject(QByteArray(1, char(wire::kAckByte))); });
        } else if (before == AnalogLevel) {
            bench.module.setAnalogLevel(3, wire::kAckByte);
            QCOMPARE(bench.protocol.readAnalog(3), -1);
        } else if (before == StrayAfterWatch) {
            bench.delivery.strayAfterRead(block + 1); // the confirmations of blocks 0 to `block`
        }
        const TransferResult result = storeWholeMemory(bench.protocol, descending(), {});
        QCOMPARE(result.status, TransferStatus::NotConfirmed);
        QCOMPARE(result.failedBlock, block);
        QCOMPARE(bench.commands(1, 2), block + 1);
        // The blocks up to lastStored hold what was stored, the others what they held.
        for (int a = 0; a < (lastStored + 1) * kBlockSize; ++a)
            expected.setValue(a, descending().value(a));
        QCOMPARE(EepromImage(bench.module.memory()), expected);
    }
};

TESSEL_TEST_OBJECT(ExchangesTest);
#include "test_Exchanges.moc"
