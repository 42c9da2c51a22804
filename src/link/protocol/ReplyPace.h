// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QtGlobal>

namespace tessel {

// How late this module answers on this line, as far as it has shown: the time from a command
// to the first byte of its reply, and the longest pause between two bytes of one reply. A
// radio bridge or a device server far away makes a module answer seconds late; a reply that
// comes after its attempt gave up shows it, and every later wait is lengthened to match, so
// that the next attempt waits for its own reply instead of giving up before it comes.
class ReplyPace {
public:
    // The longest latency and pause the waits follow: replies later than this are taken to be
    // lost, as a module that does not answer at all would be.
    static constexpr qint64 kLongestLatencyMicros = 3'200'000;
    static constexpr qint64 kLongestPauseMicros = 1'200'000;

    // Every reply is waited for at least this long, whatever has been seen (the operator's
    // --reply-wait); 0 for none.
    void setLeastWait(qint64 micros) { m_leastWait = micros; }
    // A reply's first byte came `micros` after its command.
    void sawLatency(qint64 micros);
    // A byte came `micros` after the one before it in the same reply.
    void sawPause(qint64 micros);

    // Polls to wait for a whole reply of `length` bytes: `basePolls` (the wait of a module that
    // answers at once), or longer when this module has shown it needs it.
    [[nodiscard]] int waitPolls(int basePolls, int length) const;
    // "replies arrive about 1.1 s after each command, with pauses of up to 0.4 s between
    // their bytes"; empty while nothing late was seen.
    [[nodiscard]] QString describe() const;

private:
    qint64 m_latency = 0;
    qint64 m_pause = 0;
    qint64 m_leastWait = 0;
};

} // namespace tessel
