// SPDX-License-Identifier: Apache-2.0
#include "session/production/UnitDispenser.h"

#include <algorithm>

namespace tessel {

UnitDispenser::UnitDispenser(UnitPool &pool, QString batch, std::vector<Unit> units, bool scan)
    : m_pool(pool), m_batch(std::move(batch)), m_scan(scan) {
    for (Unit &unit : units)
        m_units.emplace(unit.label, std::move(unit));
}

UnitDispenser::Answer UnitDispenser::take(const QString &port, Unit &unit, QString &why) {
    const auto scan = std::find_if(m_scans.begin(), m_scans.end(), [&port](const Scan &s) {
        return s.port.isEmpty() || s.port == port;
    });
    if (m_scan && scan == m_scans.end()) {
        if (!m_waiting.contains(port)) {
            m_waiting << port;
            Q_EMIT note(QStringLiteral("%1: scan the kit label for this module").arg(port));
            Q_EMIT scanWanted(port);
        }
        return Answer::Wait;
    }
    m_waiting.removeAll(port);
    QString label;
    if (m_scan) {
        label = scan->label;
        m_scans.erase(scan);
    }
    const std::optional<QString> taken = m_pool.take(m_batch, port, label, why);
    if (taken) {
        unit = m_units.at(*taken);
        // The run stops once the last unit is given out, not when the next module finds none.
        QString error;
        if (!m_scan && m_pool.left(m_batch, error) == 0 && error.isEmpty())
            Q_EMIT exhausted(QStringLiteral("the last unit of %1 is given out").arg(m_batch));
        return Answer::Given;
    }
    if (m_scan) {
        // The label was free when scanned; another station may have taken it since.
        Q_EMIT note(why + QStringLiteral("; scan another"));
        return Answer::Wait;
    }
    Q_EMIT exhausted(why);
    return Answer::None;
}

QString UnitDispenser::storing(const QString &label, const QString &port) {
    return m_pool.storing(label, port);
}

void UnitDispenser::scanned(const QString &line, const QString &port) {
    const QString label = line.trimmed();
    if (label.isEmpty())
        return;
    if (m_units.find(label) == m_units.end()) {
        Q_EMIT note(QStringLiteral("%1 is not a unit of %2; scan another").arg(label, m_batch));
        return;
    }
    if (std::any_of(m_scans.begin(), m_scans.end(),
                    [&label](const Scan &s) { return s.label == label; })) {
        Q_EMIT note(QStringLiteral("%1 was scanned already").arg(label));
        return;
    }
    m_scans.push_back({label, port});
    Q_EMIT note(port.isEmpty()
                    ? QStringLiteral("%1 scanned: for the next module").arg(label)
                    : QStringLiteral("%1: %2 scanned: for the next module").arg(port, label));
}

} // namespace tessel
