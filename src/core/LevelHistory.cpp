// SPDX-License-Identifier: Apache-2.0
#include "core/LevelHistory.h"

namespace tessel {

void LevelHistory::add(qint64 atMicros, const Levels &levels, const Limits &limits) {
    Sample sample{atMicros, {}};
    for (int input = 0; input < map::kAnalogInputs; ++input) {
        const int level = levels.at(input);
        sample.levels.at(input) = static_cast<qint16>(level);
        if (level < 0)
            continue;
        if (const auto crossing = m_statistics.at(input).add(atMicros, level, limits.at(input)))
            m_marks.push_back({input, *crossing});
    }
    m_samples.push_back(sample);
    const qint64 oldest = atMicros - kKeptMicros;
    while (!m_samples.empty() && m_samples.front().atMicros < oldest)
        m_samples.pop_front();
    while (!m_marks.empty() && m_marks.front().crossing.atMicros < oldest)
        m_marks.pop_front();
}

void LevelHistory::clear() {
    m_samples.clear();
    m_marks.clear();
    for (LevelStatistics &s : m_statistics)
        s.clear();
}

} // namespace tessel
