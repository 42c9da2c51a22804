// SPDX-License-Identifier: Apache-2.0
#include "session/BackupList.h"

#include "core/MemoryMap.h"
#include "core/ProfileText.h"
#include "session/BackupFolder.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <sys/xattr.h>
#include <utility>

namespace tessel {

namespace {
const char *const kPortAttribute = "user.tessel-config.port";
constexpr int kDevicesNamed = 2;
constexpr int kInputsNamed = 2;

QString recordedPort(const QString &path) {
    char value[512];
    const ssize_t size =
        ::getxattr(QFile::encodeName(path).constData(), kPortAttribute, value, sizeof value);
    return size > 0 ? QString::fromUtf8(value, size) : QString();
}

QString serialOfRow(ModuleKind kind, const EepromImage &image, int row) {
    QString text;
    for (int b = 0; b < layoutOf(kind).rowSerialBytes; ++b)
        text += hexByte(image.value(map::recordAddress(row) + b));
    return text;
}

QString limitsOf(const EepromImage &image, int input) {
    const int lower = image.value(map::lowerLimitAddress(input));
    const int upper = image.value(map::upperLimitAddress(input));
    switch (image.value(map::limitTypeAddress(input))) {
    case 0:
        return QStringLiteral("input %1 above %2").arg(input).arg(lower);
    case 1:
        return QStringLiteral("input %1 below %2").arg(input).arg(lower);
    case 2:
        return QStringLiteral("input %1 outside %2-%3").arg(input).arg(lower).arg(upper);
    default:
        return QStringLiteral("input %1 inside %2-%3").arg(input).arg(lower).arg(upper);
    }
}

// "a, b and 3 more"
QString shortList(const QStringList &items, int named) {
    const QString shown = items.mid(0, named).join(QStringLiteral(", "));
    return items.size() > named
               ? QStringLiteral("%1 and %2 more").arg(shown).arg(items.size() - named)
               : shown;
}
} // namespace

void recordBackupPort(const QString &path, const QString &port) {
    const QByteArray value = port.toUtf8();
    ::setxattr(QFile::encodeName(path).constData(), kPortAttribute, value.constData(),
               static_cast<size_t>(value.size()), 0);
}

QString describeModule(ModuleKind kind, const EepromImage &image) {
    QStringList items;
    if (kind == ModuleKind::Threshold) {
        for (int input = 0; input < map::kAnalogInputs; ++input)
            items << limitsOf(image, input);
        return shortList(items, kInputsNamed);
    }
    const int devices = std::min(image.value(map::kLastDeviceIndex), map::kMaxLastDeviceIndex) + 1;
    for (int row = 0; row < devices; ++row)
        items << serialOfRow(kind, image, row);
    return (devices == 1 ? QStringLiteral("device ") : QStringLiteral("devices ")) +
           shortList(items, kDevicesNamed);
}

std::vector<BackupEntry> listBackups(const QString &folder, ModuleKind kind) {
    std::vector<std::pair<BackupEntry, BackupName>> found;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files)) {
        const std::optional<BackupName> parsed = BackupFolder::parseName(name);
        if (!parsed || parsed->kind != moduleKindKey(kind))
            continue;
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const ProfileParse profile = parseProfileText(QString::fromLatin1(file.read(1 << 16)));
        if (!profile.memory)
            continue;
        const EepromImage image(*profile.memory);
        found.push_back({{file.fileName(), parsed->when, recordedPort(file.fileName()),
                          describeModule(kind, image), image},
                         *parsed});
    }
    // Newest first: by time, then by number, compared as a number so that 10 is newer than 2.
    std::stable_sort(found.begin(), found.end(),
                     [](const auto &a, const auto &b) { return b.second < a.second; });
    std::vector<BackupEntry> entries;
    for (auto &[entry, number] : found)
        entries.push_back(std::move(entry));
    return entries;
}

} // namespace tessel
