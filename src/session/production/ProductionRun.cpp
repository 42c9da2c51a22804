// SPDX-License-Identifier: Apache-2.0
#include "session/production/ProductionRun.h"

namespace tessel {

void ProductionTotals::count(ModuleResult result) {
    if (result == ModuleResult::Ok)
        ++ok;
    else if (result == ModuleResult::WrongKind)
        ++refused;
    else if (result == ModuleResult::AlreadyProgrammed)
        ++already;
    else
        ++failed;
}

ProductionRun::ProductionRun(ProductionRequest request, QObject *parent)
    : QObject(parent), m_request(std::move(request)) {
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
    if (const QString error = db.open(); !error.isEmpty())
        return error;
    m_database = &db;
    if (!m_request.units)
        return {};
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
    connect(m_units.get(), &UnitDispenser::note, this, &ProductionRun::note);
    connect(m_units.get(), &UnitDispenser::exhausted, this, [this](const QString &why) {
        stop(why + QStringLiteral(": no new module is started; finishing those in progress"));
    });
    m_request.setup.units = m_units.get();
    return {};
}

QString ProductionRun::start() {
    if (QString error = openRecord(); !error.isEmpty())
        return error;
    for (int i = 0; i < m_request.ports.size(); ++i) {
        auto station =
            std::make_unique<ProductionStation>(i, m_request.ports.at(i), m_request.setup);
        connect(station.get(), &ProductionStation::event, this, &ProductionRun::stationEvent);
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
    return {};
}

void ProductionRun::stop(const QString &why) {
    if (m_stopped)
        return;
    m_stopped = true;
    Q_EMIT stopping(why);
    for (const auto &station : m_stations)
        station->requestStop();
}

void ProductionRun::endStores(const QString &why) {
    // Killing the stores mid-block would leave the staff without a word about the modules in
    // the jig: each ends after its block in flight and says what its module then holds.
    Q_EMIT stopping(why);
    for (const auto &station : m_stations)
        station->stopStoreNow();
}

void ProductionRun::onModuleFinished(const ModuleRecord &record) {
    m_totals.count(record);
    if (m_records) {
        if (const QString error = m_records->append(record); !error.isEmpty()) {
            Q_EMIT recordFailed(error);
            stop(QStringLiteral("no module is started without its record; stopping"));
        }
    }
    Q_EMIT moduleFinished(record);
    if (m_request.count > 0 && m_totals.ok >= m_request.count) {
        stop(QStringLiteral("%1 %2 programmed, as asked; finishing those in progress")
                 .arg(m_totals.ok)
                 .arg(m_totals.ok == 1 ? QStringLiteral("module") : QStringLiteral("modules")));
    }
}

void ProductionRun::onStationEnded() {
    if (--m_running == 0)
        Q_EMIT ended();
}

} // namespace tessel
