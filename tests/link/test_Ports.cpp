// SPDX-License-Identifier: Apache-2.0
// The serial ports and the line to them: the one remembered (in the working directory or,
// failing that, the configuration folder, with a message that says where), why one does not open
// (what is at the path, another program holding it), and a wait on the wall clock: a silent
// module is slept through rather than polled, and data, the operator and a line lost (a serial
// device gone, a device server that closes the connection) end it at once. What a wait does with
// the bytes it gets is checked on the virtual clock (test_Exchanges); the port chooser's tests
// follow the ports through the window.

#include "PseudoTerminal.h"
#include "link/channels/SerialChannel.h"
#include "link/channels/TcpChannel.h"
#include "link/ports/DeviceInspection.h"
#include "link/ports/OpenFailure.h"
#include "link/ports/PortSetting.h"
#include "link/protocol/ModuleConnection.h"
#include "support/PortSamples.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>

using namespace tessel;
using tessel::test::Pty;
using Kind = DeviceEvidence::Kind;

namespace {
// CPU time this thread has used so far.
qint64 threadCpuMicros() {
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000LL + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

// A working directory, a configuration folder and a home of our own, so that no test touches
// the user's real setting.
struct Places {
    explicit Places(bool homeIsWorking) : workingIsHome(homeIsWorking) {}

    [[nodiscard]] QString workingFile() const { return root.filePath("work/tessel.cfg"); }
    [[nodiscard]] QString configFolder() const { return root.filePath("config/tessel-config"); }
    [[nodiscard]] QString configFile() const { return configFolder() + "/tessel.cfg"; }
    [[nodiscard]] PortSetting setting() const {
        return {root.filePath("work"), configFolder(),
                root.filePath(workingIsHome ? "work" : "home")};
    }

    QTemporaryDir root;
    bool workingIsHome;
};

// What a file holds: "-" for no file, "fifo" for a FIFO in its place, "blocked" for a file
// where its folder should be.
QByteArray holding(const QString &path) {
    QFile file(path);
    if (QFileInfo(QFileInfo(path).path()).isFile())
        return "blocked";
    if (!file.exists() || !QFileInfo(path).isFile())
        return file.exists() ? "fifo" : "-";
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable";
}

// Puts there what holding() would tell.
void put(const QString &path, const QByteArray &what) {
    const QString folder = QFileInfo(path).path();
    QDir().mkpath(what == "blocked" ? QFileInfo(folder).path() : folder);
    QFile file(what == "blocked" ? folder : path);
    if (what == "fifo")
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
    else if (what != "-" && file.open(QIODevice::WriteOnly))
        file.write(what == "blocked" ? QByteArray() : what);
}

enum Event { Silence, Byte, LineLost, Abort, ServerCloses };
} // namespace

class PortsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void remember_readsAndWritesWhereTheSettingIs_data() {
        QTest::addColumn<bool>("workingIsHome");
        QTest::addColumn<QByteArray>("working"); // the working directory's file before
        QTest::addColumn<QByteArray>("config");  // the configuration folder's file before
        QTest::addColumn<QString>("before");     // remembered before; empty for nothing
        QTest::addColumn<QByteArray>("workingAfter");
        QTest::addColumn<QByteArray>("configAfter");
        QTest::addColumn<QString>("message"); // how what remember() says begins
        QTest::newRow("nothing yet: the configuration folder")
            << false << QByteArray("-") << QByteArray("-") << "" << QByteArray("-")
            << QByteArray("ttyUSB0\n") << "";
        QTest::newRow("read here, written back here")
            << false << QByteArray("COM2,9600\r\n") << QByteArray("-") << "COM2"
            << QByteArray("ttyUSB0\n") << QByteArray("-") << "";
        QTest::newRow("read from the configuration folder, written back there")
            << false << QByteArray("-") << QByteArray("ttyS2\n") << "ttyS2" << QByteArray("-")
            << QByteArray("ttyUSB0\n") << "";
        QTest::newRow("both: the working directory's counts")
            << false << QByteArray("ttyS1") << QByteArray("ttyS2\n") << "ttyS1"
            << QByteArray("ttyUSB0\n") << QByteArray("ttyS2\n") << "";
        // A program started from the desktop's menu runs in the home folder.
        QTest::newRow("home: read while nothing else is known, never written")
            << true << QByteArray("ttyS1\r\n") << QByteArray("-") << "ttyS1"
            << QByteArray("ttyS1\r\n") << QByteArray("ttyUSB0\n") << "";
        QTest::newRow("home: the configuration folder's counts")
            << true << QByteArray("ttyS1\r\n") << QByteArray("ttyS2\n") << "ttyS2"
            << QByteArray("ttyS1\r\n") << QByteArray("ttyUSB0\n") << "";
        // Opening a FIFO would wait for a writer: the start-up must not hang on it.
        QTest::newRow("a FIFO in the file's place")
            << false << QByteArray("fifo") << QByteArray("-") << "" << QByteArray("fifo")
            << QByteArray("ttyUSB0\n") << "";
        QTest::newRow("nowhere to write")
            << false << QByteArray("-") << QByteArray("blocked") << "" << QByteArray("-")
            << QByteArray("blocked")
            << "The port could not be remembered: it could not be written in ";
    }

    void remember_readsAndWritesWhereTheSettingIs() {
        QFETCH(bool, workingIsHome);
        QFETCH(QByteArray, working);
        QFETCH(QByteArray, config);
        QFETCH(QString, before);
        QFETCH(QByteArray, workingAfter);
        QFETCH(QByteArray, configAfter);
        QFETCH(QString, message);
        const Places places(workingIsHome);
        put(places.workingFile(), working);
        put(places.configFile(), config);
        QCOMPARE(places.setting().remembered().value_or(QString()), before);

        const QString said = places.setting().remember("ttyUSB0");
        QVERIFY2(message.isEmpty() ? said.isEmpty() : said.startsWith(message), qPrintable(said));
        QCOMPARE(holding(places.workingFile()), workingAfter);
        QCOMPARE(holding(places.configFile()), configAfter);
        QCOMPARE(places.setting().remembered().value_or(QString()),
                 message.isEmpty() ? QStringLiteral("ttyUSB0") : before);
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
        QTest::newRow("only the owner") << e << "Only the owner of /dev/ttyS8 may open it; ask";
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

    void names_ofNetworkPortsLockFilesAndThePortOffered() {
        for (const auto &[name, address] : {std::pair{"tcp://[::1]:65535", "[::1]:65535"},
                                            {" TCP://host:1/ ", "host:1"},
                                            {"tcp://host:65536", ""},
                                            {"tcp://host:0", ""},
                                            {"tcp://me@host:5", ""}}) {
            const std::optional<TcpAddress> parsed = parseTcpPortName(name);
            QCOMPARE(parsed ? parsed->text() : QString(), QString(address));
        }
        // With two adapters the operator must say which.
        QCOMPARE(portToPreselect({}, {testing::usbAdapter(), testing::usbAdapter("ttyUSB1")}),
                 QString::fromLatin1(kDefaultPortName));
        // A lock file names its device without "/dev/" and holds the pid of a running program.
        QTemporaryDir locks;
        QFile lock(locks.filePath("LCK..ttyUSB7"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(QCoreApplication::applicationPid()).rightJustified(10) +
                   '\n');
        lock.close();
        QCOMPARE(lockHolderOf("/dev/ttyUSB7", {locks.path()}),
                 std::optional<qint64>(QCoreApplication::applicationPid()));
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
        ModuleLink &link = connection->link();
        // The wait blocks this thread: what ends it comes from another, as from the operator's.
        const int peerSocket = peer ? static_cast<int>(peer->socketDescriptor()) : -1;
        std::thread other([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(kEventAfterMs));
            if (event == Byte)
                pty.answer(QByteArray(1, 88));
            else if (event == LineLost)
                pty.closeMaster();
            else if (event == Abort)
                link.abort();
            else if (event == ServerCloses)
                ::shutdown(peerSocket, SHUT_RDWR);
        });
        const qint64 cpuBefore = threadCpuMicros();
        QElapsedTimer waited;
        waited.start();
        const bool got = link.receive(event == Silence ? kSilentPolls : polls::kStoreConfirm) >= 0;
        const qint64 ms = waited.elapsed();
        const qint64 cpu = threadCpuMicros() - cpuBefore;
        other.join();
        QCOMPARE(got, answered);
        // Never before its polls are spent, and at once after an event...
        const qint64 end = event == Silence ? kSilentPolls * LinkClock::kPollMicros / 1000 : 0;
        QVERIFY2(ms >= end && ms < end + 1000, qPrintable(QString::number(ms)));
        // ...sleeping on the way, not polling every poll or every millisecond.
        QVERIFY2(cpu < 20'000, qPrintable(QString::number(cpu)));
        QCOMPARE(link.aborted(), event == Abort);
        QVERIFY2(failure.isEmpty() ? link.failure().isEmpty() : link.failure().contains(failure),
                 qPrintable(link.failure()));
        QCOMPARE(link.send("x"), failure.isEmpty()); // nothing more goes out after a failure
    }
};

TESSEL_TEST_OBJECT(PortsTest);
#include "test_Ports.moc"
