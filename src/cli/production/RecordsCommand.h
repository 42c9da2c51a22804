// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/commands/CommandRequest.h"

namespace tessel {

// `tessel-config records`: the production record's modules as text, CSV or JSON, filtered;
// `records units`: the pool of units, and a unit put back. Returns the exit status.
int runRecords(const CommandRequest &request);

} // namespace tessel
