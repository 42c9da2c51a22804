// SPDX-License-Identifier: Apache-2.0
#include "core/UnitSettings.h"

#include "core/ControllerTypes.h"
#include "core/MemoryMap.h"
#include "core/SerialDigits.h"

#include <vector>

namespace tessel {

namespace {

QString squashed(const QString &name) {
    QString key = name.toLower();
    key.remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('_'));
    return key;
}

UnitColumn number(const QString &name, int address, int least, int most, int offset = 0) {
    UnitColumn c;
    c.name = name;
    c.address = address;
    c.least = least;
    c.most = most;
    c.offset = offset;
    return c;
}

UnitColumn serial(const QString &name, int address, int bytes, bool withColon) {
    UnitColumn c;
    c.name = name;
    c.type = UnitColumn::Type::Serial;
    c.address = address;
    c.bytes = bytes;
    c.withColon = withColon;
    return c;
}

std::vector<UnitColumn> columnsOf(ModuleKind kind) {
    const MemoryLayout &layout = layoutOf(kind);
    const bool threshold = kind == ModuleKind::Threshold;
    std::vector<UnitColumn> columns = {
        serial(QStringLiteral("base serial"), 0, layout.baseSerialBytes, threshold),
        number(QStringLiteral("device count"), map::kLastDeviceIndex, 1, map::kRowCount, 1),
        number(threshold ? QStringLiteral("capture speed") : QStringLiteral("debounce"),
               map::kDebounce, 0, 255),
        number(threshold ? QStringLiteral("reaction interval") : QStringLiteral("refresh"),
               map::kRefresh, 0, 255),
    };
    for (int row = 0; row < map::kRowCount; ++row) {
        const QString device = QStringLiteral("device %1 ").arg(row + 1);
        columns.push_back(serial(device + QStringLiteral("serial"), map::recordAddress(row),
                                 layout.rowSerialBytes, false));
        columns.push_back(number(device + QStringLiteral("controller type"), map::typeAddress(row),
                                 0, map::kMaxType));
        UnitColumn active;
        active.name = device + QStringLiteral("active");
        active.type = UnitColumn::Type::Flag;
        active.address = map::activeAddress(row);
        active.bit = map::activeBit(row);
        columns.push_back(active);
    }
    for (int input = 0; threshold && input < map::kAnalogInputs; ++input) {
        columns.push_back(number(QStringLiteral("input %1 limit type").arg(input),
                                 map::limitTypeAddress(input), 0, map::kMaxLimitType));
        columns.push_back(number(QStringLiteral("lower limit of input %1").arg(input),
                                 map::lowerLimitAddress(input), 0, 255));
        columns.push_back(number(QStringLiteral("upper limit of input %1").arg(input),
                                 map::upperLimitAddress(input), 0, 255));
    }
    return columns;
}

} // namespace

std::optional<UnitColumn> unitColumn(ModuleKind kind, const QString &header) {
    const QString key = squashed(header);
    for (const UnitColumn &column : columnsOf(kind)) {
        if (squashed(column.name) == key)
            return column;
    }
    return std::nullopt;
}

QString setUnitValue(const UnitColumn &column, const QString &text, EepromImage &image) {
    const QString value = text.trimmed();
    switch (column.type) {
    case UnitColumn::Type::Serial: {
        const auto bytes = parseSerial(value.toUpper(), column.bytes, column.withColon);
        if (!bytes) {
            return column.withColon
                       ? QStringLiteral("\"%1\" is not a serial of 8 hexadecimal digits, a colon "
                                        "and 4 more")
                             .arg(value)
                       : QStringLiteral("\"%1\" is not a serial of %2 hexadecimal digits")
                             .arg(value)
                             .arg(2 * column.bytes);
        }
        for (int i = 0; i < column.bytes; ++i)
            image.setValue(column.address + i, (*bytes)[i]);
        return {};
    }
    case UnitColumn::Type::Flag:
        if (value != QLatin1String("0") && value != QLatin1String("1"))
            return QStringLiteral("\"%1\" is neither 0 nor 1").arg(value);
        image.setBit(column.address, column.bit, value == QLatin1String("1"));
        return {};
    case UnitColumn::Type::Number:
        break;
    }
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < column.least || n > column.most) {
        return QStringLiteral("\"%1\" is not a whole number from %2 to %3")
            .arg(value)
            .arg(column.least)
            .arg(column.most);
    }
    image.setValue(column.address, n - column.offset);
    return {};
}

} // namespace tessel
