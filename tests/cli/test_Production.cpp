// `tessel-config program` against several tessel-modsim modules at once, over pseudo-terminals
// and TCP, with the record file read back line by line.

#include "EndToEndSupport.h"
#include "core/ModuleKind.h"
#include "core/ProfileText.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>

using namespace tessel;

namespace {

constexpr int kRunBoundMs = 60000;

// A virtual module for the length of one test, paced like a real line; its memory as it last
// dumped it, empty when it dumped none.
class Modsim : public e2e::SimulatedModule {
public:
    Modsim(const QTemporaryDir &dir, ModuleKind kind, const QStringList &options = {})
        : SimulatedModule(dir, kind,
                          QStringList{QStringLiteral("--reply-delay-us"), QStringLiteral("300")}
                              << options) {}
    [[nodiscard]] ModuleMemory memory() const {
        return SimulatedModule::memory().value_or(ModuleMemory{});
    }
};

struct Run {
    int exitCode = -1;
    bool finished = false;
    QString out;
    QString err;
    [[nodiscard]] QString describe() const {
        return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(exitCode).arg(out, err);
    }
};

// tessel-config program with these arguments; `whileRunning` may act on the process.
Run program(const QStringList &arguments,
            const std::function<void(QProcess &)> &whileRunning = {}) {
    QProcess process;
    process.start(QStringLiteral(TESSEL_CONFIG_EXE),
                  QStringList{QStringLiteral("program")} << arguments);
    process.waitForStarted();
    if (whileRunning)
        whileRunning(process);
    Run run;
    run.finished = process.waitForFinished(kRunBoundMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(3000);
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// Every address a value of its own, so that a block stored or not shows in the memory.
ModuleMemory productionProfile() {
    return e2e::everyByteValue(true);
}

// The record file's lines after the header, by port; fails the test on a malformed line.
QMap<QString, QStringList> recordsByPort(const QString &path, int expectedLines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QMap<QString, QStringList> byPort;
    if (lines.value(0) !=
            QLatin1String("time,port,kind,firmware_version,release_year,result,differing_blocks,"
                          "backup,seconds") ||
        lines.size() != expectedLines + 2 || !lines.last().isEmpty())
        return {};
    static const QRegularExpression time(
        QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)"));
    for (qsizetype i = 1; i <= expectedLines; ++i) {
        const QStringList fields = lines.at(i).split(QLatin1Char(','));
        bool secondsOk = false;
        const double seconds = fields.value(8).toDouble(&secondsOk);
        if (fields.size() != 9 || !time.match(fields.at(0)).hasMatch() || !secondsOk ||
            seconds < 0 || seconds > 60)
            return {};
        byPort.insert(fields.at(1), fields);
    }
    return byPort;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

} // namespace

class ProductionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void mixedBench_programsEachPortOnItsOwnAndRecordsEveryModule();
    void unpluggedMidStore_isLinkLostWhileTheOtherPortCarriesOn();
    void ctrlC_finishesTheModuleInProgressThenExits();
    void moduleLeftInPlace_isProgrammedOnlyOnce();
    void secondCtrlC_endsTheStoreAfterTheBlockInFlightAndSaysSo();
    void usage_refusedBeforeAnyPortOpens_data();
    void usage_refusedBeforeAnyPortOpens();
    void recordFile_ofAnotherKindIsLeftAlone();

private:
    QTemporaryDir m_dir;
    QString m_profile;
};

void ProductionTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_profile = writeFile(m_dir, QStringLiteral("profile.txt"),
                          profileText(EepromImage(productionProfile())).toLatin1() + '\n');
    QVERIFY(!m_profile.isEmpty());
}

void ProductionTest::mixedBench_programsEachPortOnItsOwnAndRecordsEveryModule() {
    const Modsim good(m_dir, ModuleKind::Tessel);
    const Modsim otherKind(m_dir, ModuleKind::Threshold);
    const Modsim refusesBlock5(m_dir, ModuleKind::Tessel,
                               {QStringLiteral("--fail-block"), QStringLiteral("5")});
    const Modsim network(m_dir, ModuleKind::Tessel, {QStringLiteral("--tcp"), QStringLiteral("0")});
    QVERIFY2(network.port().startsWith(QLatin1String("tcp://127.0.0.1:")),
             qPrintable(network.port()));
    const QString record = m_dir.filePath(QStringLiteral("mixed.csv"));

    const Run run = program({m_profile, QStringLiteral("--kind"), QStringLiteral("tessel"),
                             QStringLiteral("--port"), good.port(), QStringLiteral("--port"),
                             otherKind.port(), QStringLiteral("--port"), refusesBlock5.port(),
                             QStringLiteral("--port"), network.port(), QStringLiteral("--count"),
                             QStringLiteral("2"), QStringLiteral("--record"), record});
    QVERIFY2(run.finished, qPrintable(run.describe()));
    // One module was tried and failed: not every started module ended ok.
    QVERIFY2(run.exitCode == 3, qPrintable(run.describe()));
    QVERIFY2(run.out.contains(QLatin1String("Totals: 2 ok, 1 failed, 1 refused")),
             qPrintable(run.describe()));

    const auto records = recordsByPort(record, 4);
    QVERIFY2(records.size() == 4, qPrintable(run.describe()));
    const QStringList ok = records.value(good.port());
    QCOMPARE(ok.mid(2, 4), (QStringList{"tessel", "3", "2008", "ok"}));
    QCOMPARE(ok.at(6), QString());
    // Each module programmed has its former memory saved, as the factory left it.
    const QString backup = ok.value(7);
    QVERIFY2(backup.endsWith(QLatin1String(".txt")), qPrintable(ok.join(',')));
    QFile saved(backup);
    QVERIFY2(saved.open(QIODevice::ReadOnly), qPrintable(backup));
    QCOMPARE(parseProfileText(QString::fromLatin1(saved.readAll())).memory,
             std::optional<ModuleMemory>(e2e::factoryMemory(ModuleKind::Tessel)));
    // A module of the other kind is not touched, so nothing of it is saved.
    QCOMPARE(records.value(otherKind.port()).value(7), QString());
    QCOMPARE(records.value(network.port()).mid(2, 5),
             (QStringList{"tessel", "3", "2008", "ok", ""}));
    QCOMPARE(records.value(otherKind.port()).mid(2, 4),
             (QStringList{"threshold", "3", "2008", "wrong-kind"}));
    QCOMPARE(records.value(refusesBlock5.port()).at(5), QStringLiteral("store-failed"));

    QCOMPARE(good.memory(), productionProfile());
    QCOMPARE(network.memory(), productionProfile());
    QCOMPARE(otherKind.memory(), e2e::factoryMemory(ModuleKind::Threshold));
    const ModuleMemory partly = refusesBlock5.memory();
    const ModuleMemory before = e2e::factoryMemory(ModuleKind::Tessel);
    for (int a = 0; a < kImageSize; ++a)
        QCOMPARE(partly[a], a < 5 * kBlockSize ? productionProfile()[a] : before[a]);
    QVERIFY2(run.out.contains(refusesBlock5.port() + QLatin1String(": FAILED (store-failed)")),
             qPrintable(run.out));
    // The staff learn what the failed module holds, where its backup is and how to go back.
    const QString failedBackup = records.value(refusesBlock5.port()).value(7);
    QVERIFY(!failedBackup.isEmpty());
    for (const QString &said :
         {QStringLiteral("Blocks 0 to 4 (addresses 0 to 79) hold the new settings."),
          QStringLiteral("restore the backup with: tessel-config write --port %1 %2")
              .arg(refusesBlock5.port(), failedBackup)})
        QVERIFY2(run.out.contains(said), qPrintable(said + QLatin1String("\n") + run.out));

    // A second run appends below the same header; nothing before is rewritten.
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray first = file.readAll();
    file.close();
    const Run again = program({m_profile, QStringLiteral("--kind"), QStringLiteral("tessel"),
                               QStringLiteral("--port"), good.port(), QStringLiteral("--count"),
                               QStringLiteral("1"), QStringLiteral("--record"), record});
    QVERIFY2(again.exitCode == 0, qPrintable(again.describe()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray both = file.readAll();
    QVERIFY(both.startsWith(first));
    QCOMPARE(both.count('\n'), first.count('\n') + 1);
}

void ProductionTest::unpluggedMidStore_isLinkLostWhileTheOtherPortCarriesOn() {
    // Link test, identification, 16 block reads, then the line drops during the store.
    const Modsim unplugged(m_dir, ModuleKind::Tessel,
                           {QStringLiteral("--drop-after"), QStringLiteral("24")});
    const Modsim good(m_dir, ModuleKind::Tessel);
    const QString record = m_dir.filePath(QStringLiteral("unplugged.csv"));
    const Run run = program({m_profile, QStringLiteral("--kind"), QStringLiteral("tessel"),
                             QStringLiteral("--port"), unplugged.port(), QStringLiteral("--port"),
                             good.port(), QStringLiteral("--count"), QStringLiteral("1"),
                             QStringLiteral("--record"), record});
    QVERIFY2(run.finished && run.exitCode == 3, qPrintable(run.describe()));
    const auto records = recordsByPort(record, 2);
    QVERIFY2(records.size() == 2, qPrintable(run.describe()));
    QCOMPARE(records.value(unplugged.port()).at(5), QStringLiteral("link-lost"));
    QCOMPARE(records.value(good.port()).at(5), QStringLiteral("ok"));
    QVERIFY2(run.err.contains(unplugged.port() + QLatin1String(": The connection on ")),
             qPrintable(run.err));
    QCOMPARE(good.memory(), productionProfile());
}

void ProductionTest::ctrlC_finishesTheModuleInProgressThenExits() {
    // Paced and slow to answer: the store is surely under way when Ctrl-C comes.
    const Modsim slow(m_dir, ModuleKind::Tessel,
                      {QStringLiteral("--reply-delay-us"), QStringLiteral("30000")});
    QStringList events;
    const Run run = program({m_profile, QStringLiteral("--kind"), QStringLiteral("tessel"),
                             QStringLiteral("--port"), slow.port(), QStringLiteral("--json")},
                            [&](QProcess &process) {
                                QElapsedTimer waited;
                                waited.start();
                                while (waited.elapsed() < 20000) {
                                    process.waitForReadyRead(100);
                                    const QString line =
                                        QString::fromUtf8(process.readLine()).trimmed();
                                    if (!line.isEmpty())
                                        events << line;
                                    if (line.contains(QLatin1String("\"programming\"")))
                                        break;
                                }
                                ::kill(static_cast<pid_t>(process.processId()), SIGINT);
                            });
    QVERIFY2(run.finished && run.exitCode == 0,
             qPrintable(run.describe() + events.join(QLatin1Char('\n'))));
    events << run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList kinds;
    QJsonObject module;
    for (const QString &line : events) {
        const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
        QVERIFY2(!object.isEmpty(), qPrintable(line));
        kinds << object.value(QLatin1String("event")).toString();
        if (kinds.last() == QLatin1String("module"))
            module = object;
    }
    QVERIFY2(kinds.contains(QLatin1String("stopping")), qPrintable(kinds.join(' ')));
    QCOMPARE(module.value(QLatin1String("result")).toString(), QStringLiteral("ok"));
    QCOMPARE(kinds.last(), QStringLiteral("totals"));
    QVERIFY(kinds.indexOf(QLatin1String("stopping")) < kinds.indexOf(QLatin1String("module")));
    QCOMPARE(slow.memory(), productionProfile());
}

void ProductionTest::secondCtrlC_endsTheStoreAfterTheBlockInFlightAndSaysSo() {
    // Replies 200 ms apart: the store of 16 blocks takes over 3 s.
    const Modsim slow(m_dir, ModuleKind::Tessel,
                      {QStringLiteral("--reply-delay-us"), QStringLiteral("200000")});
    const QString record = m_dir.filePath(QStringLiteral("twice.csv"));
    const Run run =
        program({m_profile, QStringLiteral("--kind"), QStringLiteral("tessel"),
                 QStringLiteral("--port"), slow.port(), QStringLiteral("--record"), record},
                [&](QProcess &process) {
                    const auto pid = static_cast<pid_t>(process.processId());
                    QElapsedTimer waited;
                    waited.start();
                    while (slow.memory() == e2e::factoryMemory(ModuleKind::Tessel) &&
                           waited.elapsed() < 20000)
                        QTest::qWait(20);
                    ::kill(pid, SIGINT);
                    QTest::qWait(300);
                    ::kill(pid, SIGINT);
                });
    QVERIFY2(run.finished && run.exitCode == 3, qPrintable(run.describe()));
    static const QRegularExpression stopped(QStringLiteral("stopped after block (\\d+)"));
    const QRegularExpressionMatch match = stopped.match(run.out);
    QVERIFY2(match.hasMatch(), qPrintable(run.describe()));
    const int last = match.captured(1).toInt();
    QVERIFY2(last < kBlockCount - 1, qPrintable(run.describe()));
    const ModuleMemory now = slow.memory();
    const ModuleMemory before = e2e::factoryMemory(ModuleKind::Tessel);
    for (int a = 0; a < kImageSize; ++a)
        QCOMPARE(now[a], a <= (last + 1) * kBlockSize - 1 ? productionProfile()[a] : before[a]);
    const auto records = recordsByPort(record, 1);
    QCOMPARE(records.value(slow.port()).value(5), QStringLiteral("store-failed"));
}

void ProductionTest::moduleLeftInPlace_isProgrammedOnlyOnce() {
    // A module the operator has not yet taken out still answers; it must not be programmed
    // again, nor counted twice.
    const Modsim module(m_dir, ModuleKind::Tessel);
    const Run run = program({m_profile, QStringLiteral("--kind"), QStringLiteral("tessel"),
                             QStringLiteral("--port"), module.port(), QStringLiteral("--json")},
                            [](QProcess &process) {
                                QTest::qWait(3000); // a dozen checks for its removal
                                ::kill(static_cast<pid_t>(process.processId()), SIGINT);
                            });
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.describe()));
    const int finished = static_cast<int>(run.out.count(QLatin1String("\"event\":\"module\"")));
    QVERIFY2(finished == 1, qPrintable(run.describe()));
    QCOMPARE(module.memory(), productionProfile());
}

void ProductionTest::usage_refusedBeforeAnyPortOpens_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no kind") << QStringList{"--port", "/dev/null"} << "--kind";
    QTest::newRow("no port") << QStringList{"--kind", "tessel"} << "--port";
    QTest::newRow("count 0") << QStringList{"--kind", "tessel", "--port", "x", "--count", "0"}
                             << "--count";
    QTest::newRow("bad tcp") << QStringList{"--kind", "tessel", "--port", "tcp://host"}
                             << "tcp://HOST:PORT";
    QTest::newRow("port twice") << QStringList{"--kind", "tessel", "--port", "a", "--port", "a"}
                                << "twice";
}

void ProductionTest::usage_refusedBeforeAnyPortOpens() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run run = program(QStringList{m_profile} << arguments);
    QVERIFY2(run.exitCode == 2 && run.err.contains(message), qPrintable(run.describe()));
}

void ProductionTest::recordFile_ofAnotherKindIsLeftAlone() {
    const QByteArray notes = "my notes\n";
    const QString path = writeFile(m_dir, QStringLiteral("notes.csv"), notes);
    const Run refused = program({m_profile, QStringLiteral("--kind"), QStringLiteral("tessel"),
                                 QStringLiteral("--port"), QStringLiteral("/dev/null"),
                                 QStringLiteral("--record"), path});
    QVERIFY2(refused.exitCode == 2, qPrintable(refused.describe()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), notes);
}

QTEST_GUILESS_MAIN(ProductionTest)
#include "test_Production.moc"
