#include "cli/CommandRequest.h"

#include "link/TcpChannel.h"

#include <QCommandLineParser>

namespace tessel {

namespace {
// A minute: longer than any line a module can be worked over.
constexpr int kLongestReplyWaitMs = 60000;

const QStringList &commandNames() {
    static const QStringList names = {QStringLiteral("identify"), QStringLiteral("read"),
                                      QStringLiteral("write"),    QStringLiteral("factory-reset"),
                                      QStringLiteral("diff"),     QStringLiteral("list-ports"),
                                      QStringLiteral("program")};
    return names;
}

} // namespace

bool isCommandName(const QString &word) {
    return commandNames().contains(word);
}

QString commandLineHelp() {
    return QStringLiteral(
        R"(Usage: tessel-config [--port NAME | --simulate KIND] [Qt options] [PROFILE]
       tessel-config COMMAND (--port NAME | --simulate KIND) [OPTIONS]
       tessel-config list-ports [--json]

Configures Tessel and Threshold radio input modules over a serial port (115200 baud, 8N1).

Without a command the configuration window opens:
  --port NAME         use this port without asking (COM3, ttyUSB0 or a device path)
  --simulate KIND     run against the built-in simulated module (tessel or threshold)
  -platform NAME, -style NAME and Qt's other options are passed on to Qt.
  PROFILE             a production profile file the window opens once it has read the
                      module, as its File menu's Open Profile does

Commands:
  identify            link test (up to 100 attempts, 1.5 s each), then identification (up to
                      10 attempts, 1 s each); prints one line describing the module
  read [-o FILE]      reads the whole memory and writes it as production profile text (16
                      records "DATA" of 16 values, on one line) to FILE or standard output
  write FILE          stores the profile in FILE, block by block, each confirmed by the
                      module, then reads the memory back and names every address that
                      differs
  factory-reset       stores the factory settings of the module's kind and reads them back
  diff FILE           lists field by field where the module's memory differs from the profile
                      in FILE, or prints "no differences"; exits 0 when they are the same
                      and 1 when they differ, like diff(1)
  program FILE --kind KIND --port NAME [--port NAME ...] [--count N] [--record FILE.csv]
          [--json]    production: on every port at once, waits for a module, identifies it,
                      refuses another kind, reads its memory for the backup, stores the
                      profile in FILE, reads it back and compares, then waits until the module
                      is removed and starts again; one status line per port on a terminal, a
                      bell when a module is done. A module that holds the profile already
                      is recorded as already programmed and not stored again. Ctrl-C stops
                      waiting and finishes the modules in progress; a second Ctrl-C ends
                      their stores after the block in flight
  list-ports          lists the serial ports present: name, device, stable /dev/serial/by-id
                      name, description, manufacturer, serial number and USB vendor:product

Options of the commands:
  --port NAME         the module's port (COM3, ttyUSB0 or a device path)
  --simulate KIND     use the built-in simulated module instead of a port
  -o, --output FILE   where read writes the profile (default: standard output)
  --no-verify         with write and factory-reset: do not read the memory back after the
                      store (--verify, the default, is still accepted)
  --no-backup         with write and factory-reset: do not save the module's memory first
  --json              with identify, read, diff and list-ports: print one JSON document
                      instead of text; with program: one JSON object per event
  --kind KIND         with program: the kind to program (tessel or threshold)
  --count N           with program: stop after N modules programmed successfully
  --record FILE.csv   with program: append one line per module (time, port, kind, firmware
                      version, release year, result, differing blocks, backup, seconds)
  --reply-wait MS     wait at least MS milliseconds for each reply of the module (1 to
                      60000), for a line known to be slow (a radio bridge, a distant device
                      server); without it the waits below lengthen by themselves once the
                      module shows that it answers late (up to about 3 s late, with up to 1 s
                      between the bytes of a reply)
  -h, --help          this text
  -v, --version       the program's version

A FILE given as - is standard input for write and diff, and standard output for read -o.
Each option is given at most once, but for --port with program. A port NAME of the form
tcp://HOST:PORT reaches a module through a serial device server on the network; a connection
refused, a host that does not answer within 5 s and a connection dropped later are handled
like a lost serial line.

A profile may be split over several lines, with blank space between records and values.
Anything but 16 records "DATA" of 16 whole numbers 0 to 255 is refused, naming the record and
the value, and nothing is sent to the module.

Before write and factory-reset store anything, they read the module's memory and save it as
a production profile in the backups folder of the user's data folder
(~/.local/share/tessel-config/backups/ unless XDG_DATA_HOME says otherwise), named by kind,
the module's serials and time; the newest 200 are kept, and always each module's last. A
backup counts once it is on disk and reads back as written; when it cannot be saved, nothing
is stored. Any backup can be stored again with write. Stores on --simulate keep their
backups apart, in backups/simulated/.

read -o replaces a regular file at once (its mode, owner and hard links kept) and writes a
device, a FIFO or /dev/stdout in place; a file that cannot be written (a full disk) is exit
status 2.

When a store fails, the first line says "Error Storing Data"; the lines below it say which
blocks hold the new settings, which the old and which may hold either, where the backup is,
and the command that restores it. Ctrl-C, SIGTERM or SIGHUP (a closed terminal, a dropped
SSH session) during a store lets the block in flight be confirmed, then stops and says the
same; during any other wait it stops at once. A reader of the output that goes away (| head)
never ends a store: the output stops, the store and its check finish, and the exit status is
141 as for a program the closed pipe ended.

Every wait for the module is bounded: a block read is tried at most 3 times (5 s each), a
store waits at most 15 s for each block's confirmation. While the link test or a transfer
runs, a progress line is shown on standard error when it is a terminal.

Exit status:
  0    success; for diff, the module holds exactly the profile
  1    no module answered, the module is of an unknown kind (nothing is read or stored), the
       line failed or vanished, or the memory could not be read back after a store (the
       store itself completed); for diff, only that the module differs from the profile
  2    bad usage (in the window's options too), a bad profile, a port or file that cannot be
       opened or written (a full disk), no display for the window, or a backup that cannot be saved (nothing is
       stored); for diff, also every failure that is 1 elsewhere
  3    a block store was not confirmed ("Error Storing Data"), or the memory read back
       differs from what was stored; with program: a module that was started did not end ok
       (one of the other kind is refused, not failed; one that held the profile already
       is left as it is; one that could not be identified was not programmed and counts
       as failed; 0 means every module started ended ok, 1 that every port failed)
  129  ended by SIGHUP; 130 interrupted by Ctrl-C (SIGINT); 143 ended by SIGTERM. program
       instead finishes the modules in progress on the first Ctrl-C and ends with its
       totals and 0 or 3; SIGHUP and SIGTERM end its stores after the block in flight,
       with each module's record
  141  standard output or error was a pipe whose reader went away; what was under way
       was finished first
)");
}

namespace {
// The options, declared once for the parser and for the checks that follow it.
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("help")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("version")};
    QCommandLineOption port{QStringLiteral("port"), QStringLiteral("port"), QStringLiteral("NAME")};
    QCommandLineOption simulate{QStringLiteral("simulate"), QStringLiteral("simulate"),
                                QStringLiteral("KIND")};
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("output"),
                              QStringLiteral("FILE")};
    QCommandLineOption verify{QStringLiteral("verify"), QStringLiteral("verify")};
    QCommandLineOption json{QStringLiteral("json"), QStringLiteral("json")};
    QCommandLineOption noVerify{QStringLiteral("no-verify"), QStringLiteral("no-verify")};
    QCommandLineOption noBackup{QStringLiteral("no-backup"), QStringLiteral("no-backup")};
    QCommandLineOption kind{QStringLiteral("kind"), QStringLiteral("kind"), QStringLiteral("KIND")};
    QCommandLineOption count{QStringLiteral("count"), QStringLiteral("count"), QStringLiteral("N")};
    QCommandLineOption record{QStringLiteral("record"), QStringLiteral("record"),
                              QStringLiteral("FILE")};
    QCommandLineOption replyWait{QStringLiteral("reply-wait"), QStringLiteral("reply-wait"),
                                 QStringLiteral("MS")};
};

// The command and the profile file it takes; an error text, empty when they are right.
QString readCommandWords(const QStringList &positional, CommandRequest &r) {
    if (positional.isEmpty())
        return QStringLiteral("no command given (try --help)");
    r.command = positional.first();
    if (!commandNames().contains(r.command)) {
        return QStringLiteral("unknown command \"%1\"; the commands are %2")
            .arg(r.command, commandNames().join(QStringLiteral(", ")));
    }
    const bool takesFile = r.command == QLatin1String("write") ||
                           r.command == QLatin1String("diff") ||
                           r.command == QLatin1String("program");
    const qsizetype wanted = takesFile ? 2 : 1;
    if (positional.size() < wanted)
        return QStringLiteral("%1 needs the profile file to use").arg(r.command);
    if (positional.size() > wanted)
        return QStringLiteral("unexpected argument \"%1\"").arg(positional.at(wanted));
    if (takesFile)
        r.file = positional.at(1);
    return {};
}

// An option given twice would leave one of the two silently unused.
QString refuseRepeats(const QCommandLineParser &parser, const Options &o) {
    // program works on every port it is given.
    const bool manyPorts = parser.positionalArguments().value(0) == QLatin1String("program");
    for (const QCommandLineOption *option :
         {&o.port, &o.simulate, &o.output, &o.kind, &o.count, &o.record, &o.replyWait}) {
        if (option == &o.port && manyPorts)
            continue;
        if (parser.values(*option).size() > 1)
            return QStringLiteral("--%1 is given more than once").arg(option->names().constLast());
    }
    return {};
}

// The options that belong to one command only.
QString readCommandOptions(const QCommandLineParser &parser, const Options &o, CommandRequest &r) {
    if (parser.isSet(o.output) && r.command != QLatin1String("read"))
        return QStringLiteral("-o/--output belongs to read only");
    r.output = parser.value(o.output);
    if (parser.isSet(o.output) && r.output.isEmpty())
        return QStringLiteral("-o/--output needs a file name (or - for standard output)");
    const bool stores =
        r.command == QLatin1String("write") || r.command == QLatin1String("factory-reset");
    if (!stores && (parser.isSet(o.verify) || parser.isSet(o.noVerify) || parser.isSet(o.noBackup)))
        return QStringLiteral("--verify, --no-verify and --no-backup belong to write and "
                              "factory-reset only");
    if (parser.isSet(o.verify) && parser.isSet(o.noVerify))
        return QStringLiteral("give either --verify or --no-verify, not both");
    // Every store is checked and backed up unless the operator says otherwise.
    r.verify = stores && !parser.isSet(o.noVerify);
    r.backup = stores && !parser.isSet(o.noBackup);
    r.json = parser.isSet(o.json);
    static const QStringList withJson = {QStringLiteral("identify"), QStringLiteral("read"),
                                         QStringLiteral("diff"), QStringLiteral("list-ports"),
                                         QStringLiteral("program")};
    if (r.json && !withJson.contains(r.command))
        return QStringLiteral(
            "--json belongs to identify, read, diff, list-ports and program only");
    if (parser.isSet(o.replyWait)) {
        bool ok = false;
        r.replyWaitMs = parser.value(o.replyWait).toInt(&ok);
        if (r.command == QLatin1String("list-ports"))
            return QStringLiteral("list-ports talks to no module; --reply-wait is not taken");
        if (!ok || r.replyWaitMs < 1 || r.replyWaitMs > kLongestReplyWaitMs)
            return QStringLiteral("--reply-wait takes milliseconds, 1 to %1")
                .arg(kLongestReplyWaitMs);
    }
    if (r.command != QLatin1String("program")) {
        for (const QCommandLineOption *option : {&o.kind, &o.count, &o.record}) {
            if (parser.isSet(*option))
                return QStringLiteral("--%1 belongs to program only").arg(option->names().first());
        }
    }
    return {};
}

// What program needs: the kind, the ports (each once, network names well formed), a count.
QString readProductionOptions(const QCommandLineParser &parser, const Options &o,
                              CommandRequest &r) {
    r.kind = moduleKindFromKey(parser.value(o.kind));
    if (!r.kind)
        return QStringLiteral("program needs --kind ") + moduleKindKeyChoices();
    if (parser.isSet(o.simulate))
        return QStringLiteral("program works on ports; --simulate is not taken");
    for (const QString &value : parser.values(o.port)) {
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
    if (parser.isSet(o.count)) {
        bool ok = false;
        r.count = parser.value(o.count).toInt(&ok);
        if (!ok || r.count < 1)
            return QStringLiteral("--count takes a whole number of modules, 1 or more");
    }
    r.record = parser.value(o.record);
    if (parser.isSet(o.record) && r.record.isEmpty())
        return QStringLiteral("--record needs a file name");
    return {};
}

// The port, or the kind of simulated module, that the command talks to.
QString readModuleChoice(const QCommandLineParser &parser, const Options &o, CommandRequest &r) {
    if (r.command == QLatin1String("list-ports")) {
        const bool chosen = parser.isSet(o.port) || parser.isSet(o.simulate);
        return chosen ? QStringLiteral("list-ports takes no --port or --simulate") : QString();
    }
    if (parser.isSet(o.simulate)) {
        r.simulate = moduleKindFromKey(parser.value(o.simulate));
        if (!r.simulate)
            return QStringLiteral("--simulate takes ") + moduleKindKeyChoices();
    }
    r.port = parser.value(o.port).trimmed();
    if (r.simulate && parser.isSet(o.port))
        return QStringLiteral("give either --port or --simulate, not both");
    if (!r.simulate && r.port.isEmpty())
        return QStringLiteral("%1 needs --port NAME (or --simulate KIND)").arg(r.command);
    return {};
}
} // namespace

ParsedRequest parseCommandRequest(const QStringList &arguments) {
    const Options o;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({o.help, o.version, o.port, o.simulate, o.output, o.verify, o.noVerify,
                       o.noBackup, o.json, o.kind, o.count, o.record, o.replyWait});

    ParsedRequest parsed;
    CommandRequest &r = parsed.request;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    r.help = parser.isSet(o.help);
    r.version = parser.isSet(o.version);
    if (r.help || r.version)
        return parsed;
    parsed.error = refuseRepeats(parser, o);
    if (parsed.error.isEmpty())
        parsed.error = readCommandWords(parser.positionalArguments(), r);
    if (parsed.error.isEmpty())
        parsed.error = readCommandOptions(parser, o, r);
    if (parsed.error.isEmpty() && r.command == QLatin1String("program"))
        parsed.error = readProductionOptions(parser, o, r);
    else if (parsed.error.isEmpty())
        parsed.error = readModuleChoice(parser, o, r);
    return parsed;
}

} // namespace tessel
