// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/ModuleSession.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <optional>

namespace tessel {

// How long backups are kept. One younger than `days` is never deleted; older ones are kept,
// newest first, while the folder holds at most `count` backups and `bytes` of them.
struct BackupRetention {
    int days = 90;
    int count = 200;
    qint64 bytes = 64'000'000;
    // With the days as the operator set them: keepDays in the [backups] group of
    // ~/.config/tessel-config/tessel-config.conf.
    [[nodiscard]] static BackupRetention fromSettings();
};

// A backup's file name read back: the kind, when it was made (UTC) and its number.
struct BackupName {
    QString kind;
    QDateTime when;
    int number = 0;
    // Oldest first: by time, then by number.
    bool operator<(const BackupName &other) const;
};

// Where the module's memory is saved before each store, so that an operator can always go back
// to what the module held: one production profile per store, which `write` takes back as it
// is. A name tells the kind, the time to the millisecond (UTC), the port and a number, for
// example "tessel-20261206T210512.123Z-ttyUSB0-7.txt": never the module's serials, which
// modules programmed alike share, so no backup is ever taken for another module's.
class BackupFolder {
    Q_DECLARE_TR_FUNCTIONS(tessel::BackupFolder)

public:
    // No folder: every save fails and says so. The folder is always the caller's to give: the
    // program chooses it once, from the environment, when it starts (see dataHome).
    BackupFolder() = default;
    // `path`, or none when it is empty, for the reason `unavailable` gives.
    explicit BackupFolder(QString path, QString unavailable = {});
    // The folder of a session on a simulated module: a subfolder with its own rotation, so
    // that practice never pushes a real module's backup out.
    [[nodiscard]] BackupFolder practice() const;

    void setRetention(const BackupRetention &retention) { m_retention = retention; }

    // Where the user's data goes, by the XDG rules: XDG_DATA_HOME when it is an absolute
    // path, else HOME's ".local/share", else the account's home folder (a service or a
    // sudo -i environment may have no HOME). Empty, with the reason in `why`, when none is
    // absolute: the program must not write into "/".
    [[nodiscard]] static QString dataHome(const QString &xdgDataHome, const QString &home,
                                          const QString &accountHome, QString *why);

    [[nodiscard]] const QString &path() const { return m_path; }

    // Saves `image` as a module of `kind` held it at `when` under a name no other process has
    // or will take, flushes it to disk and reads it back; only a backup that reads back equal
    // counts, and only then are old backups pruned by the retention (into `removed`, when
    // given, go the paths of those deleted).
    // The error names the file or folder and why, and no file is left behind.
    // `port` is recorded with it for the list of backups.
    [[nodiscard]] BackupResult save(ModuleKind kind, const EepromImage &image,
                                    const QDateTime &when, const QString &port = {},
                                    QStringList *removed = nullptr) const;
    // What a session calls before each store: saves the module's memory as last read, now,
    // and hands `tell` the note of what the save pruned.
    [[nodiscard]] BackupFn forSession(const QString &port = {},
                                      const std::function<void(const QString &)> &tell = {}) const;
    // "Removed 2 backups older than 90 days, ...: paths"; empty when none was.
    [[nodiscard]] QString removalNote(const QStringList &removed) const;

    [[nodiscard]] static QString fileName(ModuleKind kind, const QDateTime &when,
                                          const QString &port, int number);
    // The kind, time and number in a backup's file name; nothing for any other file, which
    // is never deleted.
    [[nodiscard]] static std::optional<BackupName> parseName(const QString &fileName);

private:
    QStringList prune(const QString &kept, const QDateTime &now) const;

    QString m_path;
    BackupRetention m_retention;
    QString m_unavailable; // why there is no folder, when m_path is empty
};

} // namespace tessel
