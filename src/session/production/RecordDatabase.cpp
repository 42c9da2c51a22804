// SPDX-License-Identifier: Apache-2.0
#include "session/production/RecordDatabase.h"

#include "core/ProfileText.h"

#include <QAtomicInt>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>

namespace tessel {

namespace {

// The schema this program writes. Each step takes a database from the version before it to
// its own; a database is upgraded through every step it lacks, in one transaction.
constexpr int kSchemaVersion = 1;

QStringList schemaStep(int version, bool postgres) {
    const QString id = postgres ? QStringLiteral("BIGSERIAL PRIMARY KEY")
                                : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    switch (version) {
    case 1:
        return {
            QStringLiteral("CREATE TABLE tessel_schema (version INTEGER NOT NULL)"),
            QStringLiteral("INSERT INTO tessel_schema (version) VALUES (0)"),
            QStringLiteral("CREATE TABLE records (id %1, time TEXT NOT NULL, time_utc TEXT NOT "
                           "NULL, station TEXT NOT NULL, operator TEXT, port TEXT NOT "
                           "NULL, kind TEXT NOT NULL, firmware_version INTEGER, release_year "
                           "TEXT, unit TEXT, profile TEXT NOT NULL, profile_sha256 TEXT NOT NULL, "
                           "unit_settings TEXT, result TEXT NOT NULL, differing_blocks TEXT, "
                           "backup TEXT, memory_before TEXT, seconds DOUBLE PRECISION NOT NULL, "
                           "message TEXT)")
                .arg(id),
            QStringLiteral("CREATE INDEX records_by_time ON records (time_utc)"),
            // state: left, in progress, partly stored, done.
            QStringLiteral("CREATE TABLE units (label TEXT PRIMARY KEY, batch TEXT NOT NULL, "
                           "position INTEGER NOT NULL, settings TEXT NOT NULL, state TEXT NOT "
                           "NULL, station TEXT, port TEXT, since TEXT, note TEXT)"),
            QStringLiteral("CREATE INDEX units_in_order ON units (batch, state, position)"),
        };
    default:
        return {};
    }
}

// Database column and key of every field a record shows, in the order they are shown.
const QList<std::pair<QString, QString>> &recordColumns() {
    static const QList<std::pair<QString, QString>> columns = {
        {QStringLiteral("time"), QStringLiteral("time")},
        {QStringLiteral("station"), QStringLiteral("station")},
        {QStringLiteral("operator"), QStringLiteral("operator")},
        {QStringLiteral("port"), QStringLiteral("port")},
        {QStringLiteral("kind"), QStringLiteral("kind")},
        {QStringLiteral("firmware_version"), QStringLiteral("firmwareVersion")},
        {QStringLiteral("release_year"), QStringLiteral("releaseYear")},
        {QStringLiteral("unit"), QStringLiteral("unit")},
        {QStringLiteral("profile"), QStringLiteral("profile")},
        {QStringLiteral("profile_sha256"), QStringLiteral("profileSha256")},
        {QStringLiteral("unit_settings"), QStringLiteral("unitSettings")},
        {QStringLiteral("result"), QStringLiteral("result")},
        {QStringLiteral("differing_blocks"), QStringLiteral("differingBlocks")},
        {QStringLiteral("backup"), QStringLiteral("backup")},
        {QStringLiteral("memory_before"), QStringLiteral("memoryBefore")},
        {QStringLiteral("seconds"), QStringLiteral("seconds")},
    };
    return columns;
}

QString connectionName() {
    static QAtomicInt count;
    return QStringLiteral("tessel-record-%1").arg(count.fetchAndAddRelaxed(1));
}

// Why the driver could not be loaded, in the words of the package that brings it.
QString missingDriver(const QString &driver) {
    const bool sqlite = driver == QLatin1String("QSQLITE");
    return QStringLiteral("the Qt SQL driver for %1 is not installed (Debian: %2)")
        .arg(sqlite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL"),
             sqlite ? QStringLiteral("libqt6sql6-sqlite") : QStringLiteral("libqt6sql6-psql"));
}

// An empty text as NULL: "no unit", not a unit without a name.
QVariant nullable(const QString &text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

QString utcKey(const QDateTime &time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

bool RecordDatabase::isDatabase(const QString &where) {
    return !where.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

const QStringList &RecordDatabase::recordKeys() {
    static const QStringList keys = [] {
        QStringList k;
        for (const auto &[column, key] : recordColumns())
            k << key;
        return k;
    }();
    return keys;
}

RecordDatabase::RecordDatabase(QString where, RunFacts facts)
    : m_where(std::move(where)), m_name(m_where), m_connection(connectionName()),
      m_facts(std::move(facts)) {
    m_postgres = m_where.startsWith(QLatin1String("postgresql://")) ||
                 m_where.startsWith(QLatin1String("postgres://"));
}

RecordDatabase::~RecordDatabase() {
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QSqlQuery RecordDatabase::query() const {
    return QSqlQuery(QSqlDatabase::database(m_connection, false));
}

QString RecordDatabase::failure(const QSqlQuery &query) const {
    return QStringLiteral("the record %1: %2").arg(m_name, query.lastError().text());
}

QString RecordDatabase::open() {
    const QString driver = m_postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::isDriverAvailable(driver))
        return QStringLiteral("cannot open the record %1: %2").arg(m_name, missingDriver(driver));
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, m_connection);
    if (m_postgres) {
        const QUrl url(m_where);
        const QUrlQuery options(url);
        const QString socketFolder = options.queryItemValue(QStringLiteral("host"));
        db.setHostName(socketFolder.isEmpty() ? url.host() : socketFolder);
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
        m_name = url.toDisplayString(QUrl::RemovePassword);
    } else {
        db.setDatabaseName(m_where);
        // Several programs may share the file: one waits for another's transaction to end.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    }
    if (!db.open())
        return QStringLiteral("cannot open the record %1: %2").arg(m_name, db.lastError().text());
    if (!m_postgres) {
        // Each transaction reaches the disk before it counts, and a reader never waits for
        // a writer.
        QSqlQuery pragma(db);
        if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
            !pragma.exec(QStringLiteral("PRAGMA synchronous=FULL")))
            return failure(pragma);
    }
    return upgradeSchema();
}

QString RecordDatabase::inTransaction(const std::function<QString()> &work) {
    QSqlQuery control = query();
    // SQLite: take the write lock at once, so that two writers never deadlock half-way.
    if (!control.exec(m_postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
        return failure(control);
    QString error = work();
    if (error.isEmpty() && control.exec(QStringLiteral("COMMIT")))
        return {};
    if (error.isEmpty())
        error = failure(control);
    control.exec(QStringLiteral("ROLLBACK"));
    return error;
}

QString RecordDatabase::upgradeSchema() {
    return inTransaction([this]() -> QString {
        QSqlQuery q = query();
        // Two stations that start together create the schema once.
        if (m_postgres && !q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(7316001)")))
            return failure(q);
        const QStringList tables = QSqlDatabase::database(m_connection, false).tables();
        int version = 0;
        if (tables.contains(QStringLiteral("tessel_schema"))) {
            if (!q.exec(QStringLiteral("SELECT version FROM tessel_schema")) || !q.next())
                return failure(q);
            version = q.value(0).toInt();
        } else if (!tables.isEmpty()) {
            return QStringLiteral("%1 holds tables of something else than tessel-config's "
                                  "record; it was left as it is")
                .arg(m_name);
        }
        if (version > kSchemaVersion) {
            return QStringLiteral("%1 is a record of schema version %2, newer than this "
                                  "tessel-config knows (%3); use a newer tessel-config. It was "
                                  "left as it is")
                .arg(m_name)
                .arg(version)
                .arg(kSchemaVersion);
        }
        for (int step = version + 1; step <= kSchemaVersion; ++step) {
            for (const QString &statement : schemaStep(step, m_postgres)) {
                if (!q.exec(statement))
                    return failure(q);
            }
        }
        if (version < kSchemaVersion) {
            q.prepare(QStringLiteral("UPDATE tessel_schema SET version = ?"));
            q.addBindValue(kSchemaVersion);
            if (!q.exec())
                return failure(q);
        }
        return QString();
    });
}

QString RecordDatabase::append(const ModuleRecord &record) {
    return inTransaction([&] {
        QString error = insertRecord(record);
        return error.isEmpty() ? settleUnit(record) : error;
    });
}

QString RecordDatabase::insertRecord(const ModuleRecord &r) {
    QStringList blocks;
    for (const int block : r.differingBlocks)
        blocks << QString::number(block);
    QSqlQuery q = query();
    q.prepare(QStringLiteral(
        "INSERT INTO records (time, time_utc, station, operator, port, kind, firmware_version, "
        "release_year, unit, profile, profile_sha256, unit_settings, result, differing_blocks, "
        "backup, memory_before, seconds, message) VALUES "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value :
         QVariantList{isoTimeWithOffset(r.finished), utcKey(r.finished), m_facts.station,
                      m_facts.operatorName, r.port, r.kind,
                      r.firmwareVersion < 0 ? QVariant() : QVariant(r.firmwareVersion),
                      r.releaseYear < 0 ? QVariant() : QVariant(r.releaseYear), nullable(r.unit),
                      m_facts.profile, m_facts.profileSha256,
                      nullable(r.unitSettings.join(QStringLiteral("; "))), resultKey(r.result),
                      nullable(blocks.join(QLatin1Char(' '))), nullable(r.backup),
                      r.before ? profileText(*r.before) : QString(), r.seconds,
                      // The warning is for the operator too: it goes with the message.
                      nullable(r.message.isEmpty() || r.warning.isEmpty()
                                   ? r.message + r.warning
                                   : r.message + QLatin1Char('\n') + r.warning)})
        q.addBindValue(value);
    return q.exec() ? QString() : failure(q);
}

QString RecordDatabase::settleUnit(const ModuleRecord &r) {
    if (r.unit.isEmpty())
        return {};
    const bool done = r.ok() || r.result == ModuleResult::AlreadyProgrammed;
    QSqlQuery q = query();
    if (!done && r.unitMayBeStored) {
        q.prepare(QStringLiteral("UPDATE units SET state = 'partly stored', note = ? WHERE "
                                 "label = ?"));
        q.addBindValue(
            QStringLiteral("partly stored in module on %1 at station %2, %3 (%4)%5")
                .arg(r.port, m_facts.station, isoTimeWithOffset(r.finished), resultKey(r.result),
                     r.backup.isEmpty() ? QString() : QStringLiteral("; its backup: ") + r.backup));
    } else {
        q.prepare(QStringLiteral("UPDATE units SET state = ?, station = ?, port = ?, since = ?, "
                                 "note = NULL WHERE label = ?"));
        q.addBindValue(done ? QStringLiteral("done") : QStringLiteral("left"));
        for (const QString &value : {m_facts.station, r.port, isoTimeWithOffset(r.finished)})
            q.addBindValue(done ? value : QString());
    }
    q.addBindValue(r.unit);
    return q.exec() ? QString() : failure(q);
}

QString RecordDatabase::records(const RecordFilter &filter, QJsonArray &rows) {
    QStringList columns;
    for (const auto &[column, key] : recordColumns())
        columns << column;
    QStringList conditions;
    QVariantList values;
    for (const auto &[column, value] : {std::pair{QStringLiteral("time_utc >= ?"), filter.sinceUtc},
                                        std::pair{QStringLiteral("unit = ?"), filter.unit},
                                        std::pair{QStringLiteral("station = ?"), filter.station},
                                        std::pair{QStringLiteral("result = ?"), filter.result}}) {
        if (!value.isEmpty()) {
            conditions << column;
            values << value;
        }
    }
    QSqlQuery q = query();
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM records%2 ORDER BY id%3")
                  .arg(columns.join(QStringLiteral(", ")),
                       conditions.isEmpty()
                           ? QString()
                           : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND ")),
                       filter.newest > 0 ? QStringLiteral(" DESC LIMIT %1").arg(filter.newest)
                                         : QString()));
    for (const QVariant &value : values)
        q.addBindValue(value);
    if (!q.exec())
        return failure(q);
    while (q.next()) {
        QJsonObject row;
        for (int i = 0; i < recordColumns().size(); ++i)
            row.insert(recordColumns().at(i).second,
                       q.isNull(i) ? QJsonValue() : QJsonValue::fromVariant(q.value(i)));
        // The newest come newest first: each goes before those read so far.
        if (filter.newest > 0)
            rows.prepend(row);
        else
            rows.append(row);
    }
    return {};
}

} // namespace tessel
