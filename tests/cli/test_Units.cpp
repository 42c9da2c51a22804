// SPDX-License-Identifier: Apache-2.0
// `program --units` end to end: every module its own kit from a units file, in tessel-modsim's
// jig where modules are swapped; the record database (SQLite, and a PostgreSQL server the test
// starts) holding each module once and giving each unit once, also to two programs at once
// and after one is killed mid-store; bad units files refused before any port is opened.

#include "EndToEndSupport.h"
#include "core/MemoryMap.h"
#include "support/PostgresServer.h"
#include "support/TestMain.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <csignal>

using namespace tessel;
using namespace tessel::e2e;

namespace {

constexpr int kRunBoundMs = 120000;
// The pool two programs draw from at once.
constexpr int kPoolUnits = 16;

QString kitLabel(int n) {
    return QStringLiteral("K%1").arg(n, 3, 10, QLatin1Char('0'));
}

// Kit n's base serial and the serials of its devices 1 and 2.
std::array<quint32, 3> kitSerials(int n) {
    return {0x10000000u + n, 0xA0000000u + 7u * n, 0xB0000000u + 13u * n};
}

// The units file of kits 1 to `count`, its header and values written as people type them.
QString kitsFile(const QTemporaryDir &dir, const QString &name, int count) {
    QString text = "Unit, Base Serial ,device 1 serial,DEVICE2SERIAL\r\n";
    for (int n = 1; n <= count; ++n) {
        const auto s = kitSerials(n);
        text += QStringLiteral("%1,%2,%3,%4\r\n")
                    .arg(kitLabel(n))
                    .arg(s[0], 8, 16, QLatin1Char('0'))
                    .arg(s[1], 8, 16, QLatin1Char('0'))
                    .arg(s[2], 8, 16, QLatin1Char('0'));
    }
    return writeProfile(dir, name, text);
}

// What a module given kit n holds: the factory settings, the profile, with the kit's serials.
ModuleMemory kitMemory(int n) {
    ModuleMemory memory = factoryMemory(ModuleKind::Tessel);
    const auto serials = kitSerials(n);
    for (int i = 0; i < 3; ++i) {
        for (int b = 0; b < 4; ++b)
            memory[(i == 0 ? 0 : map::recordAddress(i - 1)) + b] =
                static_cast<quint8>(serials[i] >> (24 - 8 * b));
    }
    return memory;
}

// How many modules of these jigs hold each kit of 1..count; -1 counts those that hold
// anything but a kit or the factory settings.
QMap<int, int> kitsHeld(const std::vector<std::unique_ptr<SimulatedModule>> &jigs, int count) {
    QMap<int, int> held;
    for (const auto &jig : jigs) {
        for (const ModuleMemory &memory : jig->modules()) {
            int kit = memory == factoryMemory(ModuleKind::Tessel) ? 0 : -1;
            for (int n = 1; n <= count && kit < 0; ++n)
                kit = memory == kitMemory(n) ? n : -1;
            if (kit != 0)
                ++held[kit];
        }
    }
    return held;
}

QJsonArray jsonList(const QString &text, const QString &key) {
    return QJsonDocument::fromJson(text.toUtf8()).object().value(key).toArray();
}

// The folder, the profile and the jigs each test stands on.
struct Bench {
    Bench() {
        profile = writeProfile(dir, "profile.txt", profileOf(factoryMemory(ModuleKind::Tessel)));
    }
    // A virtual module, quick, in a jig of its own.
    std::unique_ptr<SimulatedModule> module(const QStringList &options = {}) {
        return std::make_unique<SimulatedModule>(dir, ModuleKind::Tessel, fast() + options);
    }
    // program on these jigs' ports, its backups kept in the test's folder.
    Invocation program(const std::vector<std::unique_ptr<SimulatedModule>> &jigs,
                       const QStringList &more) {
        QStringList arguments{"program", profile, "--kind", "tessel"};
        for (const auto &jig : jigs)
            arguments << "--port" << jig->port();
        Invocation how(arguments + more);
        how.set << "XDG_DATA_HOME=" + dir.filePath("data");
        return how;
    }
    QTemporaryDir dir;
    QString profile;
};

} // namespace

class UnitsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(!m_bench.profile.isEmpty()); }

    void badUnitsFile_isRefusedBeforeAnyPortOpens() {
        const struct {
            const char *text;
            QString error; // after "tessel-config: FILE, "
        } refused[] = {
            {"", "row 1: the file is empty; it needs a header row naming \"unit\" and the "
                 "settings"},
            {"unit\n", "row 2: the file names no unit"},
            {"base serial\n10000001\n", "row 1: no column is named \"unit\" (the kit's label)"},
            {"unit,colour\nK1,red\n",
             "row 1, column 2 (colour): no setting of a Tessel module has this name (see "
             "\"tessel-config --help\" for the names)"},
            // Limits are a Threshold module's.
            {"unit,lower limit of input 3\nK1,5\n",
             "row 1, column 2 (lower limit of input 3): no setting of a Tessel module has this "
             "name (see \"tessel-config --help\" for the names)"},
            {"unit,base serial,Base  Serial\n", "row 1, column 3 (Base  Serial): the column is "
                                                "given twice"},
            {"unit,base serial\nK1,10000001\n\nK1,10000002\n",
             "row 4, column 1 (unit): the unit K1 is given twice"},
            {"unit,base serial\n ,10000001\n", "row 2, column 1 (unit): the unit has no label"},
            {"unit,base serial\nK1\n", "row 2: 1 values, but the header names 2 columns"},
            {"unit,base serial\nK1,1000001\n", "row 2, column 2 (base serial): \"1000001\" is "
                                               "not a serial of 8 hexadecimal digits"},
            {"unit;device 3 serial\nK1;1000000G\n",
             "row 2, column 2 (device 3 serial): \"1000000G\" is not a serial of 8 hexadecimal "
             "digits"},
            {"unit,device count\nK1,25\n",
             "row 2, column 2 (device count): \"25\" is not a whole number from 1 to 24"},
            {"unit,device 1 controller type\nK1,x\n", "row 2, column 2 (device 1 controller "
                                                      "type): \"x\" is not a whole number from 0 "
                                                      "to 35"},
            {"unit,device 2 active\nK1,yes\n",
             "row 2, column 2 (device 2 active): \"yes\" is neither 0 nor 1"},
            {"unit,base serial\n\"K1,10000001\n", "row 2: a quote is not closed"},
            // Refused in the words the window marks the same settings with.
            {"unit,device count,device 1 controller type,device 2 controller type\nK1,2,35,0\n",
             "row 2 (unit K1): the window would not store this unit's settings: correct "
             "controller type of device 2 (beyond the module's 256 inputs) first"},
        };
        std::vector<std::unique_ptr<SimulatedModule>> jig;
        jig.push_back(m_bench.module());
        const QString record = m_bench.dir.filePath("untouched.sqlite");
        for (const auto &r : refused) {
            const QString units = writeProfile(m_bench.dir, "bad.csv", QString::fromUtf8(r.text));
            RUN_CONFIG(run, 2, m_bench.program(jig, {"--units", units, "--record", record}));
            QCOMPARE(run.err, "tessel-config: " + units + ", " + r.error + "; nothing was sent\n");
        }
        QCOMPARE(jig[0]->modules(), std::vector{factoryMemory(ModuleKind::Tessel)});
        QVERIFY(!QFile::exists(record));
    }

    void fortyKits_eachModuleHoldsItsOwnAndIsRecordedOnce() {
        constexpr int kKits = 40;
        const QString record = m_bench.dir.filePath("forty.sqlite");
        std::vector<std::unique_ptr<SimulatedModule>> jigs;
        for (int i = 0; i < 4; ++i)
            jigs.push_back(m_bench.module({"--swap-after", "1"}));
        RUN_CONFIG(run, 0,
                   m_bench.program(jigs, {"--units", kitsFile(m_bench.dir, "kits40.csv", kKits),
                                          "--record", record, "--station", "bench-1", "--operator",
                                          "ana"}),
                   kRunBoundMs);
        QVERIFY2(run.out.contains("Totals: 40 ok, 0 failed, 0 refused\n"),
                 qPrintable(describeRun(run)));
        QMap<int, int> once;
        for (int n = 1; n <= kKits; ++n)
            once[n] = 1;
        QCOMPARE(kitsHeld(jigs, kKits), once);

        RUN_CONFIG(listed, 0, Invocation{"records", "--record", record, "--json"});
        const QJsonArray rows = jsonList(listed.out, "records");
        QCOMPARE(rows.size(), kKits);
        const ModuleMemory factory = factoryMemory(ModuleKind::Tessel);
        QSet<QString> units;
        for (const QJsonValue &value : rows) {
            QJsonObject row = value.toObject();
            const int n = row.value("unit").toString().mid(1).toInt();
            units << row.value("unit").toString();
            QCOMPARE(memoryIn(QString::fromLatin1(contents(row.take("backup").toString()))),
                     factory);
            for (const char *varying : {"time", "port", "seconds"})
                row.remove(varying);
            const auto s = kitSerials(n);
            const QJsonObject expected{
                {"station", "bench-1"},
                {"operator", "ana"},
                {"kind", "tessel"},
                {"firmwareVersion", 3},
                {"releaseYear", "2008"},
                {"unit", kitLabel(n)},
                {"profile", "profile.txt"},
                {"profileSha256",
                 QString::fromLatin1(
                     QCryptographicHash::hash(
                         QByteArray(reinterpret_cast<const char *>(factory.data()), kImageSize),
                         QCryptographicHash::Sha256)
                         .toHex())},
                {"unitSettings", QStringLiteral("base serial=%1; device 1 serial=%2; device 2 "
                                                "serial=%3")
                                     .arg(s[0], 8, 16, QLatin1Char('0'))
                                     .arg(s[1], 8, 16, QLatin1Char('0'))
                                     .arg(s[2], 8, 16, QLatin1Char('0'))},
                {"result", "ok"},
                {"differingBlocks", QJsonValue::Null},
                {"memoryBefore", profileOf(factory)},
            };
            QCOMPARE(row, expected);
        }
        QCOMPARE(units.size(), kKits);
        RUN_CONFIG(pool, 0, Invocation{"records", "units", "--record", record});
        QCOMPARE(pool.out, "40 done, 0 in progress, 0 partly stored, 0 left\n");
    }

    void failedStores_leaveTheirUnitsAsTheirModulesHoldThem() {
        // One module refuses the store of its first block, another of its sixth; the third
        // stores every block, but its block 3 reads back different each time (reads 1 and 2
        // are the backup's). A kit more than modules, so that the run ends on Ctrl-C alone.
        std::vector<std::unique_ptr<SimulatedModule>> jigs;
        for (const char *block : {"0", "5"})
            jigs.push_back(m_bench.module({"--fail-block", block}));
        jigs.push_back(m_bench.module({"--flip-out", "read3#3+0,read3#4+1,read3#5+2"}));
        const QString record = m_bench.dir.filePath("failed.sqlite");
        ConfigRun run(
            m_bench.program(jigs, {"--units", kitsFile(m_bench.dir, "kits4.csv", 4), "--record",
                                   record, "--station", "bench-2", "--json"}));
        for (int finished = 0; finished < 3;)
            finished += run.nextLine(30000).contains("\"module\"") ? 1 : 0;
        run.sendSignal(SIGINT);
        CHECK_EXIT(run.finish(kRunBoundMs), 3);

        RUN_CONFIG(listed, 0, Invocation{"records", "--record", record, "--json"});
        QMap<QString, QString> unitOn; // by port
        for (const QJsonValue &row : jsonList(listed.out, "records"))
            unitOn[row["port"].toString()] = row["unit"].toString();
        // The first module's unit went back to the pool when nothing of it was stored: the
        // second may have been given the same one after it.
        QVERIFY(!unitOn.value(jigs[0]->port()).isEmpty());
        const QString partly = unitOn.value(jigs[1]->port());
        const QString unverified = unitOn.value(jigs[2]->port());
        QCOMPARE(jigs[0]->memory(), factoryMemory(ModuleKind::Tessel));
        QCOMPARE(jigs[1]->memory(), storedUpTo(kitMemory(partly.mid(1).toInt()),
                                               factoryMemory(ModuleKind::Tessel), 5));
        RUN_CONFIG(pool, 0, Invocation{"records", "units", "--record", record, "--json"});
        QMap<QString, QString> states;
        for (const QJsonValue &unit : jsonList(pool.out, "units"))
            states[unit["unit"].toString()] = unit["state"].toString();
        QCOMPARE(states, (QMap<QString, QString>{{"K001", "left"},
                                                 {"K002", "left"},
                                                 {"K003", "left"},
                                                 {"K004", "left"},
                                                 {partly, "partly stored"},
                                                 {unverified, "partly stored"}}));
        QVERIFY2(pool.out.contains("partly stored in module on " + jigs[1]->port() +
                                   " at station bench-2"),
                 qPrintable(pool.out));

        // The operator decides, and puts it back: once.
        RUN_CONFIG(back, 0,
                   Invocation{"records", "units", "--put-back", partly, "--record", record});
        QVERIFY2(back.out.startsWith("0 done, 0 in progress, 1 partly stored, 3 left\n" +
                                     unverified + ": partly stored in module on " +
                                     jigs[2]->port() + " at station bench-2, ") &&
                     back.out.contains(" (verify-failed); its backup: "),
                 qPrintable(back.out));
        RUN_CONFIG(again, 2,
                   Invocation{"records", "units", "--put-back", partly, "--record", record});
        QCOMPARE(again.err, "tessel-config: the unit " + partly +
                                " is left; only a unit in "
                                "progress or partly stored is put back\n");
        const QString csv = m_bench.dir.filePath("failed.csv");
        RUN_CONFIG(exported, 0,
                   Invocation{"records", "--record", record, "--result", "store-failed", "--csv",
                              "-o", csv});
        QCOMPARE(QString::fromUtf8(contents(csv)).count('\n'), 3);

        // A record made at the very moment --since names is listed.
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "moment");
            db.setDatabaseName(record);
            QVERIFY(db.open() && db.exec("UPDATE records SET time_utc = "
                                         "'2000-01-01T00:00:00.000Z' WHERE id = 1")
                                     .isActive());
            db.close();
        }
        QSqlDatabase::removeDatabase("moment");
        RUN_CONFIG(moment, 0,
                   Invocation{"records", "--record", record, "--since", "2000-01-01T00:00:00Z"});
        QCOMPARE(moment.out.count('\n'), 3);

        // A record a newer program wrote is left alone.
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
            db.setDatabaseName(record);
            QVERIFY(db.open() && db.exec("UPDATE tessel_schema SET version = 2").isActive());
            db.close();
        }
        QSqlDatabase::removeDatabase("newer");
        RUN_CONFIG(newer, 2, Invocation{"records", "--record", record});
        QCOMPARE(newer.err,
                 "tessel-config: " + record +
                     " is a record of schema version 2, newer "
                     "than this tessel-config knows (1); use a newer tessel-config. It was "
                     "left as it is\n");
    }

    // A module that holds the unit it is given already counts that unit done, so that it is
    // never given out again; a units file's labels belong to it alone.
    void unitHeldAlready_isDone() {
        std::vector<std::unique_ptr<SimulatedModule>> jig;
        jig.push_back(m_bench.module());
        const QString kits = kitsFile(m_bench.dir, "held.csv", 3);
        const QStringList records{m_bench.dir.filePath("held-1.sqlite"),
                                  m_bench.dir.filePath("held-2.sqlite")};
        QStringList results;
        for (const QString &record : records) {
            ConfigRun run(m_bench.program(jig, {"--units", kits, "--record", record, "--json"}));
            for (int lines = 0; lines < 100 && !run.nextLine(30000).contains("\"module\"");)
                ++lines;
            run.sendSignal(SIGINT);
            CHECK_EXIT(run.finish(kRunBoundMs), 0);
            RUN_CONFIG(pool, 0, Invocation{"records", "units", "--record", record});
            QCOMPARE(pool.out, "1 done, 0 in progress, 0 partly stored, 2 left\n");
            RUN_CONFIG(listed, 0, Invocation{"records", "--record", record, "--json"});
            for (const QJsonValue &row : jsonList(listed.out, "records"))
                results << row["unit"].toString() + ' ' + row["result"].toString();
        }
        QCOMPARE(results, (QStringList{"K001 ok", "K001 already-programmed"}));
        QCOMPARE(jig[0]->modules(), std::vector{kitMemory(1)});
        // The same labels from a file of another name are refused, not taken as the same units.
        const QString copy = kitsFile(m_bench.dir, "held-copy.csv", 3);
        RUN_CONFIG(refused, 2,
                   m_bench.program(jig, {"--units", copy, "--record", records.first()}));
        QVERIFY2(refused.err.startsWith("tessel-config: the unit K001 is in the record " +
                                        records.first() + " already, from held.csv"),
                 qPrintable(refused.err));
    }

    void scannedLabels_chooseTheUnits() {
        std::vector<std::unique_ptr<SimulatedModule>> jig;
        jig.push_back(m_bench.module({"--swap-after", "1"}));
        Invocation how = m_bench.program(jig, {"--units", kitsFile(m_bench.dir, "scanned.csv", 3),
                                               "--record", m_bench.dir.filePath("scanned.sqlite"),
                                               "--scan", "--count", "2"});
        how.input = "NOPE\nK003\nK001\n";
        RUN_CONFIG(run, 0, how, kRunBoundMs);
        QVERIFY2(run.err.contains("NOPE is not a unit of scanned.csv; scan another"),
                 qPrintable(run.err));
        const std::vector<ModuleMemory> modules = jig[0]->modules();
        QVERIFY(modules.size() >= 2);
        QCOMPARE(modules[0], kitMemory(3));
        QCOMPARE(modules[1], kitMemory(1));
    }

private:
    Bench m_bench;
};

// Two programs drawing from one pool: a test of its own, so that it runs beside the others.
class SharedPoolTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(!m_bench.profile.isEmpty()); }

    void twoPrograms_drawEachUnitOnceAndAKilledOneKeepsItsUnits_data() {
        QTest::addColumn<bool>("postgres");
        QTest::newRow("SQLite file") << false;
        QTest::newRow("PostgreSQL server") << true;
    }

    void twoPrograms_drawEachUnitOnceAndAKilledOneKeepsItsUnits() {
        QFETCH(bool, postgres);
        std::unique_ptr<testing::PostgresServer> server;
        QString record = m_bench.dir.filePath("shared.sqlite");
        if (postgres) {
            server = std::make_unique<testing::PostgresServer>();
            if (!server->unavailable().isEmpty())
                QSKIP(qPrintable(server->unavailable()));
            record = server->url();
        }
        const QString kits = kitsFile(m_bench.dir, "pool.csv", kPoolUnits);
        std::vector<std::unique_ptr<SimulatedModule>> jigs[2];
        std::vector<std::unique_ptr<ConfigRun>> runs;
        for (const char *station : {"A", "B"}) {
            auto &mine = jigs[runs.size()];
            for (int i = 0; i < 4; ++i)
                mine.push_back(m_bench.module({"--swap-after", "1"}));
            runs.push_back(std::make_unique<ConfigRun>(m_bench.program(
                mine, {"--units", kits, "--record", record, "--station", station, "--json"})));
        }
        // B is killed while it stores a module, once it has programmed two.
        for (int programmed = 0;;) {
            const QString line = runs[1]->nextLine(30000);
            programmed += line.contains("\"module\"") ? 1 : 0;
            QVERIFY2(!line.isEmpty(), "B ended or fell silent");
            if (programmed >= 2 && line.contains("\"programming\""))
                break;
        }
        runs[1]->sendSignal(SIGKILL);
        CHECK_EXIT(runs[0]->finish(kRunBoundMs), 0);

        RUN_CONFIG(pool, 0, Invocation{"records", "units", "--record", record, "--json"});
        RUN_CONFIG(listed, 0, Invocation{"records", "--record", record, "--json"});
        QMap<QString, int> ok;
        for (const QJsonValue &row : jsonList(listed.out, "records"))
            ok[row["unit"].toString()] += row["result"] == "ok" ? 1 : 0;
        jigs[0].insert(jigs[0].end(), std::make_move_iterator(jigs[1].begin()),
                       std::make_move_iterator(jigs[1].end()));
        const QMap<int, int> held = kitsHeld(jigs[0], kPoolUnits);
        QMap<QString, int> states;
        for (const QJsonValue &value : jsonList(pool.out, "units")) {
            const QString unit = value["unit"].toString(), state = value["state"].toString();
            const int n = unit.mid(1).toInt();
            ++states[state];
            if (state == "done") {
                // Programmed once, recorded once.
                QVERIFY2(ok.value(unit) == 1 && held.value(n) == 1, qPrintable(unit));
                continue;
            }
            // Held by the station killed: never free, never done.
            QVERIFY2(value["station"] == "B" && ok.value(unit) == 0 && held.value(n) <= 1 &&
                         (state == "in progress" || state == "partly stored"),
                     qPrintable(unit + ": " + state));
        }
        QVERIFY2(states.value("partly stored") >= 1 && !states.contains("left") &&
                     held.value(-1) <= states.value("partly stored"),
                 qPrintable(pool.out));
    }

private:
    Bench m_bench;
};

TESSEL_TEST_OBJECT(UnitsTest);
TESSEL_TEST_OBJECT(SharedPoolTest);
#include "test_Units.moc"
