#include "link/PortSource.h"
#include "support/PortSamples.h"
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
using namespace tessel::testing;

namespace {
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
    void offersTheRememberedPortOrTheOnlyAdapter_data();
    void offersTheRememberedPortOrTheOnlyAdapter();
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
    QCOMPARE(chooser.combo()->toolTip(), QString());
    // A by-id name fits the box; one longer than any place is shortened in the middle in
    // the facts, and each keeps the whole name as its tool tip.
    QVERIFY(!chooser.details().contains(QChar(0x2026)));
    const QString longName = QStringLiteral("/dev/serial/by-id/usb-") + QString(120, u'x') +
                             QStringLiteral("-if00-port0");
    chooser.combo()->setEditText(longName);
    auto *facts = chooser.form->findChild<QLabel *>("portDetails");
    QVERIFY2(facts->text().contains(QChar(0x2026)), qPrintable(facts->text()));
    QVERIFY(facts->text().endsWith(QStringLiteral("port0 is not among the ports present.")));
    QVERIFY(facts->toolTip().contains(longName));
    QCOMPARE(chooser.combo()->toolTip(), longName);
}

void PortChooserTest::offersTheRememberedPortOrTheOnlyAdapter_data() {
    QTest::addColumn<bool>("motherboard");
    QTest::addColumn<int>("adapters");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QString>("selected"); // the port it means; empty when none present
    const QString byId = usbAdapter().stableName;
    QTest::newRow("the only adapter") << true << 1 << ""
                                      << "ttyUSB0"
                                      << "ttyUSB0";
    QTest::newRow("two adapters: COM1") << true << 2 << ""
                                        << "COM1"
                                        << "ttyS0";
    QTest::newRow("COM1 absent") << false << 2 << ""
                                 << "COM1"
                                 << "";
    QTest::newRow("remembered, absent") << false << 1 << "ttyACM3"
                                        << "ttyACM3"
                                        << "";
    QTest::newRow("remembered COM name") << true << 1 << "com1"
                                         << "com1"
                                         << "ttyS0";
    QTest::newRow("remembered device") << true << 1 << "/dev/ttyUSB0"
                                       << "/dev/ttyUSB0"
                                       << "ttyUSB0";
    QTest::newRow("remembered by-id") << true << 1 << byId << byId << "ttyUSB0";
}

void PortChooserTest::offersTheRememberedPortOrTheOnlyAdapter() {
    QFETCH(bool, motherboard);
    QFETCH(int, adapters);
    QFETCH(QString, remembered);
    QFETCH(QString, offered);
    QFETCH(QString, selected);
    QList<PortFacts> ports;
    if (motherboard)
        ports << motherboardPort();
    for (int n = 0; n < adapters; ++n)
        ports << usbAdapter(QStringLiteral("ttyUSB%1").arg(n));
    Chooser chooser(ports, remembered);
    QCOMPARE(chooser.combo()->currentText(), offered);
    if (selected.isEmpty()) {
        QCOMPARE(chooser.details(), offered + QStringLiteral(" is not among the ports present."));
        return;
    }
    QCOMPARE(chooser.combo()->itemText(chooser.combo()->currentIndex()), selected);
    QVERIFY2(chooser.details().startsWith(QStringLiteral("Device: /dev/") + selected),
             qPrintable(chooser.details()));
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
    enum class Way { Escape, Close, Cancel };
    for (const Way way : {Way::Escape, Way::Close, Way::Cancel}) {
        Chooser chooser({usbAdapter()});
        chooser.form->show();
        chooser.combo()->setEditText(QStringLiteral("ttyS7"));
        if (way == Way::Escape)
            QTest::keyClick(chooser.combo(), Qt::Key_Escape);
        else if (way == Way::Close)
            chooser.form->close();
        else
            chooser.form->findChild<QPushButton *>("cancel")->click();
        QVERIFY(!chooser.form->isVisible());
        // Only Cancel chooses no port at all.
        QCOMPARE(chooser.form->cancelled(), way == Way::Cancel);
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
