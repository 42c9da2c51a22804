// SPDX-License-Identifier: Apache-2.0
// `tessel-config program` against several tessel-modsim modules at once, over pseudo-terminals
// and TCP, with the record file read back line by line; and every way a signal or a closed
// pipe ends a store, `write`'s as well as `program`'s.

#include "EndToEndSupport.h"
#include "session/StoreReport.h"
#include "session/production/ModuleRecord.h"
#include "support/FileSizeLimit.h"
#include "support/TestMain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>

using namespace tessel;
using namespace tessel::e2e;

namespace {

constexpr int kRunBoundMs = 60000;
// For a run to end once signalled: well below the minute of a reply wait.
constexpr int kEndBoundMs = 20000;
// A module taken out of a jig is said to be gone within a second; on a computer busy with
// other tests, within this.
constexpr int kSeenWithinMs = 2000;

// Every address a value of its own, so that a block stored or not shows in the memory.
const ModuleMemory kProfile = everyByteValue(true);

// The record file's lines after the header, by port; empty unless it holds exactly
// `expectedLines` records of nine fields.
QMap<QString, QStringList> recordsByPort(const QString &path, qsizetype expectedLines) {
    const QStringList lines = QString::fromUtf8(contents(path)).split('\n');
    if (lines.value(0) != recordHeader() || lines.size() != expectedLines + 2 ||
        !lines.last().isEmpty())
        return {};
    QMap<QString, QStringList> byPort;
    for (const QString &line : lines.mid(1, expectedLines)) {
        const QStringList fields = line.split(',');
        if (fields.size() != 9)
            return {};
        byPort.insert(fields.at(1), fields);
    }
    return byPort;
}

} // namespace

class ProductionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_profile = writeProfile(m_dir, "profile.txt", profileOf(kProfile) + '\n');
        QVERIFY(!m_profile.isEmpty());
    }

    void mixedBench_programsEachPortOnItsOwnAndRecordsEveryModule() {
        const ModuleMemory factory = factoryMemory(ModuleKind::Tessel);
        ModuleMemory flipped = kProfile;
        flipped[7 * kBlockSize + 9] ^= 4;
        struct Station {
            QString record; // kind, firmware, release year, result, blocks that differ
            QStringList faults;
            std::optional<ModuleMemory> holds;
        };
        const Station stations[] = {
            // Slow, so that every other module has its record before the second ok ends the run.
            {"tessel,3,2008,ok,", {"--reply-delay-us", "50000"}, kProfile},
            {"tessel,3,2008,ok,", {"--tcp", "0", "--reply-delay-us", "50000"}, kProfile},
            {"threshold,3,2008,wrong-kind,", {}, factoryMemory(ModuleKind::Threshold)},
            {"tessel,3,2008,store-failed,",
             {"--fail-block", "5"},
             storedUpTo(kProfile, factory, 5)},
            // Answers the link test, but its identity reply has a seventh byte behind the six: it
            // may well be of the kind asked for, so it is never "wrong-kind".
            {"unidentified,,,unidentified,", {"--extra-identity-byte"}, factory},
            // Confirms every block, but holds bit 2 of block 7's tenth byte turned over.
            {"tessel,3,2008,verify-failed,7", {"--flip-in", "store7+12:2"}, flipped},
            // Link test, identification (two replies), 22 block reads, then the line drops.
            {"tessel,3,2008,link-lost,", {"--drop-after", "25"}, std::nullopt},
            // Stores every block, but block 3 reads back different each time (reads 1 and 2
            // are the backup's): the store is not verified, though the module is still there.
            {"tessel,3,2008,verify-failed,",
             {"--flip-out", "read3#3+0,read3#4+1,read3#5+2"},
             kProfile},
        };
        std::vector<std::unique_ptr<SimulatedModule>> modules;
        for (const Station &s : stations) {
            const bool threshold = s.record.startsWith(QLatin1String("threshold"));
            modules.push_back(
                module(threshold ? ModuleKind::Threshold : ModuleKind::Tessel, s.faults));
        }
        QVERIFY2(modules[1]->port().startsWith("tcp://127.0.0.1:"), qPrintable(modules[1]->port()));
        const QString record = m_dir.filePath(QStringLiteral("mixed.csv"));
        QList<const SimulatedModule *> ports;
        for (const auto &m : modules)
            ports << m.get();
        const Outcome run =
            runConfig(program(ports, {"--count", "2", "--record", record}), kRunBoundMs);
        // Modules were tried and not programmed: not every started module ended ok.
        CHECK_EXIT(run, 3);
        QVERIFY2(run.out.contains("Totals: 2 ok, 5 failed, 1 refused"),
                 qPrintable(describeRun(run)));
        const auto records = recordsByPort(record, std::size(stations));
        QVERIFY2(records.size() == qsizetype(std::size(stations)), contents(record).constData());
        for (size_t i = 0; i < std::size(stations); ++i) {
            QCOMPARE(records.value(modules[i]->port()).mid(2, 5).join(','), stations[i].record);
            if (stations[i].holds)
                QCOMPARE(modules[i]->memory(), *stations[i].holds);
        }
        // Each module programmed has its former memory saved, as the factory left it; a module of
        // the other kind is not touched, so nothing of it is saved.
        QCOMPARE(
            memoryIn(QString::fromLatin1(contents(records.value(modules[0]->port()).value(7)))),
            factory);
        QCOMPARE(records.value(modules[2]->port()).value(7), QString());
        QVERIFY2(run.err.contains(modules[6]->port() + ": The connection on "),
                 qPrintable(run.err));
        // The staff learn what the failed module holds (in the words of every store's account).
        const QString failed = modules[3]->port();
        for (const QString &said :
             {failed + ": FAILED (store-failed): Error Storing Data",
              QStringLiteral("Blocks 0 to 4 (addresses 0 to 79) hold the new")})
            QVERIFY2(run.out.contains(said), qPrintable(said + '\n' + run.out));

        // A second run appends below the same header; nothing before is rewritten. The module
        // that holds the profile already is neither stored to again nor counted as a new one,
        // and its port shows it done, not failed.
        const QByteArray first = contents(record);
        const auto fresh = module(ModuleKind::Tessel);
        RUN_CONFIG(again, 0,
                   program({modules[0].get(), fresh.get()},
                           {"--count", "1", "--record", record, "--json"}),
                   kRunBoundMs);
        QMap<QString, QStringList> events; // by port, a progress event with its phase and block
        for (const QString &line : again.out.split('\n', Qt::SkipEmptyParts)) {
            const QJsonObject e = QJsonDocument::fromJson(line.toUtf8()).object();
            events[e.value("port").toString()]
                << QStringList{e.value("event").toString(), e.value("phase").toString(),
                               e.contains("block") ? QString::number(e.value("block").toInt()) : ""}
                       .join(' ')
                       .trimmed();
        }
        QCOMPARE(events.value(modules[0]->port()),
                 (QStringList{"waiting", "identified", "module", "done"}));
        QStringList programmed{"waiting", "identified"};
        for (const QString phase : {"programming", "verifying"})
            for (int block = 0; block < kBlockCount; ++block)
                programmed << QStringLiteral("progress %1 %2").arg(phase).arg(block);
        programmed << "module"
                   << "done";
        QCOMPARE(events.value(fresh->port()), programmed);
        QVERIFY2(
            again.out.endsWith("{\"event\":\"totals\",\"schemaVersion\":1,\"totals\":{"
                               "\"alreadyProgrammed\":1,\"failed\":0,\"ok\":1,\"refused\":0}}\n"),
            qPrintable(again.out));
        QVERIFY(contents(record).startsWith(first));
        // Two lines more; of a port's two records, the later one is kept.
        QCOMPARE(recordsByPort(record, std::size(stations) + 2).value(modules[0]->port()).mid(5, 3),
                 (QStringList{"already-programmed", "", ""}));
    }

    void signalOrClosedPipe_endsKnowingWhatTheModuleHolds() {
        // Runs side by side, each ended its own way. Replies 100 ms apart: a store takes 1.6 s and
        // the read before program's twice as long, so that the signals land where they are meant
        // to even on a busy machine. Each program run has a port beside whose module never
        // answers, and waits at least a minute for each reply: a run that waited out that port's
        // link test would not end within the bound.
        enum class When { Identified, Storing, Programmed };
        enum class Holds { Before, UpToTheStop, Profile };
        struct Ending {
            QString command; // write (without backup: its store starts at once) or program
            When when;
            QList<int> sent; // signals, 100 ms apart
            int exitCode;
            QString result; // in program's record
            Holds holds;
            QString replyDelayUs = "100000";
            QList<int> ignored = {}; // from the start, as nohup does
        };
        const Ending endings[] = {
            // A write's store starts at once: slower, so that it is still under way when the
            // runs after it have started.
            {"write", When::Storing, {SIGINT}, 130, "", Holds::UpToTheStop, "300000"},
            {"write", When::Storing, {SIGTERM}, 143, "", Holds::UpToTheStop, "300000"},
            // Started under nohup: the hang-up it ignores does not end it.
            {"write", When::Storing, {SIGHUP}, 0, "", Holds::Profile, "100000", {SIGHUP}},
            // program finishes the module in progress on the first Ctrl-C; a second one stops it.
            {"program", When::Identified, {SIGINT, SIGINT}, 3, "stopped", Holds::Before},
            {"program", When::Storing, {SIGINT}, 0, "ok", Holds::Profile},
            {"program", When::Storing, {SIGINT, SIGINT}, 3, "store-failed", Holds::UpToTheStop},
            {"program", When::Storing, {SIGHUP}, 129, "store-failed", Holds::UpToTheStop},
            // program --json | head -n 2: the reader goes long before the module is programmed.
            {"program", When::Storing, {}, 141, "ok", Holds::Profile, "300"},
            // A module the operator has not yet taken out still answers: it is programmed once.
            {"program", When::Programmed, {SIGINT}, 0, "ok", Holds::Profile, "300"},
        };
        std::vector<std::unique_ptr<SimulatedModule>> modules, idle;
        std::vector<std::unique_ptr<ConfigRun>> runs;
        QStringList records;
        for (const Ending &e : endings) {
            modules.push_back(
                module(ModuleKind::Tessel, {"--reply-delay-us", e.replyDelayUs, "--log-commands"}));
            records << m_dir.filePath(QStringLiteral("ended-%1.csv").arg(records.size()));
            Invocation how({"write", "--no-backup", "--port", modules.back()->port(), m_profile});
            if (e.command == QLatin1String("program")) {
                idle.push_back(module(ModuleKind::Tessel, {"--ignore-link-tests", "1000000"}));
                how = program({modules.back().get(), idle.back().get()},
                              {"--record", records.last(), "--json", "--reply-wait", "60000"});
            }
            how.outputReaderLines = e.sent.isEmpty() ? 2 : -1;
            how.ignored = e.ignored;
            runs.push_back(std::make_unique<ConfigRun>(how));
        }
        const ModuleMemory before = factoryMemory(ModuleKind::Tessel);
        QElapsedTimer waited;
        waited.start();
        for (size_t i = 0; i < std::size(endings); ++i) {
            const auto reached = [&, when = endings[i].when] {
                if (when == When::Storing)
                    return modules[i]->memory() != before;
                return runs[i]->nextLine(20).contains(when == When::Identified ? "\"identified\""
                                                                               : "\"module\"");
            };
            while (waited.elapsed() < 20000 && !reached())
                QTest::qWait(20);
            // Two link tests after the read-back: the module was checked for removal and stays.
            for (int tests = 0, read15 = 0; endings[i].when == When::Programmed && tests < 2;) {
                const QString command = modules[i]->nextCommand();
                QVERIFY2(!command.isEmpty(), "the module was not checked for its removal");
                read15 += command == QLatin1String("read15");
                tests += read15 == 4 && command == QLatin1String("link-test");
            }
            for (const int signal : endings[i].sent) {
                runs[i]->sendSignal(signal);
                QTest::qWait(100);
            }
        }
        static const QRegularExpression stopped(QStringLiteral("stopped after block (\\d+)"));
        for (size_t i = 0; i < std::size(endings); ++i) {
            const Ending &e = endings[i];
            const Outcome o = runs[i]->finish(kEndBoundMs);
            CHECK_EXIT(o, e.exitCode);
            if (e.command == QLatin1String("program"))
                CHECK_SCHEMA("program-event", o);
            if (!e.result.isEmpty())
                QCOMPARE(recordsByPort(records[i], 1).value(modules[i]->port()).value(5), e.result);
            if (e.holds != Holds::UpToTheStop) {
                QCOMPARE(modules[i]->memory(), e.holds == Holds::Profile ? kProfile : before);
                continue;
            }
            // The operator is told where the store stopped, and the module holds exactly that.
            const QRegularExpressionMatch match = stopped.match(o.out + o.err);
            const int last = match.captured(1).toInt();
            QVERIFY2(match.hasMatch() && last < kBlockCount - 1, qPrintable(describeRun(o)));
            QCOMPARE(modules[i]->memory(), storedUpTo(kProfile, before, last + 1));
        }
    }

    void jig_seesEverySwapAndTellsOfEachModuleOnItsOwn() {
        // Jigs where the technician takes each module out 0.3 s after the program is done with
        // it and puts the next one in after a gap, or pulls one out while block 7 is being stored;
        // with one adapter for the jig, or one that goes with each module. The jig takes out only
        // modules whose store ended, so a swap that is missed leaves the run short of its count.
        // Each module taken out must hold the profile, its port must say so within a second, and
        // each record must tell of that module alone.
        struct Jig {
            int ports;
            QStringList options; // tessel-modsim's, for each port
            int count;
            QString firstResult; // of each port's first module; the others end ok
            int firstHolds;      // blocks of the profile the first module holds when taken out
        };
        const QStringList oneSecond{"--swap-after-ms", "300", "--swap-gap-ms", "1000"};
        const Jig jigs[] = {
            {8, oneSecond, 64, "ok", kBlockCount},
            // Quicker than two checks: one goes unanswered, and what answers next is new.
            {1, {"--swap-after-ms", "300", "--swap-gap-ms", "300"}, 4, "ok", kBlockCount},
            {1, QStringList{"--unplug"} + oneSecond, 3, "ok", kBlockCount},
            {1, {"--pull-out-at", "7", "--swap-gap-ms", "1500"}, 1, "link-lost", 8},
            {1, {"--unplug", "--pull-out-at", "7", "--swap-gap-ms", "1000"}, 1, "link-lost", 8},
        };
        struct Line {
            qint64 ms;
            QString port, event, result, backup, message;
        };
        QList<Line> lines;
        QElapsedTimer clock;
        clock.start();
        const auto take = [&](QProcess &from, const QString &port) {
            while (from.canReadLine()) {
                const QString text = QString::fromUtf8(from.readLine()).trimmed();
                const QJsonObject e = QJsonDocument::fromJson(text.toUtf8()).object();
                lines.append({clock.elapsed(), e.isEmpty() ? port : e["port"].toString(),
                              e.isEmpty() ? text : e["event"].toString(), e["result"].toString(),
                              e["backup"].toString(), e["message"].toString()});
            }
        };
        const ModuleMemory factory = factoryMemory(ModuleKind::Tessel);
        QList<qint64>
            seenAfter; // ms from each module taken out of the 8 ports to its port saying so
        for (const Jig &jig : jigs) {
            std::vector<std::unique_ptr<SimulatedModule>> modules;
            QList<const SimulatedModule *> ports;
            for (int i = 0; i < jig.ports; ++i) {
                const QStringList link{"--link", m_dir.filePath(QStringLiteral("jig-%1").arg(i))};
                modules.push_back(
                    module(ModuleKind::Tessel,
                           jig.options + QStringList{"--log-commands"} +
                               (jig.options.contains("--unplug") ? link : QStringList{})));
                ports << modules.back().get();
            }
            lines.clear();
            const qint64 started = clock.elapsed();
            ConfigRun run(program(ports, {"--count", QString::number(jig.count), "--json"}));
            while (run.output().state() != QProcess::NotRunning &&
                   clock.elapsed() - started < kRunBoundMs) {
                QTest::qWait(5);
                for (const auto &m : modules)
                    take(m->output(), m->port());
                take(run.output(), {});
            }
            Outcome o = run.finish(kEndBoundMs);
            take(run.output(), {});
            for (const Line &l : lines)
                o.out += l.event != "module" || l.result == "ok" ? QString() : l.port + l.message;
            CHECK_EXIT(o, jig.firstResult == "ok" ? 0 : 3);
            QVERIFY2(!(o.out + o.err).contains("restore the backup"), qPrintable(describeRun(o)));
            qint64 lastOk = started;
            int ok = 0;
            for (const auto &m : modules) {
                QList<Line> records;
                QList<qint64> outAt, saidAt;
                for (const Line &l : lines) {
                    if (l.port != m->port())
                        continue;
                    if (l.event == "module")
                        records << l;
                    else if (l.event == "module-out")
                        outAt << l.ms;
                    else if (l.event == "removed" || l.event == "adapter-gone")
                        saidAt << l.ms;
                }
                // Each module taken out, and the one left in the jig when recorded.
                const std::vector<ModuleMemory> held = m->modules();
                QVERIFY2(records.size() + 1 >= qsizetype(held.size()), qPrintable(describeRun(o)));
                for (qsizetype i = 0; i < records.size(); ++i) {
                    const bool first = i == 0;
                    QCOMPARE(records[i].result, first ? jig.firstResult : QString("ok"));
                    QCOMPARE(held.at(i),
                             storedUpTo(kProfile, factory, first ? jig.firstHolds : kBlockCount));
                    QCOMPARE(memoryIn(QString::fromLatin1(contents(records[i].backup))), factory);
                    ok += records[i].result == "ok";
                    if (records[i].result == "ok")
                        lastOk = std::max(lastOk, records[i].ms);
                }
                // Nothing is said to have gone that did not.
                QVERIFY2(saidAt.size() <= outAt.size(), qPrintable(describeRun(o)));
                if (jig.firstResult != "ok") {
                    // What was confirmed, what was in flight, and nothing read after it left.
                    const QStringList account = records[0].message.split('\n');
                    QCOMPARE(account.mid(2),
                             (QStringList{"Blocks 0 to 6 (addresses 0 to 111) hold the new "
                                          "settings: each was confirmed.",
                                          "Block 7 (addresses 112 to 127) was in flight: it may "
                                          "hold the old or the new settings.",
                                          "Blocks 8 to 15 (addresses 128 to 255) were not sent; "
                                          "they could not be read again because the module left.",
                                          backupNote(records[0].backup),
                                          "No restore command is given: the module has left the "
                                          "port, and the next one there is another module."}));
                    QVERIFY2(account.value(1).startsWith("The store stopped at block 7 "),
                             qPrintable(records[0].message));
                    continue;
                }
                // Each module taken out is said to have gone, unless the run was stopped
                // (--count) before its port could tell.
                const auto stopping = std::find_if(lines.begin(), lines.end(), [](const Line &l) {
                    return l.event == "stopping";
                });
                for (qsizetype i = 0; i < outAt.size(); ++i) {
                    if (i >= saidAt.size()) {
                        QVERIFY2(stopping != lines.end() && outAt[i] > stopping->ms - kSeenWithinMs,
                                 "a swap was missed");
                        continue;
                    }
                    QVERIFY2(saidAt[i] >= outAt[i] && saidAt[i] - outAt[i] < kSeenWithinMs,
                             qPrintable(QStringLiteral("module %1 out at %2 ms, said at %3 ms")
                                            .arg(i)
                                            .arg(outAt[i])
                                            .arg(saidAt[i])));
                    if (jig.ports > 1)
                        seenAfter << saidAt[i] - outAt[i];
                }
            }
            if (jig.ports > 1) {
                std::sort(seenAfter.begin(), seenAfter.end());
                qInfo("removal seen after %lld ms (median), %lld ms (worst) over %lld swaps; %.1f "
                      "modules a minute on %d ports with 1 s swaps",
                      seenAfter.value(seenAfter.size() / 2), seenAfter.value(seenAfter.size() - 1),
                      seenAfter.size(), ok * 60000.0 / double(lastOk - started), jig.ports);
            }
        }
    }

    void garbledCommand_isToldOfItsOwnModule_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("json");
        QTest::addColumn<QStringList>("results"); // each record's, in order
        // Every warning, as standard error has it (JSON: the events', said the same way);
        // %1 the port, %2 the first record's time, %3 its backup.
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("changedBlock"); // of the first module, as it is taken out; -1 none
        const QString garble = "The line turned a command into the start of a block store, and "
                               "the module confirmed that store when it was ended with bytes "
                               "that start no command. Its block number was 255, which names no "
                               "block, so no block should have changed; read the module again "
                               "to be sure.";
        const QString after = "tessel-config: %1: after the record of the module on this port "
                              "(finished %2, backup %3): " +
                              garble + " Read again, ";
        const QString readAfter = " The backup %3 was read after the line garbled a command into "
                                  "a store, so it may already hold a changed block: it is the "
                                  "memory as it was read then, not surely as it was before that.";
        // The first link test, while the port waited, became 01 02; the second, after the
        // first's answer was waited out, found it: the module is the one then worked on.
        for (const bool json : {false, true})
            QTest::addRow("a link test garbled while waiting%s", json ? ", JSON" : "")
                << QStringList{"--flip-in", "link-test+0:0"} << 1 << json
                << QStringList{"ok+garbled-store"} << "tessel-config: %1: " + garble + readAfter
                << -1;
        // The first check after the record: the module is the one recorded until it leaves.
        const QStringList check{"--flip-in", "link-test#3+0:0", "--swap-after-ms",
                                "1500",      "--swap-gap-ms",   "1000"};
        for (const bool json : {false, true})
            QTest::addRow("a check after the record garbled%s", json ? ", JSON" : "")
                << check << 2 << json << QStringList{"ok", "ok"}
                << after + "it still holds what it held when its record was written." << -1;
        // Four bits of the realignment's first byte turned too (two link tests, two
        // identifications, three checked reads of 16 blocks and sixteen stores of 19 bytes come
        // before it): its store is to block 15.
        QTest::newRow("a check after the record garbled, and its realignment")
            << QStringList{"--flip-in", "link-test#3+0:0,506:4,506:5,506:6,506:7"} + check.mid(2)
            << 2 << false << QStringList{"ok", "ok"}
            << after + "block 15 may have changed: it no longer holds what it held when its "
                       "record was written."
            << 15;
    }

    void garbledCommand_isToldOfItsOwnModule() {
        QFETCH(QStringList, faults);
        QFETCH(int, count);
        QFETCH(bool, json);
        QFETCH(QStringList, results);
        QFETCH(QString, told);
        QFETCH(int, changedBlock);
        const auto m = module(ModuleKind::Tessel, faults);
        const QString record = m_dir.filePath(QStringLiteral("garbled-%1.csv").arg(m_runs++));
        QStringList more{"--count", QString::number(count), "--record", record};
        if (json)
            more << "--json";
        RUN_CONFIG(o, 0, program({m.get()}, more), kRunBoundMs);
        const QMap<QString, QStringList> last = recordsByPort(record, results.size());
        const QStringList lines = QString::fromUtf8(contents(record)).split('\n').mid(1);
        QStringList said = o.err.split('\n', Qt::SkipEmptyParts).filter(": " + m->port() + ": ");
        if (json) {
            CHECK_SCHEMA("program-event", o);
            said.clear();
            for (const QString &line : o.out.split('\n', Qt::SkipEmptyParts)) {
                const QJsonObject e = QJsonDocument::fromJson(line.toUtf8()).object();
                const QString text =
                    e["event"] == "warning" ? e["message"].toString() : e["warning"].toString();
                if (!text.isEmpty())
                    said << "tessel-config: " + e["port"].toString() + ": " + text;
            }
        }
        // Each record whole but for its time and seconds; each backup holds what the factory
        // left, as its module held before it was stored to.
        QVERIFY2(!last.isEmpty(), contents(record).constData());
        QStringList records, expected;
        for (qsizetype i = 0; i < results.size(); ++i) {
            const QStringList fields = lines.at(i).split(',');
            records << fields.mid(1, 7).join(',');
            expected << QStringList{m->port(), "tessel",       "3", "2008", results.at(i),
                                    "",        fields.value(7)}
                            .join(',');
            QCOMPARE(memoryIn(QString::fromLatin1(contents(fields.value(7)))),
                     factoryMemory(ModuleKind::Tessel));
        }
        QCOMPARE(records, expected);
        const QStringList first = lines.value(0).split(',');
        told.replace("%1", m->port()).replace("%2", first.value(0)).replace("%3", first.value(7));
        QCOMPARE(said, QStringList{told});
        // What each module holds as it is taken out, and the one left in the jig.
        ModuleMemory changed = kProfile;
        if (changedBlock >= 0)
            std::fill_n(changed.begin() + changedBlock * kBlockSize, kBlockSize, 0xff);
        std::vector<ModuleMemory> held{changed};
        if (count == 2)
            held.push_back(kProfile);
        QCOMPARE(m->modules(), held);
    }

    void recordFile_startsANewLineAfterOneCutShort() {
        // A record cut short by a power cut keeps its own line; the next starts on a new one.
        ModuleRecord r;
        r.finished = QDateTime(QDate(2025, 3, 9), QTime(14, 5, 7), Qt::UTC);
        r.port = "tcp://a,b";
        r.differingBlocks = {3, 12};
        r.seconds = 2.5;
        const QByteArray cut = recordHeader().toUtf8() + "\n2025-03-09T14:05:07+02:00,/dev/tty";
        const QString path = writeProfile(m_dir, "cut.csv", QString::fromUtf8(cut));
        RecordFile file(path);
        QCOMPARE(file.open(), QString());
        QCOMPARE(file.append(r), QString());
        QCOMPARE(contents(path),
                 cut + "\n2025-03-09T14:05:07+00:00,\"tcp://a,b\",,,,ok,3 12,,2.5\n");
        // On a full disk the record that does not fit is said to be lost.
        const testing::FileSizeLimit full(int(QFileInfo(path).size()) + 4);
        QVERIFY(file.append(r).startsWith("cannot write the record file " + path + ": "));
    }

private:
    // A virtual module paced like a real line.
    std::unique_ptr<SimulatedModule> module(ModuleKind kind, const QStringList &options = {}) {
        return std::make_unique<SimulatedModule>(m_dir, kind,
                                                 QStringList{"--reply-delay-us", "300"} + options);
    }
    // program for tessel modules on these ports, with these further arguments.
    Invocation program(const QList<const SimulatedModule *> &modules, const QStringList &more) {
        QStringList arguments{"program", m_profile, "--kind", "tessel"};
        for (const SimulatedModule *m : modules)
            arguments << "--port" << m->port();
        return Invocation(arguments + more);
    }
    QTemporaryDir m_dir;
    QString m_profile;
    int m_runs = 0;
};

TESSEL_TEST_OBJECT(ProductionTest);
#include "test_Production.moc"
