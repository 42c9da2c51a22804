// SPDX-License-Identifier: Apache-2.0
#pragma once

// A simulated module on a virtual line: what the link, session and window tests stand on. The
// clock is virtual, so waits take no real time and their poll counts can be asserted.

#include "core/ModuleSimulator.h"
#include "link/protocol/LinkClock.h"
#include "link/protocol/ModuleLink.h"
#include "link/protocol/ModuleProtocol.h"
#include "link/channels/SimulatedChannel.h"
#include "support/MemoryPatterns.h"

#include <algorithm>

namespace tessel::testing {

// The program's side of the simulated line, for bytes that come at moments the virtual clock
// cannot choose. After holdBackBeyond(n) at most n bytes show until the program reads one, as
// when a reply and a byte right behind it arrive in two parts. After strayAfterRead(n) an
// unasked 88 arrives right after the program's first look at the line behind its n-th read from
// now, as when a stray byte comes just after a watch for it ended.
class LineDelivery final : public ByteChannel {
public:
    explicit LineDelivery(SimulatedChannel &line) : m_line(line) {}

    [[nodiscard]] qint64 bytesAvailable() const override {
        const qint64 all = m_line.bytesAvailable();
        if (m_readsBeforeStray == 0) {
            m_readsBeforeStray = -1;
            m_line.inject(QByteArray(1, static_cast<char>(wire::kAckByte)));
        }
        return m_firstPart < 0 ? all : std::min(all, m_firstPart);
    }
    int readByte() override {
        m_firstPart = -1;
        if (m_readsBeforeStray > 0)
            --m_readsBeforeStray;
        return m_line.readByte();
    }
    bool write(const QByteArray &bytes) override { return m_line.write(bytes); }
    [[nodiscard]] QString lostReason() const override { return m_line.lostReason(); }
    [[nodiscard]] QString name() const override { return m_line.name(); }

    void holdBackBeyond(qint64 firstPart) { m_firstPart = firstPart; }
    void strayAfterRead(int reads) { m_readsBeforeStray = reads; }

private:
    SimulatedChannel &m_line;
    qint64 m_firstPart = -1;
    mutable int m_readsBeforeStray = -1;
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
    LineDelivery delivery;
    ModuleLink link;
    ModuleProtocol protocol;
};

} // namespace tessel::testing
