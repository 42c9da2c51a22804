#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tessel {

inline constexpr const char *kPortSettingFile = "tessel.cfg";

// Where the chosen port is remembered: "tessel.cfg" in the working directory, as it always
// was, and the same file in the user's configuration folder for when the working directory
// cannot be written (a read-only share, a system folder the menu started us in).
class PortSetting {
public:
    // The working directory's file and QStandardPaths' AppConfigLocation.
    PortSetting();
    PortSetting(QString workingFile, QString configFolder);

    // The port remembered last time, or nothing when neither place holds one.
    [[nodiscard]] std::optional<QString> remembered() const;
    // Remembers the name (with CR LF). Empty when it went into the working directory;
    // otherwise what the operator should hear: the folder it went to instead, or why it could
    // not be remembered at all.
    [[nodiscard]] QString remember(const QString &name) const;

    [[nodiscard]] QString configFolder() const { return m_configFolder; }
    [[nodiscard]] QString configFile() const;

private:
    QString m_workingFile;
    QString m_configFolder;
};

// The first field of a setting file's text: up to the first comma or line end, trimmed,
// without surrounding double quotes.
QString firstField(const QString &text);

// The device behind a port name: "COM3" keeps its old meaning (/dev/ttyS2 here), a listed
// name such as ttyUSB0 is /dev/ttyUSB0, a full path is taken as it is.
QString deviceForPortName(const QString &name);

} // namespace tessel
