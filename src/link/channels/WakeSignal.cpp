// SPDX-License-Identifier: Apache-2.0
#include "link/channels/WakeSignal.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tessel {

WakeSignal::WakeSignal() : m_event(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakeSignal::~WakeSignal() {
    if (m_event >= 0)
        ::close(m_event);
}

void WakeSignal::raise() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_event, &one, sizeof one);
}

bool WakeSignal::wait(int descriptor, int timeoutMs) {
    // poll() leaves out a negative descriptor, so a line already closed only waits for a wake.
    std::array<pollfd, 2> watched{{{m_event, POLLIN, 0}, {descriptor, POLLIN, 0}}};
    int ready = 0;
    do {
        ready = ::poll(watched.data(), watched.size(), timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return false;
    if (watched[0].revents != 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] const auto read = ::read(m_event, &count, sizeof count);
    }
    return descriptor >= 0 && watched[1].revents != 0;
}

} // namespace tessel
