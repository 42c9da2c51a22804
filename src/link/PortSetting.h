#pragma once

#include <QString>
#include <QStringList>

namespace tessel {

inline constexpr const char *kPortSettingFile = "tessel.cfg";

// The port remembered from last time: the first field of the setting file, "COM1" when
// there is none.
QString ReadPortSetting(const QString &path = QString::fromLatin1(kPortSettingFile));
// Writes the name and CR LF; false (with the reason) when the file cannot be written.
bool WritePortSetting(const QString &name, QString *error = nullptr,
                      const QString &path = QString::fromLatin1(kPortSettingFile));

// The first field of a setting file's text: up to the first comma or line end, trimmed,
// without surrounding double quotes.
QString firstField(const QString &text);

// The serial ports present, in a stable order, by the names the operator sees.
QStringList ListSerialPorts();

// The device behind a port name: "COM3" keeps its old meaning (/dev/ttyS2 here), a listed
// name such as ttyUSB0 is /dev/ttyUSB0, a full path is taken as it is.
QString deviceForPortName(const QString &name);

} // namespace tessel
