// SPDX-License-Identifier: Apache-2.0
#include "session/production/ProductionSetup.h"

#include "core/SettingsCheck.h"
#include "core/UnitsFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSysInfo>

namespace tessel {

RunFacts runFacts(const QString &profileFile, const EepromImage &profile, const QString &station,
                  const QString &operatorName) {
    const ModuleMemory memory = *profile.toMemory();
    return {
        station.isEmpty() ? QSysInfo::machineHostName() : station, operatorName,
        QFileInfo(profileFile).fileName(),
        QString::fromLatin1(QCryptographicHash::hash(QByteArrayView(memory.data(), memory.size()),
                                                     QCryptographicHash::Sha256)
                                .toHex())};
}

QString readUnitsFile(const QString &path, const QString &profileFile,
                      ProductionRequest &production) {
    if (path.isEmpty())
        return {};
    const ModuleKind kind = production.setup.kind;
    const EepromImage &profile = production.setup.profile;
    if (const QStringList invalid = invalidSettings(kind, profile); !invalid.isEmpty()) {
        return QStringLiteral("%1: the window would not store this profile: correct %2 first; "
                              "nothing was sent")
            .arg(profileFile, invalid.join(QStringLiteral(", ")));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    UnitsParse parsed = readUnits(file.readAll(), path, kind, profile);
    if (!parsed.error.isEmpty())
        return parsed.error + QStringLiteral("; nothing was sent");
    production.units = std::move(parsed.units);
    production.unitsBatch = QFileInfo(path).fileName();
    return {};
}

std::function<BackupFn(const QString &)> sharedBackups(const BackupFolder &folder,
                                                       void (*tellPruning)(const QString &)) {
    auto lock = std::make_shared<QMutex>();
    return [lock, folder, tellPruning](const QString &port) -> BackupFn {
        return [lock, backup = folder.forSession(port, tellPruning)](const ModuleSession &session) {
            const QMutexLocker locked(lock.get());
            return backup(session);
        };
    };
}

} // namespace tessel
