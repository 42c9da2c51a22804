// SPDX-License-Identifier: Apache-2.0
#include "link/ports/PortSource.h"
#include "support/PortSamples.h"
#include "support/TestMain.h"
#include "ui/shell/PortChooser.h"

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
        const PortSetting setting(folder.path(), folder.filePath(QStringLiteral("config")),
                                  folder.filePath(QStringLiteral("home")));
        if (!remembered.isEmpty() && !setting.remember(remembered).isEmpty())
            qFatal("cannot remember the port");
        form = std::make_unique<PortChooser>(source, setting);
    }
    // No setting in the working directory: the choice goes into the configuration folder.
    QString settingFile() const { return folder.filePath(QStringLiteral("config/tessel.cfg")); }
    QComboBox *combo() const { return form->findChild<QComboBox *>("ports"); }
    QString details() const { return form->findChild<QLabel *>("portDetails")->text(); }

    QTemporaryDir folder;
    ListedPortSource source;
    std::unique_ptr<PortChooser> form;
};
} // namespace

class PortChooserTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void offersTheRememberedPortOrTheOnlyAdapter_data() {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QStringList>("offeredAndMeant"); // meant: none when not present
        const QString byId = usbAdapter().stableName;
        QTest::newRow("the only adapter") << QString() << QStringList{"ttyUSB0", "ttyUSB0"};
        QTest::newRow("remembered, absent") << "ttyACM3" << QStringList{"ttyACM3"};
        // A remembered port is found by any of its names.
        QTest::newRow("remembered COM name") << "com1" << QStringList{"com1", "ttyS0"};
        QTest::newRow("remembered by-id") << byId << QStringList{byId, "ttyUSB0"};
    }

    void offersTheRememberedPortOrTheOnlyAdapter() {
        QFETCH(QString, remembered);
        QFETCH(QStringList, offeredAndMeant);
        Chooser chooser({motherboardPort(), usbAdapter()}, remembered);
        const QString offered = offeredAndMeant.first();
        QCOMPARE(chooser.combo()->currentText(), offered);
        if (offeredAndMeant.size() == 1) {
            QCOMPARE(chooser.details(),
                     offered + QStringLiteral(" is not among the ports present."));
            return;
        }
        const QString meant = offeredAndMeant.last();
        QCOMPARE(chooser.combo()->itemText(chooser.combo()->currentIndex()), meant);
        QVERIFY2(chooser.details().startsWith(QStringLiteral("Device: /dev/") + meant),
                 qPrintable(chooser.details()));
    }

    void eachWayOutGivesItsPortAndOnlyOkRemembersIt() {
        // Closing the window goes the way of Escape.
        enum class Way { Escape, Cancel, Ok };
        for (const Way way : {Way::Escape, Way::Cancel, Way::Ok}) {
            Chooser chooser({usbAdapter()});
            chooser.form->show();
            chooser.combo()->setEditText(QStringLiteral(" ttyS7 "));
            if (way == Way::Escape)
                QTest::keyClick(chooser.combo(), Qt::Key_Escape);
            else
                chooser.form->findChild<QPushButton *>(way == Way::Ok ? "ok" : "cancel")->click();
            QVERIFY(!chooser.form->isVisible());
            // Only Cancel chooses no port at all; only OK takes what was typed, and remembers it.
            const bool ok = way == Way::Ok;
            QCOMPARE(chooser.form->cancelled(), way == Way::Cancel);
            QCOMPARE(chooser.form->portName(),
                     ok ? QStringLiteral("ttyS7") : QStringLiteral("ttyUSB0"));
            QFile file(chooser.settingFile());
            QCOMPARE(file.open(QIODevice::ReadOnly), ok);
            QCOMPARE(file.readAll(), ok ? QByteArray(" ttyS7 \n") : QByteArray());
        }
    }
};

TESSEL_TEST_OBJECT(PortChooserTest);
#include "test_PortChooser.moc"
