#include "PseudoTerminal.h"
#include "link/ModuleConnection.h"

#include <QtTest>
#include <unistd.h>

using namespace tessel;
using tessel::test::Pty;

class ModuleConnectionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void simulate_answersAsTheModuleOfItsKind_data();
    void simulate_answersAsTheModuleOfItsKind();
    void simulate_passesTheFaultsOn();
    void openPort_talksToTheDeviceTheNameStandsFor();
    void openPort_saysWhyAPortDoesNotOpen();
};

void ModuleConnectionTest::simulate_answersAsTheModuleOfItsKind_data() {
    QTest::addColumn<ModuleKind>("kind");
    QTest::addColumn<QString>("where");
    QTest::newRow("tessel") << ModuleKind::Tessel << "simulated Tessel module";
    QTest::newRow("threshold") << ModuleKind::Threshold << "simulated Threshold module";
}

void ModuleConnectionTest::simulate_answersAsTheModuleOfItsKind() {
    QFETCH(ModuleKind, kind);
    QFETCH(QString, where);
    VirtualClock clock;
    const auto connection = ModuleConnection::simulate(kind, {}, &clock);
    QCOMPARE(connection->where(), where);
    QCOMPARE(connection->protocol().linkTestRepeated(1), 1);
    // The waits run on the clock given, and the module takes a real module's time to answer.
    QCOMPARE(clock.nowMicros(), kModuleReplyDelayMicros);
    const auto identity = connection->protocol().identify(1);
    QVERIFY(identity.has_value());
    QCOMPARE(identity->moduleKind(), std::optional(kind));
}

void ModuleConnectionTest::simulate_passesTheFaultsOn() {
    VirtualClock clock;
    SimulatorFaults faults;
    faults.neverIdentify = true;
    const auto connection = ModuleConnection::simulate(ModuleKind::Tessel, faults, &clock);
    QCOMPARE(connection->protocol().linkTestRepeated(1), 1);
    QVERIFY(!connection->protocol().identify(2).has_value());
}

void ModuleConnectionTest::openPort_talksToTheDeviceTheNameStandsFor() {
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

void ModuleConnectionTest::openPort_saysWhyAPortDoesNotOpen() {
    QString error;
    QVERIFY(!ModuleConnection::openPort(QString(), error));
    QCOMPARE(error, QStringLiteral("No port was chosen."));
    error.clear();
    QVERIFY(!ModuleConnection::openPort(QStringLiteral("/dev/tessel-no-such-port"), error));
    QVERIFY2(error.contains(QStringLiteral("/dev/tessel-no-such-port")), qPrintable(error));
}

QTEST_GUILESS_MAIN(ModuleConnectionTest)
#include "test_ModuleConnection.moc"
