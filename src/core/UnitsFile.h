// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"
#include "core/ModuleKind.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tessel {

// One kit of a units file: its label and what its module is given.
struct Unit {
    QString label;
    // "device 3 serial=0A1B2C3D", one for each setting the row gives, in the file's order.
    QStringList settings;
    EepromImage image; // the profile with the unit's settings over it
};

struct UnitsParse {
    std::vector<Unit> units;
    QString error; // "kits.csv, row 4, column 3 (device 2 serial): ..."; empty when read
};

// Reads a units file: comma- (or semicolon-) separated values with a header row that names
// the column `unit` and settings by their names (`unitColumn`), one row per unit, values
// quoted as spreadsheets quote them. Every row's settings go over `profile`; a row is refused
// when a value does not fit its setting, its label is empty or given before, or the window
// would refuse to store what it makes of the profile. The first fault found is the error,
// naming the file, the row (the header is row 1) and the column.
[[nodiscard]] UnitsParse readUnits(const QByteArray &bytes, const QString &file, ModuleKind kind,
                                   const EepromImage &profile);

} // namespace tessel
