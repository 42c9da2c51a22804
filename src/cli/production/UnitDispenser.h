#pragma once

#include "cli/production/UnitPool.h"
#include "core/UnitsFile.h"

#include <QObject>
#include <QStringList>
#include <map>
#include <optional>

class QSocketNotifier;

namespace tessel {

// A production run's units, asked for by its stations in the run's thread, where the pool's
// database connection lives. With scanning, the labels a scanner types on standard input
// (each ended by Enter) choose the units, in the order scanned, for the next modules that
// need one.
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

    // A line typed on standard input: a scanned label.
    void scanned(const QString &line);
    // Reads the scanner from standard input while the run runs.
    void watchScanner();

Q_SIGNALS:
    // A word for the operator: a scan taken or refused.
    void note(const QString &text);
    // No unit is left: no station will get one.
    void exhausted(const QString &why);

private:
    UnitPool &m_pool;
    QString m_batch;
    std::map<QString, Unit> m_units;
    bool m_scan;
    QStringList m_scans;   // scanned labels not yet given out
    QStringList m_waiting; // ports told to scan
    QSocketNotifier *m_scanner = nullptr;
    QByteArray m_typed;
};

} // namespace tessel
