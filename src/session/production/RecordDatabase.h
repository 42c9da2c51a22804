// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/production/ModuleRecord.h"

#include <QJsonArray>
#include <QSqlDatabase>
#include <QString>
#include <functional>

class QSqlQuery;

namespace tessel {

// What every record of one production run shares.
struct RunFacts {
    QString station; // the host name, or --station
    QString operatorName;
    QString profile;       // the profile file's name
    QString profileSha256; // of the profile's 256 values, in hexadecimal
};

// Which records `records` lists; an empty field does not filter.
struct RecordFilter {
    QString sinceUtc; // "2026-12-07T15:00:00.000Z": records at or after it
    QString unit;
    QString station;
    QString result;
    int newest = 0; // only the newest this many, still oldest first; 0 for all
};

// The production record as a database through Qt SQL: a SQLite file, or a PostgreSQL server
// named "postgresql://[USER[:PASSWORD]@]HOST[:PORT]/DATABASE[?host=SOCKET-FOLDER]" that
// several stations share. It holds one row per module and the pool of units. The schema
// carries its version: a database of a newer version is refused, an older one upgraded in
// one transaction.
//
// Qt's connections belong to the thread that opens them: a RecordDatabase is used in one
// thread only (a production run's main thread).
class RecordDatabase : public RecordStore {
public:
    // `where` is a file name or a postgresql:// address.
    RecordDatabase(QString where, RunFacts facts = {});
    ~RecordDatabase() override;
    RecordDatabase(const RecordDatabase &) = delete;
    RecordDatabase &operator=(const RecordDatabase &) = delete;

    // Whether `where` names a database rather than a CSV file.
    [[nodiscard]] static bool isDatabase(const QString &where);

    // Connects, and creates or upgrades the schema; an error message when it cannot.
    [[nodiscard]] QString open() override;
    // Inserts the record and settles its unit (done, back to the pool, or partly stored) in
    // one transaction.
    [[nodiscard]] QString append(const ModuleRecord &record) override;

    // The records the filter lets through, oldest first, each an object with the keys of
    // `recordKeys()`.
    [[nodiscard]] QString records(const RecordFilter &filter, QJsonArray &rows);
    [[nodiscard]] static const QStringList &recordKeys();

    // Runs `work` inside one transaction (rolled back when it returns an error, and tried
    // again when the database says two transactions collided); its error, or the commit's.
    [[nodiscard]] QString inTransaction(const std::function<QString()> &work);
    // A query on this database, and the words of its last error.
    [[nodiscard]] QSqlQuery query() const;
    [[nodiscard]] QString failure(const QSqlQuery &query) const;
    // The database as messages name it (a server address without its password).
    [[nodiscard]] const QString &name() const { return m_name; }
    [[nodiscard]] const RunFacts &facts() const { return m_facts; }

private:
    [[nodiscard]] QString upgradeSchema();
    [[nodiscard]] QString insertRecord(const ModuleRecord &record);
    [[nodiscard]] QString settleUnit(const ModuleRecord &record);

    QString m_where;
    QString m_name;
    QString m_connection;
    RunFacts m_facts;
    bool m_postgres = false;
};

// "2026-12-07T15:00:00.000Z": how the database keeps times for ordering and --since.
[[nodiscard]] QString utcKey(const QDateTime &time);

} // namespace tessel
