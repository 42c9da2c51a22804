// SPDX-License-Identifier: Apache-2.0
// The commands against modules whose line misbehaves: refused blocks, noise, bytes doubled,
// a line that drops. What the module holds afterwards is read from tessel-modsim's dump.

#include "EndToEndSupport.h"
#include "support/TestMain.h"

#include <algorithm>

using namespace tessel;
using namespace tessel::e2e;

namespace {
QByteArray bytesOf(const ModuleMemory &memory) {
    return {reinterpret_cast<const char *>(memory.data()), kImageSize};
}
} // namespace

class LineFaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void faultyLine_exitStatusSaysWhatTheModuleHolds_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");     // in standard output, then error; %port is the port
        QTest::addColumn<QByteArray>("holds"); // the module's memory afterwards
        const ModuleMemory factory = factoryMemory(ModuleKind::Tessel);
        const ModuleMemory wanted = everyByteValue(false);
        ModuleMemory shifted = wanted; // store7+9, the tenth byte of block 7's store, came twice:
        std::copy_backward(shifted.begin() + 118, shifted.begin() + 127, shifted.begin() + 128);
        // The kind byte of an identity reply flipped: 1 would read as the unknown kind 3.
        QTest::newRow("identify, the kind flipped once: two replies agree")
            << "identify" << QStringList{"--flip-out", "identify+0:1"} << 0
            << "Tessel module, ZigBee radio" << bytesOf(factory);
        QTest::newRow("identify, the kind different every time")
            << "identify" << QStringList{"--flip-out", "identify+0:1,identify#2+0:2,identify#3+0:3"}
            << 1 << "identification came back different each of the 3 times" << bytesOf(factory);
        // The module would take the 02 left over with the next link test's 00, and so on.
        QTest::newRow("read, the first byte lost on its way")
            << "read" << QStringList{"--drop-in", "0"} << 0 << profileOf(factory) + '\n'
            << bytesOf(factory);
        // 00 02 became 01 02: the realignment's 255 is taken for the block number, and the
        // module's 88 for the link test's late acknowledge.
        QTest::newRow("write, a link test turned into the start of a store")
            << "write" << QStringList{"--flip-in", "0:0"} << 0 << "Stored and verified all 256"
            << bytesOf(wanted);
        const QString garbledStore =
            "tessel-config: %1: The line turned a command into the start of a block store, and "
            "the module confirmed that store when it was ended with bytes that start no command. "
            "Its block number was 255, which names no block, so no block should have changed; "
            "read the module again to be sure.\n";
        // 00 01 02 became 01 01 02, and the module took 01 02 for a store's start: the read is
        // whole and checked, but the run is not clean.
        QTest::newRow("read, a read turned into the start of a store")
            << "read" << QStringList{"--flip-in", "read2+0:0"} << 4
            << profileOf(factory) + "\n" + garbledStore.arg("%port") << bytesOf(factory);
        // Worse statuses stand: a list that cannot be trusted, an output cut short.
        QTest::newRow("diff, a read turned into the start of a store")
            << "diff" << QStringList{"--flip-in", "read2+0:0"} << 2 << garbledStore.arg("%port")
            << bytesOf(factory);
        QTest::newRow("read onto a full disk, a read turned into the start of a store")
            << "read >/dev/full" << QStringList{"--flip-in", "read2+0:0"} << 2
            << garbledStore.arg("%port") +
                   "tessel-config: cannot write standard output: No space left on device\n"
            << bytesOf(factory);
        // Input 2's 02 02 became 01 02 on a Threshold module, in the first pass of its monitor.
        QTest::newRow("monitor, a reading turned into the start of a store")
            << "monitor" << QStringList{"--flip-in", "analog2+0:0,analog2+0:1"} << 4
            << garbledStore.arg("%port") << bytesOf(factoryMemory(ModuleKind::Threshold));
        // 00 01 02 became 01 01 02, and the module took 01 02 for a store's start: the read
        // for the backup saw the module confirm it, so the backup is not vouched for.
        QTest::newRow("write, a read for the backup turned into the start of a store, block 9 "
                      "refused")
            << "write" << QStringList{"--flip-in", "read2+0:0", "--fail-block", "9"} << 3
            << " was read after the line garbled a command into a store, so it may already hold "
               "a changed block: it is the memory as it was read then, not surely as it was "
               "before that.\n"
            << bytesOf(storedUpTo(wanted, factory, 9));
        QTest::newRow("read, block 3 different every time")
            << "read" << QStringList{"--flip-out", "read3+0,read3#2+1,read3#3+2"} << 1
            << "The line is unreliable: block 3 " << bytesOf(factory);
        QTest::newRow("read, block 3 different once: a third read settles it")
            << "read" << QStringList{"--flip-out", "read3+0"} << 0 << profileOf(factory) + '\n'
            << bytesOf(factory);
        // Reads 1 and 2 of block 0 are the backup's, 3 and 4 the read-back's.
        QTest::newRow("write, the same bit flipped in both reads back")
            << "write" << QStringList{"--flip-out", "read0#3+0,read0#4+0"} << 0
            << "Stored and verified" << bytesOf(wanted);
        // A link test and two identifications are the first three commands; the ninth is
        // mid-transfer. diff keeps 1 for "differs": a module it could not read is trouble. A
        // lost line is the whole reason: no read attempts are counted for it.
        QTest::newRow("diff, line lost while reading")
            << "diff" << QStringList{"--drop-after", "4"} << 2
            << "was lost: the device disappeared or stopped working.\n"
            << bytesOf(factory);
        QTest::newRow("write, line lost")
            << "write" << QStringList{"--drop-after", "9"} << 1 << "lost" << bytesOf(factory);
        QTest::newRow("write, a byte doubled in block 7's store")
            << "write" << QStringList{"--double-in", "store7+9"} << 3
            << "Block 7 (addresses 112 to 127) holds neither the old nor the new settings"
            << bytesOf(shifted);
        QTest::newRow("write, a byte doubled in block 7's store, block 9 refused")
            << "write" << QStringList{"--double-in", "store7+9", "--fail-block", "9"} << 3
            << "Read again after the store:\n"
               "Blocks 0 to 6 (addresses 0 to 111) hold the new settings.\n"
               "Block 7 (addresses 112 to 127) holds neither the old nor the new settings: "
               "the line changed what was sent.\n"
               "Block 8 (addresses 128 to 143) holds the new settings.\n"
               "Blocks 9 to 14 (addresses 144 to 239) hold the old settings." // 15 is both
            << bytesOf(storedUpTo(shifted, factory, 9));
    }

    void faultyLine_exitStatusSaysWhatTheModuleHolds() {
        QFETCH(QString, command); // "> FILE" after it: standard output into FILE
        QFETCH(QStringList, faults);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFETCH(QByteArray, holds);
        const bool monitor = command == QLatin1String("monitor");
        SimulatedModule module(m_dir, monitor ? ModuleKind::Threshold : ModuleKind::Tessel,
                               fast() + faults);
        Invocation how({});
        how.outputFile = command.section(QLatin1String(" >"), 1);
        command = command.section(QLatin1Char(' '), 0, 0);
        QStringList &arguments = how.arguments;
        arguments = QStringList{command, "--port", module.port()};
        if (monitor)
            arguments << "--inputs"
                      << "2"
                      << "--interval"
                      << "0"
                      << "--duration"
                      << "1";
        if (command == QLatin1String("write") || command == QLatin1String("diff"))
            arguments << writeProfile(m_dir, "p.txt", profileOf(everyByteValue(false)));
        const Outcome o = runConfig(how, 30000); // a busy machine may take its time
        CHECK_EXIT(o, exitCode);
        said.replace(QLatin1String("%port"), module.port());
        QVERIFY2((o.out + o.err).contains(said), qPrintable(describeRun(o)));
        QCOMPARE(bytesOf(module.memory()), holds);
        // A read or diff that failed leaves nothing a script could take for its answer; one that
        // was whole, but not clean, gives its answer and says why not.
        if (command != QLatin1String("write") && exitCode != 0 && !said.contains("block store"))
            QVERIFY(o.out.isEmpty());
        // What a store saved first is what the module held.
        static const QRegularExpression saved(QStringLiteral("saved in (.*)\\.\n"));
        if (const QRegularExpressionMatch match = saved.match(o.out); match.hasMatch()) {
            QCOMPARE(memoryIn(QString::fromLatin1(contents(match.captured(1)))),
                     std::optional(factoryMemory(ModuleKind::Tessel)));
        }
    }

private:
    QTemporaryDir m_dir;
};

TESSEL_TEST_OBJECT(LineFaultsTest);
#include "test_LineFaults.moc"
