// SPDX-License-Identifier: Apache-2.0
#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tessel {

namespace {

bool isIgnoredBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

double readLeadingNumber(const QString &text) {
    // Collect "[-]digits[.digits]" with the blanks dropped, then convert in one go so that
    // the result is correctly rounded however many digits were typed.
    std::string number;
    bool negative = false;
    bool sawSign = false;
    bool sawPoint = false;
    bool sawDigit = false;
    bool nonZeroWhole = false;
    for (const QChar c : text) {
        if (isIgnoredBlank(c))
            continue;
        if (!sawSign && !sawDigit && !sawPoint &&
            (c == QLatin1Char('-') || c == QLatin1Char('+'))) {
            sawSign = true;
            negative = c == QLatin1Char('-');
            continue;
        }
        if (isDigit(c)) {
            sawDigit = true;
            if (!sawPoint && c != QLatin1Char('0'))
                nonZeroWhole = true;
            number.push_back(static_cast<char>(c.unicode()));
            continue;
        }
        if (c == QLatin1Char('.') && !sawPoint) {
            sawPoint = true;
            number.push_back('.');
            continue;
        }
        break;
    }
    if (!sawDigit)
        return 0.0;
    if (number.front() == '.')
        number.insert(number.begin(), '0');

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too many whole digits overflow; a long run of zeros after the point underflows.
        value = nonZeroWhole ? std::numeric_limits<double>::max() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int roundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (value <= lowest)
        return std::numeric_limits<int>::min();
    if (value >= highest)
        return std::numeric_limits<int>::max();
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        rounded = floor + 1.0;
    return static_cast<int>(rounded);
}

QString withLeadingBlank(int value) {
    return QLatin1Char(' ') + QString::number(value);
}

MapEntry readMappingText(const QString &text) {
    const double v = readLeadingNumber(text);
    MapEntry entry;
    entry.value = roundHalfEven(v);
    entry.valid = !text.isEmpty() && text.size() <= 3 && v >= 0.0 && v <= 255.0;
    return entry;
}

} // namespace tessel
