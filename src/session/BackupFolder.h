#pragma once

#include "session/ModuleSession.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QString>

namespace tessel {

// Where the module's memory is saved before each store, so that an operator can always go back
// to what the module held: one production profile per store, which `write` takes back as it
// is. Files are named by kind, the module's serials and time (UTC), for example
// "tessel-0013A200-40A1B2C3-20261206T210512Z.txt", so that a listing sorted by name groups a
// module's backups in the order they were made. Only the newest kKept are kept, and never at
// the cost of a module's last good backup.
class BackupFolder {
public:
    static constexpr int kKept = 200;

    // No folder: every save fails and says so. The folder is always the caller's to give: the
    // program chooses it once, from the environment, when it starts (see dataHome).
    BackupFolder() = default;
    // `path`, or none when it is empty, for the reason `unavailable` gives.
    explicit BackupFolder(QString path, QString unavailable = {});
    // The folder of a session on a simulated module: a subfolder with its own rotation, so
    // that practice never pushes a real module's backup out.
    [[nodiscard]] BackupFolder practice() const;

    // Where the user's data goes, by the XDG rules: XDG_DATA_HOME when it is an absolute
    // path, else HOME's ".local/share", else the account's home folder (a service or a
    // sudo -i environment may have no HOME). Empty, with the reason in `why`, when none is
    // absolute: the program must not write into "/".
    [[nodiscard]] static QString dataHome(const QString &xdgDataHome, const QString &home,
                                          const QString &accountHome, QString *why);

    [[nodiscard]] const QString &path() const { return m_path; }

    // Saves `image` as a module of `kind` held it at `when` under a name no other process has
    // or will take, flushes it to disk and reads it back; only a backup that reads back equal
    // counts, and only then are the oldest backups beyond kKept deleted. The error names the
    // file or folder and why, and no file is left behind.
    // `port` is recorded with it for the list of backups.
    [[nodiscard]] BackupResult save(ModuleKind kind, const EepromImage &image,
                                    const QDateTime &when, const QString &port = {}) const;
    // What a session calls before each store: saves the module's memory as last read, now.
    [[nodiscard]] BackupFn forSession(const QString &port = {}) const;

    // "tessel-0013A200-40A1B2C3-20261206T210512Z.txt": the base serial with the first
    // device's serial; a Threshold module's names add a check value of its 16 inputs' limits,
    // which is what sets one sensor apart from the next on the same relay controllers.
    [[nodiscard]] static QString fileName(ModuleKind kind, const EepromImage &image,
                                          const QDateTime &when);

    // Matches a backup's file name: captures the module (kind and serials), the time
    // ("20261206T210512Z") and the number of a second backup in the same second.
    [[nodiscard]] static const QRegularExpression &namePattern();

private:
    void prune(const QString &kept) const;

    QString m_path;
    QString m_unavailable; // why there is no folder, when m_path is empty
};

} // namespace tessel
