// SPDX-License-Identifier: Apache-2.0
#include "core/SettingChanges.h"

#include "core/MemoryMap.h"
#include "core/SettingsCheck.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <functional>

namespace tessel {

// The context the windows translate this file's texts in.
struct SettingChanges {
    Q_DECLARE_TR_FUNCTIONS(tessel::SettingChanges)
};

namespace {

constexpr int kWholeEntry = -1;
constexpr int kModeUnusedBits = 0xE0;

// A setting's name in English, with the number that fills its %1 (none when negative); the
// windows show it translated.
struct SettingName {
    const char *source;
    int number = -1;

    [[nodiscard]] QString text() const {
        const QString name = SettingChanges::tr(source);
        return number < 0 ? name : name.arg(number);
    }
};

// One setting of a kind: where it lives and how the window shows its value.
struct Setting {
    SettingName name;
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
QString tableText(QString (*shown)(int), int value, const QString &missing) {
    const QString name = shown(value);
    return name.isEmpty() ? QStringLiteral("%1 (%2)").arg(value).arg(missing) : name.trimmed();
}

SettingName notShown(int address) {
    return {QT_TRANSLATE_NOOP("tessel::SettingChanges", "Address %1 (not shown)"), address};
}

// A value shown as one of two words, translated when it is shown.
auto bit(int mask, const char *on, const char *off) {
    return [=](const std::vector<int> &v) {
        return SettingChanges::tr((v.front() & mask) ? on : off);
    };
}

Setting plain(const SettingName &name, int address) {
    return {name, {address}, kWholeEntry, numberText};
}

void addRecordSettings(ModuleKind kind, int row, std::vector<Setting> &settings) {
    const int device = row + 1;
    const int start = map::recordAddress(row);
    const int serialBytes = layoutOf(kind).rowSerialBytes;
    std::vector<int> serial;
    for (int j = 0; j < serialBytes; ++j)
        serial.push_back(start + j);
    settings.push_back({{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Device %1 serial"), device},
                        serial,
                        kWholeEntry,
                        hexText});
    const bool analog = kind == ModuleKind::Threshold && row < map::kAnalogInputs;
    for (int offset = serialBytes; offset < 7; ++offset) {
        const int address = start + offset;
        if (kind == ModuleKind::Tessel && offset == 6) {
            settings.push_back(
                {{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Device %1 relay function"), device},
                 {address},
                 kWholeEntry,
                 [](const std::vector<int> &v) {
                     return tableText(shownRelayFunction, v.front(),
                                      SettingChanges::tr("no such function"));
                 }});
        } else if (analog && offset == 2) {
            settings.push_back(
                {{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Limit type of input %1"), row},
                 {address},
                 kWholeEntry,
                 [](const std::vector<int> &v) {
                     return tableText(shownLimitType, v.front(),
                                      SettingChanges::tr("no such type"));
                 }});
        } else if (analog && offset == 3) {
            settings.push_back(
                plain({QT_TRANSLATE_NOOP("tessel::SettingChanges", "Lower limit of input %1"), row},
                      address));
        } else if (analog && offset == 4) {
            settings.push_back(
                plain({QT_TRANSLATE_NOOP("tessel::SettingChanges", "Upper limit of input %1"), row},
                      address));
        } else {
            settings.push_back(plain(notShown(address), address));
        }
    }
    settings.push_back(
        {{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Device %1 controller type"), device},
         {map::typeAddress(row)},
         kWholeEntry,
         [](const std::vector<int> &v) {
             return tableText(shownControllerTypeName, v.front(),
                              SettingChanges::tr("no such type"));
         }});
}

void addModeSettings(std::vector<Setting> &settings) {
    settings.push_back(
        {{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Communication mode")},
         {map::kModeByte},
         map::kCommModeMask,
         [](const std::vector<int> &v) {
             const char *const captions[] = {
                 QT_TRANSLATE_NOOP("tessel::SettingChanges", "2-Way Communication"),
                 QT_TRANSLATE_NOOP("tessel::SettingChanges", "2-Way QM Port Confirmation"),
                 QT_TRANSLATE_NOOP("tessel::SettingChanges", "1-Way Communication (faster)"),
                 QT_TRANSLATE_NOOP("tessel::SettingChanges", "3 (no such mode)")};
             return SettingChanges::tr(captions[v.front() & map::kCommModeMask]);
         }});
    settings.push_back({{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Lite commands")},
                        {map::kModeByte},
                        map::kLiteValue,
                        bit(map::kLiteValue, QT_TRANSLATE_NOOP("tessel::SettingChanges", "on"),
                            QT_TRANSLATE_NOOP("tessel::SettingChanges", "off"))});
    settings.push_back(
        {{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Mapping bytes")},
         {map::kModeByte},
         map::kRemapValue,
         bit(map::kRemapValue,
             QT_TRANSLATE_NOOP("tessel::SettingChanges", "Remap to Custom Settings"),
             QT_TRANSLATE_NOOP("tessel::SettingChanges", "Use Calculated Mapping Bytes"))});
    settings.push_back(
        {{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Forced delay")},
         {map::kModeByte},
         map::kForceDelayValue,
         bit(map::kForceDelayValue, QT_TRANSLATE_NOOP("tessel::SettingChanges", "on"),
             QT_TRANSLATE_NOOP("tessel::SettingChanges", "off"))});
    // Bits no window sets; a store rebuilds the byte without them.
    settings.push_back(
        {{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Mode byte bits 5 to 7")},
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
        settings.push_back({{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Base serial")},
                            base,
                            kWholeEntry,
                            [](const std::vector<int> &v) {
                                const QString hex = hexText(v);
                                return v.size() > 4 ? hex.left(8) + QLatin1Char(':') + hex.mid(8)
                                                    : hex;
                            }});
        for (int a = layout.baseSerialBytes; a < map::kLastDeviceIndex; ++a)
            settings.push_back(plain(notShown(a), a));
        settings.push_back({{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Device count")},
                            {map::kLastDeviceIndex},
                            kWholeEntry,
                            [](const std::vector<int> &v) { return QString::number(v[0] + 1); }});
        settings.push_back(
            plain({threshold ? QT_TRANSLATE_NOOP("tessel::SettingChanges", "Capture speed")
                             : QT_TRANSLATE_NOOP("tessel::SettingChanges", "Debounce")},
                  map::kDebounce));
        settings.push_back(
            plain({threshold ? QT_TRANSLATE_NOOP("tessel::SettingChanges", "Reaction interval")
                             : QT_TRANSLATE_NOOP("tessel::SettingChanges", "Refresh")},
                  map::kRefresh));
        for (int row = 0; row < map::kRowCount; ++row) {
            const int mask = 1 << map::activeBit(row);
            settings.push_back(
                {{QT_TRANSLATE_NOOP("tessel::SettingChanges", "Device %1 active"), row + 1},
                 {map::activeAddress(row)},
                 mask,
                 bit(mask, QT_TRANSLATE_NOOP("tessel::SettingChanges", "Yes"),
                     QT_TRANSLATE_NOOP("tessel::SettingChanges", "No"))});
        }
        addModeSettings(settings);
        for (int a = map::kModeByte + 1; a < map::kRecordStart; ++a)
            settings.push_back(plain(notShown(a), a));
        for (int row = 0; row < map::kRowCount; ++row)
            addRecordSettings(k, row, settings);
        for (int row = 0; row < map::kRowCount; ++row)
            settings.push_back(plain(
                {QT_TRANSLATE_NOOP("tessel::SettingChanges", "Mapping byte of device %1"), row + 1},
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
            return SettingChanges::tr("unknown");
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
        .arg(name, before, after, correction ? SettingChanges::tr(" (correction)") : QString());
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
        SettingChange change{setting.name.text(), {}, {}, {}, false};
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
    return count == 1 ? SettingChanges::tr("1 setting")
                      : SettingChanges::tr("%1 settings").arg(count);
}

QString changeLines(const std::vector<SettingChange> &changes, int most) {
    QStringList lines;
    for (const SettingChange &change : changes) {
        if (lines.size() == most) {
            lines << SettingChanges::tr("and %1 more").arg(changes.size() - most);
            break;
        }
        lines << change.line();
    }
    return lines.join(QLatin1Char('\n'));
}

QString settingsSummary(int settings, int addresses) {
    if (settings == 0)
        return SettingChanges::tr("no differences");
    return (settings == 1 ? SettingChanges::tr("%1 differs (%2 of %3 addresses)")
                          : SettingChanges::tr("%1 differ (%2 of %3 addresses)"))
        .arg(settingsCount(settings))
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
