// SPDX-License-Identifier: Apache-2.0
#include "link/protocol/ModuleConnection.h"

#include "link/channels/SerialChannel.h"
#include "link/channels/SimulatedChannel.h"
#include "link/channels/TcpChannel.h"

namespace tessel {

namespace {

// The channel a port name stands for. Kinds of port are told apart by the form of the name:
// "tcp://HOST:PORT" is a serial device server on the network, every other name a serial port
// (COM3, ttyUSB0, /dev/ttyUSB0).
std::unique_ptr<ByteChannel> openChannel(const QString &portName, QString &error,
                                         bool *lineFailed) {
    if (isTcpPortName(portName)) {
        auto tcp = std::make_unique<TcpChannel>();
        error = tcp->open(portName);
        if (lineFailed)
            *lineFailed = !error.isEmpty() && parseTcpPortName(portName) && !tcp->hostUnknown();
        return error.isEmpty() ? std::move(tcp) : nullptr;
    }
    auto serial = std::make_unique<SerialChannel>();
    error = serial->open(portName);
    return error.isEmpty() ? std::move(serial) : nullptr;
}

} // namespace

ModuleConnection::ModuleConnection(LinkClock *clock)
    : m_ownClock(clock ? nullptr : std::make_unique<RealClock>()),
      m_clock(clock ? *clock : *m_ownClock) {}

ModuleConnection::~ModuleConnection() = default;

std::unique_ptr<ModuleConnection> ModuleConnection::openPort(const QString &portName,
                                                             QString &error, LinkClock *clock,
                                                             bool *lineFailed) {
    std::unique_ptr<ByteChannel> channel = openChannel(portName, error, lineFailed);
    if (!channel)
        return nullptr;
    std::unique_ptr<ModuleConnection> connection(new ModuleConnection(clock));
    connection->attach(std::move(channel));
    return connection;
}

std::unique_ptr<ModuleConnection>
ModuleConnection::simulate(ModuleKind kind, const SimulatorFaults &faults, LinkClock *clock) {
    std::unique_ptr<ModuleConnection> connection(new ModuleConnection(clock));
    connection->m_simulator = std::make_unique<ModuleSimulator>(kind, faults);
    connection->attach(
        std::make_unique<SimulatedChannel>(*connection->m_simulator, connection->m_clock));
    return connection;
}

void ModuleConnection::attach(std::unique_ptr<ByteChannel> channel) {
    m_channel = std::move(channel);
    m_link = std::make_unique<ModuleLink>(*m_channel, m_clock);
    m_protocol = std::make_unique<ModuleProtocol>(*m_link);
}

} // namespace tessel
