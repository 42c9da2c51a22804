#pragma once

#include "cli/production/UnitPool.h"
#include "core/UnitsFile.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

class QSocketNotifier;

namespace tessel {

// A production run's units: the stations ask from their own threads, the pool answers in the
// run's thread, where its database connection lives (each question waits for its answer).
// With scanning, the labels a scanner types on standard input (each ended by Enter) choose
// the units, in the order scanned, for the next modules that need one.
class UnitDispenser : public QObject {
    Q_OBJECT
public:
    // `units` are the file's, `batch` its name in the pool.
    UnitDispenser(UnitPool &pool, QString batch, std::vector<Unit> units, bool scan);

    // From a station's thread: the unit for the module on `port`. While a scan is awaited,
    // `keepWaiting` is called between looks (it pauses, and says false once the station
    // stops). Nothing when no unit will come; `why` then says why.
    [[nodiscard]] std::optional<Unit> take(const QString &port,
                                           const std::function<bool()> &keepWaiting, QString &why);
    // From a station's thread: the store of the unit begins.
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
    enum class Answer { Given, Wait, None };
    Answer answer(const QString &port, QString &label, QString &why);

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
