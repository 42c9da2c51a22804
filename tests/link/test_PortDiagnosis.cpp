#include "PseudoTerminal.h"
#include "link/DeviceInspection.h"
#include "link/OpenFailure.h"
#include "link/PortHandle.h"
#include "link/SerialChannel.h"
#include "support/TestMain.h"

#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tessel;
using tessel::test::Pty;
using Kind = DeviceEvidence::Kind;

namespace {
void writeFile(const QString &path, const QByteArray &content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The pid of a process that has ended, so that a lock file naming it is stale.
qint64 endedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

QString lockName(const QString &ptyPath) {
    return "LCK.." + ptyPath.mid(5).replace('/', '_');
}

DeviceEvidence evidence(Kind kind) {
    DeviceEvidence e;
    e.kind = kind;
    return e;
}

PortFacts adapter() {
    PortFacts port;
    port.name = "ttyUSB0";
    port.device = "/dev/ttyUSB0";
    port.description = "FT232R USB UART";
    port.vendorId = 0x0403;
    port.productId = 0x6001;
    return port;
}
} // namespace

class PortDiagnosisTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inspect_tellsWhatIsAtThePath();
    void inspect_namesTheLiveProcessInALockFile();
    void inspect_seesAnotherProgramsFlock();
    void inspect_deniedAccessNamesTheOwningGroup();
    void explain_namesTheRealCause_data();
    void explain_namesTheRealCause();
    void channel_refusesAPortThisProgramHoldsUnderAnyName();
    void channel_refusesAPortAnotherProgramLocked();
    void channel_worksWhereTheDriverRefusesLowLatency();
};

void PortDiagnosisTest::inspect_tellsWhatIsAtThePath() {
    QTemporaryDir dir;
    const QString regular = dir.filePath("regular");
    writeFile(regular, "not a port");
    QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("by-id-link")));
    Pty pty;
    QVERIFY(!pty.path.isEmpty());
    const QStringList noLocks{dir.filePath("locks")};

    QCOMPARE(inspectDevice(dir.filePath("ttyUSB9"), noLocks).kind, Kind::Missing);
    QCOMPARE(inspectDevice(dir.filePath("by-id-link"), noLocks).kind, Kind::Missing);
    QCOMPARE(inspectDevice(regular + "/below-a-file", noLocks).kind, Kind::Missing);
    const DeviceEvidence file = inspectDevice(regular, noLocks);
    QCOMPARE(file.kind, Kind::NotADevice);
    QCOMPARE(file.fileKind, QStringLiteral("a regular file"));
    QCOMPARE(inspectDevice(dir.path(), noLocks).fileKind, QStringLiteral("a directory"));
    const QString pipe = dir.filePath("pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QCOMPARE(inspectDevice(pipe, noLocks).fileKind, QStringLiteral("a pipe"));

    const DeviceEvidence free = inspectDevice(pty.path, noLocks);
    QCOMPARE(free.kind, Kind::Device);
    QVERIFY(!free.busy && !free.lockHolder && !free.accessDenied);
    // A stable name is a link; the device behind it is what counts.
    QVERIFY(QFile::link(pty.path, dir.filePath("usb-adapter-if00-port0")));
    QCOMPARE(inspectDevice(dir.filePath("usb-adapter-if00-port0"), noLocks).kind, Kind::Device);
}

void PortDiagnosisTest::inspect_namesTheLiveProcessInALockFile() {
    QTemporaryDir locks;
    Pty pty;
    const QString lockFile = locks.filePath(lockName(pty.path));
    const QStringList folders{locks.filePath("elsewhere"), locks.path()};

    writeFile(lockFile, QByteArray::number(endedProcess()) + "\n");
    QCOMPARE(lockHolderOf(pty.path, folders), std::nullopt);

    // The old uucp form pads the pid to ten characters.
    writeFile(lockFile, QByteArray::number(::getpid()).rightJustified(10, ' ') + "\n");
    const DeviceEvidence held = inspectDevice(pty.path, folders);
    QCOMPARE(held.lockHolder, std::optional<qint64>(::getpid()));
    QVERIFY2(QCoreApplication::applicationFilePath().contains(held.lockHolderName),
             qPrintable(held.lockHolderName));

    writeFile(lockFile, "garbage\n");
    QCOMPARE(lockHolderOf(pty.path, folders), std::nullopt);
}

void PortDiagnosisTest::inspect_seesAnotherProgramsFlock() {
    Pty pty;
    const int other = ::open(pty.path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(other >= 0);
    QCOMPARE(::flock(other, LOCK_EX | LOCK_NB), 0);
    QVERIFY(inspectDevice(pty.path, {}).busy);
    ::flock(other, LOCK_UN);
    QVERIFY(!inspectDevice(pty.path, {}).busy);
    ::close(other);
}

void PortDiagnosisTest::inspect_deniedAccessNamesTheOwningGroup() {
    if (::geteuid() == 0)
        QSKIP("root opens any device, so access cannot be denied here");
    Pty pty;
    QVERIFY(::fchmod(pty.slave, 0) == 0);
    const DeviceEvidence denied = inspectDevice(pty.path, {});
    QVERIFY(denied.accessDenied);
    QVERIFY(!denied.ownerGroup.isEmpty());
    QVERIFY(!denied.groupMayOpen);
}

void PortDiagnosisTest::explain_namesTheRealCause_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("device");
    QTest::addColumn<DeviceEvidence>("evidence");
    QTest::addColumn<QString>("expected");

    QTest::newRow("COM name with no device")
        << "COM9"
        << "/dev/ttyS8" << evidence(Kind::Missing)
        << "COM9 means /dev/ttyS8, which does not exist.\n"
           "Ports present: ttyUSB0 (FT232R USB UART, 0403:6001).";
    DeviceEvidence file = evidence(Kind::NotADevice);
    file.fileKind = "a regular file";
    QTest::newRow("regular file") << "/home/t/profile.txt"
                                  << "/home/t/profile.txt" << file
                                  << "/home/t/profile.txt is not a serial port: it is a regular "
                                     "file.";
    QTest::newRow("other device") << "/dev/null"
                                  << "/dev/null" << evidence(Kind::NotATerminal)
                                  << "/dev/null is not a serial port.";
    DeviceEvidence locked = evidence(Kind::Device);
    locked.lockHolder = 4242;
    locked.lockHolderName = "minicom";
    QTest::newRow("lock file names the holder")
        << "ttyUSB0"
        << "/dev/ttyUSB0" << locked
        << "ttyUSB0 is in use by another program (minicom, process 4242). Close that program, "
           "or choose another port.";
    DeviceEvidence busy = evidence(Kind::Device);
    busy.busy = true;
    busy.accessDenied = true; // an exclusive open can look like a refusal; busy decides
    QTest::newRow("exclusive open") << "ttyUSB0"
                                    << "/dev/ttyUSB0" << busy
                                    << "ttyUSB0 is in use by another program. Close that "
                                       "program, or choose another port.";
    DeviceEvidence denied = evidence(Kind::Device);
    denied.accessDenied = true;
    denied.ownerGroup = "dialout";
    denied.groupMayOpen = true;
    QTest::newRow("not in the group")
        << "ttyUSB0"
        << "/dev/ttyUSB0" << denied
        << "Cannot open /dev/ttyUSB0: permission denied. Your user must belong to the group "
           "dialout, which owns the device: sudo usermod -aG dialout $USER, then log out and "
           "in again.";
    denied.groupNotYetActive = true;
    denied.groupMayOpen = false;
    QTest::newRow("no group may open it")
        << "ttyUSB0"
        << "/dev/ttyUSB0" << denied
        << "Cannot open /dev/ttyUSB0: permission denied. Only the owner of /dev/ttyUSB0 may "
           "open it; ask the administrator to give it to the dialout group.";
    QTest::newRow("nothing known: the library's words")
        << "ttyUSB0"
        << "/dev/ttyUSB0" << evidence(Kind::Device)
        << "Cannot open /dev/ttyUSB0: Input/output error.";
}

void PortDiagnosisTest::explain_namesTheRealCause() {
    QFETCH(QString, port);
    QFETCH(QString, device);
    QFETCH(DeviceEvidence, evidence);
    QFETCH(QString, expected);
    const QString message =
        explainOpenFailure(port, device, evidence, {adapter()}, "Input/output error");
    QCOMPARE(message, expected);
    // The group advice is for a refusal alone; for anything else it sends people astray.
    QCOMPARE(message.contains("group"), evidence.accessDenied && !evidence.busy);
}

void PortDiagnosisTest::channel_refusesAPortThisProgramHoldsUnderAnyName() {
    Pty pty;
    QTemporaryDir dir;
    const QString byId = dir.filePath("usb-FTDI_FT232R-if00-port0");
    QVERIFY(QFile::link(pty.path, byId));
    SerialChannel first;
    QCOMPARE(first.open(pty.path), QString());
    for (const QString &name : {pty.path, byId}) {
        SerialChannel second;
        QCOMPARE(second.open(name), name + " is already open in this program as " + pty.path +
                                        ": they are two names of the same port. Give each port "
                                        "once.");
    }
}

void PortDiagnosisTest::channel_refusesAPortAnotherProgramLocked() {
    Pty pty;
    const int other = ::open(pty.path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(other >= 0);
    QCOMPARE(::flock(other, LOCK_EX | LOCK_NB), 0);
    SerialChannel channel;
    const QString message = channel.open(pty.path);
    QCOMPARE(message, pty.path + " is in use by another program. Close that program, or choose "
                                 "another port.");
    ::close(other);
    QCOMPARE(channel.open(pty.path), QString());
}

void PortDiagnosisTest::channel_worksWhereTheDriverRefusesLowLatency() {
    Pty pty;
    QVERIFY(!requestLowLatency(pty.slave));
    QTemporaryFile file;
    QVERIFY(file.open());
    QVERIFY(!requestLowLatency(file.handle()));

    SerialChannel channel;
    QCOMPARE(channel.open(pty.path), QString());
    QCOMPARE(::write(pty.master, "\x00\x58\xff", 3), 3);
    QTRY_COMPARE(channel.bytesAvailable(), qint64(3));
    QCOMPARE(channel.readByte(), 0x00);
    QCOMPARE(channel.readByte(), 0x58);
    QCOMPARE(channel.readByte(), 0xff);
}

TESSEL_TEST_OBJECT(PortDiagnosisTest);
#include "test_PortDiagnosis.moc"
