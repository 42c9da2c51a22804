// SPDX-License-Identifier: Apache-2.0
#include "link/protocol/ReplyPace.h"

#include "link/protocol/LinkClock.h"

#include <algorithm>
#include <limits>

namespace tessel {

namespace {
// Half again what was seen: a module's pace varies from one reply to the next.
qint64 withMargin(qint64 micros) {
    return micros * 3 / 2;
}

QString secondsText(qint64 micros) {
    return QString::number(static_cast<double>(micros) / 1e6, 'f', 1);
}
} // namespace

void ReplyPace::sawLatency(qint64 micros) {
    m_latency = std::max(m_latency, micros);
}

void ReplyPace::sawPause(qint64 micros) {
    m_pause = std::max(m_pause, micros);
}

int ReplyPace::waitPolls(int basePolls, int length) const {
    const qint64 latency = std::min(m_latency, kLongestLatencyMicros);
    const qint64 pause = std::min(m_pause, kLongestPauseMicros);
    const qint64 seen = withMargin(latency + std::max(0, length - 1) * pause);
    const qint64 micros =
        std::max({static_cast<qint64>(basePolls) * LinkClock::kPollMicros, seen, m_leastWait});
    const qint64 polls = (micros + LinkClock::kPollMicros - 1) / LinkClock::kPollMicros;
    return static_cast<int>(std::min<qint64>(polls, std::numeric_limits<int>::max()));
}

QString ReplyPace::describe() const {
    const QString pause =
        QStringLiteral("pauses of up to %1 s between their bytes").arg(secondsText(m_pause));
    if (m_latency == 0)
        return m_pause == 0 ? QString() : QStringLiteral("replies come with ") + pause;
    const QString latency =
        QStringLiteral("replies arrive about %1 s after each command").arg(secondsText(m_latency));
    return m_pause == 0 ? latency : latency + QStringLiteral(", with ") + pause;
}

} // namespace tessel
