// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/UnitsFile.h"
#include "session/production/RecordDatabase.h"

#include <QJsonArray>
#include <optional>
#include <vector>

namespace tessel {

// How a unit stands in the pool.
namespace unitstate {
inline const QString kLeft = QStringLiteral("left");
inline const QString kInProgress = QStringLiteral("in progress");
inline const QString kPartlyStored = QStringLiteral("partly stored");
inline const QString kDone = QStringLiteral("done");
} // namespace unitstate

// The units of a record database: given out one at a time, each inside a transaction that
// claims it only while it is still left, so that two stations (in one program or on two
// computers sharing the database) never get the same unit. A unit's row says who has it and
// since when, so that a station killed mid-store leaves it marked, never free nor done.
class UnitPool {
public:
    explicit UnitPool(RecordDatabase &database) : m_db(database) {}

    // Adds the units of a file (the batch) that the pool does not hold yet, in the file's
    // order; a unit the pool holds with other settings is refused, and then nothing is added.
    [[nodiscard]] QString add(const QString &batch, const std::vector<Unit> &units);
    // Claims the next unit left of the batch (or the unit `label`) for a port: in progress.
    // Nothing when none is left (or `label` is not left; `why` says what it is instead).
    [[nodiscard]] std::optional<QString> take(const QString &batch, const QString &port,
                                              const QString &label, QString &why);
    // The store of a claimed unit begins: from here on its module may hold part of it.
    [[nodiscard]] QString storing(const QString &label, const QString &port);
    // What the pool holds: counts by state, and every unit that is neither left nor done.
    [[nodiscard]] QString list(QJsonArray &units, const QString &batch = {});
    // Puts a unit in progress or partly stored back among those left.
    [[nodiscard]] QString putBack(const QString &label);
    // How many units of the batch are left.
    [[nodiscard]] int left(const QString &batch, QString &error);

private:
    RecordDatabase &m_db;
};

} // namespace tessel
