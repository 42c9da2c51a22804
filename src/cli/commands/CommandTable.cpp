// SPDX-License-Identifier: Apache-2.0
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
            "they are the same and 1 when they differ, like diff(1); any trouble is 2 (a garbled "
            "store on the way too).",
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
    Command{
        "production",
        "",
        "the station window: production runs watched from the floor",
        "Opens the station window, which runs what program runs and writes the same "
        "record. In it the operator chooses the profile and its kind, a units file (whose "
        "units a database record keeps in its pool, shared by every station that names the "
        "same record), whether a scanner chooses each module's unit, the record and the "
        "ports, several at once, then presses Start. Each port has a tile readable from a "
        "couple of metres: WAITING, IDENTIFYING, STORING and CHECKING with the block, PASS "
        "with the unit, FAIL or REFUSED with the reason and what became of the unit, and "
        "REMOVE THE MODULE; the colour always comes with the word. A pass beeps once, a "
        "failure three times (the sound can be switched off). Beside the tiles: passed, "
        "failed and refused for this run and for today from the record, the units left, "
        "and the last 20 records.\n\n"
        "Space starts and stops (a second stop ends the stores under way after the block in "
        "flight), F11 fills the screen, and with scanning each port has a field that takes "
        "its kit labels. The configuration window opens it from Module > Production.",
        Completion::None,
        {QStringLiteral("Units files")},
        {QStringLiteral("Open the station window:"), QStringLiteral("$ tessel-config production")}},
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
    Option{"inputs",
           0,
           "LIST",
           Completion::None,
           {kMonitor},
           "The inputs to read, such as 0,3-5 (default: all 16)."},
    Option{"interval",
           0,
           "MS",
           Completion::None,
           {kMonitor},
           "Start a pass every MS milliseconds (default 1000; 0 reads as fast as the line "
           "allows), later only when a pass takes longer."},
    Option{"duration",
           0,
           "S",
           Completion::None,
           {kMonitor},
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
