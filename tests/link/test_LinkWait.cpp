// The line to a device on the wall clock: a port name opens the device it stands for, a silent
// module is slept through rather than polled, and data, the operator and a lost line still end
// a wait at once.

#include "PseudoTerminal.h"
#include "link/ModuleConnection.h"
#include "support/TestMain.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <unistd.h>

using namespace tessel;
using tessel::test::Pty;

namespace {

constexpr int kSilentPolls = 3000; // 0.3 s
constexpr qint64 kPromptMs = 1000; // far below the 15 s of GetI2, far above any wake-up
constexpr int kEventAfterMs = 50;

// How often the event loop went to sleep: each sleep is one wake-up of the program.
class SleepCounter {
public:
    SleepCounter() {
        m_connection =
            QObject::connect(QAbstractEventDispatcher::instance(),
                             &QAbstractEventDispatcher::aboutToBlock, [this] { ++m_sleeps; });
    }
    ~SleepCounter() { QObject::disconnect(m_connection); }
    SleepCounter(const SleepCounter &) = delete;
    SleepCounter &operator=(const SleepCounter &) = delete;
    [[nodiscard]] int sleeps() const { return m_sleeps; }

private:
    QMetaObject::Connection m_connection;
    int m_sleeps = 0;
};

// The program's line to a pseudo-terminal, on the wall clock.
struct SerialLink {
    explicit SerialLink(const QString &device)
        : connection(ModuleConnection::openPort(device, error)) {}
    [[nodiscard]] ControllerLink &link() const { return connection->link(); }
    QString error;
    std::unique_ptr<ModuleConnection> connection;
};

} // namespace

class LinkWaitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void silentPort_isSleptThroughToTheEndOfItsPolls();
    void byteOnThePort_endsTheWaitAtOnce();
    void lostLine_endsTheWaitAtOnce();
    void abort_endsTheWaitAtOnce();
    void simulatedReply_endsTheWaitAtOnce();
    void openPort_talksToTheDeviceTheNameStandsFor();
    void openPort_saysWhyAPortDoesNotOpen();
};

void LinkWaitTest::silentPort_isSleptThroughToTheEndOfItsPolls() {
    Pty pty;
    SerialLink serial(pty.path);
    QVERIFY2(serial.error.isEmpty(), qPrintable(serial.error));
    SleepCounter counter;
    QElapsedTimer waited;
    waited.start();
    QCOMPARE(serial.link().receive(kSilentPolls), -1);
    // Never before its polls are spent...
    QVERIFY2(waited.elapsed() >= kSilentPolls * LinkClock::kPollMicros / 1000,
             qPrintable(QString::number(waited.elapsed())));
    QVERIFY(waited.elapsed() < kPromptMs);
    // ...and without waking up every poll or every millisecond on the way.
    QVERIFY2(counter.sleeps() <= 3, qPrintable(QString::number(counter.sleeps())));
}

void LinkWaitTest::byteOnThePort_endsTheWaitAtOnce() {
    Pty pty;
    SerialLink serial(pty.path);
    QVERIFY2(serial.error.isEmpty(), qPrintable(serial.error));
    QTimer::singleShot(kEventAfterMs, [&pty] { pty.answer(QByteArray(1, 88)); });
    QElapsedTimer waited;
    waited.start();
    QCOMPARE(serial.link().GetI2(), 88);
    QVERIFY(waited.elapsed() < kPromptMs);
}

void LinkWaitTest::lostLine_endsTheWaitAtOnce() {
    Pty pty;
    SerialLink serial(pty.path);
    QVERIFY2(serial.error.isEmpty(), qPrintable(serial.error));
    QTimer::singleShot(kEventAfterMs, [&pty] { pty.closeMaster(); });
    QElapsedTimer waited;
    waited.start();
    QCOMPARE(serial.link().GetI2(), -1);
    QVERIFY(waited.elapsed() < kPromptMs);
    QVERIFY2(serial.link().failure().contains(QStringLiteral("lost")),
             qPrintable(serial.link().failure()));
}

void LinkWaitTest::abort_endsTheWaitAtOnce() {
    Pty pty;
    SerialLink serial(pty.path);
    QVERIFY2(serial.error.isEmpty(), qPrintable(serial.error));
    QTimer::singleShot(kEventAfterMs, [&serial] { serial.link().abort(); });
    QElapsedTimer waited;
    waited.start();
    QCOMPARE(serial.link().GetI2(), -1);
    QVERIFY(waited.elapsed() < kPromptMs);
    QVERIFY(serial.link().aborted());
}

void LinkWaitTest::simulatedReply_endsTheWaitAtOnce() {
    // The built-in module answers from a timer, as in the window's simulated run.
    SimulatorFaults faults;
    faults.analogDelayMicros = kEventAfterMs * 1000;
    const auto connection = ModuleConnection::simulate(ModuleKind::Threshold, faults);
    SleepCounter counter;
    QElapsedTimer waited;
    waited.start();
    QVERIFY(connection->protocol().readAnalog(0) >= 0);
    QVERIFY(waited.elapsed() >= kEventAfterMs);
    QVERIFY(waited.elapsed() < kPromptMs);
    QVERIFY2(counter.sleeps() <= 3, qPrintable(QString::number(counter.sleeps())));
}

void LinkWaitTest::openPort_talksToTheDeviceTheNameStandsFor() {
    Pty pty;
    QString error;
    const auto connection = ModuleConnection::openPort(pty.path, error);
    QVERIFY2(connection, qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(connection->where(), pty.path);
    // The link test's bytes reach the device, and the device's acknowledge comes back.
    QTimer::singleShot(50, [&pty] { pty.answer(QByteArray(1, 88)); });
    QCOMPARE(connection->protocol().linkTestRepeated(1), 1);
    char sent[2] = {};
    QCOMPARE(::read(pty.master, sent, sizeof sent), qint64(2));
    QCOMPARE(QByteArray(sent, 2), wire::linkTest());
}

void LinkWaitTest::openPort_saysWhyAPortDoesNotOpen() {
    QString error;
    QVERIFY(!ModuleConnection::openPort(QString(), error));
    QCOMPARE(error, QStringLiteral("No port was chosen."));
    error.clear();
    QVERIFY(!ModuleConnection::openPort(QStringLiteral("/dev/tessel-no-such-port"), error));
    QVERIFY2(error.contains(QStringLiteral("/dev/tessel-no-such-port")), qPrintable(error));
}

TESSEL_TEST_OBJECT(LinkWaitTest);
#include "test_LinkWait.moc"
