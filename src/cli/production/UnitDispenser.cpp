#include "cli/production/UnitDispenser.h"

#include <QSocketNotifier>
#include <unistd.h>

namespace tessel {

UnitDispenser::UnitDispenser(UnitPool &pool, QString batch, std::vector<Unit> units, bool scan)
    : m_pool(pool), m_batch(std::move(batch)), m_scan(scan) {
    for (Unit &unit : units)
        m_units.emplace(unit.label, std::move(unit));
}

UnitDispenser::Answer UnitDispenser::take(const QString &port, Unit &unit, QString &why) {
    if (m_scan && m_scans.isEmpty()) {
        if (!m_waiting.contains(port)) {
            m_waiting << port;
            Q_EMIT note(QStringLiteral("%1: scan the kit label for this module").arg(port));
        }
        return Answer::Wait;
    }
    m_waiting.removeAll(port);
    const QString scan = m_scan ? m_scans.takeFirst() : QString();
    const std::optional<QString> taken = m_pool.take(m_batch, port, scan, why);
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

void UnitDispenser::scanned(const QString &line) {
    const QString label = line.trimmed();
    if (label.isEmpty())
        return;
    if (m_units.find(label) == m_units.end()) {
        Q_EMIT note(QStringLiteral("%1 is not a unit of %2; scan another").arg(label, m_batch));
        return;
    }
    if (m_scans.contains(label)) {
        Q_EMIT note(QStringLiteral("%1 was scanned already").arg(label));
        return;
    }
    m_scans << label;
    Q_EMIT note(QStringLiteral("%1 scanned: for the next module").arg(label));
}

void UnitDispenser::watchScanner() {
    m_scanner = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_scanner, &QSocketNotifier::activated, this, [this] {
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            m_scanner->setEnabled(false); // the scanner is gone; scans already made stay
            return;
        }
        m_typed.append(buffer, n);
        qsizetype end = 0;
        while ((end = m_typed.indexOf('\n')) >= 0) {
            scanned(QString::fromUtf8(m_typed.left(end)));
            m_typed.remove(0, end + 1);
        }
    });
}

} // namespace tessel
