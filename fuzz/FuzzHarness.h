// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

namespace tessel::fuzz {

// Each runs one input and returns the first broken property, or empty when all held.
// Crashes and undefined behaviour are left to the sanitizers that run them.

// Reads the bytes as profile text (UTF-8) and checks what the reader makes of it.
QString checkProfileText(const std::uint8_t *data, std::size_t size);

// How often the exchanges succeeded over the inputs run, so that a random driver can show it
// reached the success paths and not only the time-outs.
struct ReplyStats {
    int identified = 0;
    int blocksRead = 0;
    int analogLevels = 0;
    int blocksStored = 0;
    int wholeReads = 0;
};

// Plays the bytes as the module's replies, one chunk per command the program sends, through
// the link procedures on a virtual clock, and checks what the program sends and concludes.
QString checkModuleReplies(const std::uint8_t *data, std::size_t size, ReplyStats *stats = nullptr);

} // namespace tessel::fuzz
