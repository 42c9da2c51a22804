// The serial ports: those present (their stable names and order), the one remembered (in the
// working directory or, failing that, the configuration folder, with a message that says where)
// and why one does not open (what is at the path, who holds it, and the words that say so). The
// port chooser's tests follow the ports offered, plugged in and pulled out through the window.

#include "PseudoTerminal.h"
#include "link/DeviceInspection.h"
#include "link/OpenFailure.h"
#include "link/PortSetting.h"
#include "link/PortSource.h"
#include "link/SerialChannel.h"
#include "support/PortSamples.h"
#include "support/TestMain.h"

#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tessel;
using tessel::test::Pty;
using tessel::testing::usbAdapter;
using Kind = DeviceEvidence::Kind;

namespace {
void writeFile(const QString &path, const QByteArray &content) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

PortFacts motherboard(const QString &name) {
    PortFacts port;
    port.name = name;
    port.device = QStringLiteral("/dev/") + name;
    return port;
}

// A working directory and a configuration folder of our own, so that no test touches the
// user's real setting.
struct Places {
    Places() { QStandardPaths::setTestModeEnabled(true); }

    [[nodiscard]] QString workingFile() const { return root.filePath("work/tessel.cfg"); }
    [[nodiscard]] QString configFolder() const { return root.filePath("config/tessel-config"); }
    [[nodiscard]] PortSetting setting() const { return {workingFile(), configFolder()}; }

    QTemporaryDir root;
};

enum Blocked { Nothing, FolderForFile, FifoForFile, BothPlaces };
} // namespace

class PortsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void arrange_sortsAsPeopleCountAndAddsStableNames();
    void remembered_takesTheFirstField_data();
    void remembered_takesTheFirstField();
    void remember_saysWhereWhenNotHere_data();
    void remember_saysWhereWhenNotHere();
    void inspect_tellsWhatIsAtThePath();
    void inspect_namesTheLiveProcessInALockFile();
    void explain_namesTheRealCause_data();
    void explain_namesTheRealCause();
    void channel_refusesAPortHeldHereOrByAnotherProgram();
};

void PortsTest::arrange_sortsAsPeopleCountAndAddsStableNames() {
    QTemporaryDir root;
    const QString byId = root.filePath("by-id");
    QVERIFY(QDir(root.path()).mkpath("by-id"));
    writeFile(root.filePath("ttyUSB0"), {});
    writeFile(root.filePath("ttyUSB1"), {});
    // udev writes relative links; an absolute one must resolve the same way, a dangling one not.
    QVERIFY(QFile::link("../ttyUSB0", byId + "/usb-FTDI_FT232R_A10K3XQ2-if00-port0"));
    QVERIFY(QFile::link(root.filePath("ttyUSB1"), byId + "/usb-Prolific_PL2303-if00-port0"));
    QVERIFY(QFile::link(root.filePath("ttyUSB7"), byId + "/usb-gone-if00-port0"));
    const QHash<QString, QString> names = stableNamesIn(byId);
    QCOMPARE(names.size(), 2);
    QCOMPARE(names.value(root.filePath("ttyUSB1")), byId + "/usb-Prolific_PL2303-if00-port0");

    PortFacts adapter = usbAdapter("ttyUSB0");
    adapter.device = root.filePath("ttyUSB0");
    adapter.stableName.clear();
    QList<PortFacts> ports{motherboard("ttyS10"), adapter, motherboard("ttyS2")};
    arrangePorts(ports, names);
    QStringList order;
    for (const PortFacts &port : ports)
        order << port.name;
    QCOMPARE(order, (QStringList{"ttyS2", "ttyS10", "ttyUSB0"}));
    QCOMPARE(ports[2].stableName, byId + "/usb-FTDI_FT232R_A10K3XQ2-if00-port0");
    QVERIFY(ports[0].stableName.isEmpty());
}

void PortsTest::remembered_takesTheFirstField_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("comma ends the field") << QByteArray("COM1,9600,n\r\n") << "COM1";
    QTest::newRow("blanks, second line") << QByteArray("  ttyUSB0  \r\nnext\r\n") << "ttyUSB0";
    QTest::newRow("quoted") << QByteArray("\"/dev/pts/3\",x\r\n") << "/dev/pts/3";
    QTest::newRow("blank line") << QByteArray("  \r\n") << QString();
}

void PortsTest::remembered_takesTheFirstField() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    Places places;
    writeFile(places.workingFile(), content);
    QCOMPARE(places.setting().remembered(),
             expected.isEmpty() ? std::nullopt : std::optional(expected));
}

void PortsTest::remember_saysWhereWhenNotHere_data() {
    QTest::addColumn<int>("blocked");
    QTest::addColumn<QString>("start"); // of the message
    QTest::newRow("the working directory") << int(Nothing) << QString();
    const QString elsewhere = QStringLiteral("The port is remembered in ");
    QTest::newRow("a folder in the file's place") << int(FolderForFile) << elsewhere;
    // Opening a FIFO would wait for a writer: the start-up must not hang on it.
    QTest::newRow("a FIFO in the file's place") << int(FifoForFile) << elsewhere;
    QTest::newRow("neither place") << int(BothPlaces) << "The port could not be remembered: ";
}

void PortsTest::remember_saysWhereWhenNotHere() {
    QFETCH(int, blocked);
    QFETCH(QString, start);
    Places places;
    const QString here = QFileInfo(places.workingFile()).absolutePath();
    QVERIFY(QDir().mkpath(blocked == FolderForFile || blocked == BothPlaces ? places.workingFile()
                                                                            : here));
    if (blocked == FifoForFile)
        QCOMPARE(::mkfifo(QFile::encodeName(places.workingFile()).constData(), 0600), 0);
    if (blocked == BothPlaces)
        writeFile(places.configFolder(), "a file, not a folder");
    QCOMPARE(places.setting().remembered(), std::nullopt);

    const QString message = places.setting().remember("ttyUSB0");
    QVERIFY2(message.startsWith(start), qPrintable(message));
    if (blocked != Nothing) {
        QVERIFY2(message.contains(here) && message.contains(places.configFolder()),
                 qPrintable(message));
    }
    if (blocked == BothPlaces) {
        QVERIFY2(message.endsWith("ttyUSB0 is used for this run; choose it again next time."),
                 qPrintable(message));
        QCOMPARE(places.setting().remembered(), std::nullopt);
        return;
    }
    QCOMPARE(QFile::exists(places.setting().configFile()), blocked != Nothing);
    const QString file = blocked == Nothing ? places.workingFile() : places.setting().configFile();
    QCOMPARE(contentOf(file), QByteArray("ttyUSB0\r\n"));
    QCOMPARE(places.setting().remembered(), std::optional<QString>("ttyUSB0"));
}

void PortsTest::inspect_tellsWhatIsAtThePath() {
    QTemporaryDir dir;
    const QString regular = dir.filePath("regular");
    writeFile(regular, "not a port");
    QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("by-id-link")));
    const QString pipe = dir.filePath("pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    Pty pty;
    // A stable name is a link; the device behind it is what counts.
    QVERIFY(QFile::link(pty.path, dir.filePath("usb-adapter-if00-port0")));
    const QStringList noLocks{dir.filePath("locks")};
    const auto kindAt = [&](const QString &name) { return inspectDevice(name, noLocks).kind; };
    QCOMPARE(kindAt(dir.filePath("ttyUSB9")), Kind::Missing);
    QCOMPARE(kindAt(dir.filePath("by-id-link")), Kind::Missing);
    QCOMPARE(kindAt(regular + "/below-a-file"), Kind::Missing);
    QCOMPARE(kindAt(regular), Kind::NotADevice);
    QCOMPARE(kindAt(pipe), Kind::NotADevice);
    QCOMPARE(kindAt(dir.filePath("usb-adapter-if00-port0")), Kind::Device);
    const DeviceEvidence free = inspectDevice(pty.path, noLocks);
    QCOMPARE(free.kind, Kind::Device);
    QVERIFY(!free.busy && !free.lockHolder && !free.accessDenied);
}

void PortsTest::inspect_namesTheLiveProcessInALockFile() {
    QTemporaryDir locks;
    Pty pty;
    const QString lockFile = locks.filePath("LCK.." + pty.path.mid(5).replace('/', '_'));
    const QStringList folders{locks.filePath("elsewhere"), locks.path()};
    const pid_t ended = ::fork(); // a process that has ended, so that a lock naming it is stale
    if (ended == 0)
        ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    writeFile(lockFile, QByteArray::number(ended) + "\n");
    QCOMPARE(lockHolderOf(pty.path, folders), std::nullopt);
    writeFile(lockFile, "garbage\n");
    QCOMPARE(lockHolderOf(pty.path, folders), std::nullopt);
    // The old uucp form pads the pid to ten characters.
    writeFile(lockFile, QByteArray::number(::getpid()).rightJustified(10, ' ') + "\n");
    const DeviceEvidence held = inspectDevice(pty.path, folders);
    QCOMPARE(held.lockHolder, std::optional<qint64>(::getpid()));
    QVERIFY2(QCoreApplication::applicationFilePath().contains(held.lockHolderName),
             qPrintable(held.lockHolderName));
}

void PortsTest::explain_namesTheRealCause_data() {
    QTest::addColumn<DeviceEvidence>("evidence");
    QTest::addColumn<QString>("expected"); // the start of the message
    DeviceEvidence e;
    e.kind = Kind::Missing;
    QTest::newRow("COM name with no device")
        << e << "COM9 means /dev/ttyS8, which does not exist.\nPorts present: ttyUSB0 (";
    e.kind = Kind::Device;
    QTest::newRow("nothing known: the system's words")
        << e << "Cannot open COM9 (/dev/ttyS8): Input/output error.";
    e.lockHolder = 4242;
    e.lockHolderName = "minicom";
    QTest::newRow("lock file names the holder")
        << e << "COM9 is in use by another program (minicom, process 4242). Close";
    e.lockHolder.reset();
    e.accessDenied = true;
    e.ownerGroup = "dialout";
    QTest::newRow("no group may open it")
        << e << "Cannot open COM9 (/dev/ttyS8): permission denied. Only the owner of /dev/ttyS8";
    e.groupMayOpen = true;
    QTest::newRow("not in the group")
        << e
        << "Cannot open COM9 (/dev/ttyS8): permission denied. Your user must belong to the "
           "group dialout, which owns the device: sudo usermod -aG dialout $USER";
    e.busy = true; // an exclusive open can look like a refusal; busy decides
    QTest::newRow("exclusive open") << e << "COM9 is in use by another program. Close";
}

void PortsTest::explain_namesTheRealCause() {
    QFETCH(DeviceEvidence, evidence);
    QFETCH(QString, expected);
    const QString message = explainOpenFailure("COM9", "/dev/ttyS8", evidence,
                                               {testing::usbAdapter()}, "Input/output error");
    QVERIFY2(message.startsWith(expected), qPrintable(message));
    // The group advice is for a refusal alone; for anything else it sends people astray.
    QCOMPARE(message.contains("group"), evidence.accessDenied && !evidence.busy);
}

void PortsTest::channel_refusesAPortHeldHereOrByAnotherProgram() {
    Pty pty;
    QTemporaryDir dir;
    const QString byId = dir.filePath("usb-FTDI_FT232R-if00-port0");
    QVERIFY(QFile::link(pty.path, byId));
    {
        SerialChannel first;
        QCOMPARE(first.open(pty.path), QString());
        for (const QString &name : {pty.path, byId}) {
            SerialChannel second;
            QVERIFY(second.open(name).startsWith(name + " is already open in this program as " +
                                                 pty.path + ": they are two names of the same"));
        }
    }
    const int other = ::open(pty.path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QCOMPARE(::flock(other, LOCK_EX | LOCK_NB), 0);
    QVERIFY(inspectDevice(pty.path, {}).busy);
    SerialChannel channel;
    QVERIFY(channel.open(pty.path).startsWith(pty.path + " is in use by another program."));
    ::close(other);
    QVERIFY(!inspectDevice(pty.path, {}).busy);
    QCOMPARE(channel.open(pty.path), QString());
}

TESSEL_TEST_OBJECT(PortsTest);
#include "test_Ports.moc"
