// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/UnitsFile.h"
#include "session/production/UnitPool.h"

#include <QObject>
#include <QStringList>
#include <map>
#include <optional>

namespace tessel {

// A production run's units, asked for by its stations in the run's thread, where the pool's
// database connection lives. With scanning, the labels a scanner types choose the units, in
// the order scanned, for the next modules that need one: on any port, or on the port the scan
// was made for.
class UnitDispenser : public QObject {
    Q_OBJECT
public:
    enum class Answer {
        Given, // `unit` is the module's
        Wait,  // no label is scanned yet: ask again a little later
        None   // no unit will come; `why` says why
    };

    // `units` are the file's, `batch` its name in the pool.
    UnitDispenser(UnitPool &pool, QString batch, std::vector<Unit> units, bool scan);

    // The unit for the module on `port`.
    [[nodiscard]] Answer take(const QString &port, Unit &unit, QString &why);
    // The store of the unit begins; an error message when the pool could not mark it.
    [[nodiscard]] QString storing(const QString &label, const QString &port);

    // A scanned label, for the next module on `port` (empty: on any port).
    void scanned(const QString &line, const QString &port = {});
    [[nodiscard]] bool scanning() const { return m_scan; }

Q_SIGNALS:
    // A word for the operator: a scan taken or refused.
    void note(const QString &text);
    // The module on `port` waits for its kit label to be scanned.
    void scanWanted(const QString &port);
    // No unit is left: no station will get one.
    void exhausted(const QString &why);

private:
    UnitPool &m_pool;
    QString m_batch;
    std::map<QString, Unit> m_units;
    bool m_scan;
    struct Scan {
        QString label;
        QString port; // empty: any
    };
    std::vector<Scan> m_scans; // scanned labels not yet given out
    QStringList m_waiting;     // ports told to scan
};

} // namespace tessel
