#pragma once

#include "link/channels/ByteChannel.h"
#include "link/protocol/LinkClock.h"

#include <optional>

namespace tessel {

// Poll budgets of the receive procedures; a poll is worth a nominal 100 microseconds.
namespace polls {
constexpr int kReplyByte = 15000;     // 1.5 s: an acknowledge or a byte of a block
constexpr int kStoreConfirm = 150000; // 15 s: a module may take long to store a block
constexpr int kIdentityByte = 15000;  // 1.5 s
constexpr int kAnalogLevel = 3500;    // 0.35 s: analog levels
constexpr int kIdentify = 10000;      // one identification attempt: 1 s
constexpr int kReadBlock = 50000;     // one block-read attempt: 5 s
} // namespace polls

class ControllerLink;

// Held while an exchange (or a run of exchanges that belong together) waits for the
// module; a second action that finds the link busy is ignored, never interleaved.
class [[nodiscard]] LinkSession {
public:
    LinkSession(LinkSession &&other) noexcept : m_link(std::exchange(other.m_link, nullptr)) {}
    LinkSession &operator=(LinkSession &&) = delete;
    LinkSession(const LinkSession &) = delete;
    ~LinkSession();

private:
    friend class ControllerLink;
    explicit LinkSession(ControllerLink *link) : m_link(link) {}
    ControllerLink *m_link;
};

// The byte-level procedures every window and the command line use to talk to the module.
// Everything runs on the GUI thread: a wait lets pending events run, then sleeps in the
// event loop until data arrives, the operator acts or the wait is over, so waiting neither
// freezes the windows nor burns a core.
class ControllerLink {
public:
    ControllerLink(ByteChannel &channel, LinkClock &clock);

    [[nodiscard]] int receiveReplyByte() { return receive(polls::kReplyByte); }
    [[nodiscard]] int receiveIdentityByte() { return receive(polls::kIdentityByte); }
    // One byte within `pollLimit` polls, that is pollLimit x 100 us; -1 if none came.
    [[nodiscard]] int receive(int pollLimit);
    // Waits until exactly `count` bytes are waiting at a poll; false after pollLimit polls.
    [[nodiscard]] bool waitForExactly(int count, int pollLimit);
    // Reads and drops whatever has arrived.
    void discardInput();
    // Sends a whole command in one write.
    bool send(const QByteArray &command);

    [[nodiscard]] std::optional<LinkSession> tryBegin();

    // Ends every wait at once; set when the program is ending.
    void abort() { m_aborted = true; }
    [[nodiscard]] bool aborted() const { return m_aborted; }
    // Ends the waits of the exchanges under way as abort does, but only until
    // clearInterrupt(): the operator gave up on one transfer, not on the module.
    void interrupt() { m_interrupted = true; }
    void clearInterrupt() { m_interrupted = false; }
    // Why the link cannot go on (aborted, interrupted or line lost); empty while it works.
    [[nodiscard]] QString failure() const;
    [[nodiscard]] bool failed() const { return !failure().isEmpty(); }
    // The line itself is gone (lost, or the program is ending); an interruption is not.
    [[nodiscard]] bool lineGone() const { return m_aborted || !m_channel.lostReason().isEmpty(); }

    [[nodiscard]] ByteChannel &channel() { return m_channel; }
    [[nodiscard]] LinkClock &clock() { return m_clock; }

private:
    friend class LinkSession;
    // Waits until cond() holds at a poll; false when the budget is spent or the link failed.
    template <typename Condition> bool pollUntil(int pollLimit, Condition cond);

    ByteChannel &m_channel;
    LinkClock &m_clock;
    bool m_busy = false;
    bool m_aborted = false;
    bool m_interrupted = false;
};

} // namespace tessel
