#include "session/BackupFolder.h"

#include "core/MemoryMap.h"
#include "core/ProfileText.h"
#include "session/BackupList.h"
#include "session/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace tessel {

namespace {

struct Dated {
    QString module;
    QString time;
    int number;
    QString name;
    // Oldest first: by the time in the name, then by the number that follows it.
    bool operator<(const Dated &other) const {
        return std::tie(time, number, name) < std::tie(other.time, other.number, other.name);
    }
};

QString hexOf(const EepromImage &image, int from, int count) {
    QString text;
    for (int a = from; a < from + count; ++a)
        text += hexByte(image.value(a));
    return text;
}

// The base serial as the window shows it, with "-" where the window shows ":", then what
// tells modules on the same base serial apart.
QString moduleForName(ModuleKind kind, const EepromImage &image) {
    const MemoryLayout &layout = layoutOf(kind);
    QString text = hexOf(image, 0, std::min(layout.baseSerialBytes, 4));
    if (layout.baseSerialBytes > 4)
        text += QLatin1Char('-') + hexOf(image, 4, layout.baseSerialBytes - 4);
    text += QLatin1Char('-') + hexOf(image, map::recordAddress(0), layout.rowSerialBytes);
    if (kind == ModuleKind::Threshold) {
        QByteArray limits;
        for (int input = 0; input < map::kAnalogInputs; ++input)
            for (const int a : {map::limitTypeAddress(input), map::lowerLimitAddress(input),
                                map::upperLimitAddress(input)})
                limits.append(static_cast<char>(image.value(a)));
        text += QStringLiteral("-%1").arg(qChecksum(limits), 4, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

bool holdsAProfile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) &&
           parseProfileText(QString::fromLatin1(file.read(1 << 16))).memory.has_value();
}

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

BackupFolder::BackupFolder(QString path, QString unavailable)
    : m_path(std::move(path)), m_unavailable(std::move(unavailable)) {}

// A backup's name: the module (kind and serials), then the time it was made and, when two were
// made in the same second, a number. Nothing else in the folder is ever deleted. Names from
// before the device serial was added have the same form and are the same module's.
const QRegularExpression &BackupFolder::namePattern() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^([a-z]+-[0-9A-F-]+)-(\d{8}T\d{6}Z)(?:-(\d+))?\.txt$)"));
    return pattern;
}

BackupFolder BackupFolder::practice() const {
    BackupFolder folder = *this;
    if (!folder.m_path.isEmpty())
        folder.m_path += QStringLiteral("/simulated");
    return folder;
}

QString BackupFolder::fileName(ModuleKind kind, const EepromImage &image, const QDateTime &when) {
    return QStringLiteral("%1-%2-%3.txt")
        .arg(moduleKindKey(kind), moduleForName(kind, image),
             when.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
}

BackupResult BackupFolder::save(ModuleKind kind, const EepromImage &image, const QDateTime &when,
                                const QString &port) const {
    const auto failure = [](const QString &what, const QString &why) {
        return BackupResult{{},
                            QStringLiteral("No backup of the module's memory could be saved: "
                                           "cannot write %1 (%2). Nothing was stored.")
                                .arg(what, why)};
    };
    if (m_path.isEmpty())
        return {{},
                QStringLiteral("No backup of the module's memory could be saved: %1. Nothing "
                               "was stored.")
                    .arg(m_unavailable.isEmpty() ? QStringLiteral("no folder for them was given")
                                                 : m_unavailable)};
    QDir folder(m_path);
    if (!folder.mkpath(QStringLiteral(".")))
        return failure(m_path, QStringLiteral("the folder cannot be created"));

    // The name is claimed by creating the file: another process saving in the same second
    // gets the next number instead of this file.
    const QString base = fileName(kind, image, when);
    QString path;
    int fd = -1;
    for (int number = 1; fd < 0; ++number) {
        const QString name =
            number == 1 ? base : base.chopped(4) + QStringLiteral("-%1.txt").arg(number);
        path = folder.filePath(name);
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
            why = QStringLiteral("it does not read back as written");
    }
    if (!why.isEmpty()) {
        QFile::remove(path);
        return failure(path, why);
    }
    if (!port.isEmpty())
        recordBackupPort(path, port);
    prune(QFileInfo(path).fileName());
    return {path, {}};
}

BackupFn BackupFolder::forSession(const QString &port) const {
    return [folder = *this, port](const ModuleSession &session) {
        return folder.save(*session.kind(), *session.moduleImage(), QDateTime::currentDateTimeUtc(),
                           port);
    };
}

void BackupFolder::prune(const QString &kept) const {
    QDir folder(m_path);
    std::vector<Dated> backups;
    QString keptModule;
    for (const QString &name : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = namePattern().match(name);
        if (!match.hasMatch())
            continue;
        if (name == kept)
            keptModule = match.captured(1);
        else
            backups.push_back(
                {match.captured(1), match.captured(2), match.captured(3).toInt(), name});
    }
    auto excess = static_cast<qsizetype>(backups.size()) - (kKept - 1);
    if (excess <= 0)
        return;
    std::sort(backups.begin(), backups.end());

    // Each module's newest backup that holds a profile stays, however old; the one just saved
    // is its module's. Looked up only for modules that are about to lose a backup.
    std::map<QString, QString> lastGood;
    const auto isLastGood = [&](const Dated &backup) {
        if (backup.module == keptModule)
            return false;
        if (!lastGood.count(backup.module)) {
            QString &found = lastGood[backup.module];
            for (auto b = backups.rbegin(); b != backups.rend() && found.isEmpty(); ++b)
                if (b->module == backup.module && holdsAProfile(folder.filePath(b->name)))
                    found = b->name;
        }
        return lastGood[backup.module] == backup.name;
    };
    for (auto b = backups.begin(); b != backups.end() && excess > 0; ++b) {
        if (isLastGood(*b))
            continue;
        folder.remove(b->name);
        --excess;
    }
}

} // namespace tessel
