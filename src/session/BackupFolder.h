#pragma once

#include "session/ModuleSession.h"

#include <QDateTime>
#include <QString>

namespace tessel {

// Where the module's memory is saved before each store, so that an operator can always go back
// to what the module held: one production profile per store, which `write` takes back as it
// is. Files are named by kind, base serial and time (UTC), for example
// "threshold-0013A200-4032-20261206T210512Z.txt", so that a listing sorted by name groups a
// module's backups in the order they were made. Only the newest kKept are kept.
class BackupFolder {
public:
    static constexpr int kKept = 200;

    // The "backups" folder in the user's data folder.
    BackupFolder();
    explicit BackupFolder(QString path) : m_path(std::move(path)) {}

    [[nodiscard]] const QString &path() const { return m_path; }

    // Saves `image` as a module of `kind` held it at `when`, then deletes the oldest backups
    // beyond kKept (never the one just saved, whatever the clock says). The error names the
    // file or folder and why.
    [[nodiscard]] BackupResult save(ModuleKind kind, const EepromImage &image,
                                    const QDateTime &when) const;
    // What a session calls before each store: saves the module's memory as last read, now.
    [[nodiscard]] BackupFn forSession() const;

    // "tessel-0013A200-20261206T210512Z.txt"
    [[nodiscard]] static QString fileName(ModuleKind kind, const EepromImage &image,
                                          const QDateTime &when);

private:
    void prune(const QString &kept) const;

    QString m_path;
};

} // namespace tessel
