// SPDX-License-Identifier: Apache-2.0
#include "link/ports/PortSetting.h"

#include "link/ports/PortSource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace tessel {

QString firstField(const QString &text) {
    QString line = text.section(QLatin1Char('\n'), 0, 0);
    line.remove(QLatin1Char('\r'));
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char('"'))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char('"'), 1);
        return close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1);
    }
    return trimmed.section(QLatin1Char(','), 0, 0).trimmed();
}

namespace {
// A FIFO or a device in the setting's place would block the start-up on its open: only a
// regular file (or nothing) is a setting file.
bool isOtherThanAFile(const QString &path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

std::optional<QString> readField(const QString &path) {
    if (isOtherThanAFile(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QString field = firstField(QString::fromLocal8Bit(file.read(4096)));
    return field.isEmpty() ? std::nullopt : std::optional(field);
}

// Empty when written; otherwise the reason.
QString writeName(const QString &name, const QString &path) {
    if (isOtherThanAFile(path))
        return PortSetting::tr("it is there, but not as a regular file");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(name.toLocal8Bit() + '\n') < 0 || !file.flush())
        return file.errorString();
    return {};
}
} // namespace

PortSetting::PortSetting()
    : PortSetting(QDir::currentPath(), QFileInfo(QSettings().fileName()).absolutePath(),
                  QDir::homePath()) {}

PortSetting::PortSetting(QString workingFolder, QString configFolder, QString homeFolder)
    : m_workingFolder(std::move(workingFolder)), m_configFolder(std::move(configFolder)),
      m_homeFolder(std::move(homeFolder)) {}

QString PortSetting::workingFile() const {
    return QDir(m_workingFolder).filePath(QString::fromLatin1(kPortSettingFile));
}

bool PortSetting::workingIsHome() const {
    const QString home = QDir(m_homeFolder).canonicalPath();
    return !home.isEmpty() && QDir(m_workingFolder).canonicalPath() == home;
}

QString PortSetting::configFile() const {
    return m_configFolder.isEmpty()
               ? QString()
               : QDir(m_configFolder).filePath(QString::fromLatin1(kPortSettingFile));
}

std::optional<QString> PortSetting::remembered() const {
    const QString hereFile = workingFile();
    const std::optional<QString> here = readField(hereFile);
    const std::optional<QString> saved =
        m_configFolder.isEmpty() ? std::nullopt : readField(configFile());
    // A file here that we cannot (or do not) write is left from before: the choice made since
    // then went into the configuration folder, and taking the old one would undo it.
    if (here && saved && (workingIsHome() || !QFileInfo(hereFile).isWritable()))
        return saved;
    return here ? here : saved;
}

QString PortSetting::remember(const QString &name) const {
    // The working directory's file is written again only when it holds the setting.
    const QString hereFile = workingFile();
    QString why; // what went wrong, as the operator reads it
    if (!workingIsHome() && readField(hereFile)) {
        const QString whyNotHere = writeName(name, hereFile);
        if (whyNotHere.isEmpty())
            return {};
        why = PortSetting::tr("the port setting file %1 could not be written in the working "
                              "directory %2 (%3)")
                  .arg(QString::fromLatin1(kPortSettingFile),
                       QDir::toNativeSeparators(QFileInfo(hereFile).absolutePath()), whyNotHere);
    }
    const QString folder = QDir::toNativeSeparators(m_configFolder);
    const QString whyNotThere = m_configFolder.isEmpty() ? PortSetting::tr("no folder is known")
                                : !QDir().mkpath(m_configFolder)
                                    ? PortSetting::tr("the folder cannot be created")
                                    : writeName(name, configFile());
    if (whyNotThere.isEmpty())
        return why.isEmpty()
                   ? QString()
                   : PortSetting::tr("The port is remembered in %1: %2.").arg(folder, why);
    why += (why.isEmpty() ? PortSetting::tr("it could not be written in %1 (%2)")
                          : PortSetting::tr(", nor in %1 (%2)"))
               .arg(folder, whyNotThere);
    return PortSetting::tr("The port could not be remembered: %1. %2 is used for this run; choose "
                           "it again next time.")
        .arg(why, name.trimmed());
}

QString deviceForPortName(const QString &name) {
    const QString n = name.trimmed();
    if (n.startsWith(QLatin1Char('/')))
        return n;
    if (n.size() > 3 && n.left(3).compare(QLatin1String("COM"), Qt::CaseInsensitive) == 0) {
        bool ok = false;
        const int number = n.mid(3).toInt(&ok);
        if (ok && number >= 1) {
#ifdef Q_OS_WIN
            return n;
#else
            return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
        }
    }
    return n.isEmpty() ? QString() : QStringLiteral("/dev/") + n;
}

} // namespace tessel
