// `tessel-config program` against several tessel-modsim modules at once, over pseudo-terminals
// and TCP, with the record file read back line by line.

#include "EndToEndSupport.h"
#include "cli/ModuleRecord.h"
#include "support/TestMain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>
#include <csignal>

using namespace tessel;
using namespace tessel::e2e;

namespace {

constexpr int kRunBoundMs = 60000;

// Every address a value of its own, so that a block stored or not shows in the memory.
const ModuleMemory kProfile = everyByteValue(true);

// The record file's lines after the header, by port; empty when a line is malformed.
QMap<QString, QStringList> recordsByPort(const QString &path, int expectedLines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    if (lines.value(0) != recordHeader() || lines.size() != expectedLines + 2 ||
        !lines.last().isEmpty())
        return {};
    static const QRegularExpression time(
        QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)"));
    QMap<QString, QStringList> byPort;
    for (qsizetype i = 1; i <= expectedLines; ++i) {
        const QStringList fields = lines.at(i).split(',');
        bool secondsOk = false;
        const double seconds = fields.value(8).toDouble(&secondsOk);
        if (fields.size() != 9 || !time.match(fields.at(0)).hasMatch() || !secondsOk ||
            seconds < 0 || seconds > 60)
            return {};
        byPort.insert(fields.at(1), fields);
    }
    return byPort;
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class ProductionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void mixedBench_programsEachPortOnItsOwnAndRecordsEveryModule();
    void ctrlC_finishesTheModuleInProgressThenExits();
    void moduleLeftInPlace_isProgrammedOnlyOnce();
    void endedMidModule_recordsWhatTheModuleHolds();
    void recordFile_keepsEveryLineWholeAndLeavesOtherFilesAlone();

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
};

void ProductionTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_profile = writeProfile(m_dir, "profile.txt", profileOf(kProfile) + '\n');
    QVERIFY(!m_profile.isEmpty());
}

void ProductionTest::mixedBench_programsEachPortOnItsOwnAndRecordsEveryModule() {
    const auto good = module(ModuleKind::Tessel);
    const auto otherKind = module(ModuleKind::Threshold);
    const auto refusesBlock5 = module(ModuleKind::Tessel, {"--fail-block", "5"});
    // Answers the link test, but its identity reply has a seventh byte behind the six.
    const auto unidentified = module(ModuleKind::Tessel, {"--extra-identity-byte"});
    const auto network = module(ModuleKind::Tessel, {"--tcp", "0"});
    // Confirms every block, but holds bit 2 of block 7's tenth byte turned over.
    const auto flipsBlock7 = module(ModuleKind::Tessel, {"--flip-in", "store7+12:2"});
    // Link test, identification, 16 block reads, then the line drops during the store.
    const auto unplugged = module(ModuleKind::Tessel, {"--drop-after", "24"});
    QVERIFY2(network->port().startsWith("tcp://127.0.0.1:"), qPrintable(network->port()));
    const QString record = m_dir.filePath(QStringLiteral("mixed.csv"));
    const Outcome run =
        runConfig(program({good.get(), otherKind.get(), refusesBlock5.get(), unidentified.get(),
                           network.get(), flipsBlock7.get(), unplugged.get()},
                          {"--count", "2", "--record", record}),
                  kRunBoundMs);
    // Modules were tried and not programmed: not every started module ended ok.
    CHECK_EXIT(run, 3);
    QVERIFY2(run.out.contains("Totals: 2 ok, 4 failed, 1 refused"), qPrintable(describeRun(run)));

    const auto records = recordsByPort(record, 7);
    QVERIFY2(records.size() == 7, qPrintable(contents(record)));
    // One that cannot be identified may well be of the kind asked for: never "wrong-kind".
    QCOMPARE(records.value(unidentified->port()).mid(2, 6),
             (QStringList{"unidentified", "", "", "unidentified", "", ""}));
    QCOMPARE(unidentified->memory(), factoryMemory(ModuleKind::Tessel));
    const QStringList ok = records.value(good->port());
    QCOMPARE(ok.mid(2, 5), (QStringList{"tessel", "3", "2008", "ok", ""}));
    QCOMPARE(records.value(network->port()).mid(2, 5), ok.mid(2, 5));
    // Each module programmed has its former memory saved, as the factory left it; a module of
    // the other kind is not touched, so nothing of it is saved.
    QCOMPARE(memoryIn(QString::fromLatin1(contents(ok.value(7)))),
             factoryMemory(ModuleKind::Tessel));
    QCOMPARE(records.value(otherKind->port()).mid(2, 6),
             (QStringList{"threshold", "3", "2008", "wrong-kind", "", ""}));
    QCOMPARE(records.value(refusesBlock5->port()).at(5), QStringLiteral("store-failed"));
    QCOMPARE(records.value(flipsBlock7->port()).mid(5, 2), (QStringList{"verify-failed", "7"}));
    QCOMPARE(records.value(unplugged->port()).value(5), QStringLiteral("link-lost"));
    QVERIFY2(run.err.contains(unplugged->port() + ": The connection on "), qPrintable(run.err));
    ModuleMemory flipped = kProfile;
    flipped[7 * kBlockSize + 9] ^= 4;
    QCOMPARE(flipsBlock7->memory(), flipped);

    QCOMPARE(good->memory(), kProfile);
    QCOMPARE(network->memory(), kProfile);
    QCOMPARE(otherKind->memory(), factoryMemory(ModuleKind::Threshold));
    QCOMPARE(refusesBlock5->memory(), storedUpTo(kProfile, factoryMemory(ModuleKind::Tessel), 5));
    // The staff learn what the failed module holds, where its backup is and how to go back.
    const QString failedBackup = records.value(refusesBlock5->port()).value(7);
    QVERIFY(!failedBackup.isEmpty());
    for (const QString &said :
         {refusesBlock5->port() + ": FAILED (store-failed)",
          QStringLiteral("Blocks 0 to 4 (addresses 0 to 79) hold the new settings."),
          QStringLiteral("restore the backup with: tessel-config write --port %1 %2")
              .arg(refusesBlock5->port(), failedBackup)})
        QVERIFY2(run.out.contains(said), qPrintable(said + '\n' + run.out));

    // A second run appends below the same header; nothing before is rewritten. The module
    // that holds the profile already is neither stored to again nor counted as a new one.
    const QByteArray first = contents(record);
    const auto fresh = module(ModuleKind::Tessel);
    const Outcome again = runConfig(
        program({good.get(), fresh.get()}, {"--count", "1", "--record", record}), kRunBoundMs);
    CHECK_EXIT(again, 0);
    QVERIFY2(again.out.contains("Totals: 1 ok, 0 failed, 0 refused, 1 already programmed"),
             qPrintable(describeRun(again)));
    const QByteArray both = contents(record);
    QVERIFY(both.startsWith(first));
    const QStringList added = QString::fromUtf8(both.mid(first.size())).split('\n');
    QCOMPARE(added.size(), 3);
    QCOMPARE(added.filter(good->port()).value(0).split(',').mid(5, 3),
             (QStringList{"already-programmed", "", ""}));
}

void ProductionTest::ctrlC_finishesTheModuleInProgressThenExits() {
    // Slow to answer: the store is surely under way when Ctrl-C comes. The other port waits
    // for a module that never answers, and must not hold up the end.
    const auto slow = module(ModuleKind::Tessel, {"--reply-delay-us", "30000"});
    const auto absent = module(ModuleKind::Tessel, {"--ignore-link-tests", "1000000"});
    ConfigRun run(program({slow.get(), absent.get()}, {"--json"}));
    QStringList events;
    QElapsedTimer waited;
    waited.start();
    while (!events.join(' ').contains("\"programming\"") && waited.elapsed() < 20000)
        events << run.nextLine(100);
    run.sendSignal(SIGINT);
    while (!events.join(' ').contains("\"event\":\"module\"") && waited.elapsed() < 40000)
        events << run.nextLine(100);
    QElapsedTimer ending;
    ending.start();
    const Outcome o = run.finish(kRunBoundMs);
    CHECK_EXIT(o, 0);
    // The run ends once the last module's record is written, not after the other port's wait.
    QVERIFY2(ending.elapsed() < 100, qPrintable(QString::number(ending.elapsed())));
    events << o.out.split('\n');
    QStringList kinds;
    QJsonObject finished;
    for (const QString &line : events) {
        if (line.isEmpty())
            continue;
        const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
        QVERIFY2(!object.isEmpty(), qPrintable(line));
        kinds << object.value("event").toString();
        if (kinds.last() == QLatin1String("module"))
            finished = object;
    }
    QVERIFY2(kinds.indexOf("stopping") >= 0 && kinds.indexOf("stopping") < kinds.indexOf("module"),
             qPrintable(kinds.join(' ')));
    QCOMPARE(finished.value("result").toString(), QStringLiteral("ok"));
    QCOMPARE(kinds.last(), QStringLiteral("totals"));
    QCOMPARE(slow->memory(), kProfile);
}

void ProductionTest::moduleLeftInPlace_isProgrammedOnlyOnce() {
    // A module the operator has not yet taken out still answers; it must not be programmed
    // again, nor counted twice.
    const auto left = module(ModuleKind::Tessel);
    ConfigRun run(program({left.get()}, {"--json"}));
    QTest::qWait(1500); // several checks for its removal
    run.sendSignal(SIGINT);
    const Outcome o = run.finish(kRunBoundMs);
    CHECK_EXIT(o, 0);
    QVERIFY2(o.out.count("\"event\":\"module\"") == 1, qPrintable(describeRun(o)));
    QCOMPARE(left->memory(), kProfile);
}

void ProductionTest::endedMidModule_recordsWhatTheModuleHolds() {
    // Four runs side by side, each ended its own way. Replies 100 ms apart: a store takes 1.6 s
    // and the read before it twice as long, so that the signals land where they are meant to
    // even on a busy machine.
    struct Ending {
        bool duringStore; // else while the module is read, before its store
        QList<int> sent;  // signals
        int exitCode;
        QString result;
        QString replyDelayUs;
    };
    const Ending endings[] = {
        {false, {SIGINT, SIGINT}, 3, "stopped", "100000"},     // second Ctrl-C before the store
        {true, {SIGINT, SIGINT}, 3, "store-failed", "100000"}, // second Ctrl-C during it
        {true, {SIGHUP}, 129, "store-failed", "100000"},       // hang-up during the store
        // program --json | head -n 2: the reader goes long before the module is programmed.
        {true, {}, 141, "ok", "300"},
    };
    std::vector<std::unique_ptr<SimulatedModule>> modules;
    std::vector<std::unique_ptr<ConfigRun>> runs;
    QStringList records;
    for (const Ending &e : endings) {
        modules.push_back(module(ModuleKind::Tessel, {"--reply-delay-us", e.replyDelayUs}));
        records << m_dir.filePath(QStringLiteral("ended-%1.csv").arg(records.size()));
        Invocation how = program({modules.back().get()}, {"--record", records.last(), "--json"});
        how.outputReaderLines = e.sent.isEmpty() ? 2 : -1;
        runs.push_back(std::make_unique<ConfigRun>(how));
    }
    const ModuleMemory before = factoryMemory(ModuleKind::Tessel);
    QElapsedTimer waited;
    waited.start();
    for (size_t i = 0; i < std::size(endings); ++i) {
        while (waited.elapsed() < 20000 &&
               (endings[i].duringStore ? modules[i]->memory() == before
                                       : !runs[i]->nextLine(20).contains("identified")))
            QTest::qWait(20);
        for (const int signal : endings[i].sent) {
            runs[i]->sendSignal(signal);
            QTest::qWait(100);
        }
    }
    for (size_t i = 0; i < std::size(endings); ++i) {
        const Outcome o = runs[i]->finish(kRunBoundMs);
        CHECK_EXIT(o, endings[i].exitCode);
        const QString &result = endings[i].result;
        QCOMPARE(recordsByPort(records[i], 1).value(modules[i]->port()).value(5), result);
        if (result != QLatin1String("store-failed")) {
            QCOMPARE(modules[i]->memory(), result == QLatin1String("ok") ? kProfile : before);
            continue;
        }
        static const QRegularExpression stopped(QStringLiteral("stopped after block (\\d+)"));
        const QRegularExpressionMatch match = stopped.match(o.out);
        QVERIFY2(match.hasMatch(), qPrintable(describeRun(o)));
        const int last = match.captured(1).toInt();
        QVERIFY2(last < kBlockCount - 1, qPrintable(describeRun(o)));
        QCOMPARE(modules[i]->memory(), storedUpTo(kProfile, before, last + 1));
    }
}

void ProductionTest::recordFile_keepsEveryLineWholeAndLeavesOtherFilesAlone() {
    // Separators and quotes inside a field keep it in its column.
    ModuleRecord r;
    r.finished = QDateTime(QDate(2025, 3, 9), QTime(14, 5, 7), QTimeZone(3600 * 2));
    r.port = QStringLiteral("tcp://jig,3:4001");
    r.kind = QStringLiteral("tessel");
    r.releaseYear = QStringLiteral("2008");
    r.result = ModuleResult::VerifyFailed;
    r.differingBlocks = {3, 11};
    r.backup = QStringLiteral("/tmp/a \"b\".txt");
    r.seconds = 2.54;
    const QString line = recordLine(r);
    QCOMPARE(line, QStringLiteral("2025-03-09T14:05:07+02:00,\"tcp://jig,3:4001\",tessel,,2008,"
                                  "verify-failed,3 11,\"/tmp/a \"\"b\"\".txt\",2.5"));

    // A record cut short by a power cut keeps its own line; the next starts on a new one.
    const QString path = m_dir.filePath(QStringLiteral("cut.csv"));
    const QByteArray cut = recordHeader().toUtf8() + "\n2025-03-09T14:05:07+02:00,/dev/tty";
    QVERIFY(!writeProfile(m_dir, "cut.csv", QString::fromUtf8(cut)).isEmpty());
    RecordFile file(path);
    QCOMPARE(file.open(), QString());
    QCOMPARE(file.append(r), QString());
    QCOMPARE(contents(path), cut + '\n' + line.toUtf8() + '\n');

    // Another file is refused before any port opens, and left as it was.
    const QString notes = writeProfile(m_dir, "notes.csv", "my notes\n");
    const Outcome refused = runConfig(
        {"program", m_profile, "--kind", "tessel", "--port", "/dev/null", "--record", notes});
    CHECK_EXIT(refused, 2);
    QVERIFY2(refused.err.contains("not a record file"), qPrintable(refused.err));
    QCOMPARE(contents(notes), QByteArray("my notes\n"));
}

TESSEL_TEST_OBJECT(ProductionTest);
#include "test_Production.moc"
