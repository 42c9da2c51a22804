#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <map>

namespace tessel {

// The time base of every wait for the module. A wait is counted in polls, a poll being
// worth 100 microseconds of this clock's time: a wait of N polls ends once N x 100 us have
// passed, however often the program woke in between.
class LinkClock {
public:
    static constexpr qint64 kPollMicros = 100;

    virtual ~LinkClock() = default;
    [[nodiscard]] virtual qint64 nowMicros() const = 0;
    // One pass of event processing, as at the start of every poll.
    virtual void processEvents() = 0;
    // Sleeps until something happens (data, a timer, operator input) or maxMicros have passed.
    virtual void idle(qint64 maxMicros) = 0;
    // Run fn once, delayMicros from now, from the event loop.
    virtual void callAfter(qint64 delayMicros, std::function<void()> fn) = 0;
};

// Wall-clock time. Idling blocks in the event loop with one timer for the end of the wait, so
// a silent module wakes the program only when the wait is over.
class RealClock final : public LinkClock {
public:
    RealClock();
    [[nodiscard]] qint64 nowMicros() const override;
    void processEvents() override;
    void idle(qint64 maxMicros) override;
    void callAfter(qint64 delayMicros, std::function<void()> fn) override;

private:
    QElapsedTimer m_elapsed;
    QTimer m_wakeUp;
};

// Test time: every idle advances exactly one poll (less when the wait ends sooner), so poll
// counts hold exactly and a 15-second time-out costs milliseconds of real time.
class VirtualClock final : public LinkClock {
public:
    [[nodiscard]] qint64 nowMicros() const override { return m_now; }
    void processEvents() override;
    void idle(qint64 maxMicros) override;
    void callAfter(qint64 delayMicros, std::function<void()> fn) override;

    // Let virtual time pass without a link wait (for tests of timed behaviour).
    void advance(qint64 micros);
    [[nodiscard]] qint64 idleCount() const { return m_idles; }

private:
    void runDue();

    qint64 m_now = 0;
    qint64 m_idles = 0;
    qint64 m_polls = 0;
    std::multimap<qint64, std::function<void()>> m_due;
};

} // namespace tessel
