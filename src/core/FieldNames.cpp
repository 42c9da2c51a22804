#include "core/FieldNames.h"

#include "core/MemoryMap.h"

namespace tessel {

namespace {

QString recordFieldName(ModuleKind kind, int row, int offset) {
    const QString rowName = QStringLiteral("row %1 ").arg(row + 1);
    const QString unused = rowName + QStringLiteral("unused byte +%1").arg(offset);
    const int serialBytes = layoutOf(kind).rowSerialBytes;
    if (offset < serialBytes)
        return rowName + QStringLiteral("serial byte %1").arg(offset + 1);
    if (offset == 7)
        return rowName + QStringLiteral("controller type");
    if (kind == ModuleKind::Tessel)
        return offset == 6 ? rowName + QStringLiteral("relay function") : unused;
    // A Threshold module keeps analog input r in the record of row r + 1.
    if (row < map::kAnalogInputs) {
        switch (offset) {
        case 2:
            return QStringLiteral("input %1 limit type").arg(row);
        case 3:
            return QStringLiteral("lower limit of input %1").arg(row);
        case 4:
            return QStringLiteral("upper limit of input %1").arg(row);
        default:
            break;
        }
    }
    return unused;
}

} // namespace

QString fieldName(ModuleKind kind, int address) {
    if (address < 0 || address >= kImageSize)
        return QStringLiteral("address %1").arg(address);
    const QString unused = QStringLiteral("unused address %1").arg(address);
    if (address >= map::kMappingStart + map::kRowCount)
        return unused;
    if (address >= map::kMappingStart)
        return QStringLiteral("mapping byte of row %1").arg(address - map::kMappingStart + 1);
    if (address >= map::kRecordStart) {
        const int relative = address - map::kRecordStart;
        return recordFieldName(kind, relative / map::kRecordSize, relative % map::kRecordSize);
    }
    const bool threshold = kind != ModuleKind::Tessel;
    if (address < layoutOf(kind).baseSerialBytes)
        return QStringLiteral("base serial byte %1").arg(address + 1);
    switch (address) {
    case map::kLastDeviceIndex:
        return QStringLiteral("device count");
    case map::kDebounce:
        return threshold ? QStringLiteral("capture speed") : QStringLiteral("debounce");
    case map::kRefresh:
        return threshold ? QStringLiteral("reaction interval") : QStringLiteral("refresh");
    case map::kActiveMask:
    case map::kActiveMask + 1:
    case map::kActiveMask + 2: {
        const int first = (address - map::kActiveMask) * 8 + 1;
        return QStringLiteral("active mask (rows %1-%2)").arg(first).arg(first + 7);
    }
    case map::kModeByte:
        return QStringLiteral("mode byte");
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
