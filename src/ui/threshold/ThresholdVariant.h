// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/config/WindowVariant.h"

namespace tessel {

// The Threshold module's window: serial lengths, capture speed and the analog limits, with
// the analog panel and monitor.
std::unique_ptr<WindowVariant> makeThresholdVariant();

} // namespace tessel
