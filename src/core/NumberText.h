// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace tessel {

// Reads the decimal number at the start of an operator's text the way the module's
// configuration has always read typed values: blanks, tabs and line feeds are ignored
// wherever they stand, an optional sign and digits with an optional decimal point follow, and
// reading stops at the first character that cannot continue the number. A text that does not
// start with a number reads as 0. Exponents are not read ("1e5" reads 1). Digit strings too
// long for a double read as the largest finite double of their sign.
double readLeadingNumber(const QString &text);

// Rounds to the nearest whole number, a half to the even neighbour (12.5 -> 12, 13.5 -> 14),
// saturating at the int range; NaN gives 0.
int roundHalfEven(double value);

// A number written with one leading blank, as captions and the production profile show it.
QString withLeadingBlank(int value);

// A typed mapping byte: the value always goes into the image; valid says whether the box
// stays unmarked.
struct MapEntry {
    int value = 0;
    bool valid = false;
    bool operator==(const MapEntry &) const = default;
};

// Empty text or text longer than 3 characters is marked; otherwise the value read from the
// text is marked when it is below 0 or above 255. The stored value is the value read, rounded.
MapEntry readMappingText(const QString &text);

} // namespace tessel
