// SPDX-License-Identifier: Apache-2.0
#include "link/channels/TcpChannel.h"

#include <QUrl>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tessel {

namespace {
const QLatin1String kScheme("tcp://");
} // namespace

QString TcpAddress::text() const {
    const QString shown = host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(host) : host;
    return QStringLiteral("%1:%2").arg(shown).arg(port);
}

bool isTcpPortName(const QString &portName) {
    return portName.trimmed().startsWith(kScheme, Qt::CaseInsensitive);
}

std::optional<TcpAddress> parseTcpPortName(const QString &portName) {
    if (!isTcpPortName(portName))
        return std::nullopt;
    const QUrl url(portName.trimmed(), QUrl::StrictMode);
    const int port = url.port();
    if (!url.isValid() || url.host().isEmpty() || port < 1 || port > 65535 ||
        !url.userInfo().isEmpty() || !(url.path().isEmpty() || url.path() == QLatin1String("/")) ||
        url.hasQuery() || url.hasFragment())
        return std::nullopt;
    return TcpAddress{url.host(), static_cast<quint16>(port)};
}

TcpChannel::TcpChannel(QObject *parent) : DeviceChannel(m_socket, parent) {
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TcpChannel::onError);
}

QString TcpChannel::open(const QString &portName, int timeoutMs) {
    const std::optional<TcpAddress> address = parseTcpPortName(portName);
    if (!address) {
        return QStringLiteral("\"%1\" is not a network port: write it as tcp://HOST:PORT, the "
                              "port a number 1 to 65535.")
            .arg(portName);
    }
    // The name the operator writes, so that a command shown in a message can be run as it is.
    m_name = QStringLiteral("tcp://") + address->text();

    // The session's thread waits here: no window waits with it.
    m_socket.connectToHost(address->host, address->port);
    m_socket.waitForConnected(timeoutMs);
    if (m_socket.state() == QAbstractSocket::ConnectedState) {
        m_open = true;
        // Commands are a few bytes each and every one waits for its reply: send them at once.
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_watch = ::fcntl(static_cast<int>(m_socket.socketDescriptor()), F_DUPFD_CLOEXEC, 0);
        return {};
    }
    const QString why = m_socket.error() != QAbstractSocket::SocketTimeoutError
                            ? whyNotConnected(m_name)
                            : TcpChannel::tr("Could not connect to %1: the host did not answer "
                                             "within %2 s.")
                                  .arg(m_name)
                                  .arg(timeoutMs / 1000.0);
    m_socket.abort();
    return why;
}

QString TcpChannel::whyNotConnected(const QString &address) const {
    QString what;
    switch (m_socket.error()) {
    case QAbstractSocket::ConnectionRefusedError:
        what = TcpChannel::tr("the connection was refused. Is the device server on and is this "
                              "its port?");
        break;
    case QAbstractSocket::HostNotFoundError:
        what = TcpChannel::tr("no host of that name is known.");
        break;
    case QAbstractSocket::NetworkError:
        what = TcpChannel::tr("there is no route to the host (%1).").arg(m_socket.errorString());
        break;
    case QAbstractSocket::SocketTimeoutError:
        what = TcpChannel::tr("the connection timed out.");
        break;
    case QAbstractSocket::RemoteHostClosedError:
        what = TcpChannel::tr("the device server closed the connection as it was made.");
        break;
    default:
        what = m_socket.errorString() + QLatin1Char('.');
        break;
    }
    return TcpChannel::tr("Could not connect to %1: %2").arg(address, what);
}

bool TcpChannel::hostUnknown() const {
    return m_socket.error() == QAbstractSocket::HostNotFoundError;
}

TcpChannel::~TcpChannel() {
    stopWatching();
}

void TcpChannel::stopWatching() {
    if (m_watch >= 0)
        ::close(m_watch);
    m_watch = -1;
}

bool TcpChannel::wasReset() const {
    // Qt reports a reset as the remote host closing and has closed its descriptor by then;
    // the state of the connection, seen through our copy of it, tells the two apart.
    tcp_info info{};
    socklen_t length = sizeof info;
    return m_watch >= 0 && ::getsockopt(m_watch, IPPROTO_TCP, TCP_INFO, &info, &length) == 0 &&
           info.tcpi_state == TCP_CLOSE;
}

void TcpChannel::onError(QAbstractSocket::SocketError error) {
    // Failures while connecting are reported by open(); a look at the socket that found
    // nothing to read is no failure.
    if (!m_open || error == QAbstractSocket::SocketTimeoutError)
        return;
    QString why;
    switch (error) {
    case QAbstractSocket::RemoteHostClosedError:
        why = wasReset() ? TcpChannel::tr("the connection was reset (the device server "
                                          "restarted, or the network between dropped it)")
                         : TcpChannel::tr("the device server closed it");
        break;
    case QAbstractSocket::NetworkError:
        why = TcpChannel::tr("there is no route to the host any more (%1)")
                  .arg(m_socket.errorString());
        break;
    case QAbstractSocket::SocketTimeoutError:
        why = TcpChannel::tr("the connection timed out");
        break;
    default:
        why = m_socket.errorString();
        break;
    }
    stopWatching();
    markLost(TcpChannel::tr("The connection to %1 was lost: %2.").arg(m_name, why));
}

} // namespace tessel
