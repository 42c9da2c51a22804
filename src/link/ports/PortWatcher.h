// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/ports/PortFacts.h"

#include <QObject>
#include <QTimer>

namespace tessel {

class PortSource;

// Keeps the port list current while a window shows it: asks the source again every interval
// and reports a change, so a port plugged in appears, and one pulled out disappears, within
// one interval. Asking the system once a second costs a few directory reads; nothing happens
// between polls.
class PortWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 1000;

    explicit PortWatcher(const PortSource &source, int intervalMs = kIntervalMs,
                         QObject *parent = nullptr);

    [[nodiscard]] const QList<PortFacts> &ports() const { return m_ports; }
    // Asks the source now; true (and portsChanged) when the list differs from the last one.
    bool refresh();

Q_SIGNALS:
    void portsChanged(const QList<tessel::PortFacts> &ports);

private:
    const PortSource &m_source;
    QList<PortFacts> m_ports;
    QTimer m_timer;
};

} // namespace tessel
