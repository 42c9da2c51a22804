#pragma once

#include "core/Commands.h"
#include "link/ControllerLink.h"

#include <functional>
#include <optional>

namespace tessel {

// How many attempts an exchange that retries may make; no value means "until it works or
// the operator gives up" (the windows, which offer Cancel), a number bounds the command line.
using AttemptLimit = std::optional<int>;

// The five exchanges with their bytes, waits and retries.
class ModuleProtocol {
public:
    explicit ModuleProtocol(ControllerLink &link) : m_link(link) {}

    // One link test; true when the module answered the acknowledge byte.
    [[nodiscard]] bool linkTest();
    // Up to `attempts` link tests; the number of the attempt that succeeded, or 0.
    [[nodiscard]] int linkTestRepeated(int attempts,
                                       const std::function<void(int)> &beforeAttempt = {});
    [[nodiscard]] std::optional<wire::IdentityReply> identify(AttemptLimit attempts);
    [[nodiscard]] std::optional<BlockBytes> readBlock(int block, AttemptLimit attempts);
    // True when the module confirmed the stored block.
    [[nodiscard]] bool writeBlock(int block, const BlockBytes &data);
    // The level 0..255 of an analog input, or -1 when none came in time.
    [[nodiscard]] int readAnalog(int input);

    [[nodiscard]] ControllerLink &link() { return m_link; }

private:
    // Empties the queue as the block read does: one byte at a time, events between.
    void drainForBlockRead();

    ControllerLink &m_link;
};

} // namespace tessel
