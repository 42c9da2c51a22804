// SPDX-License-Identifier: Apache-2.0
#include "link/protocol/LinkClock.h"

#include "link/channels/ByteChannel.h"

#include <algorithm>

namespace tessel {

void LinkClock::runDue(qint64 now) {
    while (!m_due.empty() && m_due.begin()->first <= now) {
        auto fn = std::move(m_due.begin()->second);
        m_due.erase(m_due.begin());
        fn();
    }
}

RealClock::RealClock() {
    m_elapsed.start();
}

qint64 RealClock::nowMicros() const {
    return m_elapsed.nsecsElapsed() / 1000;
}

void RealClock::idle(ByteChannel &channel, qint64 maxMicros) {
    // A reply of the simulated module is due at a time of this clock: the sleep ends then.
    const qint64 now = nowMicros();
    const qint64 sleep = nothingDue() ? maxMicros : std::min(maxMicros, nextDue() - now);
    if (sleep > 0)
        channel.waitForInput(sleep);
    catchUp();
}

void RealClock::callAfter(qint64 delayMicros, std::function<void()> fn) {
    schedule(nowMicros() + std::max<qint64>(0, delayMicros), std::move(fn));
}

void VirtualClock::idle(ByteChannel & /*channel*/, qint64 maxMicros) {
    advance(std::min(maxMicros, kPollMicros));
}

void VirtualClock::advance(qint64 micros) {
    m_now += std::max<qint64>(0, micros);
    catchUp();
}

void VirtualClock::callAfter(qint64 delayMicros, std::function<void()> fn) {
    schedule(m_now + std::max<qint64>(0, delayMicros), std::move(fn));
}

} // namespace tessel
