// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/production/ProductionRun.h"

namespace tessel {

// `tessel-config program`: a production run shown on the terminal (ProductionDisplay), with
// Ctrl-C stopping it and the scanner read from standard input. Returns the exit status: 0
// when every module whose store was tried ended ok (and a port was left to work on, or the
// run was stopped), 3 when one did not, 1 when every port failed, 2 when the record cannot be
// written, 128 and the signal's number after SIGTERM or SIGHUP.
int runProduction(ProductionRequest request, bool json);

} // namespace tessel
