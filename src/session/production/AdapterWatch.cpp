// SPDX-License-Identifier: Apache-2.0
#include "session/production/AdapterWatch.h"

#include "link/channels/TcpChannel.h"
#include "link/ports/PortSource.h"

#include <QFileInfo>

namespace tessel {

AdapterWatch::AdapterWatch(QString port, QObject *parent)
    : QObject(parent), m_port(std::move(port)) {
    const QString device = QFileInfo(m_port).canonicalFilePath();
    if (!device.isEmpty())
        m_stableName = stableNamesIn(QStringLiteral("/dev/serial/by-id")).value(device);
    m_look.setInterval(kLookMs);
    connect(&m_look, &QTimer::timeout, this, &AdapterWatch::look);
}

QString AdapterWatch::present() const {
    if (QFileInfo::exists(m_port) || m_stableName.isEmpty() || !QFileInfo::exists(m_stableName))
        return m_port;
    return m_stableName;
}

bool AdapterWatch::watchable() const {
    return !isTcpPortName(m_port) && !m_port.startsWith(QLatin1String("/dev/pts/"));
}

void AdapterWatch::start() {
    m_look.start();
}

void AdapterWatch::look() {
    if (!QFileInfo::exists(m_port) && (m_stableName.isEmpty() || !QFileInfo::exists(m_stableName)))
        return;
    m_look.stop();
    Q_EMIT back();
}

} // namespace tessel
