// SPDX-License-Identifier: Apache-2.0
#include "session/BackupFolder.h"

#include "core/ProfileText.h"
#include "session/BackupList.h"
#include "session/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tessel {

namespace {

// The sequence number of this process's backups: with the time to the millisecond and the
// port, no two names are alike, and a name once made never comes again.
std::atomic<int> s_sequence = 0;

// The port as a part of a file name: "/dev/ttyUSB0" is "ttyUSB0", "tcp://host:4001" is
// "host_4001": letters, digits, '.', '-' and '_' only.
QString portForName(const QString &port) {
    QString part = port.section(QLatin1Char('/'), -1).left(48);
    for (QChar &c : part)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('.') &&
            c != QLatin1Char('-'))
            c = QLatin1Char('_');
    return part.isEmpty() ? QStringLiteral("port") : part;
}

struct Held {
    BackupName name;
    QString file;
    qint64 bytes;
};

bool isAbsoluteFolder(const QString &path) {
    return path.startsWith(QLatin1Char('/')) && QDir::cleanPath(path) != QLatin1String("/");
}
} // namespace

QString BackupFolder::dataHome(const QString &xdgDataHome, const QString &home,
                               const QString &accountHome, QString *why) {
    // The XDG rules: a relative XDG_DATA_HOME is invalid and is ignored.
    if (xdgDataHome.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(xdgDataHome);
    for (const QString &folder : {home, accountHome})
        if (isAbsoluteFolder(folder))
            return QDir::cleanPath(folder) + QStringLiteral("/.local/share");
    if (why)
        *why = QStringLiteral("there is no folder for backups: HOME is not set and the account "
                              "has no home folder; set HOME or XDG_DATA_HOME");
    return {};
}

BackupRetention BackupRetention::fromSettings() {
    const QSettings settings(QStringLiteral("tessel-config"), QStringLiteral("tessel-config"));
    BackupRetention retention;
    bool ok = false;
    const int days = settings.value(QStringLiteral("backups/keepDays")).toInt(&ok);
    if (ok && days >= 0)
        retention.days = days;
    return retention;
}

BackupFolder::BackupFolder(QString path, QString unavailable)
    : m_path(std::move(path)), m_unavailable(std::move(unavailable)) {}

std::optional<BackupName> BackupFolder::parseName(const QString &fileName) {
    // Since names carry the port: "tessel-20261206T210512.123Z-ttyUSB0-7.txt".
    static const QRegularExpression current(
        QStringLiteral(R"(^([a-z]+)-(\d{8}T\d{6}\.\d{3})Z-[A-Za-z0-9._-]+-(\d+)\.txt$)"));
    // Before, they carried the module's serials: "tessel-0013A200-40A1B2C3-20261206T210512Z-2.txt".
    static const QRegularExpression earlier(
        QStringLiteral(R"(^([a-z]+)-[0-9A-F-]+-(\d{8}T\d{6})Z(?:-(\d+))?\.txt$)"));
    for (const QRegularExpression *pattern : {&current, &earlier}) {
        const QRegularExpressionMatch match = pattern->match(fileName);
        if (!match.hasMatch())
            continue;
        const bool hasMillis = pattern == &current;
        QDateTime when = QDateTime::fromString(match.captured(2),
                                               hasMillis ? QStringLiteral("yyyyMMdd'T'HHmmss.zzz")
                                                         : QStringLiteral("yyyyMMdd'T'HHmmss"));
        if (!when.isValid())
            return std::nullopt;
        when.setTimeSpec(Qt::UTC);
        return BackupName{match.captured(1), when, match.captured(3).toInt()};
    }
    return std::nullopt;
}

bool BackupName::operator<(const BackupName &other) const {
    return when != other.when ? when < other.when : number < other.number;
}

BackupFolder BackupFolder::practice() const {
    BackupFolder folder = *this;
    if (!folder.m_path.isEmpty())
        folder.m_path += QStringLiteral("/simulated");
    return folder;
}

QString BackupFolder::fileName(ModuleKind kind, const QDateTime &when, const QString &port,
                               int number) {
    return QStringLiteral("%1-%2-%3-%4.txt")
        .arg(moduleKindKey(kind), when.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'")),
             portForName(port))
        .arg(number);
}

BackupResult BackupFolder::save(ModuleKind kind, const EepromImage &image, const QDateTime &when,
                                const QString &port, QStringList *removed) const {
    const auto failure = [](const QString &what, const QString &why) {
        return BackupResult{{},
                            tr("No backup of the module's memory could be saved: "
                               "cannot write %1 (%2). Nothing was stored.")
                                .arg(what, why)};
    };
    if (m_path.isEmpty())
        return {
            {},
            tr("No backup of the module's memory could be saved: %1. Nothing "
               "was stored.")
                .arg(m_unavailable.isEmpty() ? tr("no folder for them was given") : m_unavailable)};
    QDir folder(m_path);
    if (!folder.mkpath(QStringLiteral(".")))
        return failure(m_path, tr("the folder cannot be created"));

    // The name is claimed by creating the file: another process saving in the same
    // millisecond on the same port takes the next number instead of this file.
    QString path;
    int fd = -1;
    while (fd < 0) {
        path = folder.filePath(fileName(kind, when, port, ++s_sequence));
        fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    0666);
        if (fd < 0 && errno != EEXIST)
            return failure(path, systemError());
    }
    const QByteArray text = profileText(image).toLatin1() + '\n';
    QString why = writeAndSync(fd, text);
    if (::close(fd) != 0 && why.isEmpty())
        why = systemError();
    if (why.isEmpty()) {
        syncFolder(m_path);
        QFile written(path);
        if (!written.open(QIODevice::ReadOnly) || written.readAll() != text)
            why = tr("it does not read back as written");
    }
    if (!why.isEmpty()) {
        QFile::remove(path);
        return failure(path, why);
    }
    if (!port.isEmpty())
        recordBackupPort(path, port);
    const QStringList pruned = prune(QFileInfo(path).fileName(), when);
    if (removed)
        *removed = pruned;
    return {path, {}};
}

BackupFn BackupFolder::forSession(const QString &port,
                                  const std::function<void(const QString &)> &tell) const {
    return [folder = *this, port, tell](const ModuleSession &session) {
        QStringList removed;
        BackupResult saved = folder.save(*session.kind(), *session.moduleImage(),
                                         QDateTime::currentDateTimeUtc(), port, &removed);
        if (tell && !removed.isEmpty())
            tell(folder.removalNote(removed));
        return saved;
    };
}

QStringList BackupFolder::prune(const QString &kept, const QDateTime &now) const {
    QDir folder(m_path);
    std::vector<Held> held;
    for (const QFileInfo &file : folder.entryInfoList(QDir::Files)) {
        if (const std::optional<BackupName> name = parseName(file.fileName());
            name && file.fileName() != kept)
            held.push_back({*name, file.fileName(), file.size()});
    }
    // Newest first: a backup is kept while it is young, or while those kept so far, the one
    // just saved among them, stay within the count and the size.
    std::sort(held.begin(), held.end(),
              [](const Held &a, const Held &b) { return b.name < a.name; });
    const QDateTime youngSince = now.addDays(-m_retention.days);
    int count = 1;
    qint64 bytes = QFileInfo(folder.filePath(kept)).size();
    QStringList removed;
    for (const Held &backup : held) {
        ++count;
        bytes += backup.bytes;
        if (backup.name.when >= youngSince ||
            (count <= m_retention.count && bytes <= m_retention.bytes))
            continue;
        if (folder.remove(backup.file))
            removed << folder.filePath(backup.file);
        --count;
        bytes -= backup.bytes;
    }
    return removed;
}

QString BackupFolder::removalNote(const QStringList &removed) const {
    if (removed.isEmpty())
        return {};
    return QStringLiteral("Removed %1 backup%2 older than %3 days, beyond the newest %4 or %5 MB: "
                          "%6")
        .arg(removed.size())
        .arg(removed.size() == 1 ? QString() : QStringLiteral("s"))
        .arg(m_retention.days)
        .arg(m_retention.count)
        .arg(m_retention.bytes / 1'000'000)
        .arg(removed.join(QStringLiteral(", ")));
}

} // namespace tessel
