// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace tessel {

// The programs the command program hands a run to, beside it (in a build tree and once
// installed): the windows, and the production commands with their database drivers.
inline constexpr char kWindowProgram[] = "tessel-config-window";
inline constexpr char kProductionProgram[] = "tessel-config-production";

// Replaces this process with the program of that name beside this one, given the same
// arguments, so that its exit status and signals are the command's own. Returns only when that
// fails, with the status the command then ends with (the reason on standard error).
int handOver(const char *name, char *argv[]);

} // namespace tessel
