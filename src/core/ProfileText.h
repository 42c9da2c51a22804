// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QString>

class QIODevice;
#include <optional>

namespace tessel {

// The production profile of an image: 16 records, one per block of 16 entries, each
// "DATA" followed by the 16 values (each with one leading blank, separated by ",") and five
// blanks. The records follow one another without line breaks.
QString profileText(const EepromImage &image);

struct ProfileParse {
    std::optional<ModuleMemory> memory; // set exactly when error is empty
    QString error; // e.g. record 3, value 5: "12a" is not a whole number 0 to 255
};

// Reads a production profile back: exactly 16 records of "DATA" and 16 whole numbers 0 to 255
// separated by commas. Any amount of blank space (line breaks included) may stand between
// records and around values. Anything else is refused with an error naming the record and the
// value position.
ProfileParse parseProfileText(const QString &text);

// A profile from an open file, `name` being what messages call it: a file far larger than any
// profile is refused unread ("x is far too large to be a profile"), a text the reader refuses
// with its reason ("x is not a profile: ...").
ProfileParse readProfile(QIODevice &file, const QString &name);

} // namespace tessel
