// SPDX-License-Identifier: Apache-2.0
#include "core/SerialDigits.h"

namespace tessel {

std::optional<std::vector<int>> parseSerial(const QString &text, int bytes, bool withColon) {
    QString digits = text;
    if (withColon) {
        if (text.size() != 13 || text[8] != QLatin1Char(':'))
            return std::nullopt;
        digits.remove(8, 1);
    }
    if (digits.size() != 2 * bytes)
        return std::nullopt;
    std::vector<int> values;
    for (int i = 0; i < bytes; ++i) {
        bool ok = true;
        for (QChar c : digits.mid(2 * i, 2))
            ok = ok && ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                        (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F')));
        if (!ok)
            return std::nullopt;
        values.push_back(digits.mid(2 * i, 2).toInt(nullptr, 16));
    }
    return values;
}

} // namespace tessel
