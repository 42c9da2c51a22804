// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ModuleSimulator.h"
#include "link/channels/ByteChannel.h"
#include "link/protocol/LinkClock.h"
#include "link/protocol/ModuleLink.h"
#include "link/protocol/ModuleProtocol.h"

#include <memory>

namespace tessel {

// The line to one module: its byte channel, the clock of every wait, the module link and
// the protocol over it. The windows and the command line build theirs here, so both talk to a
// module the same way.
class ModuleConnection {
public:
    // Link tests made before the program says that no module answered.
    static constexpr int kLinkTestAttempts = 100;

    // The port a name stands for (COM3, ttyUSB0, a device path); nothing when it cannot be
    // opened, with the reason for the operator in `error`. Waits are timed by `clock`, the wall
    // clock when none is given. `lineFailed` tells a network port that was named right but
    // could not be reached (refused, no route, timed out), a failure of the line rather than of
    // the name.
    [[nodiscard]] static std::unique_ptr<ModuleConnection> openPort(const QString &portName,
                                                                    QString &error,
                                                                    LinkClock *clock = nullptr,
                                                                    bool *lineFailed = nullptr);
    // The built-in simulated module of a kind, answering after a real module's delay.
    [[nodiscard]] static std::unique_ptr<ModuleConnection>
    simulate(ModuleKind kind, const SimulatorFaults &faults = {}, LinkClock *clock = nullptr);

    ~ModuleConnection();
    ModuleConnection(const ModuleConnection &) = delete;
    ModuleConnection &operator=(const ModuleConnection &) = delete;

    [[nodiscard]] ModuleProtocol &protocol() { return *m_protocol; }
    [[nodiscard]] ModuleLink &link() { return *m_link; }
    // What messages call the line: the device ("/dev/ttyUSB0") or "simulated Tessel module".
    [[nodiscard]] QString where() const { return m_channel->name(); }

private:
    explicit ModuleConnection(LinkClock *clock);
    void attach(std::unique_ptr<ByteChannel> channel);

    // Declared in the order they depend on each other, so they are destroyed in reverse.
    std::unique_ptr<LinkClock> m_ownClock;
    LinkClock &m_clock;
    std::unique_ptr<ModuleSimulator> m_simulator;
    std::unique_ptr<ByteChannel> m_channel;
    std::unique_ptr<ModuleLink> m_link;
    std::unique_ptr<ModuleProtocol> m_protocol;
};

} // namespace tessel
