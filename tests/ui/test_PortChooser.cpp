#include "link/PortSource.h"
#include "support/TestMain.h"
#include "ui/FormSelectSerialPort.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tessel;

namespace {
PortFacts motherboardPort() {
    PortFacts port;
    port.name = QStringLiteral("ttyS0");
    port.device = QStringLiteral("/dev/ttyS0");
    return port;
}

PortFacts usbAdapter(const QString &name = QStringLiteral("ttyUSB0")) {
    PortFacts port;
    port.name = name;
    port.device = QStringLiteral("/dev/") + name;
    port.description = QStringLiteral("FT232R USB UART");
    port.manufacturer = QStringLiteral("Adapter Maker");
    port.serialNumber = QStringLiteral("A50285BI");
    port.vendorId = 0x0403;
    port.productId = 0x6001;
    port.stableName = QStringLiteral("/dev/serial/by-id/usb-Adapter_Maker_A50285BI-if00-port0");
    return port;
}

// A chooser over a listed set of ports, remembering in a folder of its own.
struct Chooser {
    explicit Chooser(QList<PortFacts> ports, const QString &remembered = {})
        : source(std::move(ports)) {
        if (!remembered.isEmpty()) {
            QFile file(settingFile());
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write the setting file");
            file.write(remembered.toLatin1() + "\r\n");
        }
        form = std::make_unique<FormSelectSerialPort>(
            source, PortSetting(settingFile(), folder.filePath(QStringLiteral("config"))));
    }
    QString settingFile() const { return folder.filePath(QStringLiteral("tessel.cfg")); }
    QComboBox *combo() const { return form->findChild<QComboBox *>("ports"); }
    QString details() const { return form->findChild<QLabel *>("portDetails")->text(); }
    QStringList listed() const {
        QStringList names;
        for (int i = 0; i < combo()->count(); ++i)
            names << combo()->itemText(i);
        return names;
    }

    QTemporaryDir folder;
    ListedPortSource source;
    std::unique_ptr<FormSelectSerialPort> form;
};
} // namespace

class PortChooserTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsEachPortWithWhatTheSystemKnows();
    void offersTheOnlyAdapterUnlessAPortWasRemembered();
    void followsPortsPluggedInAndPulledOut();
    void closingOrEscapeTakesTheOfferedPortAndRemembersNothing();
    void okRemembersWhatWasTyped();
};

void PortChooserTest::listsEachPortWithWhatTheSystemKnows() {
    Chooser chooser({motherboardPort(), usbAdapter()}, QStringLiteral("ttyUSB0"));
    QCOMPARE(chooser.listed(), (QStringList{"ttyS0", "ttyUSB0"}));
    QCOMPARE(chooser.combo()->itemData(1, Qt::ToolTipRole).toString(), usbAdapter().summary());
    const QString details = chooser.details();
    for (const QString &fact :
         {QStringLiteral("Device: /dev/ttyUSB0"), QStringLiteral("Description: FT232R USB UART"),
          QStringLiteral("Manufacturer: Adapter Maker"), QStringLiteral("Serial number: A50285BI"),
          QStringLiteral("USB vendor:product: 0403:6001"),
          QStringLiteral("Stable name: /dev/serial/by-id/"
                         "usb-Adapter_Maker_A50285BI-if00-port0")})
        QVERIFY2(details.contains(fact), qPrintable(details));
    // A motherboard port shows only what is known of it: no empty "Manufacturer:" lines.
    chooser.combo()->setEditText(QStringLiteral("ttyS0"));
    QCOMPARE(chooser.details(), QStringLiteral("Device: /dev/ttyS0"));
    // Its stable name picks a port as well as its short name does.
    chooser.combo()->setEditText(usbAdapter().stableName);
    QVERIFY(chooser.details().startsWith(QStringLiteral("Device: /dev/ttyUSB0")));
    chooser.combo()->setEditText(QStringLiteral("COM9"));
    QCOMPARE(chooser.details(), QStringLiteral("COM9 is not among the ports present."));
}

void PortChooserTest::offersTheOnlyAdapterUnlessAPortWasRemembered() {
    QCOMPARE(Chooser({motherboardPort(), usbAdapter()}).combo()->currentText(),
             QStringLiteral("ttyUSB0"));
    QCOMPARE(
        Chooser({motherboardPort(), usbAdapter(), usbAdapter("ttyUSB1")}).combo()->currentText(),
        QStringLiteral("COM1"));
    // A remembered name is offered even when it is not present.
    QCOMPARE(Chooser({usbAdapter()}, QStringLiteral("ttyACM3")).combo()->currentText(),
             QStringLiteral("ttyACM3"));
}

void PortChooserTest::followsPortsPluggedInAndPulledOut() {
    Chooser chooser({motherboardPort()}, QStringLiteral("ttyS0"));
    chooser.form->show();
    // The operator is typing while the list changes underneath.
    chooser.combo()->setEditText(QStringLiteral("ttyU"));
    chooser.combo()->lineEdit()->setCursorPosition(2);
    chooser.source.plug(usbAdapter());
    QTRY_COMPARE_WITH_TIMEOUT(chooser.listed(), (QStringList{"ttyS0", "ttyUSB0"}), 2000);
    QCOMPARE(chooser.combo()->currentText(), QStringLiteral("ttyU"));
    QCOMPARE(chooser.combo()->lineEdit()->cursorPosition(), 2);
    chooser.combo()->setEditText(QStringLiteral("ttyUSB0"));
    QVERIFY(chooser.details().contains(QStringLiteral("Adapter Maker")));
    chooser.source.unplug(QStringLiteral("ttyUSB0"));
    QTRY_COMPARE_WITH_TIMEOUT(chooser.listed(), QStringList{"ttyS0"}, 2000);
    QCOMPARE(chooser.details(), QStringLiteral("ttyUSB0 is not among the ports present."));
}

void PortChooserTest::closingOrEscapeTakesTheOfferedPortAndRemembersNothing() {
    for (const bool escape : {true, false}) {
        Chooser chooser({usbAdapter()});
        chooser.form->show();
        chooser.combo()->setEditText(QStringLiteral("ttyS7"));
        if (escape)
            QTest::keyClick(chooser.combo(), Qt::Key_Escape);
        else
            chooser.form->close();
        QVERIFY(!chooser.form->isVisible());
        QCOMPARE(chooser.form->portName(), QStringLiteral("ttyUSB0"));
        QVERIFY(!QFile::exists(chooser.settingFile()));
    }
}

void PortChooserTest::okRemembersWhatWasTyped() {
    Chooser chooser({usbAdapter()}, QStringLiteral("ttyUSB0"));
    chooser.form->show();
    chooser.combo()->setEditText(QStringLiteral(" ttyS7 "));
    chooser.form->findChild<QPushButton *>("ok")->click();
    QCOMPARE(chooser.form->portName(), QStringLiteral("ttyS7"));
    QCOMPARE(chooser.form->settingError(), QString());
    QFile file(chooser.settingFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(" ttyS7 \r\n"));
}

TESSEL_TEST_OBJECT(PortChooserTest);
#include "test_PortChooser.moc"
