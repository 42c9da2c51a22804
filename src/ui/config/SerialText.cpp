// SPDX-License-Identifier: Apache-2.0
#include "ui/config/SerialText.h"

namespace tessel {

QString baseSerialText(const EepromImage &image, const MemoryLayout &layout) {
    QString text;
    for (int a = 0; a < layout.baseSerialBytes; ++a) {
        if (a == 4)
            text += QLatin1Char(':');
        text += hexByte(image.value(a));
    }
    return text;
}

QString rowSerialText(const EepromImage &image, const MemoryLayout &layout, int row) {
    QString text;
    for (int j = 0; j < layout.rowSerialBytes; ++j)
        text += hexByte(image.value(map::recordAddress(row) + j));
    return text;
}

} // namespace tessel
