// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ModuleSimulator.h"
#include "link/channels/ByteChannel.h"
#include "link/protocol/LinkClock.h"

namespace tessel {

// A simulated module behind the byte-channel interface: replies arrive through the event
// loop after the simulator's delay, as they would from a real port.
class SimulatedChannel final : public ByteChannel {
    Q_OBJECT
public:
    SimulatedChannel(ModuleSimulator &module, LinkClock &clock, QObject *parent = nullptr);

    [[nodiscard]] qint64 bytesAvailable() const override { return m_received.size(); }
    int readByte() override;
    bool write(const QByteArray &bytes) override;
    [[nodiscard]] QString lostReason() const override;
    [[nodiscard]] QString name() const override;

    // Bytes that reach the program as if the module had sent them (tests of stray input).
    void inject(const QByteArray &bytes);
    // Everything the program has written, in order.
    [[nodiscard]] const QByteArray &written() const { return m_written; }

private:
    ModuleSimulator &m_module;
    LinkClock &m_clock;
    QByteArray m_received;
    QByteArray m_written;
};

} // namespace tessel
