#pragma once

#include "core/EepromImage.h"
#include "link/ModuleProtocol.h"

#include <functional>

namespace tessel {

enum class TransferStatus {
    Done,
    NotConfirmed, // a block's store was answered wrongly, more than once, or not at all
    Refused,      // the image holds entries that are not bytes; nothing was sent
    LinkFailed,   // the line dropped, the operator cancelled, or the attempts ran out
    Stopped,      // asked to stop between two blocks; failedBlock is the first one not sent
};

struct TransferResult {
    TransferStatus status = TransferStatus::Done;
    EepromImage image;    // what was read (reads only)
    int failedBlock = -1; // the block whose store was not confirmed, or the first not sent
    QString message;      // for the operator, empty when Done
    [[nodiscard]] bool ok() const { return status == TransferStatus::Done; }
};

// Called with the address being transferred, 0..255.
using ProgressFn = std::function<void(int address)>;
// Asked before each block of a store is sent; true ends the store there.
using StopFn = std::function<bool()>;

// Reads blocks 0..15 in order; the result's image is complete only when ok().
TransferResult readWholeMemory(ModuleProtocol &protocol, const ProgressFn &progress,
                               AttemptLimit attemptsPerBlock = std::nullopt);

// Stores blocks 0..15, each confirmed by one 88 alone before the next is sent; stops at the
// first block that is not.
// An image holding any entry outside 0..255 is refused before the first byte goes out.
// A stop is only ever taken between blocks, so that no block is left half-sent or unconfirmed.
TransferResult storeWholeMemory(ModuleProtocol &protocol, const EepromImage &image,
                                const ProgressFn &progress, const StopFn &stopRequested = {});

inline constexpr const char *kErrorStoringData = "Error Storing Data";

} // namespace tessel
