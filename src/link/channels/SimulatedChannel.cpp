// SPDX-License-Identifier: Apache-2.0
#include "link/channels/SimulatedChannel.h"

#include <QPointer>

namespace tessel {

SimulatedChannel::SimulatedChannel(ModuleSimulator &module, LinkClock &clock, QObject *parent)
    : ByteChannel(parent), m_module(module), m_clock(clock) {}

int SimulatedChannel::readByte() {
    if (m_received.isEmpty())
        return -1;
    const auto b = static_cast<quint8>(m_received.front());
    m_received.remove(0, 1);
    return b;
}

bool SimulatedChannel::write(const QByteArray &bytes) {
    if (m_module.lineDropped())
        return false;
    m_written += bytes;
    for (auto &reply : m_module.receive(bytes, m_clock.nowMicros())) {
        QPointer<SimulatedChannel> self(this);
        m_clock.callAfter(reply.delayMicros, [self, data = std::move(reply.bytes)] {
            if (self)
                self->inject(data);
        });
    }
    return true;
}

void SimulatedChannel::inject(const QByteArray &bytes) {
    m_received += bytes;
}

QString SimulatedChannel::lostReason() const {
    return m_module.lineDropped()
               ? SimulatedChannel::tr("The connection to the simulated module was "
                                      "lost.")
               : QString();
}

QString SimulatedChannel::name() const {
    return QStringLiteral("simulated %1").arg(moduleKindName(m_module.kind()));
}

} // namespace tessel
