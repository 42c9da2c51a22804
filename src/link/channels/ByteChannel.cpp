// SPDX-License-Identifier: Apache-2.0
#include "link/channels/ByteChannel.h"

#include <algorithm>
#include <limits>

namespace tessel {

int ByteChannel::waitMillis(qint64 micros) {
    const qint64 ms = (std::max<qint64>(0, micros) + 999) / 1000;
    return static_cast<int>(std::min<qint64>(ms, std::numeric_limits<int>::max()));
}

} // namespace tessel
