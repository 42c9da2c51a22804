// SPDX-License-Identifier: Apache-2.0
#include "core/LevelPattern.h"

#include <QStringList>
#include <cmath>
#include <numbers>

namespace tessel {

namespace {
constexpr int kDefaultSinePeriod = 64;
constexpr int kLevels = 256;
} // namespace

int LevelPattern::level(int input, qint64 reading, qint64 nowMicros) const {
    switch (shape) {
    case Shape::Ramp:
        return static_cast<int>((16 * input + reading * step) % kLevels);
    case Shape::Sine: {
        const double turns =
            static_cast<double>(reading % step) / step + static_cast<double>(input) / 16.0;
        return static_cast<int>(
            std::lround(127.5 + 127.5 * std::sin(2 * std::numbers::pi * turns)));
    }
    case Shape::Drift:
        break;
    }
    const double seconds = static_cast<double>(nowMicros) / 1e6;
    const double phase = seconds / 8.0 + input * 0.4;
    return static_cast<int>(std::lround(127.5 + 120.0 * std::sin(phase)));
}

std::optional<LevelPattern> parseLevelPattern(const QString &text, QString &error) {
    const QStringList parts = text.split(QLatin1Char(':'));
    const QString &name = parts.first();
    LevelPattern pattern;
    int low = 1;
    int high = 0; // the shape takes no number
    if (name == QLatin1String("ramp")) {
        pattern.shape = LevelPattern::Shape::Ramp;
        high = kLevels - 1;
    } else if (name == QLatin1String("sine")) {
        pattern.shape = LevelPattern::Shape::Sine;
        pattern.step = kDefaultSinePeriod;
        low = 2;
        high = 100000;
    } else if (name != QLatin1String("drift")) {
        error = QStringLiteral("\"%1\" is not a pattern: drift, ramp[:STEP] or sine[:PERIOD]")
                    .arg(text);
        return std::nullopt;
    }
    if (parts.size() == 1)
        return pattern;
    bool ok = false;
    const int number = parts.size() == 2 ? parts.at(1).toInt(&ok) : 0;
    if (high == 0 || !ok || number < low || number > high) {
        error = high == 0 ? QStringLiteral("drift takes no number")
                          : QStringLiteral("%1 takes a whole number %2 to %3 after the colon")
                                .arg(name)
                                .arg(low)
                                .arg(high);
        return std::nullopt;
    }
    pattern.step = number;
    return pattern;
}

} // namespace tessel
