// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"
#include "core/ModuleKind.h"

#include <QString>
#include <optional>

namespace tessel {

// A setting that a row of a units file gives the module of its unit, named as the window and
// the field names name it ("base serial", "device 3 controller type", "lower limit of input 4").
struct UnitColumn {
    enum class Type { Serial, Number, Flag };
    QString name;
    Type type = Type::Number;
    int address = 0;
    int bytes = 1;          // Serial: how many bytes, two hex digits each
    bool withColon = false; // Serial: a colon after 8 digits, as the window shows it
    int bit = 0;            // Flag: the bit at `address`, written 0 or 1
    int least = 0;          // Number: the values the operator writes
    int most = 255;
    int offset = 0; // Number: what is stored is the value written less this
};

// The setting a column header names for this kind; case and blank space do not matter.
[[nodiscard]] std::optional<UnitColumn> unitColumn(ModuleKind kind, const QString &header);

// Writes `text` into `image` as the column's setting; an error text saying what the value
// should be when it cannot be, and then the image is unchanged.
[[nodiscard]] QString setUnitValue(const UnitColumn &column, const QString &text,
                                   EepromImage &image);

} // namespace tessel
