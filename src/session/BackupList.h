// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace tessel {

// One backup as the window lists it.
struct BackupEntry {
    QString path;
    QDateTime when;      // UTC, from the file's name
    QString port;        // where the module was, when the backup recorded it
    QString description; // what tells this module apart from others on the same base serial
    EepromImage image;
};

// The backups of modules of `kind` in `folder` that hold a profile, newest first. Files that
// are not backups, or whose text is not a profile, are left out.
[[nodiscard]] std::vector<BackupEntry> listBackups(const QString &folder, ModuleKind kind);

// Records the port a backup was taken on beside its text (an extended attribute), so that the
// profile in the file stays exactly what `write` takes; a file system without them records
// nothing.
void recordBackupPort(const QString &path, const QString &port);

// "devices 40A1B2C3, 40A1B2C4 and 3 more"; for a Threshold module its limits, "input 0 above
// 120, input 1 inside 40-90, ...".
[[nodiscard]] QString describeModule(ModuleKind kind, const EepromImage &image);

} // namespace tessel
