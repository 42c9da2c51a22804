#include "link/protocol/ControllerLink.h"

namespace tessel {

LinkSession::~LinkSession() {
    if (m_link)
        m_link->m_busy = false;
}

ControllerLink::ControllerLink(ByteChannel &channel, LinkClock &clock)
    : m_channel(channel), m_clock(clock) {}

std::optional<LinkSession> ControllerLink::tryBegin() {
    if (m_busy)
        return std::nullopt;
    m_busy = true;
    return LinkSession(this);
}

QString ControllerLink::failure() const {
    if (m_aborted)
        return QStringLiteral("The transfer was cancelled.");
    if (const QString lost = m_channel.lostReason(); !lost.isEmpty())
        return lost;
    if (m_interrupted)
        return QStringLiteral("Cancel was pressed.");
    return {};
}

template <typename Condition> bool ControllerLink::pollUntil(int pollLimit, Condition cond) {
    // The polls spent are the time waited in poll lengths, counted on every wake-up: a wait
    // sleeps through to its end unless something happens, and still ends after its polls.
    const qint64 budget = static_cast<qint64>(pollLimit) * LinkClock::kPollMicros;
    const qint64 start = m_clock.nowMicros();
    for (;;) {
        m_clock.processEvents();
        const qint64 waited = m_clock.nowMicros() - start;
        if (waited >= budget || failed())
            return false;
        if (cond())
            return true;
        m_clock.idle(budget - waited);
    }
}

int ControllerLink::receive(int pollLimit) {
    if (!pollUntil(pollLimit, [this] { return m_channel.bytesAvailable() > 0; }))
        return -1;
    return m_channel.readByte();
}

bool ControllerLink::waitForExactly(int count, int pollLimit) {
    return pollUntil(pollLimit, [this, count] { return m_channel.bytesAvailable() == count; });
}

void ControllerLink::discardInput() {
    if (m_channel.bytesAvailable() <= 0)
        return;
    do {
        m_clock.processEvents();
        m_channel.readByte();
    } while (m_channel.bytesAvailable() > 0 && !failed());
}

bool ControllerLink::send(const QByteArray &command) {
    if (failed())
        return false;
    return m_channel.write(command);
}

} // namespace tessel
