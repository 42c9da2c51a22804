#include "core/SettingChanges.h"

#include "core/MemoryMap.h"
#include "core/SettingsCheck.h"

#include <QStringList>
#include <algorithm>
#include <functional>

namespace tessel {

namespace {

constexpr int kWholeEntry = -1;
constexpr int kModeUnusedBits = 0xE0;

// One setting of a kind: where it lives and how the window shows its value.
struct Setting {
    QString name;
    std::vector<int> addresses;
    int mask = kWholeEntry; // the bits of its one address that are this setting
    std::function<QString(const std::vector<int> &)> text;
};

int masked(int value, int mask) {
    return mask == kWholeEntry ? value : value & mask;
}

QString numberText(const std::vector<int> &values) {
    return QString::number(values.front());
}

QString hexText(const std::vector<int> &values) {
    QString text;
    for (const int v : values)
        text += hexByte(v);
    return text;
}

// A name from a table, or the number with what it is not.
template <std::size_t N>
QString tableText(const std::array<QString, N> &table, int value, const char *missing) {
    if (value >= 0 && value < int(N))
        return table[value].trimmed();
    return QStringLiteral("%1 (%2)").arg(value).arg(QLatin1String(missing));
}

QString onOff(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

QString notShown(int address) {
    return QStringLiteral("Address %1 (not shown)").arg(address);
}

Setting plain(const QString &name, int address) {
    return {name, {address}, kWholeEntry, numberText};
}

void addRecordSettings(ModuleKind kind, int row, std::vector<Setting> &settings) {
    const QString device = QStringLiteral("Device %1 ").arg(row + 1);
    const int start = map::recordAddress(row);
    const int serialBytes = layoutOf(kind).rowSerialBytes;
    std::vector<int> serial;
    for (int j = 0; j < serialBytes; ++j)
        serial.push_back(start + j);
    settings.push_back({device + QStringLiteral("serial"), serial, kWholeEntry, hexText});
    const bool analog = kind == ModuleKind::Threshold && row < map::kAnalogInputs;
    for (int offset = serialBytes; offset < 7; ++offset) {
        const int address = start + offset;
        if (kind == ModuleKind::Tessel && offset == 6) {
            settings.push_back({device + QStringLiteral("relay function"),
                                {address},
                                kWholeEntry,
                                [](const std::vector<int> &v) {
                                    return tableText(RelayFunctionTable(), v.front(),
                                                     "no such function");
                                }});
        } else if (analog && offset == 2) {
            settings.push_back({QStringLiteral("Limit type of input %1").arg(row),
                                {address},
                                kWholeEntry,
                                [](const std::vector<int> &v) {
                                    return tableText(LimitTypeTable(), v.front(), "no such type");
                                }});
        } else if (analog && offset == 3) {
            settings.push_back(plain(QStringLiteral("Lower limit of input %1").arg(row), address));
        } else if (analog && offset == 4) {
            settings.push_back(plain(QStringLiteral("Upper limit of input %1").arg(row), address));
        } else {
            settings.push_back(plain(notShown(address), address));
        }
    }
    settings.push_back({device + QStringLiteral("controller type"),
                        {map::typeAddress(row)},
                        kWholeEntry,
                        [](const std::vector<int> &v) {
                            return tableText(controllerTypeNames(), v.front(), "no such type");
                        }});
}

void addModeSettings(std::vector<Setting> &settings) {
    const auto bit = [](int mask, const QString &on, const QString &off) {
        return [=](const std::vector<int> &v) { return (v.front() & mask) ? on : off; };
    };
    settings.push_back({QStringLiteral("Communication mode"),
                        {map::kModeByte},
                        map::kCommModeMask,
                        [](const std::vector<int> &v) {
                            static const QString captions[] = {
                                QStringLiteral("2-Way Communication"),
                                QStringLiteral("2-Way QM Port Confirmation"),
                                QStringLiteral("1-Way Communication (faster)"),
                                QStringLiteral("3 (no such mode)")};
                            return captions[v.front() & map::kCommModeMask];
                        }});
    settings.push_back({QStringLiteral("Lite commands"),
                        {map::kModeByte},
                        map::kLiteValue,
                        bit(map::kLiteValue, onOff(true), onOff(false))});
    settings.push_back({QStringLiteral("Mapping bytes"),
                        {map::kModeByte},
                        map::kRemapValue,
                        bit(map::kRemapValue, QStringLiteral("Remap to Custom Settings"),
                            QStringLiteral("Use Calculated Mapping Bytes"))});
    settings.push_back({QStringLiteral("Forced delay"),
                        {map::kModeByte},
                        map::kForceDelayValue,
                        bit(map::kForceDelayValue, onOff(true), onOff(false))});
    // Bits no window sets; a store rebuilds the byte without them.
    settings.push_back(
        {QStringLiteral("Mode byte bits 5 to 7"),
         {map::kModeByte},
         ~(map::kCommModeMask | map::kLiteValue | map::kRemapValue | map::kForceDelayValue),
         [](const std::vector<int> &v) { return QString::number(v.front() & kModeUnusedBits); }});
}

// Every setting of a kind, in address order.
const std::vector<Setting> &settingsOf(ModuleKind kind) {
    static const auto build = [](ModuleKind k) {
        std::vector<Setting> settings;
        const MemoryLayout &layout = layoutOf(k);
        const bool threshold = k == ModuleKind::Threshold;
        std::vector<int> base;
        for (int a = 0; a < layout.baseSerialBytes; ++a)
            base.push_back(a);
        settings.push_back(
            {QStringLiteral("Base serial"), base, kWholeEntry, [](const std::vector<int> &v) {
                 const QString hex = hexText(v);
                 return v.size() > 4 ? hex.left(8) + QLatin1Char(':') + hex.mid(8) : hex;
             }});
        for (int a = layout.baseSerialBytes; a < map::kLastDeviceIndex; ++a)
            settings.push_back(plain(notShown(a), a));
        settings.push_back({QStringLiteral("Device count"),
                            {map::kLastDeviceIndex},
                            kWholeEntry,
                            [](const std::vector<int> &v) { return QString::number(v[0] + 1); }});
        settings.push_back(
            plain(threshold ? QStringLiteral("Capture speed") : QStringLiteral("Debounce"),
                  map::kDebounce));
        settings.push_back(
            plain(threshold ? QStringLiteral("Reaction interval") : QStringLiteral("Refresh"),
                  map::kRefresh));
        for (int row = 0; row < map::kRowCount; ++row) {
            const int mask = 1 << map::activeBit(row);
            settings.push_back({QStringLiteral("Device %1 active").arg(row + 1),
                                {map::activeAddress(row)},
                                mask,
                                [mask](const std::vector<int> &v) {
                                    return (v.front() & mask) ? QStringLiteral("Yes")
                                                              : QStringLiteral("No");
                                }});
        }
        addModeSettings(settings);
        for (int a = map::kModeByte + 1; a < map::kRecordStart; ++a)
            settings.push_back(plain(notShown(a), a));
        for (int row = 0; row < map::kRowCount; ++row)
            addRecordSettings(k, row, settings);
        for (int row = 0; row < map::kRowCount; ++row)
            settings.push_back(plain(QStringLiteral("Mapping byte of device %1").arg(row + 1),
                                     map::mappingAddress(row)));
        for (int a = map::kMappingStart + map::kRowCount; a < kImageSize; ++a)
            settings.push_back(plain(notShown(a), a));
        return settings;
    };
    static const std::vector<Setting> tessel = build(ModuleKind::Tessel);
    static const std::vector<Setting> threshold = build(ModuleKind::Threshold);
    return kind == ModuleKind::Tessel ? tessel : threshold;
}

QString valueText(const Setting &setting, const EepromImage &image) {
    std::vector<int> values;
    for (const int a : setting.addresses) {
        if (image.value(a) == kUnknownEntry)
            return QStringLiteral("unknown");
        values.push_back(image.value(a));
    }
    return setting.text(values);
}

int consumptionOfRowsInUse(const ModuleMemory &memory) {
    const int last = std::min<int>(memory[map::kLastDeviceIndex], map::kMaxLastDeviceIndex);
    int total = 0;
    for (int row = 0; row <= last; ++row)
        total += consumptionOf(memory[map::typeAddress(row)]);
    return total;
}

bool sameButModeByte(const ModuleMemory &memory, const EepromImage &image) {
    for (int a = 0; a < kImageSize; ++a) {
        if (a != map::kModeByte && memory[a] != image.value(a))
            return false;
    }
    return true;
}

} // namespace

QString SettingChange::line() const {
    return QStringLiteral("%1: %2 → %3%4")
        .arg(name, before, after, correction ? QStringLiteral(" (correction)") : QString());
}

QString SettingChange::addressText() const {
    QStringList parts;
    for (const ByteChange &b : bytes) {
        const auto value = [](int v) {
            return v == kUnknownEntry ? QStringLiteral("?") : QString::number(v);
        };
        parts << QStringLiteral("%1: %2 → %3").arg(b.address).arg(value(b.before), value(b.after));
    }
    return parts.join(QStringLiteral(", "));
}

std::vector<SettingChange> settingChanges(ModuleKind kind, const EepromImage &before,
                                          const EepromImage &after) {
    std::vector<SettingChange> changes;
    for (const Setting &setting : settingsOf(kind)) {
        SettingChange change{setting.name, {}, {}, {}, false};
        for (const int a : setting.addresses) {
            const int b = before.value(a);
            const int c = after.value(a);
            const bool unknown = b == kUnknownEntry || c == kUnknownEntry;
            if (b != c && (unknown || masked(b, setting.mask) != masked(c, setting.mask)))
                change.bytes.push_back({a, b, c});
        }
        if (change.bytes.empty())
            continue;
        change.before = valueText(setting, before);
        change.after = valueText(setting, after);
        changes.push_back(change);
    }
    return changes;
}

std::vector<SettingChange> storeChanges(ModuleKind kind, const EepromImage &module,
                                        const EepromImage &shown, const EepromImage &toStore) {
    std::vector<SettingChange> changes = settingChanges(kind, module, toStore);
    const std::vector<SettingChange> edits = settingChanges(kind, shown, toStore);
    for (SettingChange &change : changes) {
        change.correction = std::none_of(edits.begin(), edits.end(), [&](const SettingChange &e) {
            return e.name == change.name;
        });
    }
    return changes;
}

QString settingsCount(int count) {
    return count == 1 ? QStringLiteral("1 setting") : QStringLiteral("%1 settings").arg(count);
}

QString changeLines(const std::vector<SettingChange> &changes, int most) {
    QStringList lines;
    for (const SettingChange &change : changes) {
        if (lines.size() == most) {
            lines << QStringLiteral("and %1 more").arg(changes.size() - most);
            break;
        }
        lines << change.line();
    }
    return lines.join(QLatin1Char('\n'));
}

QString settingsSummary(int settings, int addresses) {
    if (settings == 0)
        return QStringLiteral("no differences");
    return QStringLiteral("%1 %2 (%3 of %4 addresses)")
        .arg(settingsCount(settings),
             settings == 1 ? QStringLiteral("differs") : QStringLiteral("differ"))
        .arg(addresses)
        .arg(kImageSize);
}

EepromImage windowCorrected(ModuleKind kind, EepromImage image) {
    const auto atMost = [&image](int address, int highest) {
        if (image.value(address) > highest)
            image.setValue(address, highest);
    };
    atMost(map::kLastDeviceIndex, map::kMaxLastDeviceIndex);
    for (int row = 0; row < map::kRowCount; ++row) {
        atMost(map::typeAddress(row), map::kMaxType);
        if (kind == ModuleKind::Tessel)
            atMost(map::functionAddress(row), 0);
        else if (row < map::kAnalogInputs)
            atMost(map::limitTypeAddress(row), map::kMaxLimitType);
    }
    return image;
}

std::optional<ModuleKind> kindWrittenBy(const ModuleMemory &memory) {
    for (const ModuleKind kind : {ModuleKind::Tessel, ModuleKind::Threshold}) {
        // A store rebuilds the mode byte from the window's choices.
        if (sameButModeByte(memory, factoryImage(kind)))
            return kind;
    }
    bool relayFunctionSet = false;
    bool limitTypeBeyond = false;
    for (int row = 0; row < map::kRowCount; ++row) {
        relayFunctionSet |= memory[map::functionAddress(row)] != 0;
        if (row < map::kAnalogInputs)
            limitTypeBeyond |= memory[map::limitTypeAddress(row)] > map::kMaxLimitType;
    }
    const bool notTessel = relayFunctionSet;
    const bool notThreshold =
        limitTypeBeyond ||
        (capacityApplies(EepromImage(memory)) &&
         consumptionOfRowsInUse(memory) > layoutOf(ModuleKind::Threshold).inputCapacity);
    if (notTessel == notThreshold)
        return std::nullopt;
    return notTessel ? ModuleKind::Threshold : ModuleKind::Tessel;
}

} // namespace tessel
