// The serial ports and the line to them: the one remembered (in the working directory or,
// failing that, the configuration folder, with a message that says where), why one does not open
// (what is at the path, another program holding it), and a wait on the wall clock: a silent
// module is slept through rather than polled, and data, the operator and a line lost (a serial
// device gone, a device server that closes the connection) end it at once. What a wait does with
// the bytes it gets is checked on the virtual clock (test_Exchanges); the port chooser's tests
// follow the ports through the window.

#include "PseudoTerminal.h"
#include "link/channels/SerialChannel.h"
#include "link/ports/DeviceInspection.h"
#include "link/ports/OpenFailure.h"
#include "link/ports/PortSetting.h"
#include "link/protocol/ModuleConnection.h"
#include "support/PortSamples.h"
#include "support/TestMain.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

using namespace tessel;
using tessel::test::Pty;
using Kind = DeviceEvidence::Kind;

namespace {
// A working directory and a configuration folder of our own, so that no test touches the
// user's real setting.
struct Places {
    Places() { QStandardPaths::setTestModeEnabled(true); }

    [[nodiscard]] QString workingFile() const { return root.filePath("work/tessel.cfg"); }
    [[nodiscard]] QString configFolder() const { return root.filePath("config/tessel-config"); }
    [[nodiscard]] PortSetting setting() const { return {workingFile(), configFolder()}; }

    QTemporaryDir root;
};

enum Event { Silence, Byte, LineLost, Abort, ServerCloses };
} // namespace

class PortsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void remember_saysWhereWhenNotHere_data() {
        QTest::addColumn<bool>("fifo"); // in the working file's place
        QTest::newRow("the working directory") << false;
        // Opening a FIFO would wait for a writer: the start-up must not hang on it.
        QTest::newRow("a FIFO in the file's place") << true;
    }

    void remember_saysWhereWhenNotHere() {
        QFETCH(bool, fifo);
        Places places;
        const QString here = QFileInfo(places.workingFile()).absolutePath();
        QVERIFY(QDir().mkpath(here));
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(places.workingFile()).constData(), 0600), 0);
        QCOMPARE(places.setting().remembered(), std::nullopt);

        const QString message = places.setting().remember("ttyUSB0");
        QVERIFY2(fifo ? message.startsWith("The port is remembered in ") &&
                            message.contains(here) && message.contains(places.configFolder())
                      : message.isEmpty(),
                 qPrintable(message));
        QCOMPARE(QFile::exists(places.setting().configFile()), fifo);
        QFile file(fifo ? places.setting().configFile() : places.workingFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("ttyUSB0\r\n"));
        QCOMPARE(places.setting().remembered(), std::optional<QString>("ttyUSB0"));
    }

    void inspect_tellsWhatIsAtThePath() {
        QTemporaryDir dir;
        const QString regular = dir.filePath("regular");
        QFile file(regular);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("by-id-link")));
        Pty pty;
        // A stable name is a link; the device behind it is what counts.
        QVERIFY(QFile::link(pty.path, dir.filePath("usb-adapter-if00-port0")));
        const auto kindAt = [&](const QString &name) { return inspectDevice(name, {}).kind; };
        QCOMPARE(kindAt(dir.filePath("by-id-link")), Kind::Missing);
        QCOMPARE(kindAt(regular + "/below-a-file"), Kind::Missing);
        QCOMPARE(kindAt(regular), Kind::NotADevice);
        QCOMPARE(kindAt(dir.filePath("usb-adapter-if00-port0")), Kind::Device);
    }

    void explain_namesTheRealCause_data() {
        QTest::addColumn<DeviceEvidence>("evidence");
        QTest::addColumn<QString>("expected"); // what names the cause
        DeviceEvidence e;
        e.kind = Kind::Missing;
        QTest::newRow("COM name with no device")
            << e << "COM9 means /dev/ttyS8, which does not exist.\nPorts present: ttyUSB0 (";
        e.kind = Kind::Device;
        e.accessDenied = true;
        e.ownerGroup = "dialout";
        e.groupMayOpen = true;
        QTest::newRow("not in the group") << e << "sudo usermod -aG dialout $USER";
        e.busy = true; // an exclusive open can look like a refusal; busy decides
        QTest::newRow("exclusive open") << e << "COM9 is in use by another program. Close";
    }

    void explain_namesTheRealCause() {
        QFETCH(DeviceEvidence, evidence);
        QFETCH(QString, expected);
        const QString message = explainOpenFailure("COM9", "/dev/ttyS8", evidence,
                                                   {testing::usbAdapter()}, "Input/output error");
        QVERIFY2(message.contains(expected), qPrintable(message));
        // The group advice is for a refusal alone; for anything else it sends people astray.
        QCOMPARE(message.contains("group"), evidence.accessDenied && !evidence.busy);
    }

    void channel_refusesAPortHeldByAnotherProgram() {
        Pty pty;
        const int other = ::open(pty.path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        QCOMPARE(::flock(other, LOCK_EX | LOCK_NB), 0);
        QVERIFY(inspectDevice(pty.path, {}).busy);
        SerialChannel channel;
        QVERIFY(channel.open(pty.path).startsWith(pty.path + " is in use by another program."));
        ::close(other);
        QVERIFY(!inspectDevice(pty.path, {}).busy);
        QCOMPARE(channel.open(pty.path), QString());
    }

    void wait_sleepsUntilItsEndOrAnEvent_data() {
        QTest::addColumn<int>("event");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("failure"); // what the failure says
        QTest::newRow("silence to the end of its polls") << int(Silence) << false << "";
        QTest::newRow("a byte on the port") << int(Byte) << true << "";
        QTest::newRow("the operator's cancel") << int(Abort) << false << "cancelled";
        QTest::newRow("the serial device gone")
            << int(LineLost) << false << "was lost: the device disappeared";
        QTest::newRow("server closes")
            << int(ServerCloses) << false << "was lost: the device server closed it.";
    }

    void wait_sleepsUntilItsEndOrAnEvent() {
        QFETCH(int, event);
        QFETCH(bool, answered);
        QFETCH(QString, failure);
        constexpr int kSilentPolls = 3000; // 0.3 s; an event ends a wait of 15 s
        constexpr int kEventAfterMs = 50;
        Pty pty;
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const bool tcp = event == ServerCloses;
        QString error;
        const auto connection = ModuleConnection::openPort(
            tcp ? QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort()) : pty.path, error);
        QVERIFY2(connection, qPrintable(error));
        QVERIFY(!tcp || QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 3000));
        QTcpSocket *peer = server.nextPendingConnection();
        ControllerLink &link = connection->link();
        QTimer::singleShot(kEventAfterMs, [&] {
            if (event == Byte)
                pty.answer(QByteArray(1, 88));
            else if (event == LineLost)
                pty.closeMaster();
            else if (event == Abort)
                link.abort();
            else if (event == ServerCloses)
                peer->close();
        });
        int sleeps = 0;
        const auto counter =
            QObject::connect(QAbstractEventDispatcher::instance(),
                             &QAbstractEventDispatcher::aboutToBlock, [&sleeps] { ++sleeps; });
        QElapsedTimer waited;
        waited.start();
        QCOMPARE(link.receive(event == Silence ? kSilentPolls : polls::kStoreConfirm) >= 0,
                 answered);
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
};

TESSEL_TEST_OBJECT(PortsTest);
#include "test_Ports.moc"
