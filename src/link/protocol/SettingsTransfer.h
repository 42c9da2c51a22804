// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"
#include "link/protocol/ModuleProtocol.h"

#include <functional>
#include <vector>

namespace tessel {

enum class TransferStatus {
    Done,
    NotConfirmed, // a block's store was answered wrongly, more than once, or not at all
    Refused,      // the image holds entries that are not bytes; nothing was sent
    LinkFailed,   // the line dropped, the operator cancelled, or the attempts ran out
    Stopped,      // asked to stop between two blocks; failedBlock is the first one not sent
    Unreliable,   // a block read differently each time it was read; unreliableBlocks names them
};

struct TransferResult {
    TransferStatus status = TransferStatus::Done;
    EepromImage image;    // what was read (reads only)
    int failedBlock = -1; // the block whose store was not confirmed, or the first not sent
    QString message;      // for the operator, empty when Done
    std::vector<int> unreliableBlocks; // blocks whose reads never agreed (reads only)
    [[nodiscard]] bool ok() const { return status == TransferStatus::Done; }
};

// Called with the address being transferred, 0..255.
using ProgressFn = std::function<void(int address)>;
// Asked before each block of a store is sent; true ends the store there.
using StopFn = std::function<bool()>;

// The protocol has no checksum, so a byte changed on the line can only be found by reading
// again: each block is read twice, and a third time when the two differ; a block counts when
// two of its reads agree. Each read is its own exchange with its own command, so a corrupted
// command (a block number with a flipped bit brings another block's bytes) spoils one read,
// never both. The given blocks are read in order, and all of them even when one never agrees,
// so that the operator is told every such block. The result's image holds the blocks read,
// zeros elsewhere; it is complete only when ok().
TransferResult readBlocks(ModuleProtocol &protocol, const std::vector<int> &blocks,
                          const ProgressFn &progress, AttemptLimit attemptsPerBlock = std::nullopt);
// Blocks 0..15, in order.
std::vector<int> allBlocks();
// readBlocks of allBlocks().
TransferResult readWholeMemory(ModuleProtocol &protocol, const ProgressFn &progress,
                               AttemptLimit attemptsPerBlock = std::nullopt);

// The module's identity, asked until two replies agree, as a block is read: it chooses the
// kind, the window, the backup and the factory set, and one bit changed on the line would
// choose another module's. A reply is given only when two agreed.
struct CheckedIdentity {
    std::optional<wire::IdentityReply> reply; // nothing when one went unanswered or none agreed
    bool settled = true; // false when no two of the kReadsToSettle replies agreed
};
CheckedIdentity identifyChecked(ModuleProtocol &protocol, AttemptLimit attempts);

// Stores blocks 0..15, each confirmed by one 88 alone before the next is sent; stops at the
// first block that is not.
// An image holding any entry outside 0..255 is refused before the first byte goes out.
// A stop is only ever taken between blocks, so that no block is left half-sent or unconfirmed.
TransferResult storeWholeMemory(ModuleProtocol &protocol, const EepromImage &image,
                                const ProgressFn &progress, const StopFn &stopRequested = {});

// How many times a block or the identity is read at most before two reads agree.
inline constexpr int kReadsToSettle = 3;
inline constexpr const char *kErrorStoringData = "Error Storing Data";

} // namespace tessel
