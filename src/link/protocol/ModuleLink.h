// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/channels/ByteChannel.h"
#include "link/protocol/LinkClock.h"

#include <QCoreApplication>
#include <atomic>
#include <functional>

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

// The byte-level procedures every exchange with the module is made of. They run on the thread
// of the module's session: a wait blocks that thread on the channel until data arrives, the
// wait is over, or another thread ends it (abort, interrupt), and runs no event loop, so that
// nothing else of the program runs inside a wait and a silent module costs no time at all.
class ModuleLink {
    Q_DECLARE_TR_FUNCTIONS(tessel::ModuleLink)

public:
    ModuleLink(ByteChannel &channel, LinkClock &clock);

    [[nodiscard]] int receiveReplyByte() { return receive(polls::kReplyByte); }
    [[nodiscard]] int receiveIdentityByte() { return receive(polls::kIdentityByte); }
    // One byte within `pollLimit` polls, that is pollLimit x 100 us; -1 if none came.
    [[nodiscard]] int receive(int pollLimit);
    // Waits until exactly `count` bytes are waiting at a poll; false after pollLimit polls.
    [[nodiscard]] bool waitForExactly(int count, int pollLimit);
    // Sleeps up to `micros`, ending sooner when `done()` holds at a wake-up or the link fails.
    void rest(qint64 micros, const std::function<bool()> &done);
    // Reads and drops whatever has arrived.
    void discardInput();
    // Sends a whole command in one write.
    bool send(const QByteArray &command);

    // From any thread: ends every wait at once; set when the program is ending.
    void abort();
    [[nodiscard]] bool aborted() const { return m_aborted; }
    // From any thread: ends the waits of the exchanges under way as abort does, but only
    // until clearInterrupt(): the operator gave up on one transfer, not on the module.
    void interrupt();
    void clearInterrupt() { m_interrupted = false; }
    // In a jig where modules are swapped, a wait that hears nothing from the module for longer
    // than `micros` may have let it be taken out and another put in: every wait then ends and
    // the link fails until clearSilence(), so that nothing more is taken from the line for
    // the module that was there. 0 (at first): no limit.
    void setSilenceLimit(qint64 micros) { m_silenceLimit = micros; }
    // Whether the limit was passed since clearSilence().
    [[nodiscard]] bool moduleLeft() const { return m_leftAfter > 0; }
    // Starts watching afresh, as if the module had just been heard.
    void clearSilence();
    // The bytes waiting, once what the clock made due has come in.
    [[nodiscard]] qint64 available();
    // Why the link cannot go on (aborted, interrupted or line lost); empty while it works.
    [[nodiscard]] QString failure() const;
    [[nodiscard]] bool failed() const { return !failure().isEmpty(); }
    // The line itself is gone (lost, or the program is ending); an interruption is not.
    [[nodiscard]] bool lineGone() const { return m_aborted || !m_channel.lostReason().isEmpty(); }

    [[nodiscard]] ByteChannel &channel() { return m_channel; }
    [[nodiscard]] LinkClock &clock() { return m_clock; }

private:
    // Waits until cond() holds at a poll; false when the budget is spent or the link failed.
    template <typename Condition> bool pollUntil(int pollLimit, Condition cond);
    // Bytes came: the module is there. Then whether the silence limit has been passed.
    void noteHeard();
    void checkSilence();

    ByteChannel &m_channel;
    LinkClock &m_clock;
    std::atomic<bool> m_aborted = false;
    std::atomic<bool> m_interrupted = false;
    qint64 m_silenceLimit = 0;
    qint64 m_heardAt = 0;   // when bytes from the module were last seen
    qint64 m_leftAfter = 0; // how long it had been silent when taken to be gone
};

} // namespace tessel
