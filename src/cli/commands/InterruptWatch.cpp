// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/InterruptWatch.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tessel {

namespace {
// The pipe's write end, for the handler: a lock-free atomic is safe to read there.
std::atomic<int> s_writeEnd{-1};

extern "C" void onSignal(int signal) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // A full pipe already holds enough signals to act on; nothing else can be done here.
    [[maybe_unused]] const ssize_t written = ::write(s_writeEnd.load(), &byte, 1);
    errno = savedErrno;
}
} // namespace

InterruptWatch::InterruptWatch() {
    Q_ASSERT(s_writeEnd.load() < 0);
    if (::pipe2(m_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their usual effect
    s_writeEnd.store(m_pipe[1]);
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InterruptWatch::drain);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a read or write of the port is resumed, not failed
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], nullptr, &m_previous[i]);
        // A signal ignored by whoever started the program (nohup, a background job of a
        // script) stays ignored.
        if (m_previous[i].sa_handler != SIG_IGN)
            sigaction(kSignals[i], &action, nullptr);
    }
}

InterruptWatch::~InterruptWatch() {
    if (m_pipe[0] < 0)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &m_previous[i], nullptr);
    s_writeEnd.store(-1);
    delete m_notifier;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void InterruptWatch::drain() {
    unsigned char byte = 0;
    while (::read(m_pipe[0], &byte, 1) == 1) {
        if (m_first == 0)
            m_first = byte;
        Q_EMIT interrupted(byte);
    }
}

} // namespace tessel
