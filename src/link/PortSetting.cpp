#include "link/PortSetting.h"

#include "link/PortSource.h"

#include <QFile>

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

QString ReadPortSetting(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("COM1");
    const QString field = firstField(QString::fromLocal8Bit(file.read(4096)));
    return field.isEmpty() ? QStringLiteral("COM1") : field;
}

bool WritePortSetting(const QString &name, QString *error, const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(name.toLocal8Bit() + "\r\n") < 0 || !file.flush()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QStringList ListSerialPorts() {
    QStringList names;
    for (const PortFacts &port : SystemPortSource().ports())
        names << port.name;
    return names;
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
