#include "core/HelpTexts.h"
#include "core/ProfileText.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/ReportWindow.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

class HelpAndReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pointer_showsTheControlsText_data();
    void pointer_showsTheControlsText();
    void pointer_leavesTheTextWhereNoneApplies();
    void mappingBox_showsItsTextInEitherMode();
    void report_showsEntry12AsLastReadNotAsSelected();
    void report_secondShowReplacesTheText();
};

void HelpAndReportTest::pointer_showsTheControlsText_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("text");
    QTest::newRow("broadcast") << "broadcastToAll" << 1;
    QTest::newRow("device number") << "deviceNumber_3" << 2;
    QTest::newRow("active") << "active_0" << 4;
    QTest::newRow("serial") << "serial_1" << 5;
    QTest::newRow("type") << "controllerType_2" << 6;
    QTest::newRow("function") << "function_0" << 7;
    QTest::newRow("assignment") << "inputAssignment_0" << 8;
    QTest::newRow("factory") << "restoreFactorySettings" << 9;
    QTest::newRow("two-way") << "commMode_0" << 10;
    QTest::newRow("debounce step") << "debounceBand" << 11;
    QTest::newRow("confirmation") << "commMode_1" << 12;
    QTest::newRow("profile") << "productionProfile" << 13;
    QTest::newRow("restore default") << "restoreDefaultSerial" << 14;
    QTest::newRow("count step") << "deviceCountBand" << 15;
    QTest::newRow("refresh step") << "refreshBand" << 16;
    QTest::newRow("read") << "readSettings" << 18;
    QTest::newRow("store") << "storeSettings" << 21;
    QTest::newRow("calculated") << "mappingMode_0" << 22;
    QTest::newRow("custom") << "mappingMode_1" << 23;
}

void HelpAndReportTest::pointer_showsTheControlsText() {
    QFETCH(QString, control);
    QFETCH(int, text);
    auto bench = loadedTessel();
    hover(bench->child(control));
    QCOMPARE(bench->helpText(), helpText(text));
}

void HelpAndReportTest::pointer_leavesTheTextWhereNoneApplies() {
    auto bench = loadedTessel();
    hover(bench->child("broadcastToAll"));
    // The form's background, the help box, controls without a text, and the hidden one-way option.
    hover(bench->form());
    hover(bench->child<QPlainTextEdit>("help")->viewport());
    hover(bench->child("baseSerial"));
    hover(bench->child("advancedFeatures"));
    hover(bench->child("nextType_0"));
    hover(bench->child("debounce")); // inside the debounce step, which has a text of its own
    hover(bench->child("commMode_2"));
    QCOMPARE(bench->helpText(), helpText(1));
    hover(bench->child("commMode_0"));
    hover(bench->child("commMode_2"));
    QCOMPARE(bench->helpText(), helpText(10));
}

void HelpAndReportTest::mappingBox_showsItsTextInEitherMode() {
    auto bench = loadedTessel();
    hover(bench->child("mappingByte_5"));
    QCOMPARE(bench->helpText(), helpText(17));
    bench->child<QRadioButton>("mappingMode_1")->click();
    hover(bench->child("broadcastToAll"));
    hover(bench->child("mappingByte_0"));
    QCOMPARE(bench->helpText(), helpText(17));
}

void HelpAndReportTest::report_showsEntry12AsLastReadNotAsSelected() {
    auto bench = loadedTessel();
    bench->child<QRadioButton>("commMode_1")->click();
    bench->child<QPushButton>("productionProfile")->click();
    QVERIFY(
        bench->host.report.startsWith("DATA 0, 19, 162, 0, 64, 50, 6, 0, 1, 191, 255, 255, 0,"));
    bench->window->storeSettings();
    bench->child<QPushButton>("productionProfile")->click();
    QVERIFY(
        bench->host.report.startsWith("DATA 0, 19, 162, 0, 64, 50, 6, 0, 1, 191, 255, 255, 1,"));
}

void HelpAndReportTest::report_secondShowReplacesTheText() {
    ReportWindow report;
    report.showProfile(profileText(startImage()));
    report.showProfile(profileText(factoryImage(ModuleKind::Threshold)));
    QCOMPARE(report.text(), profileText(factoryImage(ModuleKind::Threshold)));
    QCOMPARE(report.windowTitle(), QStringLiteral("Generate Report"));
}

TESSEL_TEST_OBJECT(HelpAndReportTest);
#include "test_HelpAndReport.moc"
