#include "link/PortFacts.h"
#include "link/PortSource.h"
#include "link/PortWatcher.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace tessel;

namespace {
PortFacts motherboard(const QString &name) {
    return {name, QStringLiteral("/dev/") + name, {}, {}, {}, std::nullopt, std::nullopt, {}};
}

PortFacts usbAdapter(const QString &name, quint16 vendor = 0x0403, quint16 product = 0x6001) {
    PortFacts port = motherboard(name);
    port.description = QStringLiteral("FT232R USB UART");
    port.manufacturer = QStringLiteral("FTDI");
    port.serialNumber = QStringLiteral("A10K3XQ2");
    port.vendorId = vendor;
    port.productId = product;
    return port;
}

void touch(const QString &path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}
} // namespace

class PortFactsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void preselect_data();
    void preselect();
    void stableNames_resolveLinksToTheirDevices();
    void arrange_sortsAsPeopleCountAndAddsStableNames();
    void watcher_reportsPluggedAndPulledPorts();
};

void PortFactsTest::preselect_data() {
    QTest::addColumn<std::optional<QString>>("remembered");
    QTest::addColumn<QList<PortFacts>>("ports");
    QTest::addColumn<QString>("expected");
    const QList<PortFacts> oneAdapter{motherboard("ttyS0"), usbAdapter("ttyUSB0"),
                                      motherboard("ttyS1")};
    QTest::newRow("nothing present") << std::optional<QString>() << QList<PortFacts>() << "COM1";
    QTest::newRow("only motherboard ports")
        << std::optional<QString>() << QList<PortFacts>{motherboard("ttyS0")} << "COM1";
    QTest::newRow("one adapter among motherboard ports")
        << std::optional<QString>() << oneAdapter << "ttyUSB0";
    QTest::newRow("two adapters: no guessing")
        << std::optional<QString>()
        << QList<PortFacts>{usbAdapter("ttyUSB0"), usbAdapter("ttyACM0", 0x2341, 0x0043)} << "COM1";
    QTest::newRow("remembered wins over the adapter")
        << std::optional<QString>("ttyS1") << oneAdapter << "ttyS1";
    QTest::newRow("remembered wins even when absent")
        << std::optional<QString>("COM9") << oneAdapter << "COM9";
}

void PortFactsTest::preselect() {
    QFETCH(std::optional<QString>, remembered);
    QFETCH(QList<PortFacts>, ports);
    QFETCH(QString, expected);
    QCOMPARE(portToPreselect(remembered, ports), expected);
}

void PortFactsTest::stableNames_resolveLinksToTheirDevices() {
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath("dev/serial/by-id"));
    const QString dev = root.filePath("dev");
    const QString byId = root.filePath("dev/serial/by-id");
    touch(dev + "/ttyUSB0");
    touch(dev + "/ttyUSB1");
    // udev writes relative links; an absolute one must resolve the same way.
    QVERIFY(QFile::link("../../ttyUSB0", byId + "/usb-FTDI_FT232R_A10K3XQ2-if00-port0"));
    QVERIFY(QFile::link(dev + "/ttyUSB1", byId + "/usb-Prolific_PL2303-if00-port0"));
    QVERIFY(QFile::link(dev + "/ttyUSB7", byId + "/usb-gone-if00-port0"));

    const QHash<QString, QString> names = stableNamesIn(byId);
    QCOMPARE(names.size(), 2);
    QCOMPARE(names.value(dev + "/ttyUSB0"), byId + "/usb-FTDI_FT232R_A10K3XQ2-if00-port0");
    QCOMPARE(names.value(dev + "/ttyUSB1"), byId + "/usb-Prolific_PL2303-if00-port0");
    QVERIFY(stableNamesIn(root.filePath("no/such/folder")).isEmpty());
}

void PortFactsTest::arrange_sortsAsPeopleCountAndAddsStableNames() {
    QTemporaryDir root;
    touch(root.filePath("ttyUSB0"));
    const QString link = root.filePath("usb-FTDI-if00-port0");
    QVERIFY(QFile::link(root.filePath("ttyUSB0"), link));
    PortFacts adapter = usbAdapter("ttyUSB0");
    adapter.device = root.filePath("ttyUSB0");
    QList<PortFacts> ports{motherboard("ttyS10"), adapter, motherboard("ttyS2")};

    arrangePorts(ports, stableNamesIn(root.path()));
    QStringList order;
    for (const PortFacts &port : ports)
        order << port.name;
    QCOMPARE(order, (QStringList{"ttyS2", "ttyS10", "ttyUSB0"}));
    QCOMPARE(ports[2].stableName, link);
    QVERIFY(ports[0].stableName.isEmpty());
}

void PortFactsTest::watcher_reportsPluggedAndPulledPorts() {
    ListedPortSource source({motherboard("ttyS0")});
    PortWatcher watcher(source, 60'000);
    QSignalSpy changed(&watcher, &PortWatcher::portsChanged);
    QCOMPARE(watcher.ports().size(), 1);

    QVERIFY(!watcher.refresh());
    QCOMPARE(changed.count(), 0);

    source.plug(usbAdapter("ttyUSB0"));
    QVERIFY(watcher.refresh());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QList<PortFacts>>().size(), 2);
    QCOMPARE(watcher.ports().at(1).name, QStringLiteral("ttyUSB0"));

    // The same port coming back under another serial number is a different adapter.
    source.unplug("ttyUSB0");
    PortFacts other = usbAdapter("ttyUSB0");
    other.serialNumber = QStringLiteral("B20X");
    source.plug(other);
    QVERIFY(watcher.refresh());
    QCOMPARE(changed.count(), 2);
    source.unplug("ttyUSB0");
    QVERIFY(watcher.refresh());
    QCOMPARE(watcher.ports(), QList<PortFacts>{motherboard("ttyS0")});
}

TESSEL_TEST_OBJECT(PortFactsTest);
#include "test_PortFacts.moc"
