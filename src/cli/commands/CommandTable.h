// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>
#include <span>

namespace tessel::commands {

// The one description of the command line: the parser takes its options from it, and --help,
// `help COMMAND`, the man page and the shell completions are all written from it, so that none
// of them can drift from what the program accepts. A new command or option is one more row
// here (and its handling in CommandRequest); everything else follows.
//
// Texts are plain paragraphs separated by a blank line. A line starting with "$ " is a command
// to type, shown as it is.

// What a shell completes an option's value or a command's word from.
enum class Completion {
    None,    // nothing to offer (a number, a name the user knows)
    Port,    // the serial ports present (tessel-config list-ports)
    Kind,    // the module kinds
    File,    // any file
    Profile, // a production profile file
    Command, // a command's name (help COMMAND)
};

// The window is the program run without a command; options that it takes name it so.
inline constexpr const char *kWindow = "window";

struct Option {
    const char *longName; // "port": given as --port
    char shortName;       // 'o' for -o; 0 when there is none
    const char *value;    // the value's placeholder ("NAME"); nullptr for a switch
    Completion completes;
    // The commands that take it, by name (kWindow for the window); empty: every command.
    QStringList commands;
    const char *help; // what it does, in sentences
    // program: the option may be given once for each port (the others are given at most once).
    bool repeatsWithProgram = false;
};

struct Command {
    const char *name;
    const char *arguments; // the synopsis after the name and its options
    const char *summary;   // one line for the overview
    const char *text;      // the long text of `help COMMAND`
    Completion operand;    // what the word after the command is
    QStringList topics;    // the general notes (by title) its long help ends with
    QStringList examples;  // "$ command" lines with a paragraph before each
};

// A general note: the ports, profiles, backups... shown in the man page and with the commands
// they concern.
struct Topic {
    const char *title;
    const char *text;
};

struct ExitStatus {
    const char *codes; // "0", "129 130 143"
    const char *text;
};

struct Entry {
    const char *name; // an environment variable or a file
    const char *text;
};

inline constexpr const char *kProgram = "tessel-config";
// One sentence: what the program is, for NAME and the overview.
const char *summary();
// The paragraphs that open the overview and the man page's description.
const char *description();
// The window's synopsis after the program's name, and its text.
const char *windowArguments();
const char *windowText();

std::span<const Command> all();
std::span<const Option> options();
std::span<const Topic> topics();
std::span<const ExitStatus> exitStatuses();
std::span<const Entry> environment();
std::span<const Entry> files();
QStringList seeAlso();

// The row of a command or option by name; nullptr when there is none.
const Command *find(const QString &name);
const Option *findOption(const QString &longName);
// Whether `option` is taken by `command` (a command's name or kWindow).
bool takes(const Option &option, const QString &command);
// The options `command` takes, in the table's order.
QList<const Option *> optionsOf(const QString &command);
// "-o, --output FILE" / "--port NAME" as the help and man page show it.
QString optionTerm(const Option &option);
// "identify, read and diff": the commands an option belongs to, for messages.
QString commandList(const Option &option);

} // namespace tessel::commands
