// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace tessel {

// Monitoring a Threshold module's 16 inputs against tessel-modsim paced at 115200 baud with
// levels that move: one pass beside the time its 16 exchanges take on the wire with the
// module's reply delays (target: at most 1.1 times that), passes per second beside the line's
// limit, and the share of one core that monitoring at the window's pace costs. False when the
// module did not answer.
bool benchLevels(const QString &modsim, int runs);

} // namespace tessel
