#include "cli/production/ProductionRun.h"

#include "cli/commands/CommandLine.h"
#include "cli/commands/InterruptWatch.h"
#include "cli/commands/Terminal.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <csignal>

namespace tessel {

ProductionRun::ProductionRun(ProductionRequest request)
    : m_request(std::move(request)), m_display(displayModeFor(m_request.json), m_request.ports) {
    qRegisterMetaType<tessel::StationEvent>();
    qRegisterMetaType<tessel::ModuleRecord>();
}

ProductionRun::~ProductionRun() = default;

QString ProductionRun::openRecord() {
    const QString &path = m_request.recordPath;
    if (path.isEmpty())
        return {};
    if (!RecordDatabase::isDatabase(path)) {
        m_records = std::make_unique<RecordFile>(path);
        return m_records->open();
    }
    auto database = std::make_unique<RecordDatabase>(path, m_request.facts);
    RecordDatabase &db = *database;
    m_records = std::move(database);
    if (const QString error = db.open(); !error.isEmpty() || !m_request.units)
        return error;
    m_pool = std::make_unique<UnitPool>(db);
    if (const QString error = m_pool->add(m_request.unitsBatch, *m_request.units); !error.isEmpty())
        return error;
    QString error;
    if (m_pool->left(m_request.unitsBatch, error) == 0 && error.isEmpty()) {
        error = QStringLiteral("no unit of %1 is left in the record %2 (see \"tessel-config "
                               "records units\")")
                    .arg(m_request.unitsBatch, db.name());
    }
    if (!error.isEmpty())
        return error;
    m_units = std::make_unique<UnitDispenser>(*m_pool, m_request.unitsBatch,
                                              std::move(*m_request.units), m_request.scan);
    connect(m_units.get(), &UnitDispenser::note, this,
            [this](const QString &text) { m_display.note(text); });
    connect(m_units.get(), &UnitDispenser::exhausted, this, [this](const QString &why) {
        stop(why + QStringLiteral(": no new module is started; finishing those in progress"));
    });
    if (m_request.scan)
        m_units->watchScanner();
    m_request.setup.units = m_units.get();
    return {};
}

int ProductionRun::exec() {
    if (const QString error = openRecord(); !error.isEmpty())
        return fail(exitcode::kBadInput, error);
    for (int i = 0; i < m_request.ports.size(); ++i) {
        auto station =
            std::make_unique<ProductionStation>(i, m_request.ports.at(i), m_request.setup);
        connect(station.get(), &ProductionStation::event, this, [this](const StationEvent &e) {
            m_display.show(e, m_totals);
            stopIfOutputClosed();
        });
        // Direct: the station goes on once the record is on disk.
        connect(station.get(), &ProductionStation::moduleFinished, this,
                &ProductionRun::onModuleFinished);
        connect(station.get(), &ProductionStation::ended, this, &ProductionRun::onStationEnded,
                Qt::QueuedConnection);
        m_stations.push_back(std::move(station));
    }
    m_running = static_cast<int>(m_stations.size());
    for (const auto &station : m_stations)
        station->start();
    // Station signals arrive through this loop; it ends with the last station.
    m_loop.exec();

    m_display.finished(m_totals);
    if (m_status != 0)
        return m_status;
    if (m_signal != 0)
        return exitcode::kSignalled + m_signal;
    if (m_totals.failed > 0)
        return statusAfterOutput(exitcode::kNotStored);
    return statusAfterOutput(m_stopped ? exitcode::kSuccess : exitcode::kNoModule);
}

void ProductionRun::stopIfOutputClosed() {
    if (outputPipeClosed())
        stop(QStringLiteral("the output was closed: no new module is started; finishing those "
                            "in progress"));
}

void ProductionRun::stop(const QString &why) {
    if (m_stopped)
        return;
    m_stopped = true;
    m_display.stopping(why);
    for (const auto &station : m_stations)
        station->requestStop();
}

void ProductionRun::interrupt(int signal) {
    if (signal != SIGINT) {
        m_signal = signal;
        stop(signal == SIGHUP ? QStringLiteral("hang-up (SIGHUP): no new module is started")
                              : QStringLiteral("SIGTERM: no new module is started"));
        endStores(QStringLiteral("stores end after the block in flight"));
        return;
    }
    if (!m_stopped) {
        stop(QStringLiteral("interrupted: no new module is started; finishing those in progress "
                            "(Ctrl-C again stops their stores after the block in flight)"));
        return;
    }
    endStores(QStringLiteral("interrupted again: stores end after the block in flight"));
}

void ProductionRun::endStores(const QString &why) {
    // Stores end after the block in flight, each module's record says what it then holds, and
    // the run ends as usual. Killing them mid-block would leave the staff without a word about
    // the modules in the jig. A module not yet stored to is not started.
    m_display.stopping(why);
    for (const auto &station : m_stations)
        station->stopStoreNow();
}

void ProductionRun::onModuleFinished(const ModuleRecord &record) {
    m_totals.count(record);
    if (m_records) {
        if (const QString error = m_records->append(record); !error.isEmpty()) {
            m_status = fail(exitcode::kBadInput, error);
            stop(QStringLiteral("no module is started without its record; stopping"));
        }
    }
    m_display.moduleFinished(record, m_totals);
    stopIfOutputClosed();
    if (m_request.count > 0 && m_totals.ok >= m_request.count) {
        stop(QStringLiteral("%1 %2 programmed, as asked; finishing those in progress")
                 .arg(m_totals.ok)
                 .arg(m_totals.ok == 1 ? QStringLiteral("module") : QStringLiteral("modules")));
    }
}

void ProductionRun::onStationEnded() {
    if (--m_running == 0)
        m_loop.quit();
}

int runProduction(ProductionRequest request) {
    ProductionRun run(std::move(request));
    InterruptWatch interrupts;
    QObject::connect(&interrupts, &InterruptWatch::interrupted, &run,
                     [&run](int signal) { run.interrupt(signal); });
    return run.exec();
}

} // namespace tessel
