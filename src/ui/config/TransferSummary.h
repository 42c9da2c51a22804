// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/SessionOutcome.h"

#include <QString>
#include <QTime>

namespace tessel {

// The last transfer as the status line states it, one short sentence with the time it ended:
// "Stored and verified at 14:02; backup tessel-0013A200-20261206T140211Z.txt". `cancelled`
// says the operator pressed Cancel during it; `restore`, that the store restored a backup.
[[nodiscard]] QString transferSummary(const SessionOutcome &outcome, bool cancelled,
                                      const QTime &at, bool restore = false);

} // namespace tessel
