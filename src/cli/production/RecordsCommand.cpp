// SPDX-License-Identifier: Apache-2.0
#include "cli/production/RecordsCommand.h"

#include "cli/commands/CommandLine.h"
#include "cli/commands/Terminal.h"
#include "session/OutputFile.h"
#include "session/production/RecordDatabase.h"
#include "session/production/UnitPool.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

namespace tessel {

namespace {

constexpr int kJsonSchemaVersion = 1;

QString fieldText(const QJsonValue &value) {
    return value.isDouble() ? QString::number(value.toDouble()) : value.toString();
}

QByteArray csvText(const QJsonArray &rows, const QStringList &keys) {
    QByteArray text = keys.join(QLatin1Char(',')).toUtf8() + '\n';
    for (const QJsonValue &row : rows) {
        QStringList fields;
        for (const QString &key : keys)
            fields << csvField(fieldText(row.toObject().value(key)));
        text += fields.join(QLatin1Char(',')).toUtf8() + '\n';
    }
    return text;
}

QByteArray jsonDocument(const QString &key, const QJsonArray &rows) {
    const QJsonObject document{{QStringLiteral("schemaVersion"), kJsonSchemaVersion}, {key, rows}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

// One line a record: when, where, which unit and how it ended.
QByteArray recordsText(const QJsonArray &rows) {
    QByteArray text;
    for (const QJsonValue &value : rows) {
        const QJsonObject r = value.toObject();
        QStringList fields;
        for (const char *key : {"time", "station", "port", "unit", "result"}) {
            const QString field = fieldText(r.value(QLatin1String(key)));
            fields << (field.isEmpty() ? QStringLiteral("-") : field);
        }
        fields << QStringLiteral("%1 s").arg(r.value(QLatin1String("seconds")).toDouble(), 0, 'f',
                                             1);
        text += fields.join(QStringLiteral("  ")).toUtf8() + '\n';
    }
    if (rows.isEmpty())
        text = "no records\n";
    return text;
}

// The counts by state, then each unit that is neither done nor left.
QByteArray unitsText(const QJsonArray &units) {
    QMap<QString, int> counts;
    QByteArray details;
    for (const QJsonValue &value : units) {
        const QJsonObject u = value.toObject();
        const QString state = u.value(QLatin1String("state")).toString();
        ++counts[state];
        if (state == unitstate::kDone || state == unitstate::kLeft)
            continue;
        const QString note = u.value(QLatin1String("note")).toString();
        details +=
            QStringLiteral("%1: %2\n")
                .arg(u.value(QLatin1String("unit")).toString(),
                     note.isEmpty() ? QStringLiteral("%1 on %2 at station %3 since %4")
                                          .arg(state, u.value(QLatin1String("port")).toString(),
                                               u.value(QLatin1String("station")).toString(),
                                               u.value(QLatin1String("since")).toString())
                                    : note)
                .toUtf8();
    }
    return QStringLiteral("%1 done, %2 in progress, %3 partly stored, %4 left\n")
               .arg(counts.value(unitstate::kDone))
               .arg(counts.value(unitstate::kInProgress))
               .arg(counts.value(unitstate::kPartlyStored))
               .arg(counts.value(unitstate::kLeft))
               .toUtf8() +
           details;
}

int deliver(const CommandRequest &request, const QByteArray &text) {
    if (request.output.isEmpty() || request.output == QLatin1String("-")) {
        printText(text);
        return statusAfterOutput(exitcode::kSuccess);
    }
    OutputFile output(request.output);
    if (!output.open() || !output.commit(text))
        return fail(exitcode::kBadInput, output.error());
    return exitcode::kSuccess;
}

} // namespace

int runRecords(const CommandRequest &request) {
    RecordDatabase db(request.record);
    if (!QFileInfo::exists(request.record) && !request.record.contains(QLatin1String("://")))
        return fail(exitcode::kBadInput,
                    QStringLiteral("there is no record %1 (give --record)").arg(request.record));
    if (const QString error = db.open(); !error.isEmpty())
        return fail(exitcode::kBadInput, error);
    if (request.unitPool) {
        UnitPool pool(db);
        if (!request.putBack.isEmpty()) {
            if (const QString error = pool.putBack(request.putBack); !error.isEmpty())
                return fail(exitcode::kBadInput, error);
            printLine(stderr, QStringLiteral("tessel-config: the unit %1 is among those left "
                                             "again")
                                  .arg(request.putBack));
        }
        QJsonArray units;
        if (const QString error = pool.list(units); !error.isEmpty())
            return fail(exitcode::kNoModule, error);
        return deliver(request, request.json ? jsonDocument(QStringLiteral("units"), units)
                                             : unitsText(units));
    }
    const RecordFilter filter{request.since.isValid() ? utcKey(request.since) : QString(),
                              request.unit, request.station, request.result};
    QJsonArray rows;
    if (const QString error = db.records(filter, rows); !error.isEmpty())
        return fail(exitcode::kNoModule, error);
    if (request.csv)
        return deliver(request, csvText(rows, RecordDatabase::recordKeys()));
    return deliver(request, request.json ? jsonDocument(QStringLiteral("records"), rows)
                                         : recordsText(rows));
}

} // namespace tessel
