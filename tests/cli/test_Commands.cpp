// SPDX-License-Identifier: Apache-2.0
// The commands as a shell user runs them, against tessel-modsim over a pseudo-terminal:
// their output, "-" for standard input and output, and the JSON documents.

#include "EndToEndSupport.h"
#include "cli/commands/PortListing.h"
#include "support/PortSamples.h"
#include "support/TestMain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <csignal>

using namespace tessel;
using namespace tessel::e2e;

namespace {

QJsonObject jsonOf(const Outcome &o) {
    return QJsonDocument::fromJson(o.out.toUtf8()).object();
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void everyCommand_onOneModule_data() {
        QTest::addColumn<ModuleKind>("kind");
        QTest::addColumn<QString>("identity");
        QTest::addColumn<QString>("differences"); // profile bytes 0, 23, 56 changed
        QTest::newRow("tessel")
            << ModuleKind::Tessel
            << "Tessel module, ZigBee radio, firmware version 3, release year 2008\n"
            << "Base serial: 0013A200 → 5A13A200\n"
               "  address 0 (base serial byte 1): module 0, profile 90\n"
               "Device 1 controller type: Velqa 8-Ch. Relay Device → 94 (no such type)\n"
               "  address 23 (row 1 controller type): module 4, profile 94\n"
               "Device 6 serial: 9B1B0063 → C11B0063\n"
               "  address 56 (row 6 serial byte 1): module 155, profile 193\n"
               "3 settings differ (3 of 256 addresses)\n";
        QTest::newRow("threshold")
            << ModuleKind::Threshold
            << "Threshold module, ZigBee radio, firmware version 3, release year 2008\n"
            << "Base serial: 0013A200:4032 → 5A13A200:4032\n"
               "  address 0 (base serial byte 1): module 0, profile 90\n"
               "Device 1 controller type: Velqa 32-Ch. Relay Device → 93 (no such type)\n"
               "  address 23 (row 1 controller type): module 7, profile 93\n"
               "Device 6 serial: 6666 → 3C66\n"
               "  address 56 (row 6 serial byte 1): module 102, profile 60\n"
               "3 settings differ (3 of 256 addresses)\n";
    }

    void everyCommand_onOneModule() {
        QFETCH(ModuleKind, kind);
        QFETCH(QString, identity);
        QFETCH(QString, differences);
        SimulatedModule module(m_dir, kind, fast());
        const QStringList port{"--port", module.port()};
        RUN_CONFIG(identify, 0, QStringList{"identify"} + port);
        QCOMPARE(identify.out, identity);

        const ModuleMemory factory = factoryMemory(kind);
        // "-" is standard output, never a file of that name.
        Invocation toStdout(QStringList{"read", "-o", "-"} + port);
        toStdout.workingDirectory = m_dir.path();
        RUN_CONFIG(read, 0, toStdout);
        QCOMPARE(read.out, profileOf(factory) + '\n');
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("-"))));
        // A link to nothing yet makes its target and stays a link; the module's own line is
        // never written to.
        const QString made = m_dir.filePath(moduleKindKey(kind) + ".txt");
        const QString link = made + ".link";
        QVERIFY(QFile::link(made, link));
        CHECK_EXIT(runConfig(QStringList{"read", "-o", link} + port), 0);
        QCOMPARE(contents(made), read.out.toLatin1());
        QVERIFY(QFileInfo(link).isSymLink());
        RUN_CONFIG(own, 2, QStringList{"read", "-o", module.port()} + port);
        QVERIFY2(own.err.contains("the module's own port"), qPrintable(own.err));

        RUN_CONFIG(same, 0, QStringList{"diff", writeProfile(m_dir, "read.txt", read.out)} + port);
        QCOMPARE(same.out, QStringLiteral("no differences\n"));
        ModuleMemory profile = factory;
        for (int a : {0, 23, 56})
            profile[a] = static_cast<quint8>(profile[a] ^ 0x5A);
        const QString other = writeProfile(m_dir, "other.txt", profileOf(profile));
        // Settings, the module's value first; with --bytes each one's addresses under it.
        RUN_CONFIG(bytes, 1, QStringList{"diff", other, "--bytes"} + port); // like diff(1)
        QCOMPARE(bytes.out, differences);
        RUN_CONFIG(settings, 1, QStringList{"diff", other} + port);
        QCOMPARE(settings.out, differences.remove(QRegularExpression("  address [^\n]*\n")));
        QCOMPARE(module.memory(), factory);

        // Every byte value, split over lines with extra blanks as a profile copied out of an
        // e-mail may be; a store is read back unless the operator says otherwise.
        const ModuleMemory wanted = everyByteValue(kind == ModuleKind::Threshold);
        QString text = profileOf(wanted);
        text.replace(QStringLiteral("     DATA"), QStringLiteral("\r\n\tDATA  "));
        RUN_CONFIG(write, 0, Invocation(QStringList{"write", "-"} + port, text.toLatin1()));
        QVERIFY2(write.out.contains(QStringLiteral("verified")), qPrintable(write.out));
        QCOMPARE(module.memory(), wanted);

        // The backup goes to the program's own data folder.
        QTemporaryDir data;
        Invocation reset(QStringList{"factory-reset"} + port);
        reset.set = QStringList{"XDG_DATA_HOME=" + data.path()};
        CHECK_EXIT(runConfig(reset), 0);
        QCOMPARE(module.memory(), factory);
        QCOMPARE(QDir(data.filePath("tessel-config/backups")).entryList(QDir::Files).size(), 1);
    }

    void unknownKind_isExitOneButTroubleForDiff() {
        SimulatedModule stranger(m_dir, ModuleKind::Tessel,
                                 fast() + QStringList{"--report-kind", "9"});
        const QStringList port{"--port", stranger.port()};
        RUN_CONFIG(identify, 1, QStringList{"identify"} + port);
        QVERIFY(identify.out.contains("unknown module kind 9"));
        QVERIFY(identify.err.contains("unknown kind 9"));
        // diff keeps 1 for "differs", so that a script can rely on it.
        const QByteArray profile = profileOf(factoryMemory(ModuleKind::Tessel)).toLatin1();
        RUN_CONFIG(diff, 2, Invocation(QStringList{"diff", "-"} + port, profile));
        QVERIFY2(diff.err.contains("unknown kind 9"), qPrintable(diff.err));
    }

    void json_documentsParseBackWithTheirFields() {
        SimulatedModule module(m_dir, ModuleKind::Threshold, fast());
        const QStringList port = {"--port", module.port(), "--json"};
        RUN_CONFIG(identify, 0, QStringList{"identify"} + port);
        CHECK_SCHEMA("identify", identify);
        QCOMPARE(jsonOf(identify).value("kind").toString(), QStringLiteral("threshold"));
        RUN_CONFIG(ports, 0, {"list-ports", "--json"});
        CHECK_SCHEMA("list-ports", ports);

        RUN_CONFIG(read, 0, QStringList{"read"} + port);
        CHECK_SCHEMA("read", read);
        const ModuleMemory factory = factoryMemory(ModuleKind::Threshold);
        QJsonArray bytes;
        for (const quint8 byte : factory)
            bytes.append(byte);
        QCOMPARE(jsonOf(read).value("memory").toArray(), bytes);
        QCOMPARE(memoryIn(jsonOf(read).value("profile").toString()), factory);

        ModuleMemory changed = factory;
        changed[23] = static_cast<quint8>(changed[23] + 1);
        RUN_CONFIG(diff, 1,
                   Invocation(QStringList{"diff", "-"} + port, profileOf(changed).toLatin1()));
        CHECK_SCHEMA("diff", diff);
        // Block numbers count from 0, as every message does.
        QJsonObject difference = jsonOf(diff).value("differences").toArray().at(0).toObject();
        difference.remove(QStringLiteral("field"));
        QCOMPARE(
            difference,
            (QJsonObject{
                {"address", 23}, {"block", 1}, {"module", factory[23]}, {"profile", changed[23]}}));
        QCOMPARE(jsonOf(diff).value("settings").toArray(),
                 QJsonArray({QJsonObject{{"setting", "Device 1 controller type"},
                                         {"module", "Velqa 32-Ch. Relay Device"},
                                         {"profile", "Velqa 40-Ch. Relay Device"},
                                         {"addresses", QJsonArray{23}}}}));
    }

    // list-ports of an adapter the system knows all about and a port it knows nothing of:
    // the table's columns two blanks apart, "-" where a fact is missing, null in JSON.
    void listPorts_tableAndJsonOfEveryFact() {
        const QList<PortFacts> ports{testing::usbAdapter(), testing::motherboardPort()};
        QCOMPARE(portsTable(ports),
                 "NAME     DEVICE        BY-ID PATH                                               "
                 "DESCRIPTION      MANUFACTURER   SERIAL    VID:PID\n"
                 "ttyUSB0  /dev/ttyUSB0  /dev/serial/by-id/usb-Adapter_Maker_A50285BI-if00-port0  "
                 "FT232R USB UART  Adapter Maker  A50285BI  0403:6001\n"
                 "ttyS0    /dev/ttyS0    -                                                        "
                 "-                -              -         -\n");
        QCOMPARE(portsJson(ports).value("ports").toArray().at(1).toObject(),
                 (QJsonObject{{"name", "ttyS0"},
                              {"device", "/dev/ttyS0"},
                              {"byIdPath", QJsonValue::Null},
                              {"description", QJsonValue::Null},
                              {"manufacturer", QJsonValue::Null},
                              {"serialNumber", QJsonValue::Null},
                              {"vendorProduct", QJsonValue::Null}}));
    }

    // --trace writes one line per exchange and per job; QT_LOGGING_RULES does the same on
    // standard error.
    void trace_writesALinePerExchange() {
        const QString path = m_dir.filePath(QStringLiteral("trace.txt"));
        // Times are the local time of day, here five and a half hours ahead of UTC.
        Invocation zoned({"identify", "--simulate", "tessel", "--trace", path});
        zoned.set = QStringList{"TZ=XYZ-5:30"};
        const auto localNow = [] { return QDateTime::currentDateTimeUtc().addSecs(19800).time(); };
        const QTime before = localNow();
        RUN_CONFIG(traced, 0, zoned);
        const QTime after = localNow();
        static const QRegularExpression line(QStringLiteral(
            R"(^\d\d:\d\d:\d\d\.\d{3} (identification (started|ended: done)|)"
            R"((link test -> 00 02 <- 58|identify -> 00 03 <- 01( [0-9a-f]{2}){5}) \(\d+\.\d ms\))$)"));
        const QStringList lines = QString::fromUtf8(contents(path)).split(QLatin1Char('\n'));
        // The job's start, the link test, two identifications that agree, its end, and what
        // follows the last line's end.
        QCOMPARE(lines.size(), 6);
        for (const QString &entry : lines.first(5))
            QVERIFY2(line.match(entry).hasMatch(), qPrintable(entry));
        const QTime first = QTime::fromString(lines.first().left(12), "HH:mm:ss.zzz");
        QVERIFY2((before.msecsTo(first) >= 0 && first.msecsTo(after) >= 0) || after < before,
                 qPrintable(lines.first()));
        Invocation ruled({"identify", "--simulate", "tessel"});
        ruled.set = QStringList{"QT_LOGGING_RULES=tessel.wire=true"};
        RUN_CONFIG(logged, 0, ruled);
        QCOMPARE(logged.err.count(QStringLiteral(" -> ")), 3);
    }

    void progress_showsOnATerminalOnly() {
        SimulatedModule module(m_dir, ModuleKind::Tessel, fast());
        Invocation onTerminal({"read", "--port", module.port()});
        onTerminal.stderrOnTerminal = true;
        RUN_CONFIG(terminal, 0, onTerminal);
        for (const char *shown : {"Link test 1 of 100", "Reading: block 15 of 0 to 15"})
            QVERIFY2(terminal.err.contains(shown), qPrintable(terminal.err));
        // A dumb terminal gets the end of each phase as a plain line, no cursor movement.
        onTerminal.set = QStringList{"TERM=dumb"};
        RUN_CONFIG(dumb, 0, onTerminal);
        QCOMPARE(dumb.err,
                 QStringLiteral("Link test 1 of 100\r\nReading: block 15 of 0 to 15\r\n"));
        RUN_CONFIG(pipe, 0, {"read", "--port", module.port()});
        QCOMPARE(pipe.out, terminal.out);
        QVERIFY2(pipe.err.isEmpty(), qPrintable(pipe.err));
    }

    // Every line is one whole pass of a module whose levels ramp by 3 at each reading, so the
    // k-th pass holds 16 x input + 3(k - 1) for each input, however the run ends.
    void monitor_printsEveryWholePassUntilItEnds_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("interval"); // ms between passes; 0: one after the other
        QTest::newRow("table for a duration") << ""
                                              << "duration" << 0 << "20";
        QTest::newRow("csv until Ctrl-C") << "--csv"
                                          << "sigint" << 130 << "0";
        QTest::newRow("json until the reader goes") << "--json"
                                                    << "pipe" << 141 << "0";
    }

    void monitor_printsEveryWholePassUntilItEnds() {
        QFETCH(QString, format);
        QFETCH(QString, ending);
        QFETCH(int, status);
        QFETCH(QString, interval);
        SimulatedModule module(m_dir, ModuleKind::Threshold,
                               fast() << "--levels"
                                      << "ramp:3");
        QStringList arguments{"monitor", "--port",     module.port(), "--inputs",
                              "5,0,3-4", "--interval", interval,      format};
        arguments.removeAll(QString());
        if (ending == "duration")
            arguments << "--duration"
                      << "0.5";
        Invocation how(arguments);
        how.outputReaderLines = ending == "pipe" ? 3 : -1;
        ConfigRun run(how);
        QStringList lines;
        for (int i = 0; ending == "sigint" && i < 4; ++i)
            lines << run.nextLine(kQuickMs);
        if (ending == "sigint")
            run.sendSignal(SIGINT);
        const Outcome o = run.finish(kQuickMs);
        CHECK_EXIT(o, status);
        QVERIFY2(o.err.isEmpty(), qPrintable(o.err));
        lines += o.out.split('\n', Qt::SkipEmptyParts);
        if (format != "--json") // a header names the columns
            QCOMPARE(lines.takeFirst().simplified(),
                     format == "--csv" ? "time,in0,in3,in4,in5" : "time in0 in3 in4 in5");
        QVERIFY2(ending != "duration" || (lines.size() >= 10 && lines.size() <= 26),
                 qPrintable(lines.join('\n')));
        const QRegularExpression isoTime(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d$)");
        for (int k = 1; k <= lines.size(); ++k) {
            const QString &line = lines.at(k - 1);
            QStringList cells =
                format == "--csv" ? line.split(',') : line.split(' ', Qt::SkipEmptyParts);
            if (format == "--json") {
                const QJsonObject pass = QJsonDocument::fromJson(line.toUtf8()).object();
                QCOMPARE(schemaProblems("monitor", line), QString());
                QCOMPARE(pass.value("port").toString(), module.port());
                QCOMPARE(pass.value("pass").toInt(), k);
                QCOMPARE(pass.value("inputs").toArray(), QJsonArray({0, 3, 4, 5}));
                cells = QStringList{pass.value("time").toString()};
                for (const QJsonValue level : pass.value("levels").toArray())
                    cells << QString::number(level.toInt(-1));
            }
            QVERIFY2(cells.size() == 5, qPrintable(line));
            const QString time = cells.takeFirst();
            QVERIFY2(format.isEmpty() ? QTime::fromString(time, "HH:mm:ss.zzz").isValid()
                                      : isoTime.match(time).hasMatch(),
                     qPrintable(line));
            QStringList expected;
            for (const int input : {0, 3, 4, 5})
                expected << QString::number((16 * input + 3 * (k - 1)) % 256);
            QCOMPARE(cells, expected);
        }
    }

private:
    QTemporaryDir m_dir;
};

TESSEL_TEST_OBJECT(CommandsTest);
#include "test_Commands.moc"
