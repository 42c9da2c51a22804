// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/SessionOutcome.h"

#include <QString>

namespace tessel {

// What the operator is told when a store or factory reset did not end well, in the same words
// in the windows and on the command line, one statement a line: what went wrong ("Error Storing
// Data" first when a block was not stored), which blocks now hold the new settings, which the
// old and which may hold either, where the backup made before the store is, and what to do
// next. `port` is the port as the operator names it, for the command that restores the backup.
// Empty for an outcome that went well.
[[nodiscard]] QString storeReport(const SessionOutcome &outcome, const QString &port);

// "The module's memory before the store is saved in <path>."
[[nodiscard]] QString backupNote(const QString &path);
// What the backup of `outcome` may not be, when it was read after the line garbled a command
// into a store; empty when it was not, or when there is no backup.
[[nodiscard]] QString backupCaveat(const SessionOutcome &outcome);

} // namespace tessel
