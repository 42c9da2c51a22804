// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QElapsedTimer>
#include <atomic>
#include <functional>
#include <map>

namespace tessel {

class ByteChannel;

// The time base of every wait for the module. A wait is counted in polls, a poll being
// worth 100 microseconds of this clock's time: a wait of N polls ends once N x 100 us have
// passed, however often the program woke in between. A clock belongs to the thread of the
// session that waits on it; nowMicros() may be read from any thread.
class LinkClock {
public:
    static constexpr qint64 kPollMicros = 100;

    virtual ~LinkClock() = default;
    [[nodiscard]] virtual qint64 nowMicros() const = 0;
    // Runs what callAfter() made due by now, as at the start of every poll.
    virtual void catchUp() = 0;
    // Sleeps until `channel` has news, something made due by callAfter() comes up, the channel
    // is woken, or maxMicros have passed.
    virtual void idle(ByteChannel &channel, qint64 maxMicros) = 0;
    // Runs fn once, delayMicros from now, inside a wait or a catch-up of this clock.
    virtual void callAfter(qint64 delayMicros, std::function<void()> fn) = 0;

protected:
    // Runs every function due at or before `now`, earliest first.
    void runDue(qint64 now);
    [[nodiscard]] bool nothingDue() const { return m_due.empty(); }
    [[nodiscard]] qint64 nextDue() const { return m_due.begin()->first; }
    void schedule(qint64 at, std::function<void()> fn) { m_due.emplace(at, std::move(fn)); }

private:
    std::multimap<qint64, std::function<void()>> m_due;
};

// Wall-clock time. Idling blocks the thread on the channel (its descriptor and its wake
// signal), so a silent module wakes the program only when the wait is over.
class RealClock final : public LinkClock {
public:
    RealClock();
    [[nodiscard]] qint64 nowMicros() const override;
    void catchUp() override { runDue(nowMicros()); }
    void idle(ByteChannel &channel, qint64 maxMicros) override;
    void callAfter(qint64 delayMicros, std::function<void()> fn) override;

private:
    QElapsedTimer m_elapsed;
};

// Test time: every idle advances exactly one poll (less when the wait ends sooner) without
// sleeping, so poll counts hold exactly and a 15-second time-out costs milliseconds of real
// time.
class VirtualClock final : public LinkClock {
public:
    [[nodiscard]] qint64 nowMicros() const override { return m_now; }
    void catchUp() override { runDue(m_now); }
    void idle(ByteChannel &channel, qint64 maxMicros) override;
    void callAfter(qint64 delayMicros, std::function<void()> fn) override;

    // Let virtual time pass without a link wait (for tests of timed behaviour).
    void advance(qint64 micros);

private:
    std::atomic<qint64> m_now = 0;
};

} // namespace tessel
