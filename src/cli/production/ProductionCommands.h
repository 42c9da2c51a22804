// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace tessel {

class BackupFolder;
struct CommandRequest;

// `program` and `records`, as the production program runs them after the command line's own
// checks: the record and its units, the profile (from standard input for "-"), then the run or
// the listing. Returns the exit status.
int runProductionCommand(const CommandRequest &request, const BackupFolder &backups);

} // namespace tessel
