// SPDX-License-Identifier: Apache-2.0
#include "ui/desk/RecentProfiles.h"

#include <QFileInfo>
#include <QSettings>

namespace tessel {

namespace {
const QString kKey = QStringLiteral("recentProfiles");
} // namespace

QStringList RecentProfiles::files() const {
    return QSettings().value(kKey).toStringList();
}

void RecentProfiles::add(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kKept));
}

void RecentProfiles::remove(const QString &path) {
    QStringList list = files();
    list.removeAll(path);
    store(list);
}

void RecentProfiles::store(const QStringList &files) {
    QSettings().setValue(kKey, files);
}

} // namespace tessel
