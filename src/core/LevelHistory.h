// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/LevelStatistics.h"
#include "core/MemoryMap.h"

#include <array>
#include <deque>

namespace tessel {

// The levels of the 16 analog inputs over the last hour, with each input's statistics and
// the moments it crossed into or out of its trigger range since the last clear.
class LevelHistory {
public:
    static constexpr qint64 kKeptMicros = 60LL * 60 * 1'000'000;
    using Levels = std::array<int, map::kAnalogInputs>; // -1: not read
    using Limits = std::array<InputLimits, map::kAnalogInputs>;

    struct Sample {
        qint64 atMicros = 0;
        std::array<qint16, map::kAnalogInputs> levels{}; // -1: not read
    };
    struct Mark {
        int input = 0;
        Crossing crossing;
    };

    // Takes a pass read at `atMicros`, judged against the limits the window shows then; what
    // is older than an hour is forgotten (the statistics keep counting since the clear).
    void add(qint64 atMicros, const Levels &levels, const Limits &limits);
    void clear();

    [[nodiscard]] const std::deque<Sample> &samples() const { return m_samples; }
    [[nodiscard]] const std::deque<Mark> &marks() const { return m_marks; }
    [[nodiscard]] const LevelStatistics &statistics(int input) const {
        return m_statistics.at(input);
    }

private:
    std::deque<Sample> m_samples;
    std::deque<Mark> m_marks;
    std::array<LevelStatistics, map::kAnalogInputs> m_statistics{};
};

} // namespace tessel
