// SPDX-License-Identifier: Apache-2.0
#include "session/production/UnitPool.h"

#include <QJsonObject>
#include <QSqlQuery>

namespace tessel {

namespace {
QString settingsText(const Unit &unit) {
    return unit.settings.join(QStringLiteral("; "));
}

QString now() {
    const QDateTime local = QDateTime::currentDateTime();
    return isoTimeWithOffset(local.toOffsetFromUtc(local.offsetFromUtc()));
}
} // namespace

QString UnitPool::add(const QString &batch, const std::vector<Unit> &units) {
    return m_db.inTransaction([&]() -> QString {
        QSqlQuery known = m_db.query();
        QSqlQuery insert = m_db.query();
        known.prepare(QStringLiteral("SELECT settings, batch FROM units WHERE label = ?"));
        insert.prepare(QStringLiteral("INSERT INTO units (label, batch, position, settings, "
                                      "state) VALUES (?, ?, ?, ?, ?)"));
        for (size_t i = 0; i < units.size(); ++i) {
            const Unit &unit = units[i];
            known.addBindValue(unit.label);
            if (!known.exec())
                return m_db.failure(known);
            if (known.next()) {
                if (known.value(0).toString() != settingsText(unit) ||
                    known.value(1).toString() != batch) {
                    return QStringLiteral("the unit %1 is in the record %2 already, from %3 with "
                                          "other settings (%4); nothing was added")
                        .arg(unit.label, m_db.name(), known.value(1).toString(),
                             known.value(0).toString());
                }
                continue;
            }
            for (const QVariant &value : QVariantList{unit.label, batch, static_cast<int>(i),
                                                      settingsText(unit), unitstate::kLeft})
                insert.addBindValue(value);
            if (!insert.exec())
                return m_db.failure(insert);
        }
        return QString();
    });
}

std::optional<QString> UnitPool::take(const QString &batch, const QString &port,
                                      const QString &label, QString &why) {
    std::optional<QString> taken;
    why = m_db.inTransaction([&]() -> QString {
        QSqlQuery q = m_db.query();
        // The claim: only a unit still left is taken. A station that picked the same one at
        // the same moment finds it taken when its update changes no row, and looks again.
        for (;;) {
            if (label.isEmpty()) {
                q.prepare(QStringLiteral("SELECT label FROM units WHERE batch = ? AND state = ? "
                                         "ORDER BY position LIMIT 1"));
                q.addBindValue(batch);
                q.addBindValue(unitstate::kLeft);
                if (!q.exec())
                    return m_db.failure(q);
                if (!q.next())
                    return QStringLiteral("no unit of %1 is left").arg(batch);
            }
            const QString candidate = label.isEmpty() ? q.value(0).toString() : label;
            q.prepare(QStringLiteral("UPDATE units SET state = ?, station = ?, port = ?, since "
                                     "= ?, note = NULL WHERE label = ? AND batch = ? AND state "
                                     "= ?"));
            for (const QString &value : {unitstate::kInProgress, m_db.facts().station, port, now(),
                                         candidate, batch, unitstate::kLeft})
                q.addBindValue(value);
            if (!q.exec())
                return m_db.failure(q);
            if (q.numRowsAffected() == 1) {
                taken = candidate;
                return QString();
            }
            if (!label.isEmpty())
                break;
        }
        q.prepare(QStringLiteral("SELECT state, note, station, port FROM units WHERE label = ? "
                                 "AND batch = ?"));
        q.addBindValue(label);
        q.addBindValue(batch);
        if (!q.exec())
            return m_db.failure(q);
        if (!q.next())
            return QStringLiteral("no unit %1 is in %2").arg(label, batch);
        const QString state = q.value(0).toString();
        if (state == unitstate::kPartlyStored)
            return QStringLiteral("the unit %1 is %2").arg(label, q.value(1).toString());
        return QStringLiteral("the unit %1 is %2 (station %3, %4)")
            .arg(label, state, q.value(2).toString(), q.value(3).toString());
    });
    if (taken)
        why.clear();
    return taken;
}

QString UnitPool::storing(const QString &label, const QString &port) {
    return m_db.inTransaction([&]() -> QString {
        QSqlQuery q = m_db.query();
        q.prepare(QStringLiteral("UPDATE units SET state = ?, note = ? WHERE label = ?"));
        q.addBindValue(unitstate::kPartlyStored);
        // What is known should the program end before the store does.
        q.addBindValue(QStringLiteral("partly stored in module on %1 at station %2: its store "
                                      "began %3 and did not end")
                           .arg(port, m_db.facts().station, now()));
        q.addBindValue(label);
        return q.exec() ? QString() : m_db.failure(q);
    });
}

QString UnitPool::list(QJsonArray &units, const QString &batch) {
    QSqlQuery q = m_db.query();
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT label, batch, state, station, port, since, note FROM units "
                             "%1 ORDER BY batch, position")
                  .arg(batch.isEmpty() ? QString() : QStringLiteral("WHERE batch = ?")));
    if (!batch.isEmpty())
        q.addBindValue(batch);
    if (!q.exec())
        return m_db.failure(q);
    static const QStringList keys = {QStringLiteral("unit"),  QStringLiteral("batch"),
                                     QStringLiteral("state"), QStringLiteral("station"),
                                     QStringLiteral("port"),  QStringLiteral("since"),
                                     QStringLiteral("note")};
    while (q.next()) {
        QJsonObject unit;
        for (int i = 0; i < keys.size(); ++i)
            unit.insert(keys.at(i), q.value(i).toString());
        units.append(unit);
    }
    return {};
}

QString UnitPool::putBack(const QString &label) {
    return m_db.inTransaction([&]() -> QString {
        QSqlQuery q = m_db.query();
        q.prepare(QStringLiteral("UPDATE units SET state = ?, station = NULL, port = NULL, since "
                                 "= NULL, note = NULL WHERE label = ? AND state IN (?, ?)"));
        for (const QString &value :
             {unitstate::kLeft, label, unitstate::kInProgress, unitstate::kPartlyStored})
            q.addBindValue(value);
        if (!q.exec())
            return m_db.failure(q);
        if (q.numRowsAffected() == 1)
            return QString();
        q.prepare(QStringLiteral("SELECT state FROM units WHERE label = ?"));
        q.addBindValue(label);
        if (!q.exec())
            return m_db.failure(q);
        return q.next() ? QStringLiteral("the unit %1 is %2; only a unit in progress or partly "
                                         "stored is put back")
                              .arg(label, q.value(0).toString())
                        : QStringLiteral("no unit %1 is in %2").arg(label, m_db.name());
    });
}

int UnitPool::left(const QString &batch, QString &error) {
    QSqlQuery q = m_db.query();
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM units WHERE batch = ? AND state = ?"));
    q.addBindValue(batch);
    q.addBindValue(unitstate::kLeft);
    if (!q.exec() || !q.next()) {
        error = m_db.failure(q);
        return 0;
    }
    return q.value(0).toInt();
}

} // namespace tessel
