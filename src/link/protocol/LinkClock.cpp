#include "link/protocol/LinkClock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <limits>

namespace tessel {

RealClock::RealClock() {
    m_elapsed.start();
    m_wakeUp.setSingleShot(true);
    m_wakeUp.setTimerType(Qt::PreciseTimer);
}

qint64 RealClock::nowMicros() const {
    return m_elapsed.nsecsElapsed() / 1000;
}

void RealClock::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void RealClock::idle(qint64 maxMicros) {
    // The wake-up timer ends the sleep when the wait is over; serial data, operator input and
    // reply timers of the simulated module end it sooner through the event loop. Rounding up
    // to whole milliseconds wakes the program once at the end of a wait, not once too early.
    if (maxMicros <= 0)
        return;
    const qint64 ms = std::min<qint64>((maxMicros + 999) / 1000, std::numeric_limits<int>::max());
    m_wakeUp.start(static_cast<int>(ms));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m_wakeUp.stop();
}

void RealClock::callAfter(qint64 delayMicros, std::function<void()> fn) {
    const auto ms = static_cast<int>(std::max<qint64>(0, (delayMicros + 999) / 1000));
    QTimer::singleShot(ms, Qt::PreciseTimer, QCoreApplication::instance(), std::move(fn));
}

void VirtualClock::processEvents() {
    // Virtual polls come by the million in a test; a full pass of the event loop on every one
    // would make a 15-second time-out take seconds of real time. Posted events go out on every
    // poll, timers and window-system events on every 64th.
    if (++m_polls % 64 == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    else
        QCoreApplication::sendPostedEvents();
    runDue();
}

void VirtualClock::idle(qint64 maxMicros) {
    ++m_idles;
    advance(std::min(maxMicros, kPollMicros));
}

void VirtualClock::advance(qint64 micros) {
    m_now += std::max<qint64>(0, micros);
    runDue();
}

void VirtualClock::callAfter(qint64 delayMicros, std::function<void()> fn) {
    m_due.emplace(m_now + std::max<qint64>(0, delayMicros), std::move(fn));
}

void VirtualClock::runDue() {
    while (!m_due.empty() && m_due.begin()->first <= m_now) {
        auto fn = std::move(m_due.begin()->second);
        m_due.erase(m_due.begin());
        fn();
    }
}

} // namespace tessel
