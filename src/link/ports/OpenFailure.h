// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/ports/DeviceInspection.h"
#include "link/ports/PortFacts.h"

namespace tessel {

// Why a port could not be opened, in the operator's words: the real cause first, then what
// to do about it. The dialout advice comes only for a real permission problem; a name with
// nothing behind it is followed by the ports that do exist. systemText (the serial library's
// own words) is the last resort when the evidence names no cause.
[[nodiscard]] QString explainOpenFailure(const QString &portName, const QString &device,
                                         const DeviceEvidence &evidence,
                                         const QList<PortFacts> &present,
                                         const QString &systemText);

} // namespace tessel
