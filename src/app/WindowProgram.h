// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace tessel {

// The program that shows the windows, beside this one (in a build tree and once installed).
// Empty when it is not there.
QString windowProgram();

// Replaces this process with the window program, given the same arguments, so that its exit
// status and signals are the command's own. Returns only when that fails, with the status the
// command then ends with (the reason on standard error).
int runWindowProgram(char *argv[]);

} // namespace tessel
