#pragma once

// A simulated module on a virtual line: what the link, session and window tests stand on. The
// clock is virtual, so waits take no real time and their poll counts can be asserted.

#include "core/ModuleSimulator.h"
#include "link/ControllerLink.h"
#include "link/LinkClock.h"
#include "link/ModuleProtocol.h"
#include "link/SimulatedChannel.h"

#include <algorithm>

namespace tessel::testing {

// The program's side of the simulated line. It can hold received bytes back: after
// holdBackBeyond(n) at most n bytes show until the program reads one, as when a reply and a
// byte right behind it arrive in two parts (the virtual clock otherwise delivers at once).
class TwoPartDelivery final : public ByteChannel {
public:
    explicit TwoPartDelivery(SimulatedChannel &line) : m_line(line) {}

    [[nodiscard]] qint64 bytesAvailable() const override {
        const qint64 all = m_line.bytesAvailable();
        return m_firstPart < 0 ? all : std::min(all, m_firstPart);
    }
    int readByte() override {
        m_firstPart = -1;
        return m_line.readByte();
    }
    bool write(const QByteArray &bytes) override { return m_line.write(bytes); }
    [[nodiscard]] QString lostReason() const override { return m_line.lostReason(); }
    [[nodiscard]] QString name() const override { return m_line.name(); }

    void holdBackBeyond(qint64 firstPart) { m_firstPart = firstPart; }

private:
    SimulatedChannel &m_line;
    qint64 m_firstPart = -1;
};

struct SimulatedLine {
    explicit SimulatedLine(ModuleKind kind, SimulatorFaults faults = {},
                           qint64 replyDelayMicros = kModuleReplyDelayMicros)
        : module(kind, faults, replyDelayMicros), channel(module, clock), delivery(channel),
          link(delivery, clock), protocol(link) {}

    // Number of commands the module received that start with these two bytes.
    int commands(int first, int second) const { return module.countCommands(first, second); }

    VirtualClock clock;
    ModuleSimulator module;
    SimulatedChannel channel;
    TwoPartDelivery delivery;
    ControllerLink link;
    ModuleProtocol protocol;
};

} // namespace tessel::testing
