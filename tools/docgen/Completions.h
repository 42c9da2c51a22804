// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace tessel::docs {

// Completion scripts for tessel-config: ports complete from the ports present (list-ports),
// kinds from the kinds there are, profiles and other files from the file system.
QString bashCompletion();
QString zshCompletion();
QString fishCompletion();

} // namespace tessel::docs
