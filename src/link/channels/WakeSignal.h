// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace tessel {

// Lets the thread that waits for a module sleep until its line has news or another thread
// wakes it: an eventfd polled beside the line's own descriptor. A wait ends the moment it is
// woken and costs nothing while it sleeps; a wake that finds no wait ends the next one.
class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal &) = delete;
    WakeSignal &operator=(const WakeSignal &) = delete;

    // From any thread.
    void raise();
    // Sleeps until `descriptor` (none when negative) can be read or has hung up, raise() was
    // called, or `timeoutMs` have passed; true when the descriptor is what ended it.
    bool wait(int descriptor, int timeoutMs);

private:
    int m_event;
};

} // namespace tessel
