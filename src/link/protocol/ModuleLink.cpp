// SPDX-License-Identifier: Apache-2.0
#include "link/protocol/ModuleLink.h"

#include <algorithm>
#include <limits>

namespace tessel {

ModuleLink::ModuleLink(ByteChannel &channel, LinkClock &clock)
    : m_channel(channel), m_clock(clock) {}

void ModuleLink::abort() {
    m_aborted = true;
    m_channel.wake();
}

void ModuleLink::interrupt() {
    m_interrupted = true;
    m_channel.wake();
}

qint64 ModuleLink::available() {
    m_clock.catchUp();
    noteHeard();
    return m_channel.bytesAvailable();
}

void ModuleLink::clearSilence() {
    m_heardAt = m_clock.nowMicros();
    m_leftAfter = 0;
}

void ModuleLink::noteHeard() {
    if (m_channel.bytesAvailable() > 0 && m_leftAfter == 0)
        m_heardAt = m_clock.nowMicros();
}

void ModuleLink::checkSilence() {
    if (m_silenceLimit <= 0 || m_leftAfter > 0)
        return;
    if (const qint64 silent = m_clock.nowMicros() - m_heardAt; silent > m_silenceLimit)
        m_leftAfter = silent;
}

QString ModuleLink::failure() const {
    if (m_aborted)
        return tr("The transfer was cancelled.");
    if (const QString lost = m_channel.lostReason(); !lost.isEmpty())
        return lost;
    if (m_leftAfter > 0) {
        return tr("The module stopped answering for %1 s: it was taken out or lost "
                  "its power.")
            .arg(static_cast<double>(m_leftAfter) / 1e6, 0, 'f', 1);
    }
    if (m_interrupted)
        return tr("Cancel was pressed.");
    return {};
}

template <typename Condition> bool ModuleLink::pollUntil(int pollLimit, Condition cond) {
    // The polls spent are the time waited in poll lengths, counted on every wake-up: a wait
    // sleeps through to its end unless something happens, and still ends after its polls.
    const qint64 budget = static_cast<qint64>(pollLimit) * LinkClock::kPollMicros;
    const qint64 start = m_clock.nowMicros();
    for (;;) {
        m_clock.catchUp();
        noteHeard();
        checkSilence();
        const qint64 waited = m_clock.nowMicros() - start;
        if (waited >= budget || failed())
            return false;
        if (cond())
            return true;
        qint64 sleep = budget - waited;
        if (m_silenceLimit > 0)
            sleep = std::min(sleep, m_heardAt + m_silenceLimit + 1 - m_clock.nowMicros());
        m_clock.idle(m_channel, std::max<qint64>(sleep, 1));
    }
}

int ModuleLink::receive(int pollLimit) {
    if (!pollUntil(pollLimit, [this] { return m_channel.bytesAvailable() > 0; }))
        return -1;
    return m_channel.readByte();
}

bool ModuleLink::waitForExactly(int count, int pollLimit) {
    return pollUntil(pollLimit, [this, count] { return m_channel.bytesAvailable() == count; });
}

void ModuleLink::rest(qint64 micros, const std::function<bool()> &done) {
    if (micros <= 0)
        return;
    const qint64 polls = (micros + LinkClock::kPollMicros - 1) / LinkClock::kPollMicros;
    pollUntil(static_cast<int>(std::min<qint64>(polls, std::numeric_limits<int>::max())), done);
}

void ModuleLink::discardInput() {
    while (available() > 0 && !failed())
        m_channel.readByte();
}

bool ModuleLink::send(const QByteArray &command) {
    if (failed())
        return false;
    return m_channel.write(command);
}

} // namespace tessel
