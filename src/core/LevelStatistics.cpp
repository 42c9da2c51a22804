// SPDX-License-Identifier: Apache-2.0
#include "core/LevelStatistics.h"

#include <algorithm>

namespace tessel {

std::optional<Crossing> LevelStatistics::add(qint64 atMicros, int level,
                                             const InputLimits &limits) {
    m_minimum = m_count == 0 ? level : std::min(m_minimum, level);
    m_maximum = m_count == 0 ? level : std::max(m_maximum, level);
    m_sum += level;
    const bool first = m_count++ == 0;
    m_last = level;
    const bool triggered = triggers(limits, level);
    const bool crossed = !first && triggered != m_triggered;
    m_triggered = triggered;
    if (!crossed)
        return std::nullopt;
    ++m_crossings;
    return Crossing{atMicros, level, triggered};
}

double LevelStatistics::mean() const {
    return m_count == 0 ? 0.0 : static_cast<double>(m_sum) / static_cast<double>(m_count);
}

} // namespace tessel
