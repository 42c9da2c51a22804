// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

namespace tessel {

inline constexpr const char *kPortSettingFile = "tessel.cfg";

// Where the chosen port is remembered: "tessel.cfg" in the working directory when one is
// there, as it always was, else the same file in the program's configuration folder (where its
// QSettings live). A choice goes back into the file it was read from, else into the
// configuration folder; never into the home folder, where a program started from the desktop's
// menu runs, nor into a working directory that held no setting.
class PortSetting {
    Q_DECLARE_TR_FUNCTIONS(tessel::PortSetting)

public:
    // The working directory, the folder of the program's QSettings and the user's home.
    PortSetting();
    PortSetting(QString workingFolder, QString configFolder, QString homeFolder);

    // The port remembered last time, or nothing when neither place holds one.
    [[nodiscard]] std::optional<QString> remembered() const;
    // Remembers the name (a line of its own). Empty when it went where it belongs; otherwise
    // what the operator should hear: the folder it went to instead, or why it could not be
    // remembered at all.
    [[nodiscard]] QString remember(const QString &name) const;

    [[nodiscard]] QString configFolder() const { return m_configFolder; }
    [[nodiscard]] QString configFile() const;

private:
    [[nodiscard]] QString workingFile() const;
    // A file there is left from before: it is read while nothing else is known, never written.
    [[nodiscard]] bool workingIsHome() const;

    QString m_workingFolder;
    QString m_configFolder;
    QString m_homeFolder;
};

// The first field of a setting file's text: up to the first comma or line end, trimmed,
// without surrounding double quotes.
QString firstField(const QString &text);

// The device behind a port name: "COM3" keeps its old meaning (/dev/ttyS2 here), a listed
// name such as ttyUSB0 is /dev/ttyUSB0, a full path is taken as it is.
QString deviceForPortName(const QString &name);

} // namespace tessel
