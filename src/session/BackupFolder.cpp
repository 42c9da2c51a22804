#include "session/BackupFolder.h"

#include "core/MemoryMap.h"
#include "core/ProfileText.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace tessel {

namespace {
// A backup's name: its kind and serial, then the time it was made and, when two were made in
// the same second, a number. Nothing else in the folder is ever deleted.
const QRegularExpression &backupNamePattern() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^[a-z]+-[0-9A-F-]+-(\d{8}T\d{6}Z)(?:-(\d+))?\.txt$)"));
    return pattern;
}

// Oldest first: by the time in the name, then by the number that follows it.
struct Dated {
    QString time;
    int number;
    QString name;
    bool operator<(const Dated &other) const {
        return std::tie(time, number, name) < std::tie(other.time, other.number, other.name);
    }
};

// The base serial as the window shows it, with "-" where the window shows ":".
QString serialForName(ModuleKind kind, const EepromImage &image) {
    QString text;
    for (int a = 0; a < layoutOf(kind).baseSerialBytes; ++a) {
        if (a == 4)
            text += QLatin1Char('-');
        text += hexByte(image.value(a));
    }
    return text;
}
} // namespace

BackupFolder::BackupFolder()
    : m_path(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
             QStringLiteral("/backups")) {}

QString BackupFolder::fileName(ModuleKind kind, const EepromImage &image, const QDateTime &when) {
    return QStringLiteral("%1-%2-%3.txt")
        .arg(moduleKindKey(kind), serialForName(kind, image),
             when.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
}

BackupResult BackupFolder::save(ModuleKind kind, const EepromImage &image,
                                const QDateTime &when) const {
    const auto failure = [](const QString &what, const QString &why) {
        return BackupResult{{},
                            QStringLiteral("No backup of the module's memory could be saved: "
                                           "cannot write %1 (%2). Nothing was stored.")
                                .arg(what, why)};
    };
    QDir folder(m_path);
    if (!folder.mkpath(QStringLiteral(".")))
        return failure(m_path, QStringLiteral("the folder cannot be created"));
    const QString base = fileName(kind, image, when);
    QString name = base;
    for (int number = 2; folder.exists(name); ++number)
        name = base.chopped(4) + QStringLiteral("-%1.txt").arg(number);

    QSaveFile file(folder.filePath(name));
    const QByteArray text = profileText(image).toLatin1() + '\n';
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return failure(file.fileName(), file.errorString());
    prune(name);
    return {file.fileName(), {}};
}

BackupFn BackupFolder::forSession() const {
    return [folder = *this](const ModuleSession &session) {
        return folder.save(*session.kind(), *session.moduleImage(),
                           QDateTime::currentDateTimeUtc());
    };
}

void BackupFolder::prune(const QString &kept) const {
    QDir folder(m_path);
    std::vector<Dated> backups;
    for (const QString &name : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = backupNamePattern().match(name);
        if (match.hasMatch() && name != kept)
            backups.push_back({match.captured(1), match.captured(2).toInt(), name});
    }
    const auto excess = static_cast<qsizetype>(backups.size()) - (kKept - 1);
    if (excess <= 0)
        return;
    std::sort(backups.begin(), backups.end());
    std::for_each(backups.begin(), backups.begin() + excess,
                  [&folder](const Dated &old) { folder.remove(old.name); });
}

} // namespace tessel
