// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/production/ModuleRecord.h"
#include "session/production/ProductionStation.h"
#include "session/production/RecordDatabase.h"
#include "session/production/UnitDispenser.h"

#include <QObject>
#include <memory>
#include <vector>

namespace tessel {

// What a production run is asked to do.
struct ProductionRequest {
    QStringList ports;
    StationSetup setup;
    int count = 0;      // stop after this many modules ended ok; 0 for no limit
    QString recordPath; // empty for no record file; a .csv file or a database
    // With a units file: its units, its name in the pool, and whether a scanner chooses them.
    std::optional<std::vector<Unit>> units;
    QString unitsBatch;
    bool scan = false;
    RunFacts facts; // what every database record of the run shares
};

// Running totals of a production run.
struct ProductionTotals {
    int ok = 0;
    int failed = 0;  // started and did not end ok
    int refused = 0; // another kind: nothing was stored
    int already = 0; // held the profile already: nothing was stored, not a new module

    void count(ModuleResult result);
    void count(const ModuleRecord &record) { count(record.result); }
    friend bool operator==(const ProductionTotals &, const ProductionTotals &) = default;
};

// A production run: one station per port, each with its session on a thread of its own, and
// in the run's thread the stations' steps, the record, the totals and --count. It reports
// through its signals; the command line's terminal and the station window are two faces of
// the same run.
class ProductionRun : public QObject {
    Q_OBJECT
public:
    explicit ProductionRun(ProductionRequest request, QObject *parent = nullptr);
    ~ProductionRun() override;

    // Opens the record (with units, adds them to its pool) and starts every station; an error
    // message, and nothing started, when the record cannot be opened.
    [[nodiscard]] QString start();
    // No new module is started; modules in progress are finished.
    void stop(const QString &why);
    // Stores under way end after the block in flight, each record saying what its module then
    // holds; a module not yet stored to is not started.
    void endStores(const QString &why);

    [[nodiscard]] bool stopped() const { return m_stopped; }
    [[nodiscard]] const ProductionTotals &totals() const { return m_totals; }
    [[nodiscard]] const QStringList &ports() const { return m_request.ports; }
    // The run's database record, or none (no record, or a CSV file).
    [[nodiscard]] RecordDatabase *database() const { return m_database; }
    [[nodiscard]] UnitPool *pool() const { return m_pool.get(); }
    [[nodiscard]] UnitDispenser *units() const { return m_units.get(); }
    [[nodiscard]] const QString &unitsBatch() const { return m_request.unitsBatch; }

Q_SIGNALS:
    void stationEvent(const tessel::StationEvent &event);
    // A module ended and its record is written (the totals count it already).
    void moduleFinished(const tessel::ModuleRecord &record);
    // The record could not be written; the run stops.
    void recordFailed(const QString &error);
    // No new module is started (or stores end now): why.
    void stopping(const QString &why);
    // A word for the operator that stays, such as a scanned label taken.
    void note(const QString &text);
    // Every station has ended.
    void ended();

private:
    [[nodiscard]] QString openRecord();
    void onModuleFinished(const ModuleRecord &record);
    void onStationEnded();

    ProductionRequest m_request;
    std::unique_ptr<RecordStore> m_records;
    RecordDatabase *m_database = nullptr;
    std::unique_ptr<UnitPool> m_pool;
    std::unique_ptr<UnitDispenser> m_units;
    ProductionTotals m_totals;
    std::vector<std::unique_ptr<ProductionStation>> m_stations;
    int m_running = 0;
    bool m_stopped = false;
};

} // namespace tessel
