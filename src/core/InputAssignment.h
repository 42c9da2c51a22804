// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <vector>

namespace tessel {

// Where one device row's run of inputs begins.
struct RowAssignment {
    QString caption; // the Input Assignment column, e.g. "Bank: 3-4  Input: 1-8"
    int mappingByte; // 8 x bank + input at the row's first input; exceeds 255 past bank 31
    bool operator==(const RowAssignment &) const = default;
};

// Distributes the module's inputs, in banks of 8, over the rows in use (rows 0..n, given by
// their controller types). Runs of 1, 2 or 4 inputs never cross a bank end; runs of 8 or more
// start at input 1 of a bank. Every row in use takes its inputs, active or not.
std::vector<RowAssignment> computeAssignment(const std::vector<int> &typesOfRowsInUse);

// The running consumption of rows 0..n: true for each row at which the total so far exceeds
// the module's input capacity (256 for a Tessel module, 16 for a Threshold module). A total of
// exactly the capacity fits.
std::vector<bool> rowsBeyondCapacity(const std::vector<int> &typesOfRowsInUse, int capacity);

} // namespace tessel
