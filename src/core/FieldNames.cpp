// SPDX-License-Identifier: Apache-2.0
#include "core/FieldNames.h"

#include "core/MemoryMap.h"

#include <QCoreApplication>

namespace tessel {

// The context the windows translate this file's texts in.
struct FieldNames {
    Q_DECLARE_TR_FUNCTIONS(tessel::FieldNames)
};

namespace {

QString recordFieldName(ModuleKind kind, int row, int offset) {
    const QString rowName = FieldNames::tr("row %1 ").arg(row + 1);
    const QString unused = rowName + FieldNames::tr("unused byte +%1").arg(offset);
    const int serialBytes = layoutOf(kind).rowSerialBytes;
    if (offset < serialBytes)
        return rowName + FieldNames::tr("serial byte %1").arg(offset + 1);
    if (offset == 7)
        return rowName + FieldNames::tr("controller type");
    if (kind == ModuleKind::Tessel)
        return offset == 6 ? rowName + FieldNames::tr("relay function") : unused;
    // A Threshold module keeps analog input r in the record of row r + 1.
    if (row < map::kAnalogInputs) {
        switch (offset) {
        case 2:
            return FieldNames::tr("input %1 limit type").arg(row);
        case 3:
            return FieldNames::tr("lower limit of input %1").arg(row);
        case 4:
            return FieldNames::tr("upper limit of input %1").arg(row);
        default:
            break;
        }
    }
    return unused;
}

} // namespace

QString fieldName(ModuleKind kind, int address) {
    if (address < 0 || address >= kImageSize)
        return FieldNames::tr("address %1").arg(address);
    const QString unused = FieldNames::tr("unused address %1").arg(address);
    if (address >= map::kMappingStart + map::kRowCount)
        return unused;
    if (address >= map::kMappingStart)
        return FieldNames::tr("mapping byte of row %1").arg(address - map::kMappingStart + 1);
    if (address >= map::kRecordStart) {
        const int relative = address - map::kRecordStart;
        return recordFieldName(kind, relative / map::kRecordSize, relative % map::kRecordSize);
    }
    const bool threshold = kind != ModuleKind::Tessel;
    if (address < layoutOf(kind).baseSerialBytes)
        return FieldNames::tr("base serial byte %1").arg(address + 1);
    switch (address) {
    case map::kLastDeviceIndex:
        return FieldNames::tr("device count");
    case map::kDebounce:
        return threshold ? FieldNames::tr("capture speed") : FieldNames::tr("debounce");
    case map::kRefresh:
        return threshold ? FieldNames::tr("reaction interval") : FieldNames::tr("refresh");
    case map::kActiveMask:
    case map::kActiveMask + 1:
    case map::kActiveMask + 2: {
        const int first = (address - map::kActiveMask) * 8 + 1;
        return FieldNames::tr("active mask (rows %1-%2)").arg(first).arg(first + 7);
    }
    case map::kModeByte:
        return FieldNames::tr("mode byte");
    default:
        return unused;
    }
}

QString differenceLine(ModuleKind kind, int address, const NamedValue &first,
                       const NamedValue &second) {
    return QStringLiteral("address %1 (%2): %3 %4, %5 %6")
        .arg(address)
        .arg(fieldName(kind, address), first.where)
        .arg(first.value)
        .arg(second.where)
        .arg(second.value);
}

QString differenceSummary(int differing) {
    if (differing == 0)
        return QStringLiteral("no differences");
    return QStringLiteral("%1 of %2 addresses differ").arg(differing).arg(kImageSize);
}

} // namespace tessel
