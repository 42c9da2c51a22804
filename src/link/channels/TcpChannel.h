// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/channels/DeviceChannel.h"

#include <QTcpSocket>
#include <optional>

namespace tessel {

// Where a "tcp://HOST:PORT" port name points.
struct TcpAddress {
    QString host;
    quint16 port = 0;
    // "HOST:PORT" as messages name it ("[::1]:4001" for an IPv6 address).
    [[nodiscard]] QString text() const;
};

// True for a port name that asks for a network connection rather than a serial port.
[[nodiscard]] bool isTcpPortName(const QString &portName);
// The address in "tcp://HOST:PORT"; nothing when the name is not of that form or the port
// number is not 1..65535.
[[nodiscard]] std::optional<TcpAddress> parseTcpPortName(const QString &portName);

// A module behind a serial device server that passes raw bytes over TCP. A refused
// connection, a host that does not answer in time and a connection dropped later are each
// named in the message; a dropped one is handled like a lost serial line.
class TcpChannel final : public DeviceChannel {
    Q_OBJECT
public:
    static constexpr int kConnectTimeoutMs = 5000;

    explicit TcpChannel(QObject *parent = nullptr);
    ~TcpChannel() override;

    // Connects, waiting at most `timeoutMs`; on failure returns a message that names the
    // address and the cause.
    [[nodiscard]] QString open(const QString &portName, int timeoutMs = kConnectTimeoutMs);

    [[nodiscard]] QString name() const override { return m_name; }
    // After a failed open: the host's name is not known, a mistake in the port name rather
    // than a line that failed.
    [[nodiscard]] bool hostUnknown() const;

private:
    void pushOut() override { m_socket.flush(); }
    [[nodiscard]] int descriptor() const override {
        return static_cast<int>(m_socket.socketDescriptor());
    }
    [[nodiscard]] QString whyNotConnected(const QString &address) const;
    void onError(QAbstractSocket::SocketError error);
    [[nodiscard]] bool wasReset() const;
    void stopWatching();

    QTcpSocket m_socket;
    QString m_name;
    bool m_open = false;
    int m_watch = -1; // a copy of the socket's descriptor that outlives Qt's
};

} // namespace tessel
