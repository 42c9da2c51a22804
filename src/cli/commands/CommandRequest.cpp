// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/CommandRequest.h"

#include "cli/commands/CommandTable.h"
#include "link/channels/TcpChannel.h"

#include <QCommandLineParser>

namespace tessel {

namespace {
// A minute: longer than any line a module can be worked over.
constexpr int kLongestReplyWaitMs = 60000;

QString unknownCommand(const QString &word) {
    QStringList names;
    for (const commands::Command &command : commands::all())
        names << QLatin1String(command.name);
    return QStringLiteral("unknown command \"%1\"; the commands are %2")
        .arg(word, names.join(QStringLiteral(", ")));
}

QString nameOf(const commands::Option &option) {
    return QLatin1String(option.longName);
}

QCommandLineOption parserOption(const commands::Option &option) {
    QStringList names = {nameOf(option)};
    if (option.shortName != 0)
        names.prepend(QString(QLatin1Char(option.shortName)));
    return option.value ? QCommandLineOption(names, nameOf(option), QLatin1String(option.value))
                        : QCommandLineOption(names, nameOf(option));
}

// The command and the profile file it takes; an error text, empty when they are right.
QString readCommandWords(const QStringList &positional, CommandRequest &r) {
    if (positional.isEmpty())
        return QStringLiteral("no command given (try --help)");
    r.command = positional.first();
    const commands::Command *command = commands::find(r.command);
    if (!command)
        return unknownCommand(r.command);
    if (r.command == QLatin1String("records")) {
        r.unitPool = positional.value(1) == QLatin1String("units");
        const qsizetype wanted = r.unitPool ? 2 : 1;
        if (positional.size() > wanted)
            return QStringLiteral("unexpected argument \"%1\" (records lists the records; "
                                  "\"records units\" the units)")
                .arg(positional.at(wanted));
        return {};
    }
    const bool takesFile = command->operand == commands::Completion::Profile;
    const qsizetype wanted = takesFile ? 2 : 1;
    if (positional.size() < wanted)
        return QStringLiteral("%1 needs the profile file to use").arg(r.command);
    if (positional.size() > wanted)
        return QStringLiteral("unexpected argument \"%1\"").arg(positional.at(wanted));
    if (takesFile)
        r.file = positional.at(1);
    return {};
}

// An option given twice would leave one of the two silently unused; program works on every
// port it is given.
QString refuseRepeats(const QCommandLineParser &parser) {
    const bool program = parser.positionalArguments().value(0) == QLatin1String("program");
    for (const commands::Option &option : commands::options()) {
        if (option.value && parser.values(nameOf(option)).size() > 1 &&
            !(program && option.repeatsWithProgram))
            return QStringLiteral("--%1 is given more than once").arg(nameOf(option));
    }
    return {};
}

// An option given to a command that does not take it is refused rather than ignored.
QString refuseForeignOptions(const QCommandLineParser &parser, const QString &command) {
    for (const commands::Option &option : commands::options()) {
        if (parser.isSet(nameOf(option)) && !commands::takes(option, command)) {
            return QStringLiteral("%1 takes no --%2: --%2 belongs to %3 only")
                .arg(command, nameOf(option), commands::commandList(option));
        }
    }
    return {};
}

// The values of the options that belong to one command or a few.
QString readCommandOptions(const QCommandLineParser &parser, CommandRequest &r) {
    r.output = parser.value(QStringLiteral("output"));
    if (parser.isSet(QStringLiteral("output")) && r.output.isEmpty())
        return QStringLiteral("-o/--output needs a file name (or - for standard output)");
    if (parser.isSet(QStringLiteral("verify")) && parser.isSet(QStringLiteral("no-verify")))
        return QStringLiteral("give either --verify or --no-verify, not both");
    // Every store is checked and backed up unless the operator says otherwise.
    const bool stores =
        r.command == QLatin1String("write") || r.command == QLatin1String("factory-reset");
    r.verify = stores && !parser.isSet(QStringLiteral("no-verify"));
    r.backup = stores && !parser.isSet(QStringLiteral("no-backup"));
    r.json = parser.isSet(QStringLiteral("json"));
    r.record = parser.value(QStringLiteral("record"));
    if (parser.isSet(QStringLiteral("record")) && r.record.isEmpty())
        return QStringLiteral("--record needs a file name or a postgresql:// address");
    r.station = parser.value(QStringLiteral("station")).trimmed();
    if (parser.isSet(QStringLiteral("station")) && r.station.isEmpty())
        return QStringLiteral("--station needs a name");
    r.trace = parser.value(QStringLiteral("trace"));
    if (parser.isSet(QStringLiteral("trace")) && r.trace.isEmpty())
        return QStringLiteral("--trace needs a file name (or - for standard error)");
    r.bytes = parser.isSet(QStringLiteral("bytes"));
    if (parser.isSet(QStringLiteral("reply-wait"))) {
        bool ok = false;
        r.replyWaitMs = parser.value(QStringLiteral("reply-wait")).toInt(&ok);
        if (!ok || r.replyWaitMs < 1 || r.replyWaitMs > kLongestReplyWaitMs)
            return QStringLiteral("--reply-wait takes milliseconds, 1 to %1")
                .arg(kLongestReplyWaitMs);
    }
    return {};
}

// `help [COMMAND]` and `[COMMAND] --help` (`help --help` too): the command whose long help is
// asked for.
QString readHelpRequest(QStringList words, bool helpOption, CommandRequest &r) {
    r.help = true;
    if (words.value(0) == QLatin1String("help") && (words.size() > 1 || !helpOption))
        words.removeFirst();
    r.helpCommand = words.value(0);
    if (words.size() > 1)
        return QStringLiteral("unexpected argument \"%1\"").arg(words.at(1));
    if (!r.helpCommand.isEmpty() && !commands::find(r.helpCommand))
        return unknownCommand(r.helpCommand);
    return {};
}

// What program needs: the kind, the ports (each once, network names well formed), a count.
QString readProductionOptions(const QCommandLineParser &parser, CommandRequest &r) {
    r.kind = moduleKindFromKey(parser.value(QStringLiteral("kind")));
    if (!r.kind)
        return QStringLiteral("program needs --kind ") + moduleKindKeyChoices();
    for (const QString &value : parser.values(QStringLiteral("port"))) {
        const QString port = value.trimmed();
        if (r.ports.contains(port))
            return QStringLiteral("the port %1 is given twice").arg(port);
        if (isTcpPortName(port) && !parseTcpPortName(port))
            return QStringLiteral("\"%1\" is not a network port: write it as tcp://HOST:PORT")
                .arg(port);
        r.ports << port;
    }
    if (r.ports.isEmpty())
        return QStringLiteral("program needs at least one --port NAME");
    if (parser.isSet(QStringLiteral("count"))) {
        bool ok = false;
        r.count = parser.value(QStringLiteral("count")).toInt(&ok);
        if (!ok || r.count < 1)
            return QStringLiteral("--count takes a whole number of modules, 1 or more");
    }
    r.units = parser.value(QStringLiteral("units"));
    r.scan = parser.isSet(QStringLiteral("scan"));
    r.operatorName = parser.value(QStringLiteral("operator")).trimmed();
    if (parser.isSet(QStringLiteral("units")) && r.units.isEmpty())
        return QStringLiteral("--units needs a file name");
    if (r.scan && r.units.isEmpty())
        return QStringLiteral("--scan chooses units: it needs --units FILE");
    // The pool keeps which units are done, so that no kit is programmed twice: a database
    // record it needs (a CSV file is refused when the run starts).
    if (!r.units.isEmpty() && r.record.isEmpty())
        r.record = QStringLiteral("production.sqlite");
    return {};
}

// What records takes: the filters, one format, the unit to put back.
QString readRecordsOptions(const QCommandLineParser &parser, CommandRequest &r) {
    if (r.record.isEmpty())
        r.record = QStringLiteral("production.sqlite");
    r.csv = parser.isSet(QStringLiteral("csv"));
    if (r.csv && r.json)
        return QStringLiteral("give either --csv or --json, not both");
    r.putBack = parser.value(QStringLiteral("put-back")).trimmed();
    if (parser.isSet(QStringLiteral("put-back")) && (!r.unitPool || r.putBack.isEmpty()))
        return QStringLiteral("--put-back LABEL belongs to \"records units\"");
    for (const char *filter : {"since", "unit", "result", "station", "csv"}) {
        if (r.unitPool && parser.isSet(QLatin1String(filter)))
            return QStringLiteral("--%1 filters records, not units").arg(QLatin1String(filter));
    }
    r.unit = parser.value(QStringLiteral("unit")).trimmed();
    r.result = parser.value(QStringLiteral("result")).trimmed();
    if (parser.isSet(QStringLiteral("since"))) {
        const QString text = parser.value(QStringLiteral("since")).trimmed();
        QDateTime since = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (!since.isValid())
            since = QDate::fromString(text, Qt::ISODate).startOfDay();
        if (!since.isValid())
            return QStringLiteral("--since takes a date or a time as 2026-12-07 or "
                                  "2026-12-07T14:30 (local time unless it ends in Z or an "
                                  "offset such as +02:00)");
        r.since = since;
    }
    return {};
}

// How monitor reads and prints.
QString readMonitorOptions(const QCommandLineParser &parser, CommandRequest &r) {
    constexpr qint64 kDefaultIntervalMs = 1000;
    constexpr qint64 kLongestIntervalMs = 3'600'000;
    constexpr double kLongestDurationS = 1e7;
    MonitorOptions &m = r.monitor;
    const QString inputs = QStringLiteral("inputs");
    const QString interval = QStringLiteral("interval");
    const QString duration = QStringLiteral("duration");
    QString error;
    const auto chosen =
        parseInputList(parser.isSet(inputs) ? parser.value(inputs) : QStringLiteral("0-15"), error);
    if (!chosen)
        return error;
    m.run.inputs = *chosen;
    bool ok = true;
    const qint64 intervalMs =
        parser.isSet(interval) ? parser.value(interval).toLongLong(&ok) : kDefaultIntervalMs;
    if (!ok || intervalMs < 0 || intervalMs > kLongestIntervalMs)
        return QStringLiteral("--interval takes milliseconds, 0 to %1").arg(kLongestIntervalMs);
    m.run.intervalMicros = intervalMs * 1000;
    if (parser.isSet(duration)) {
        const double seconds = parser.value(duration).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > kLongestDurationS)
            return QStringLiteral("--duration takes seconds, more than 0");
        m.run.durationMicros = static_cast<qint64>(seconds * 1e6);
    }
    const bool csv = parser.isSet(QStringLiteral("csv"));
    if (csv && r.json)
        return QStringLiteral("give either --csv or --json, not both");
    m.format = r.json ? MonitorOptions::Format::Json
               : csv  ? MonitorOptions::Format::Csv
                      : MonitorOptions::Format::Table;
    return {};
}

// The port, or the kind of simulated module, that the command talks to.
QString readModuleChoice(const QCommandLineParser &parser, CommandRequest &r) {
    if (r.command == QLatin1String("list-ports"))
        return {};
    const QString simulate = QStringLiteral("simulate");
    const QString port = QStringLiteral("port");
    if (parser.isSet(simulate)) {
        r.simulate = moduleKindFromKey(parser.value(simulate));
        if (!r.simulate)
            return QStringLiteral("--simulate takes ") + moduleKindKeyChoices();
    }
    r.port = parser.value(port).trimmed();
    if (r.simulate && parser.isSet(port))
        return QStringLiteral("give either --port or --simulate, not both");
    if (!r.simulate && r.port.isEmpty())
        return QStringLiteral("%1 needs --port NAME (or --simulate KIND)").arg(r.command);
    return {};
}
} // namespace

bool isCommandName(const QString &word) {
    return commands::find(word) != nullptr;
}

ParsedRequest parseCommandRequest(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const commands::Option &option : commands::options())
        parser.addOption(parserOption(option));

    ParsedRequest parsed;
    CommandRequest &r = parsed.request;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    const QStringList positional = parser.positionalArguments();
    const bool helpOption = parser.isSet(QStringLiteral("help"));
    if (helpOption || positional.value(0) == QLatin1String("help")) {
        parsed.error = readHelpRequest(positional, helpOption, r);
        return parsed;
    }
    r.version = parser.isSet(QStringLiteral("version"));
    if (r.version)
        return parsed;
    parsed.error = refuseRepeats(parser);
    if (parsed.error.isEmpty())
        parsed.error = readCommandWords(positional, r);
    if (parsed.error.isEmpty())
        parsed.error = refuseForeignOptions(parser, r.command);
    if (parsed.error.isEmpty())
        parsed.error = readCommandOptions(parser, r);
    if (parsed.error.isEmpty() && r.command == QLatin1String("program"))
        parsed.error = readProductionOptions(parser, r);
    else if (parsed.error.isEmpty() && r.command == QLatin1String("records"))
        parsed.error = readRecordsOptions(parser, r);
    else if (parsed.error.isEmpty())
        parsed.error = readModuleChoice(parser, r);
    if (parsed.error.isEmpty() && r.command == QLatin1String("monitor"))
        parsed.error = readMonitorOptions(parser, r);
    return parsed;
}

} // namespace tessel
