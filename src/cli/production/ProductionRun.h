#pragma once

#include "cli/commands/ModuleRecord.h"
#include "cli/production/ProductionDisplay.h"
#include "cli/production/ProductionStation.h"
#include "cli/production/RecordDatabase.h"
#include "cli/production/UnitDispenser.h"

#include <QEventLoop>
#include <QObject>
#include <memory>
#include <vector>

namespace tessel {

// What `program` was asked to do.
struct ProductionRequest {
    QStringList ports;
    StationSetup setup;
    int count = 0;      // stop after this many modules ended ok; 0 for no limit
    QString recordPath; // empty for no record file; a .csv file or a database
    bool json = false;
    // With a units file: its units, its name in the pool, and whether a scanner chooses them.
    std::optional<std::vector<Unit>> units;
    QString unitsBatch;
    bool scan = false;
    RunFacts facts; // what every database record of the run shares
};

// `tessel-config program`: one station per port, each with its session on a thread of its own,
// and in the main thread the stations' steps, the record file, the display, the totals,
// --count and Ctrl-C.
class ProductionRun : public QObject {
    Q_OBJECT
public:
    explicit ProductionRun(ProductionRequest request);
    ~ProductionRun() override;

    // Runs until every station has ended; the exit status: 0 when every module whose store
    // was tried ended ok (and a port was left to work on, or the run was stopped), 3 when one
    // did not, 1 when every port failed, 2 when the record file cannot be written.
    int exec();
    // No new module is started; modules in progress are finished.
    void stop(const QString &why);
    // Ctrl-C: the first stops the run, the second also ends the stores under way after the
    // block in flight. SIGTERM and SIGHUP (the operator's terminal is gone) do both at once,
    // and the run ends with 128 and the signal's number.
    void interrupt(int signal);

private:
    void endStores(const QString &why);
    // Nothing more reaches the reader of standard output: the run ends as after Ctrl-C.
    void stopIfOutputClosed();
    void onModuleFinished(const ModuleRecord &record);
    void onStationEnded();

    ProductionRequest m_request;
    ProductionDisplay m_display;
    // Opens the record and, with units, adds them to its pool; an error message.
    [[nodiscard]] QString openRecord();

    std::unique_ptr<RecordStore> m_records;
    std::unique_ptr<UnitPool> m_pool;
    std::unique_ptr<UnitDispenser> m_units;
    ProductionTotals m_totals;
    std::vector<std::unique_ptr<ProductionStation>> m_stations;
    QEventLoop m_loop;
    int m_running = 0;
    bool m_stopped = false;
    int m_status = 0; // an exit status decided during the run (the record file failed)
    int m_signal = 0; // SIGTERM or SIGHUP, which decide the exit status
};

// Runs `program` on the command line, with Ctrl-C stopping it.
int runProduction(ProductionRequest request);

} // namespace tessel
