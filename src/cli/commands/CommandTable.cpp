#include "cli/commands/CommandTable.h"

#include <array>

namespace tessel::commands {

namespace {
const QString kIdentify = QStringLiteral("identify");
const QString kRead = QStringLiteral("read");
const QString kWrite = QStringLiteral("write");
const QString kFactoryReset = QStringLiteral("factory-reset");
const QString kDiff = QStringLiteral("diff");
const QString kListPorts = QStringLiteral("list-ports");
const QString kProgramCommand = QStringLiteral("program");
const QString kRecords = QStringLiteral("records");
const QString kMonitor = QStringLiteral("monitor");
const QString kHelp = QStringLiteral("help");
const QString kWindowName = QString::fromLatin1(kWindow);

const QStringList kOneModule = {kIdentify, kRead, kWrite, kFactoryReset, kDiff, kMonitor};
const QStringList kStores = {kWrite, kFactoryReset};

const std::array kCommands = {
    Command{"identify",
            "",
            "link test and identification; one line describing the module",
            "Runs the link test (up to 100 attempts, 1.5 s each), then the identification (up to "
            "10 attempts, 1 s each), and prints one line describing the module: its kind, radio, "
            "firmware version and release year.",
            Completion::None,
            {QStringLiteral("Ports")},
            {QStringLiteral("Which module is on the first USB adapter:"),
             QStringLiteral("$ tessel-config identify --port ttyUSB0")}},
    Command{"read",
            "",
            "the whole memory as a production profile",
            "Reads the module's whole memory and writes it as production profile text (16 "
            "records \"DATA\" of 16 values, on one line) to standard output or to the file of "
            "-o.\n\n"
            "read -o replaces a regular file at once (its mode, owner and hard links kept), "
            "creates the file a dangling symbolic link points to, and writes a device, a FIFO "
            "or /dev/stdout in place; the module's own port is refused before anything is "
            "sent. A file or standard output that cannot be written to the end (a full disk) "
            "is exit status 2.",
            Completion::None,
            {QStringLiteral("Profiles")},
            {QStringLiteral("Keep what a module holds:"),
             QStringLiteral("$ tessel-config read --port ttyUSB0 -o module.txt")}},
    Command{"write",
            "FILE",
            "store a profile, then read it back and compare",
            "Stores the profile in FILE, block by block, each block confirmed by the module, "
            "then reads the memory back and names every address that differs. The module's "
            "memory is saved first (see Backups).",
            Completion::Profile,
            {QStringLiteral("Profiles"), QStringLiteral("Backups"),
             QStringLiteral("When a store fails")},
            {QStringLiteral("Store a profile:"),
             QStringLiteral("$ tessel-config write module.txt --port ttyUSB0")}},
    Command{"factory-reset",
            "",
            "store the factory settings of the module's kind",
            "Stores the factory settings of the module's kind and reads them back. The module's "
            "memory is saved first (see Backups).",
            Completion::None,
            {QStringLiteral("Backups"), QStringLiteral("When a store fails")},
            {}},
    Command{"diff",
            "FILE",
            "where the module differs from a profile",
            "Lists, setting by setting in the window's words, where the module's memory differs "
            "from the profile in FILE, the module's value first, or prints \"no differences\"; "
            "with --bytes each setting's addresses and byte values follow it. The status is 0 when "
            "they are the same and 1 when they differ, like diff(1); any trouble is 2.",
            Completion::Profile,
            {QStringLiteral("Profiles")},
            {QStringLiteral("Check a module against its profile in a script:"),
             QStringLiteral("$ tessel-config diff module.txt --port ttyUSB0 --json")}},
    Command{"monitor",
            "",
            "a Threshold module's analog levels, pass after pass",
            "Reads the analog inputs of a Threshold module over and over and prints one line per "
            "pass under a header naming the inputs: the time, then each level 0 to 255, \"-\" "
            "where the input did not answer in time. Runs until Ctrl-C, the end of --duration "
            "or a reader of the output that goes away; every line is a whole pass. A module of "
            "another kind is refused with status 2.",
            Completion::None,
            {QStringLiteral("Ports")},
            {QStringLiteral("Log inputs 0 and 3 to 5 for an hour, a pass a second:"),
             QStringLiteral("$ tessel-config monitor --port ttyUSB0 --inputs 0,3-5 \\"),
             QStringLiteral("$     --duration 3600 --csv > levels.csv")}},
    Command{"list-ports",
            "",
            "the serial ports present",
            "Lists the serial ports present: name, device, stable /dev/serial/by-id name, "
            "description, manufacturer, serial number and USB vendor:product.",
            Completion::None,
            {},
            {}},
    Command{"program",
            "FILE --kind KIND --port NAME...",
            "production on many ports at once",
            "On every port at once: waits for a module, identifies it, refuses one of another "
            "kind, reads its memory for the backup, stores the profile in FILE, reads it back "
            "and compares, then waits until the module is removed and starts again. Modules are "
            "alike, so a module is the same one only while it keeps answering: one that misses a "
            "check and then answers is taken as a new module, and one that stops answering while "
            "it is worked on is recorded with what was confirmed before it left. A port whose "
            "adapter goes away is opened again when it comes back. A terminal "
            "shows one status line per port and rings a bell when a module is done; elsewhere "
            "each module gets one plain line. A module that holds the profile already is "
            "recorded as already programmed and not stored again.\n\n"
            "With --units, each module gets the next unit of a units file not yet done, and that "
            "unit's settings over the profile's (see Units files); the record is then a "
            "database that keeps which units are done. With --scan, a kit label typed on "
            "standard input (by a scanner, ended by Enter) chooses the unit for the next module "
            "instead.\n\n"
            "Ctrl-C stops waiting and finishes the modules in progress; a second Ctrl-C ends "
            "their stores after the block in flight. SIGHUP and SIGTERM do both at once.",
            Completion::Profile,
            {QStringLiteral("Backups"), QStringLiteral("When a store fails"),
             QStringLiteral("Units files")},
            {QStringLiteral("Program 50 modules on two adapters and keep a record:"),
             QStringLiteral("$ tessel-config program module.txt --kind tessel --count 50 \\"),
             QStringLiteral("$     --port ttyUSB0 --port ttyUSB1 --record run.csv"),
             QStringLiteral("Give every module its own kit, two stations sharing one pool:"),
             QStringLiteral("$ tessel-config program module.txt --kind tessel --port ttyUSB0 \\"),
             QStringLiteral("$     --units kits.csv --record postgresql://floor-db/production")}},
    Command{"records",
            "[units]",
            "the production record's modules, or its units",
            "Lists the modules of a production record database, oldest first: time, station, "
            "operator, port, kind, firmware version, release year, unit, profile and the "
            "SHA-256 of its 256 values, the unit's settings, result, blocks that differ, backup, "
            "the memory before the store (as a profile) and seconds. --since, --unit, --station "
            "and --result choose which; --csv and --json export them.\n\n"
            "records units shows the pool: how many units are done, in progress, partly stored "
            "and left, then each unit neither done nor left, with what is known of it. "
            "--put-back LABEL gives a unit in progress or partly stored out again, once the "
            "operator has decided what its module holds.",
            Completion::None,
            {QStringLiteral("Units files")},
            {QStringLiteral("What one station programmed since a day began, for a spreadsheet:"),
             QStringLiteral("$ tessel-config records --since 2026-12-07 --station bench-1 \\"),
             QStringLiteral("$     --csv -o today.csv"),
             QStringLiteral("A unit whose module failed part way, given out again:"),
             QStringLiteral("$ tessel-config records units --put-back K017")}},
    Command{"help",
            "[COMMAND]",
            "the long help of a command",
            "Prints the long help of COMMAND, or the overview without one.",
            Completion::Command,
            {},
            {}},
};

const std::array kOptions = {
    Option{"port", 0, "NAME", Completion::Port,
           kOneModule + QStringList{kProgramCommand, kWindowName},
           "The module's port: COM3, ttyUSB0, a device path or tcp://HOST:PORT. program takes it "
           "once for each port to work on; the window uses it without asking.",
           true},
    Option{"simulate", 0, "KIND", Completion::Kind, kOneModule + QStringList{kWindowName},
           "Work with the built-in simulated module of this kind (tessel or threshold) instead "
           "of a port."},
    Option{"output",
           'o',
           "FILE",
           Completion::File,
           {kRead, kRecords},
           "Where read writes the profile, and records its list; standard output when it is - "
           "or not given."},
    Option{"no-verify", 0, nullptr, Completion::None, kStores,
           "Do not read the memory back after the store."},
    Option{"verify", 0, nullptr, Completion::None, kStores,
           "Read the memory back after the store and compare (the default)."},
    Option{"no-backup", 0, nullptr, Completion::None, kStores,
           "Do not save the module's memory before the store."},
    Option{"bytes",
           0,
           nullptr,
           Completion::None,
           {kDiff},
           "With diff: each differing setting's addresses and their byte values too."},
    Option{"json",
           0,
           nullptr,
           Completion::None,
           {kIdentify, kRead, kDiff, kListPorts, kProgramCommand, kRecords, kMonitor},
           "Print one JSON document instead of text; with program, one JSON object per event "
           "and line; with monitor, one per pass (port, pass, time, inputs, levels with null "
           "where none came)."},
    Option{"kind",
           0,
           "KIND",
           Completion::Kind,
           {kProgramCommand},
           "The kind of module to program (tessel or threshold); others are refused."},
    Option{"count",
           0,
           "N",
           Completion::None,
           {kProgramCommand},
           "Stop after N modules programmed successfully."},
    Option{"record",
           0,
           "RECORD",
           Completion::File,
           {kProgramCommand, kRecords},
           "Where each module is recorded. A name ending in .csv gets one line per module "
           "appended (time, port, kind, firmware version, release year, result, differing "
           "blocks, backup, seconds); any other name is a SQLite database file, and "
           "postgresql://[USER@]HOST[:PORT]/DATABASE (?host=FOLDER for a local socket) a "
           "PostgreSQL database several stations share, records and units alike. With --units, "
           "and for records, the default is production.sqlite."},
    Option{"units",
           0,
           "FILE",
           Completion::File,
           {kProgramCommand},
           "Give each module the next unit of FILE not yet done (see Units files)."},
    Option{"scan",
           0,
           nullptr,
           Completion::None,
           {kProgramCommand},
           "With --units: a label typed on standard input and ended by Enter, as a scanner types "
           "it, chooses the unit for the next module."},
    Option{"station",
           0,
           "NAME",
           Completion::None,
           {kProgramCommand, kRecords},
           "The station the database record names (default: the host name); with records, "
           "only this station's modules."},
    Option{"operator",
           0,
           "NAME",
           Completion::None,
           {kProgramCommand},
           "The operator the database record names."},
    Option{"since",
           0,
           "TIME",
           Completion::None,
           {kRecords},
           "Only modules recorded at or after TIME: 2026-12-07 or 2026-12-07T14:30, local time "
           "unless it ends in Z or an offset such as +02:00."},
    Option{"unit", 0, "LABEL", Completion::None, {kRecords}, "Only the modules of this unit."},
    Option{"result",
           0,
           "RESULT",
           Completion::None,
           {kRecords},
           "Only modules that ended so: ok, already-programmed, wrong-kind, unidentified, "
           "stopped, store-failed, verify-failed or link-lost."},
    Option{"csv",
           0,
           nullptr,
           Completion::None,
           {kRecords, kMonitor},
           "Export every field as comma-separated values, one line per module under a header; "
           "with monitor, one line per pass: ISO 8601 time with its offset from UTC, then the "
           "levels, an empty field where none came."},
    Option{"inputs", 0, "LIST", Completion::None, {kMonitor},
           "The inputs to read, such as 0,3-5 (default: all 16)."},
    Option{"interval", 0, "MS", Completion::None, {kMonitor},
           "Start a pass every MS milliseconds (default 1000; 0 reads as fast as the line "
           "allows), later only when a pass takes longer."},
    Option{"duration", 0, "S", Completion::None, {kMonitor},
           "Stop after S seconds (a decimal number allowed)."},
    Option{"put-back",
           0,
           "LABEL",
           Completion::None,
           {kRecords},
           "With records units: give this unit, in progress or partly stored, out again."},
    Option{"reply-wait", 0, "MS", Completion::None, kOneModule + QStringList{kProgramCommand},
           "Wait at least MS milliseconds (1 to 60000) for each reply of the module, for a line "
           "known to be slow (a radio bridge, a distant device server). Without it the waits "
           "lengthen by themselves once the module shows that it answers late (up to about 3 s "
           "late, with up to 1 s between the bytes of a reply)."},
    Option{"trace",
           0,
           "FILE",
           Completion::File,
           {},
           "Write one line per exchange with the module to FILE (- for standard error): the "
           "time, the command and its bytes in hex, the reply, how long it took, and a retry or "
           "time-out. QT_LOGGING_RULES=\"tessel.*=true\" does the same on standard error."},
    Option{"help", 'h', nullptr, Completion::None, {}, "Print the help and end."},
    Option{"version", 'v', nullptr, Completion::None, {}, "Print the program's version and end."},
};

const std::array kTopics = {
    Topic{"Ports",
          "A port NAME is COMn (on Linux /dev/ttyS(n-1)), a device as listed (ttyUSB0 is "
          "/dev/ttyUSB0), a full path, or tcp://HOST:PORT for a module behind a serial device "
          "server on the network. The line runs at 115200 baud, 8N1. A connection refused, a "
          "host without a route to it or silent for 5 s, and a connection reset or closed "
          "later are each named and handled like a lost serial line (exit status 1); a host "
          "name that is not known is a port that cannot be opened (2).\n\n"
          "Every wait for the module is bounded: a block read is tried at most 3 times (5 s "
          "each), a store waits at most 15 s for each block's confirmation. While the link test "
          "or a transfer runs, a progress line is shown on standard error when it is a "
          "terminal (plain lines when TERM is dumb)."},
    Topic{"Profiles",
          "A production profile is 16 records \"DATA\" of 16 whole numbers 0 to 255. It may be "
          "split over several lines, with blank space between records and values. Anything "
          "else is refused, naming the record and the value, and nothing is sent to the "
          "module. A FILE given as - is standard input for write, diff and program, and "
          "standard output for read -o."},
    Topic{"Backups",
          "Before write, factory-reset and program store anything, they read the module's "
          "memory and save it as a production profile in the backups folder of the user's data "
          "folder (~/.local/share/tessel-config/backups/ unless XDG_DATA_HOME says otherwise), "
          "named by kind, time to the millisecond, port and a number, never by the module's "
          "serials (modules programmed alike share them). A backup younger than 90 days "
          "(keepDays in the [backups] group of ~/.config/tessel-config/tessel-config.conf) is "
          "never deleted; older ones are kept, newest first, up to 200 backups and 64 MB, and "
          "each one removed is named on standard error. A backup counts once it is on disk "
          "and reads back as written; "
          "when it cannot be saved, nothing is stored. Any backup can be stored again with "
          "write. Stores on --simulate keep their backups apart, in backups/simulated/."},
    Topic{"When a store fails",
          "The first line says \"Error Storing Data\"; the lines below it say which blocks hold "
          "the new settings, which the old and which may hold either, where the backup is, "
          "and the command that restores it. Ctrl-C, SIGTERM or SIGHUP during a store lets the "
          "block in flight be confirmed, then stops and says the same; during any other wait "
          "it stops at once. A reader of the output that goes away (| head) never ends a "
          "store: the output stops, the store and its check finish, and the status is 141."},
    Topic{"Units files",
          "A units file gives each kit its own settings: comma-separated values (semicolons "
          "too), a header row naming the column unit (the kit's label, each once) and any of "
          "these settings, case and blanks aside: base serial (8 hexadecimal digits; a "
          "Threshold module's 8, a colon and 4 more), device count (1 to 24), debounce and "
          "refresh (0 to 255; capture speed and reaction interval on a Threshold module), "
          "device N serial (N 1 to 24; 8 hexadecimal digits, a Threshold module's 4), device N "
          "controller type (0 to 35), device N active (0 or 1), and on a Threshold module "
          "input N limit type (N 0 to 15; 0 to 3), lower limit of input N and upper limit of "
          "input N (0 to 255). Every row goes over the profile and is checked by the rules "
          "the configuration window stores by; the first fault is refused with the file, row "
          "and column before any port is opened.\n\n"
          "Units are given out from the record database in transactions, so two stations "
          "never get the same one. A unit is done once its module is verified. One whose "
          "module failed goes back among those left, unless the module may hold part of it: "
          "it then stays partly stored, naming the module's port, station and time, as it does "
          "when the program is ended during the store, until records units --put-back gives "
          "it out again."},
    Topic{
        "Serial ports on Linux",
        "The device of a serial port belongs to a group, usually dialout, and only members "
        "of that group may open it. Add your user to it once, then log out and in again:\n"
        "$ sudo usermod -aG dialout $USER\n\n"
        "When permission is what stops the program, it says so and names the group; a port "
        "held by another program, a name with no device behind it and a file that is not a "
        "serial port are reported as what they are. A USB adapter keeps its place across "
        "re-plugging under /dev/serial/by-id/; that path can be given as the port.\n\n"
        "ModemManager, the service that sets up mobile broadband modems, may probe a USB "
        "serial adapter in the first seconds after it is plugged in: it sends modem commands "
        "to the module and holds the port meanwhile. Tell it to leave the adapter alone with "
        "a udev rule in /etc/udev/rules.d/70-tessel-config.rules, with your adapter's vendor "
        "and product ids (list-ports shows them as vendor:product), then reload the rules "
        "and plug the adapter in again:\n"
        "$ ATTRS{idVendor}==\"0403\", ATTRS{idProduct}==\"6001\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"\n"
        "$ sudo udevadm control --reload-rules"},
};

const std::array kExitStatuses = {
    ExitStatus{"0", "Success; for diff, the module holds exactly the profile."},
    ExitStatus{"1", "No module answered, the module is of an unknown kind (nothing is read or "
                    "stored), the line failed or vanished (a tcp:// connection too), or the "
                    "memory could not be read back "
                    "after a store (the store itself completed); for diff, only that the module "
                    "differs from the profile; for program, that every port failed."},
    ExitStatus{"2", "Bad usage, a bad profile, a port or file that cannot be opened or written "
                    "(standard output included), "
                    "no display for the window, or a backup that cannot be saved (nothing is "
                    "stored); for diff, also every failure that is 1 elsewhere."},
    ExitStatus{"3", "A block store was not confirmed (\"Error Storing Data\"), or the memory "
                    "read back differs from what was stored; for program, a module that was "
                    "started did not end ok."},
    ExitStatus{"129 130 143",
               "Ended by SIGHUP, Ctrl-C (SIGINT) or SIGTERM. program instead finishes the "
               "modules in progress on the first Ctrl-C and ends with 0 or 3."},
    ExitStatus{"141", "Standard output or error was a pipe whose reader went away; what was "
                      "under way was finished first."},
};

const std::array kEnvironment = {
    Entry{"XDG_DATA_HOME", "Where the backups folder is (default ~/.local/share)."},
    Entry{"XDG_CONFIG_HOME", "Where the remembered port is kept when the working directory "
                             "cannot be written (default ~/.config)."},
    Entry{"TERM", "When it is dumb, progress and production status are plain lines, with no "
                  "cursor movement."},
    Entry{"NO_COLOR", "Honoured: the program writes no colour."},
    Entry{"QT_LOGGING_RULES", "tessel.wire=true traces every exchange with the module on "
                              "standard error, tessel.session=true what the session does, as "
                              "--trace does."},
    Entry{"DISPLAY, WAYLAND_DISPLAY", "The display the window opens on; the commands need none."},
    Entry{"LANG, LC_ALL, LC_MESSAGES", "The language of the window and its messages. The "
                                       "command line's profiles, JSON and CSV never change."},
};

const std::array kFiles = {
    Entry{"tessel.cfg", "The port the window used last, in the working directory, or in "
                        "~/.config/tessel-config/ where that cannot be written."},
    Entry{"production.sqlite", "The production record and its pool of units, in the working "
                               "directory, unless --record names another."},
    Entry{"~/.local/share/tessel-config/backups/",
          "The module's memory saved before each store, as production profiles."},
    Entry{"~/.config/tessel-config/tessel-config.conf",
          "keepDays in its [backups] group: the days a backup is never deleted (default 90)."},
};
} // namespace

const char *summary() {
    return "configure Tessel and Threshold radio input modules over a serial port";
}

const char *description() {
    return "Identifies a Tessel or Threshold radio input module on a serial port, reads its "
           "256-byte configuration memory, and stores it back block by block, each block "
           "confirmed by the module: in a window, or with the commands below, which need no "
           "display.";
}

const char *windowArguments() {
    return "[--port NAME | --simulate KIND] [PROFILE]";
}

const char *windowText() {
    return "Without a command the configuration window opens, on the port given (without "
           "asking), else after \"Select Com Port\". A PROFILE is opened once the window has "
           "read the module, as its File menu's Open Profile does. -platform NAME, -style NAME "
           "and Qt's other options are passed on to Qt.";
}

std::span<const Command> all() {
    return kCommands;
}
std::span<const Option> options() {
    return kOptions;
}
std::span<const Topic> topics() {
    return kTopics;
}
std::span<const ExitStatus> exitStatuses() {
    return kExitStatuses;
}
std::span<const Entry> environment() {
    return kEnvironment;
}
std::span<const Entry> files() {
    return kFiles;
}
QStringList seeAlso() {
    return {QStringLiteral("tessel-modsim(1)"), QStringLiteral("diff(1)")};
}

const Command *find(const QString &name) {
    for (const Command &command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

const Option *findOption(const QString &longName) {
    for (const Option &option : kOptions) {
        if (longName == QLatin1String(option.longName))
            return &option;
    }
    return nullptr;
}

bool takes(const Option &option, const QString &command) {
    return option.commands.isEmpty() || option.commands.contains(command);
}

QList<const Option *> optionsOf(const QString &command) {
    QList<const Option *> list;
    for (const Option &option : kOptions) {
        if (takes(option, command))
            list << &option;
    }
    return list;
}

QString optionTerm(const Option &option) {
    QString term = QStringLiteral("--") + QLatin1String(option.longName);
    if (option.shortName != 0)
        term = QStringLiteral("-%1, ").arg(QLatin1Char(option.shortName)) + term;
    if (option.value)
        term += QLatin1Char(' ') + QLatin1String(option.value);
    return term;
}

QString commandList(const Option &option) {
    QStringList names = option.commands;
    names.removeAll(kWindowName);
    if (names.size() < 2)
        return names.join(QString());
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

} // namespace tessel::commands
