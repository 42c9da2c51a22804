// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace tessel {

// `tessel-config program` on 1 and on 4 ports, each with a tessel-modsim module paced at
// 115200 baud: modules per minute side by side (the operator's time to swap modules not
// counted), and whether 4 ports take at most 1.3 times as long as 1. False when a run failed.
// `onePortMs` takes the median time of one module on 1 port.
bool benchProduction(const QString &config, const QString &modsim, int runs, double &onePortMs);

} // namespace tessel
