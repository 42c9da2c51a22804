// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/TriggerRange.h"

#include <QtGlobal>
#include <optional>

namespace tessel {

// A level passing into or out of its input's trigger range: the moment its relay switches.
struct Crossing {
    qint64 atMicros = 0;
    int level = 0;
    bool entered = false; // into the trigger range; false: out of it
    bool operator==(const Crossing &) const = default;
};

// What one input's levels have been since the last clear: least, most, mean, how many
// readings, and how often the level crossed into or out of its trigger range.
class LevelStatistics {
public:
    // Takes one reading; the crossing it makes, if it makes one. The first reading after a
    // clear makes none: there is nothing before it to cross from.
    std::optional<Crossing> add(qint64 atMicros, int level, const InputLimits &limits);
    void clear() { *this = {}; }

    [[nodiscard]] qint64 count() const { return m_count; }
    // Meaningless while count() is 0.
    [[nodiscard]] int minimum() const { return m_minimum; }
    [[nodiscard]] int maximum() const { return m_maximum; }
    [[nodiscard]] double mean() const;
    [[nodiscard]] int crossings() const { return m_crossings; }
    [[nodiscard]] std::optional<int> last() const { return m_last; }

private:
    qint64 m_count = 0;
    qint64 m_sum = 0;
    int m_minimum = 0;
    int m_maximum = 0;
    int m_crossings = 0;
    std::optional<int> m_last;
    bool m_triggered = false;
};

} // namespace tessel
