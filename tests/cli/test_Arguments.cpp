// SPDX-License-Identifier: Apache-2.0
// What the program makes of its arguments: the window or a command, the usage errors of
// both (status 2, a message on standard error, nothing on standard output).
// Without a display the window refuses to start, so a usage error shows whether the words
// were taken for the window or for a command.

#include "EndToEndSupport.h"
#include "cli/commands/CommandTable.h"
#include "support/TestMain.h"

#include <QTcpServer>

using namespace tessel;
using namespace tessel::e2e;

namespace {
const QStringList kNoDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
} // namespace

class ArgumentsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void refusal_exitStatusSaysWhy_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("exitCode");
        const auto row = [](const char *name, const QStringList &arguments, const char *message,
                            int exitCode = 2) {
            QTest::newRow(name) << arguments << QString::fromLatin1(message) << exitCode;
        };
        // Standard output is checked to its close; diff's 1 would claim a list that was lost.
        for (const char *command : {"read", "identify", "diff"}) {
            for (const char *json : {"", "--json"}) {
                QStringList words{command, "--simulate", "tessel"};
                if (QByteArray(command) == "diff")
                    words << "PROFILE";
                if (*json)
                    words << json;
                words << ">/dev/full";
                row(qPrintable(QStringLiteral("%1 %2 onto a full disk").arg(command, json)), words,
                    "cannot write standard output: No space left on device");
            }
        }
        row("list-ports onto a full disk", {"list-ports", ">/dev/full"},
            "cannot write standard output: No space left on device");
        row("version onto a full disk", {"--version", ">/dev/full"},
            "cannot write standard output: No space left on device");
        // A device server that is not there is a line that failed; an unknown host a bad name.
        row("tcp refused", {"read", "--port", "tcp://127.0.0.1:CLOSED"},
            "the connection was refused", 1);
        row("tcp refused, diff", {"diff", "PROFILE", "--port", "tcp://127.0.0.1:CLOSED"},
            "the connection was refused");
        row("tcp host unknown", {"read", "--port", "tcp://no-such-host.invalid:4001"},
            "no host of that name is known");
        // A stray word is reported rather than ignored.
        row("unknown command", {"reed", "--port", "x"}, "unknown command");
        row("help on no command", {"help", "reed"}, "unknown command");
        // A word after a Qt option's value, or after --, is the command (which takes no Qt option).
        row("style, then read", {"-style", "Fusion", "read"}, "Unknown option 'style'");
        row("read after --", {"--", "read"}, "read needs --port");
        row("blank port", {"factory-reset", "--port", "  "}, "needs --port NAME");
        row("port twice", {"identify", "--port", "a", "--port", "b"},
            "--port is given more than once");
        row("port and simulate", {"identify", "--port", "x", "--simulate", "tessel"}, "not both");
        row("bad kind", {"identify", "--simulate", "dimmer"}, "tessel or threshold");
        row("write without file", {"write", "--port", "x"}, "profile file");
        row("two files", {"diff", "--port", "x", "a", "b"}, "unexpected argument");
        row("missing file", {"write", "--port", "x", "/nonexistent/p.txt"}, "cannot read");
        // The profile is read before the port is opened: nothing reaches the module.
        row("bad profile", {"write", "--port", "x", "BADPROFILE"}, "record 3, value 6");
        row("unknown option", {"read", "--port", "x", "--fast"}, "fast");
        row("output on write", {"write", "p.txt", "--port", "x", "-o", "o.txt"}, "belongs to read");
        row("empty output", {"read", "--simulate", "tessel", "-o", ""}, "needs a file name");
        row("no-backup on read", {"read", "--port", "x", "--no-backup"}, "write and factory-reset");
        row("verify both ways", {"write", "p.txt", "--port", "x", "--verify", "--no-verify"},
            "not both");
        row("bytes on read", {"read", "--simulate", "tessel", "--bytes"}, "belongs to diff");
        row("json on write", {"write", "--simulate", "tessel", "p.txt", "--json"},
            "--json belongs");
        row("port on list-ports", {"list-ports", "--port", "x"}, "takes no --port");
        row("absent port", {"identify", "--port", "/dev/ttyNOSUCHPORT"}, "/dev/ttyNOSUCHPORT");
        row("reply wait 0", {"read", "--port", "x", "--reply-wait", "0"}, "1 to 60000");
        row("monitor input 16", {"monitor", "--port", "x", "--inputs", "3-16"}, "inputs 0 to 15");
        row("monitor input twice", {"monitor", "--port", "x", "--inputs", "1,0-2"}, "1 twice");
        row("monitor csv and json", {"monitor", "--port", "x", "--csv", "--json"}, "not both");
        row("csv on read", {"read", "--port", "x", "--csv"}, "belongs to records and monitor");
        row("monitor on a tessel", {"monitor", "--simulate", "tessel"}, "Tessel module");
        row("program without kind", {"program", "PROFILE", "--port", "/dev/null"}, "--kind");
        row("program without port", {"program", "PROFILE", "--kind", "tessel"}, "--port");
        row("program count 0",
            {"program", "PROFILE", "--kind", "tessel", "--port", "x", "--count", "0"}, "--count");
        row("program bad tcp", {"program", "PROFILE", "--kind", "tessel", "--port", "tcp://host"},
            "tcp://HOST:PORT");
        row("program port twice",
            {"program", "PROFILE", "--kind", "tessel", "--port", "a", "--port", "a"}, "twice");
        // A port or Qt option whose value reads like a command is still the option's value.
        row("window bad kind", {"-style", "read", "--simulate", "foo"}, "--simulate takes");
        row("window unknown option", {"--bogus"}, "'bogus'. (try --help)");
        row("window port twice", {"--port", "a", "--port", "b"}, "more than once");
        row("window port and simulate", {"--port", "a", "--simulate", "tessel"}, "not both");
        row("window empty port", {"--port", ""}, "needs a port name");
        // A word naming a file is a profile for the window, and the window opens one.
        row("window two profiles", {"--port", "read", "PROFILE", "PROFILE"}, "one profile, not 2");
        row("window without a display", {"--port=ttyUSB0"}, "no display");
        row("station window with a port", {"production", "--port", "x"},
            "production takes its profile, units and ports in its window");
    }

    void refusal_exitStatusSaysWhy() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QFETCH(int, exitCode);
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        arguments.replaceInStrings(QStringLiteral("CLOSED"), QString::number(closed.serverPort()));
        closed.close();
        const QString text = profileOf(everyByteValue(false));
        arguments.replaceInStrings(
            QStringLiteral("BADPROFILE"),
            writeProfile(m_dir, "bad.txt", QString(text).replace(" 37,", " 256,")));
        arguments.replaceInStrings(QStringLiteral("PROFILE"), writeProfile(m_dir, "p.txt", text));
        Invocation how(arguments);
        if (arguments.last().startsWith('>'))
            how.outputFile = arguments.takeLast().mid(1);
        how.arguments = arguments;
        how.unset = kNoDisplay;
        RUN_CONFIG(o, exitCode, how);
        QVERIFY2(o.err.contains(message), qPrintable(o.err));
        QVERIFY(o.out.isEmpty());
    }

    // The overview names every command; each command's long help is the same asked for either
    // way; off a terminal every line fits 80 columns. The commands need no display at all.
    void help_fitsEightyColumnsAskedEitherWay() {
        Invocation overview(QStringList{"--help"});
        overview.unset = kNoDisplay;
        RUN_CONFIG(all, 0, overview);
        QStringList texts = {all.out};
        for (const commands::Command &command : commands::all()) {
            const QString name = QLatin1String(command.name);
            QVERIFY2(all.out.contains(QStringLiteral("\n  ") + name + QLatin1Char(' ')),
                     qPrintable(name));
            RUN_CONFIG(asked, 0, {QStringLiteral("help"), name});
            RUN_CONFIG(flagged, 0, {name, QStringLiteral("--help")});
            QCOMPARE(flagged.out, asked.out);
            QVERIFY2(asked.out.startsWith(QStringLiteral("Usage: tessel-config ") + name),
                     qPrintable(asked.out));
            texts << asked.out;
        }
        for (const QString &text : texts) {
            for (const QString &line : text.split(QLatin1Char('\n')))
                QVERIFY2(line.size() <= 80, qPrintable(line));
        }
    }

    void window_takesQtsOptionsWithoutADisplay() {
        // A platform named on the command line needs none either: the window opens and keeps
        // running until it is closed.
        Invocation styled({"-style", "Fusion", "-platform", "offscreen", "--simulate", "tessel"});
        styled.unset = kNoDisplay;
        const Outcome running = runConfig(styled, 1500);
        QVERIFY2(!running.finished, qPrintable(running.err));
    }

private:
    QTemporaryDir m_dir;
};

TESSEL_TEST_OBJECT(ArgumentsTest);
#include "test_Arguments.moc"
