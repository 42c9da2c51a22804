#include "link/ControllerLink.h"
#include "link/ModuleConnection.h"
#include "link/TcpChannel.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tessel;

namespace {
QString localName(quint16 port) {
    return QStringLiteral("tcp://127.0.0.1:%1").arg(port);
}

// A listening socket whose queue is already full: the kernel drops further connection
// requests, so a client waits as it would for a host that does not answer.
class SaturatedListener {
public:
    SaturatedListener() {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
            ::listen(m_listener, 0) != 0 ||
            ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        // Fill the accept queue, never accepting.
        for (int &filler : m_fillers) {
            filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(filler, reinterpret_cast<sockaddr *>(&address), sizeof address);
        }
        QThread::msleep(50);
    }
    ~SaturatedListener() {
        for (const int filler : m_fillers)
            ::close(filler);
        ::close(m_listener);
    }
    SaturatedListener(const SaturatedListener &) = delete;
    SaturatedListener &operator=(const SaturatedListener &) = delete;
    [[nodiscard]] quint16 port() const { return m_port; }

private:
    int m_listener = -1;
    int m_fillers[3] = {-1, -1, -1};
    quint16 m_port = 0;
};

// A device server on this machine; it hands out the connection it accepted.
struct LocalServer {
    QTcpServer server;
    QTcpSocket *peer = nullptr;

    LocalServer() {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, &server,
                         [this] { peer = server.nextPendingConnection(); });
    }
    bool waitForPeer() {
        return QTest::qWaitFor([this] { return peer != nullptr; }, 3000);
    }
};
} // namespace

class TcpChannelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void portName_isReadOrRefused_data();
    void portName_isReadOrRefused();
    void everyByteValue_crossesBothWays();
    void refusedConnection_saysSo();
    void silentHost_givesUpAtTheTimeout();
    void droppedConnection_endsTheWaitWithItsReason_data();
    void droppedConnection_endsTheWaitWithItsReason();
    void connectionFactory_opensNetworkNamesAsNetworkPorts();
};

void TcpChannelTest::portName_isReadOrRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("host"); // empty: refused
    QTest::addColumn<int>("port");
    QTest::newRow("name and port") << "tcp://jig-3.local:4001"
                                   << "jig-3.local" << 4001;
    QTest::newRow("ipv6") << "tcp://[::1]:65535"
                          << "::1" << 65535;
    QTest::newRow("no port") << "tcp://host"
                             << "" << 0;
    QTest::newRow("port too large") << "tcp://host:65536"
                                    << "" << 0;
    QTest::newRow("serial device") << "/dev/ttyUSB0"
                                   << "" << 0;
}

void TcpChannelTest::portName_isReadOrRefused() {
    QFETCH(QString, name);
    QFETCH(QString, host);
    QFETCH(int, port);
    const auto address = parseTcpPortName(name);
    QCOMPARE(address.has_value(), !host.isEmpty());
    if (!address) {
        TcpChannel channel;
        const QString error = channel.open(name);
        QVERIFY2(!error.isEmpty(), qPrintable(name));
        return;
    }
    QCOMPARE(address->host, host);
    QCOMPARE(int(address->port), port);
}

void TcpChannelTest::everyByteValue_crossesBothWays() {
    LocalServer server;
    TcpChannel channel;
    QCOMPARE(channel.open(localName(server.server.serverPort())), QString());
    QVERIFY(server.waitForPeer());
    QCOMPARE(channel.name(), QStringLiteral("tcp://127.0.0.1:%1").arg(server.server.serverPort()));

    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    QVERIFY(channel.write(all));
    QByteArray atServer;
    QVERIFY(QTest::qWaitFor(
        [&] {
            atServer += server.peer->readAll();
            return atServer.size() >= all.size();
        },
        3000));
    QCOMPARE(atServer, all);

    server.peer->write(all);
    QVERIFY(QTest::qWaitFor([&] { return channel.bytesAvailable() == all.size(); }, 3000));
    for (int b = 0; b < 256; ++b)
        QCOMPARE(channel.readByte(), b);
    QCOMPARE(channel.readByte(), -1);
    QCOMPARE(channel.lostReason(), QString());
}

void TcpChannelTest::refusedConnection_saysSo() {
    quint16 port = 0;
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        port = closed.serverPort();
    }
    TcpChannel channel;
    QElapsedTimer took;
    took.start();
    const QString error = channel.open(localName(port));
    QVERIFY2(error.contains(QStringLiteral("127.0.0.1:%1").arg(port)), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("refused")), qPrintable(error));
    QVERIFY(took.elapsed() < 2000);
    QVERIFY(!channel.write("x"));
}

void TcpChannelTest::silentHost_givesUpAtTheTimeout() {
    const SaturatedListener listener;
    QVERIFY(listener.port() != 0);
    TcpChannel channel;
    QElapsedTimer took;
    took.start();
    const QString error = channel.open(localName(listener.port()), 400);
    const qint64 ms = took.elapsed();
    QVERIFY2(error.contains(QLatin1String("did not answer within 0.4 s")), qPrintable(error));
    QVERIFY2(ms >= 390 && ms < 2500, qPrintable(QString::number(ms)));
    QVERIFY(!channel.write("x"));
}

void TcpChannelTest::droppedConnection_endsTheWaitWithItsReason_data() {
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QString>("reason");
    QTest::newRow("closed") << false << "was lost: the device server closed it.";
    QTest::newRow("reset") << true << "was lost: the connection was reset";
}

void TcpChannelTest::droppedConnection_endsTheWaitWithItsReason() {
    QFETCH(bool, reset);
    QFETCH(QString, reason);
    LocalServer server;
    TcpChannel channel;
    RealClock clock;
    ControllerLink link(channel, clock);
    QCOMPARE(channel.open(localName(server.server.serverPort())), QString());
    QVERIFY(server.waitForPeer());
    // The server takes the command, then goes away before it answers.
    QObject::connect(server.peer, &QTcpSocket::readyRead, server.peer, [&] {
        if (reset) { // closing with a zero linger time sends a reset
            const linger now{1, 0};
            ::setsockopt(static_cast<int>(server.peer->socketDescriptor()), SOL_SOCKET, SO_LINGER,
                         &now, sizeof now);
        }
        server.peer->close();
    });
    QVERIFY(link.send(QByteArray("\x01\x03", 2)));
    QElapsedTimer took;
    took.start();
    QCOMPARE(link.GetI2(), -1); // a 15-second wait, ended by the drop
    QVERIFY(took.elapsed() < 3000);
    QVERIFY2(link.failure().contains(reason), qPrintable(link.failure()));
    QVERIFY(!link.send("x"));
}

void TcpChannelTest::connectionFactory_opensNetworkNamesAsNetworkPorts() {
    LocalServer server;
    QString error;
    const auto connection =
        ModuleConnection::openPort(localName(server.server.serverPort()), error);
    QVERIFY2(connection, qPrintable(error));
    QCOMPARE(connection->where(),
             QStringLiteral("tcp://127.0.0.1:%1").arg(server.server.serverPort()));
    QVERIFY(server.waitForPeer());
    // The server acknowledges the link test when its bytes arrive.
    QObject::connect(server.peer, &QTcpSocket::readyRead, server.peer,
                     [&] { server.peer->write(QByteArray(1, 88)); });
    QCOMPARE(connection->protocol().linkTestRepeated(1), 1);
    QVERIFY(QTest::qWaitFor([&] { return server.peer->bytesAvailable() == 2; }, 3000));
    QCOMPARE(server.peer->readAll(), wire::linkTest());

    QVERIFY(!ModuleConnection::openPort(QStringLiteral("tcp://127.0.0.1"), error));
    QVERIFY2(error.contains(QLatin1String("tcp://HOST:PORT")), qPrintable(error));
}

TESSEL_TEST_OBJECT(TcpChannelTest);
#include "test_TcpChannel.moc"
