// SPDX-License-Identifier: Apache-2.0
// The fuzz harnesses with seeded random inputs, so every build checks their properties
// without a fuzzing compiler. A failure prints the seed and input index to replay.

#include "FuzzHarness.h"
#include "core/ProfileText.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace tessel;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The profile of a random memory, as the bytes of its text.
Bytes profileOf(std::mt19937 &rng) {
    ModuleMemory memory{};
    std::generate(memory.begin(), memory.end(), [&rng] { return static_cast<quint8>(rng()); });
    const QByteArray utf8 = profileText(EepromImage(memory)).toUtf8();
    return {utf8.begin(), utf8.end()};
}

// A valid profile with a few characters changed, inserted or removed: most inputs then fail
// somewhere inside the records instead of at the first word.
Bytes mutatedProfile(std::mt19937 &rng) {
    static const char alphabet[] = "0123456789, DATA\n\t-+.x";
    Bytes bytes = profileOf(rng);
    const int edits = std::uniform_int_distribution<int>(1, 4)(rng);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const auto at = std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(rng);
        const auto c = static_cast<std::uint8_t>(
            alphabet[std::uniform_int_distribution<std::size_t>(0, sizeof alphabet - 2)(rng)]);
        switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
        case 0:
            bytes[at] = c;
            break;
        case 1:
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), c);
            break;
        default:
            bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
    return bytes;
}

Bytes randomBytes(std::mt19937 &rng, std::size_t maxSize) {
    Bytes bytes(std::uniform_int_distribution<std::size_t>(0, maxSize)(rng));
    std::generate(bytes.begin(), bytes.end(), [&rng] { return static_cast<std::uint8_t>(rng()); });
    return bytes;
}

// Reply chunks whose lengths are mostly the ones the program waits for (1, 6, 16) or one off,
// with short delays, so that exchanges succeed, miss and overlap in every combination.
Bytes replyScript(std::mt19937 &rng) {
    static const int lengths[] = {0, 1, 1, 5, 6, 6, 7, 15, 16, 16, 17};
    Bytes script{static_cast<std::uint8_t>(rng() & 1)};
    const int chunks = std::uniform_int_distribution<int>(0, 40)(rng);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < chunks; ++i) {
        const int length = lengths[std::uniform_int_distribution<std::size_t>(0, 10)(rng)];
        // Mostly prompt; sometimes late, sometimes byte by byte.
        int timing = std::uniform_int_distribution<int>(0, 3)(rng);
        if (rng() % 8 == 0)
            timing = byte(rng);
        script.push_back(static_cast<std::uint8_t>(timing));
        script.push_back(static_cast<std::uint8_t>(length));
        for (int j = 0; j < length; ++j)
            script.push_back(static_cast<std::uint8_t>(rng() % 4 == 0 ? 88 : byte(rng)));
    }
    script.push_back(static_cast<std::uint8_t>(byte(rng)));
    script.push_back(static_cast<std::uint8_t>(byte(rng)));
    return script;
}

constexpr std::uint32_t kSeed = 20080208;

} // namespace

TEST(SeededFuzz, profileReader_holdsItsPropertiesOnRandomAndMutatedText) {
    std::mt19937 rng(kSeed);
    int accepted = 0;
    for (int i = 0; i < 4000; ++i) {
        const Bytes input = i % 4 == 0 ? randomBytes(rng, 300) : mutatedProfile(rng);
        const QString broken = fuzz::checkProfileText(input.data(), input.size());
        ASSERT_TRUE(broken.isEmpty()) << "input " << i << ": " << broken.toStdString();
        accepted += parseProfileText(QString::fromUtf8(reinterpret_cast<const char *>(input.data()),
                                                       static_cast<qsizetype>(input.size())))
                        .memory.has_value();
    }
    // The mutations must leave some profiles valid (blank space, a digit for a digit), or the
    // success path went untested.
    EXPECT_GT(accepted, 100);
}

TEST(SeededFuzz, linkProcedures_holdTheirPropertiesOnRandomReplies) {
    std::mt19937 rng(kSeed + 2);
    fuzz::ReplyStats stats;
    for (int i = 0; i < 500; ++i) {
        const Bytes input = i % 5 == 0 ? randomBytes(rng, 200) : replyScript(rng);
        const QString broken = fuzz::checkModuleReplies(input.data(), input.size(), &stats);
        ASSERT_TRUE(broken.isEmpty()) << "input " << i << ": " << broken.toStdString();
    }
    // Random replies must also have been right often enough to take every success path. A
    // store needs a lone 88, with nothing behind it, which random replies seldom are.
    EXPECT_GT(stats.identified, 20);
    EXPECT_GT(stats.blocksRead, 20);
    EXPECT_GT(stats.analogLevels, 20);
    EXPECT_GT(stats.blocksStored, 10);
}
