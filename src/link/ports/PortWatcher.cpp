// SPDX-License-Identifier: Apache-2.0
#include "link/ports/PortWatcher.h"

#include "link/ports/PortSource.h"

namespace tessel {

PortWatcher::PortWatcher(const PortSource &source, int intervalMs, QObject *parent)
    : QObject(parent), m_source(source), m_ports(source.ports()) {
    connect(&m_timer, &QTimer::timeout, this, &PortWatcher::refresh);
    m_timer.start(intervalMs);
}

bool PortWatcher::refresh() {
    QList<PortFacts> now = m_source.ports();
    if (now == m_ports)
        return false;
    m_ports = std::move(now);
    Q_EMIT portsChanged(m_ports);
    return true;
}

} // namespace tessel
