// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QObject>
#include <array>
#include <csignal>

class QSocketNotifier;

namespace tessel {

// Turns SIGINT (Ctrl-C), SIGTERM and SIGHUP (a closed terminal or a dropped SSH session) into a
// Qt signal delivered by the event loop, for as long as
// it lives, so that a command can end what it is doing cleanly instead of dying mid-block.
// The handler only writes the signal's number into a pipe; everything else happens when the
// event loop reads it (a wait for the module runs the event loop at every poll). A signal that
// was ignored when the watch began stays ignored. One watch at a time; the handlers in place
// before it are restored when it goes.
class InterruptWatch : public QObject {
    Q_OBJECT
public:
    InterruptWatch();
    ~InterruptWatch() override;
    InterruptWatch(const InterruptWatch &) = delete;
    InterruptWatch &operator=(const InterruptWatch &) = delete;

    // The first signal received; 0 while none.
    [[nodiscard]] int received() const { return m_first; }

Q_SIGNALS:
    void interrupted(int signal);

private:
    void drain();

    static constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, kSignals.size()> m_previous{};
    std::array<int, 2> m_pipe = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    int m_first = 0;
};

} // namespace tessel
