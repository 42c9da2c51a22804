#include "core/ControllerTypes.h"

namespace tessel {

const std::array<QString, kControllerTypeCount> &controllerTypeNames() {
    static const std::array<QString, kControllerTypeCount> table = [] {
        std::array<QString, kControllerTypeCount> names;
        names[0] = QStringLiteral("WD1x 1-Ch. Relay Device   ");
        names[1] = QStringLiteral("WD2x 2-Ch. Relay Device   ");
        names[2] = QStringLiteral("Velqa 2-Ch. Relay Device  ");
        names[3] = QStringLiteral("Velqa 4-Ch. Relay Device  ");
        // From index 4 on the channel count grows by 8 per step: 8, 16, ... 256.
        for (int type = 4; type < kControllerTypeCount; ++type) {
            const QString name =
                QStringLiteral("Velqa %1-Ch. Relay Device").arg(consumptionOf(type));
            names[type] = name.leftJustified(26, QLatin1Char(' '));
        }
        return names;
    }();
    return table;
}

const std::array<QString, kRelayFunctionCount> &RelayFunctionTable() {
    static const std::array<QString, kRelayFunctionCount> table = {
        QStringLiteral("Tessel Relay On/Off"), QStringLiteral("Issue Toggle Command"),
        QStringLiteral("Pulse Remote Relay"), QStringLiteral("Velqa Timer MMM:SSS")};
    return table;
}

const std::array<QString, kLimitTypeCount> &LimitTypeTable() {
    static const std::array<QString, kLimitTypeCount> table = {
        QStringLiteral("Activate Relay Above Limit"), QStringLiteral("Activate Relay Below Limit"),
        QStringLiteral("Activate Relay Outside Limits"),
        QStringLiteral("Activate Relay Inside Limits")};
    return table;
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
