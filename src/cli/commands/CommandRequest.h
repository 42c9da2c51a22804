// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/commands/LevelStream.h"
#include "core/ModuleKind.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace tessel {

// What the arguments of a command-line run ask for.
struct CommandRequest {
    QString command; // a command of cli/CommandTable
    QString port;
    // program: every port given, in order; the kind to program, how many modules to program
    // (0: until stopped) and the record file.
    QStringList ports;
    std::optional<ModuleKind> kind;
    int count = 0;
    QString record;
    // program: the units file, whether a scanner chooses each module's unit, and the station
    // and operator the database record names. records: --station filters by station.
    QString units;
    bool scan = false;
    QString station;
    QString operatorName;
    // records: "units" lists the pool; the filters, the format and the unit to put back.
    bool unitPool = false;
    QDateTime since; // records at or after it; invalid when not asked for
    QString unit;
    QString result;
    bool csv = false;
    QString putBack;
    std::optional<ModuleKind> simulate;
    QString output;         // where read (records) writes; empty or "-" for standard output
    QString file;           // the profile that write, diff and program use; "-" for standard input
    bool verify = false;    // a store (write, factory-reset) is read back and compared
    bool backup = false;    // the module's memory is saved before a store
    bool json = false;      // one JSON document (program: one per event) instead of text
    bool bytes = false;     // diff: each differing setting's addresses and byte values too
    int replyWaitMs = 0;    // every reply is waited for at least this long; 0: the usual waits
    QString trace;          // where the wire trace goes ("-": standard error); empty: nowhere
    MonitorOptions monitor; // what monitor reads, how often, for how long and how it prints
    bool help = false;
    QString helpCommand; // help: the command whose long help is asked for; empty: the overview
    bool version = false;
};

struct ParsedRequest {
    CommandRequest request;
    QString error; // why the arguments cannot be run; empty when they can
};

// Reads the arguments (the program name first). Everything that can be refused without
// looking at a file or a port is refused here.
ParsedRequest parseCommandRequest(const QStringList &arguments);

// Whether `word` names a command (read, write, ...).
bool isCommandName(const QString &word);

} // namespace tessel
