// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace tessel {

// What the production record costs each module: a unit claimed, marked as being stored, and
// the module's row appended with the unit settled (three transactions, each on disk before
// it counts), on a SQLite file and on a PostgreSQL server of its own on this computer, beside
// `moduleMs`, the time one module takes to program (target: under 5 % of it). False when a
// record could not be written.
bool benchRecord(double moduleMs, int runs);

} // namespace tessel
