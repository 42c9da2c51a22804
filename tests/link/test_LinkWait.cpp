// The line to a device on the wall clock: a silent module is slept through rather than polled,
// and data, the operator and a line lost (a serial device gone, a device server that closes or
// resets the connection, each told apart) end a wait at once.

#include "PseudoTerminal.h"
#include "link/ModuleConnection.h"
#include "link/TcpChannel.h"
#include "support/TestMain.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>
#include <sys/socket.h>

using namespace tessel;
using tessel::test::Pty;

namespace {
enum Event { Silence, Byte, LineLost, Abort, SimulatedReply, ServerCloses, ServerResets };
} // namespace

class LinkWaitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tcpPortName_isReadOrRefused_data();
    void tcpPortName_isReadOrRefused();
    void wait_sleepsUntilItsEndOrAnEvent_data();
    void wait_sleepsUntilItsEndOrAnEvent();
};

void LinkWaitTest::tcpPortName_isReadOrRefused_data() {
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

void LinkWaitTest::tcpPortName_isReadOrRefused() {
    QFETCH(QString, name);
    QFETCH(QString, host);
    QFETCH(int, port);
    const auto address = parseTcpPortName(name);
    QCOMPARE(address ? address->host : QString(), host);
    QCOMPARE(address ? int(address->port) : 0, port);
}

void LinkWaitTest::wait_sleepsUntilItsEndOrAnEvent_data() {
    QTest::addColumn<int>("event");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("failure"); // what the failure says
    QTest::newRow("silence to the end of its polls") << int(Silence) << false << "";
    QTest::newRow("a byte on the port") << int(Byte) << true << "";
    QTest::newRow("the operator's cancel") << int(Abort) << false << "cancelled";
    QTest::newRow("the serial device gone")
        << int(LineLost) << false << "was lost: the device disappeared";
    // The built-in module answers from a timer, as in the window's simulated run.
    QTest::newRow("the simulated module's reply") << int(SimulatedReply) << true << "";
    QTest::newRow("server closes")
        << int(ServerCloses) << false << "was lost: the device server closed it.";
    QTest::newRow("server resets")
        << int(ServerResets) << false << "was lost: the connection was reset";
}

void LinkWaitTest::wait_sleepsUntilItsEndOrAnEvent() {
    QFETCH(int, event);
    QFETCH(bool, answered);
    QFETCH(QString, failure);
    constexpr int kSilentPolls = 3000; // 0.3 s; an event ends a wait of 15 s
    constexpr int kEventAfterMs = 50;
    Pty pty;
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const bool tcp = event == ServerCloses || event == ServerResets;
    QString error;
    SimulatorFaults faults;
    faults.analogDelayMicros = kEventAfterMs * 1000;
    const auto connection =
        event == SimulatedReply ? ModuleConnection::simulate(ModuleKind::Threshold, faults)
        : tcp                   ? ModuleConnection::openPort(
                                      QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort()), error)
              : ModuleConnection::openPort(pty.path, error);
    QVERIFY2(connection, qPrintable(error));
    QVERIFY(!tcp || QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 3000));
    QTcpSocket *peer = server.nextPendingConnection();
    ControllerLink &link = connection->link();
    if (event == SimulatedReply)
        QVERIFY(link.send(wire::readAnalogInput(0)));
    QTimer::singleShot(kEventAfterMs, [&] {
        if (event == Byte)
            pty.answer(QByteArray(1, 88));
        else if (event == LineLost)
            pty.closeMaster();
        else if (event == Abort)
            link.abort();
        if (event == ServerResets) { // closing with a zero linger time sends a reset
            const linger now{1, 0};
            ::setsockopt(static_cast<int>(peer->socketDescriptor()), SOL_SOCKET, SO_LINGER, &now,
                         sizeof now);
        }
        if (tcp)
            peer->close();
    });
    int sleeps = 0;
    const auto counter =
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, [&sleeps] { ++sleeps; });
    QElapsedTimer waited;
    waited.start();
    QCOMPARE(link.receive(event == Silence ? kSilentPolls : polls::kStoreConfirm) >= 0, answered);
    const qint64 ms = waited.elapsed();
    QObject::disconnect(counter);
    // Never before its polls are spent, and at once after an event...
    const qint64 end = event == Silence ? kSilentPolls * LinkClock::kPollMicros / 1000 : 0;
    QVERIFY2(ms >= end && ms < end + 1000, qPrintable(QString::number(ms)));
    // ...without waking up every poll or every millisecond on the way.
    QVERIFY2(sleeps <= 3, qPrintable(QString::number(sleeps)));
    QCOMPARE(link.aborted(), event == Abort);
    QVERIFY2(failure.isEmpty() ? link.failure().isEmpty() : link.failure().contains(failure),
             qPrintable(link.failure()));
    QCOMPARE(link.send("x"), failure.isEmpty()); // nothing more goes out after a failure
}

TESSEL_TEST_OBJECT(LinkWaitTest);
#include "test_LinkWait.moc"
