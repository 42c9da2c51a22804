// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/BackupFolder.h"
#include "session/production/ProductionRun.h"

#include <functional>

namespace tessel {

// What every database record of a run shares: the station (the host name when `station` is
// empty), the operator, the profile file's name and a checksum of the profile's bytes.
[[nodiscard]] RunFacts runFacts(const QString &profileFile, const EepromImage &profile,
                                const QString &station, const QString &operatorName);

// Reads the units file `path` whole and checks it against the profile of `production`
// (named `profileFile` in messages) before any port is opened: its units and its batch name
// go into `production`. An error message, and nothing sent, when any row is refused. An
// empty path is a run without units.
[[nodiscard]] QString readUnitsFile(const QString &path, const QString &profileFile,
                                    ProductionRequest &production);

// The backups of a run's stations, each named for its port. They run in threads of their
// own; one saves and prunes the folder at a time, so that no pruning counts a backup another
// is still writing. `tellPruning` names the backups removed to stay within bounds.
[[nodiscard]] std::function<BackupFn(const QString &)>
sharedBackups(const BackupFolder &folder, void (*tellPruning)(const QString &));

} // namespace tessel
