// SPDX-License-Identifier: Apache-2.0
// Levels against limits: which levels trigger for each limit type, what is kept of the levels
// seen, limits set from them, and the simulated module's patterns of levels.

#include "core/EepromImage.h"
#include "core/LevelPattern.h"
#include "core/LevelStatistics.h"
#include "core/MemoryMap.h"

#include <gtest/gtest.h>

using namespace tessel;

namespace {
constexpr int Above = 0, Below = 1, Outside = 2, Inside = 3;
using Spans = std::vector<LevelSpan>;
} // namespace

TEST(triggerSpans, each_limit_type_triggers_beyond_its_limits_never_on_them) {
    struct Case {
        InputLimits limits;
        Spans spans;
    };
    const Case cases[] = {
        {{Above, 100, 0}, {{101, 255}}},
        {{Above, 0, 0}, {{1, 255}}},
        {{Above, 255, 0}, {}},
        {{Below, 100, 200}, {{0, 99}}},
        {{Below, 0, 0}, {}},
        {{Outside, 100, 150}, {{0, 99}, {151, 255}}},
        {{Outside, 0, 255}, {}},
        {{Outside, 0, 254}, {{255, 255}}},
        {{Inside, 100, 150}, {{101, 149}}},
        {{Inside, 100, 102}, {{101, 101}}},
        {{Inside, 100, 101}, {}},
        // Limits the window marks invalid still say what the module would do with them.
        {{Inside, 150, 100}, {}},
        {{Outside, 150, 100}, {{0, 255}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.limits.type << " limits " << c.limits.lower
                                        << "/" << c.limits.upper);
        EXPECT_EQ(triggerSpans(c.limits), c.spans);
    }
}

TEST(limitsOf, reads_an_inputs_entries_and_shows_a_large_type_as_inside) {
    EepromImage image;
    image.setValue(map::limitTypeAddress(7), 9);
    image.setValue(map::lowerLimitAddress(7), 40);
    image.setValue(map::upperLimitAddress(7), 90);
    image.setValue(map::lowerLimitAddress(8), 77);
    EXPECT_EQ(limitsOf(image, 7), (InputLimits{Inside, 40, 90}));
    EXPECT_EQ(limitsOf(image, 8), (InputLimits{Above, 77, 0}));
}

TEST(LevelStatistics, keeps_least_most_mean_and_each_crossing_until_cleared) {
    const InputLimits outside{Outside, 100, 150};
    LevelStatistics stats;
    std::vector<Crossing> crossings;
    // 120 starts inside the quiet band; 99 and 151 trigger; 100 and 150 are on the limits.
    const int levels[] = {120, 100, 99, 98, 130, 150, 151, 151, 140};
    for (int i = 0; i < std::ssize(levels); ++i) {
        if (const auto crossing = stats.add(i * 1000, levels[i], outside))
            crossings.push_back(*crossing);
    }
    EXPECT_EQ(crossings,
              (std::vector<Crossing>{
                  {2000, 99, true}, {4000, 130, false}, {6000, 151, true}, {8000, 140, false}}));
    EXPECT_EQ(stats.count(), 9);
    EXPECT_EQ(stats.minimum(), 98);
    EXPECT_EQ(stats.maximum(), 151);
    EXPECT_DOUBLE_EQ(stats.mean(), 1139.0 / 9.0);
    EXPECT_EQ(stats.crossings(), 4);
    EXPECT_EQ(stats.last(), 140);

    // After a clear the first level, even a triggering one, crosses nothing.
    stats.clear();
    EXPECT_EQ(stats.add(0, 200, outside), std::nullopt);
    EXPECT_EQ(stats.minimum(), 200);
    EXPECT_EQ(stats.count(), 1);
    EXPECT_EQ(stats.crossings(), 0);
}

TEST(limitFromSeen, keeps_the_margin_away_from_what_was_seen_within_a_byte) {
    EXPECT_EQ(limitFromSeen(40, 5, true), 35);
    EXPECT_EQ(limitFromSeen(40, 5, false), 45);
    EXPECT_EQ(limitFromSeen(3, 5, true), 0);
    EXPECT_EQ(limitFromSeen(252, 5, false), 255);
    EXPECT_EQ(limitFromSeen(40, 0, true), 40);
}

TEST(LevelPattern, ramps_and_sines_follow_the_count_of_readings) {
    QString error;
    const LevelPattern ramp = *parseLevelPattern(QStringLiteral("ramp:7"), error);
    EXPECT_EQ(ramp.level(0, 0, 0), 0);
    EXPECT_EQ(ramp.level(3, 2, 99'000'000), 48 + 14);
    EXPECT_EQ(ramp.level(15, 3, 0), (240 + 21) % 256);
    const LevelPattern sine = *parseLevelPattern(QStringLiteral("sine:4"), error);
    EXPECT_EQ(sine.level(0, 0, 0), 128);
    EXPECT_EQ(sine.level(0, 1, 0), 255);
    EXPECT_EQ(sine.level(0, 3, 0), 0);
    EXPECT_EQ(sine.level(4, 0, 0), 255); // a quarter of a wave ahead
    EXPECT_EQ(sine.level(0, 5, 0), 255); // the second wave as the first
    EXPECT_EQ(parseLevelPattern(QStringLiteral("sine"), error)->step, 64);

    for (const char *bad : {"ramp:0", "ramp:256", "sine:1", "drift:3", "saw", "ramp:2:3"}) {
        error.clear();
        EXPECT_FALSE(parseLevelPattern(QString::fromLatin1(bad), error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
}
