// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace tessel {
class BackupFolder;
struct CommandRequest;
} // namespace tessel

namespace tessel {

// Exit statuses of the command line.
namespace exitcode {
constexpr int kSuccess = 0;
constexpr int kNoModule = 1; // no module answered, or the line failed (dropped included)
constexpr int kDiffers = 1;  // diff: the module's memory differs from the profile
// diff, like diff(1), keeps 1 for "differs": not getting to compare at all is 2 there.
constexpr int kDiffTrouble = 2;
constexpr int kBadInput = 2;  // bad usage, a bad profile, a port or file that cannot be opened
constexpr int kNotStored = 3; // a block store was not confirmed, or verification differs
// Otherwise done, but the line turned a command into a block store on the way: the module may
// hold a changed block, so a script must not take the run as clean.
constexpr int kGarbledStore = 4;
// Ended by a signal: 128 and its number, as a shell reports it (130 for Ctrl-C).
constexpr int kSignalled = 128;
} // namespace exitcode

// True when the arguments (the program name first) ask for a command-line action (identify,
// read, write, factory-reset, diff, --help, --version) rather than the window. Any
// positional argument counts, so that a mistyped command is reported instead of ignored.
bool isCommandLineInvocation(const QStringList &arguments);

// argv as text, the program name first, decoded as the system's locale encodes file names.
QStringList argumentsOf(int argc, char *argv[]);

// Names the program for Qt, before its settings, data folders or version are asked for: they
// are named after the program, not after whatever name its executable was started by.
void nameTheApplication();

// Where backups go, by the XDG rules: the one place the environment is asked for it. Each
// program's main() calls it once, so that the commands and the window keep their backups in
// the same folder. No folder, with the reason, when there is no absolute home to put it in.
BackupFolder userBackups();

// The profile in a file as memory; a message when it cannot be read or is not a profile.
// "-" is standard input, as in other shell tools.
std::optional<ModuleMemory> readProfileFile(const QString &argument, QString &error);
// Backups the folder removed to stay within its bounds are named on standard error.
void tellPruning(const QString &note);

// `program` and `records`, which keep the production record and so need Qt's database drivers.
// The command program hands them to a program of their own, so that every other command starts
// without those libraries. Gets the request as parsed; returns the exit status.
using ProductionHandler = std::function<int(const CommandRequest &, const BackupFolder &)>;

// Runs it with a QCoreApplication already constructed; returns the exit status. Backups, when
// asked for, go to `backups` (a simulated module's to its practice folder).
int runCommandLine(const QStringList &arguments, const BackupFolder &backups,
                   const ProductionHandler &production);

} // namespace tessel
