// SPDX-License-Identifier: Apache-2.0
#include "core/ControllerTypes.h"

#include <QCoreApplication>

namespace tessel {

namespace {

// The names as the module's documents give them; the window shows them translated in this
// context, padding and all.
const char *const kContext = "tessel::ControllerTypes";
const char *const kFixedTypes[] = {
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "WD1x 1-Ch. Relay Device"),
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "WD2x 2-Ch. Relay Device"),
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Velqa 2-Ch. Relay Device"),
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Velqa 4-Ch. Relay Device")};
// From index 4 on the channel count grows by 8 per step: 8, 16, ... 256.
const char *const kGrowingType =
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Velqa %1-Ch. Relay Device");
const char *const kRelayFunctions[kRelayFunctionCount] = {
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Tessel Relay On/Off"),
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Issue Toggle Command"),
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Pulse Remote Relay"),
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Velqa Timer MMM:SSS")};
const char *const kLimitTypes[kLimitTypeCount] = {
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Activate Relay Above Limit"),
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Activate Relay Below Limit"),
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Activate Relay Outside Limits"),
    QT_TRANSLATE_NOOP("tessel::ControllerTypes", "Activate Relay Inside Limits")};

QString typeName(int type, bool translated) {
    const auto text = [translated](const char *source) {
        return translated ? QCoreApplication::translate(kContext, source)
                          : QString::fromLatin1(source);
    };
    const QString name =
        type < 4 ? text(kFixedTypes[type]) : text(kGrowingType).arg(consumptionOf(type));
    return name.leftJustified(26, QLatin1Char(' '));
}

template <std::size_t N> std::array<QString, N> englishTable(const char *const (&sources)[N]) {
    std::array<QString, N> table;
    for (std::size_t i = 0; i < N; ++i)
        table[i] = QString::fromLatin1(sources[i]);
    return table;
}

} // namespace

const std::array<QString, kControllerTypeCount> &controllerTypeNames() {
    static const std::array<QString, kControllerTypeCount> table = [] {
        std::array<QString, kControllerTypeCount> names;
        for (int type = 0; type < kControllerTypeCount; ++type)
            names[type] = typeName(type, false);
        return names;
    }();
    return table;
}

const std::array<QString, kRelayFunctionCount> &RelayFunctionTable() {
    static const std::array<QString, kRelayFunctionCount> table = englishTable(kRelayFunctions);
    return table;
}

const std::array<QString, kLimitTypeCount> &LimitTypeTable() {
    static const std::array<QString, kLimitTypeCount> table = englishTable(kLimitTypes);
    return table;
}

QString shownControllerTypeName(int type) {
    if (type < 0 || type >= kControllerTypeCount)
        return {};
    return typeName(type, true);
}

QString shownRelayFunction(int function) {
    if (function < 0 || function >= kRelayFunctionCount)
        return {};
    return QCoreApplication::translate(kContext, kRelayFunctions[function]);
}

QString shownLimitType(int type) {
    if (type < 0 || type >= kLimitTypeCount)
        return {};
    return QCoreApplication::translate(kContext, kLimitTypes[type]);
}

QString controllerTypeName(int type) {
    if (type < 0 || type >= kControllerTypeCount)
        return {};
    return controllerTypeNames()[type];
}

std::optional<int> limitTypeIndex(const QString &caption) {
    const auto &table = LimitTypeTable();
    for (int i = 0; i < kLimitTypeCount; ++i) {
        if (table[i] == caption)
            return i;
    }
    return std::nullopt;
}

int consumptionOf(int type) {
    switch (type) {
    case 0:
        return 1;
    case 1:
    case 2:
        return 2;
    case 3:
        return 4;
    default:
        break;
    }
    if (type >= 4 && type < kControllerTypeCount)
        return 8 * (type - 3);
    return 0;
}

} // namespace tessel
