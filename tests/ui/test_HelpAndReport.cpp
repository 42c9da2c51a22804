#include "core/HelpTexts.h"
#include "core/ProfileText.h"
#include "support/WindowBench.h"
#include "ui/ReportWindow.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

namespace {
using Bench = WindowBench;

std::unique_ptr<Bench> loadedBench() {
    return Bench::loaded(ModuleKind::Tessel);
}

} // namespace

class HelpAndReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pointer_showsTheControlsText_data();
    void pointer_showsTheControlsText();
    void pointer_leavesTheTextWhereNoneApplies();
    void mappingBox_showsItsTextInEitherMode();
    void pointer_endsSerialEditingWhereTheTableSaysSo();
    void report_ofTheStartImageReadsAsDocumented();
    void report_showsEntry12AsLastReadNotAsSelected();
    void report_secondShowReplacesTheText();
};

void HelpAndReportTest::pointer_showsTheControlsText_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("text");
    QTest::newRow("broadcast") << "Broadcast" << 1;
    QTest::newRow("device number") << "C1_3" << 2;
    QTest::newRow("active") << "C2_0" << 4;
    QTest::newRow("serial") << "C3_1" << 5;
    QTest::newRow("type") << "C4_2" << 6;
    QTest::newRow("function") << "C5_0" << 7;
    QTest::newRow("assignment") << "C6_0" << 8;
    QTest::newRow("factory") << "Command2" << 9;
    QTest::newRow("two-way") << "Configuration_0" << 10;
    QTest::newRow("debounce step") << "Frame3" << 11;
    QTest::newRow("confirmation") << "Configuration_1" << 12;
    QTest::newRow("profile") << "CreateExplanation" << 13;
    QTest::newRow("restore default") << "Default_SN" << 14;
    QTest::newRow("count step") << "Frame2" << 15;
    QTest::newRow("refresh step") << "Frame4" << 16;
    QTest::newRow("read") << "ReadSettings" << 18;
    QTest::newRow("store") << "StoreSettings" << 21;
    QTest::newRow("calculated") << "USEMAP_0" << 22;
    QTest::newRow("custom") << "USEMAP_1" << 23;
}

void HelpAndReportTest::pointer_showsTheControlsText() {
    QFETCH(QString, control);
    QFETCH(int, text);
    auto bench = loadedBench();
    hover(bench->child(control));
    QCOMPARE(bench->helpText(), helpText(text));
}

void HelpAndReportTest::pointer_leavesTheTextWhereNoneApplies() {
    auto bench = loadedBench();
    hover(bench->child("Broadcast"));
    // The form's background, the help box, controls without a text, and the hidden one-way option.
    hover(bench->form());
    hover(bench->child<QPlainTextEdit>("HELP")->viewport());
    hover(bench->child("SN"));
    hover(bench->child("Advanced"));
    hover(bench->child("UP_0"));
    hover(bench->child("Debounce")); // inside the debounce step, which has a text of its own
    hover(bench->child("Configuration_2"));
    QCOMPARE(bench->helpText(), helpText(1));
    hover(bench->child("Configuration_0"));
    hover(bench->child("Configuration_2"));
    QCOMPARE(bench->helpText(), helpText(10));
}

void HelpAndReportTest::mappingBox_showsItsTextInEitherMode() {
    auto bench = loadedBench();
    hover(bench->child("MAP_5"));
    QCOMPARE(bench->helpText(), helpText(17));
    bench->child<QRadioButton>("USEMAP_1")->click();
    hover(bench->child("Broadcast"));
    hover(bench->child("MAP_0"));
    QCOMPARE(bench->helpText(), helpText(17));
}

void HelpAndReportTest::pointer_endsSerialEditingWhereTheTableSaysSo() {
    const std::pair<const char *, bool> cases[] = {
        {"C1_0", true},       {"C2_0", true},   {"C3_5", true},   {"C5_0", true},
        {"C6_0", true},       {"Frame3", true}, {"Frame4", true}, {"C4_2", false},
        {"Broadcast", false}, {"MAP_2", false}, {"SNTB_2", false}};
    for (const auto &[control, ends] : cases) {
        auto bench = loadedBench();
        click(bench->child("C3_2"));
        bench->child<QLineEdit>("SNTB_2")->setText("AB");
        hover(bench->child(control));
        QCOMPARE(bench->child("SNTB_2")->isHidden(), ends);
        QCOMPARE(bench->caption("C3_2") == QStringLiteral("AB"), ends);
    }
}

void HelpAndReportTest::report_ofTheStartImageReadsAsDocumented() {
    Bench bench(ModuleKind::Tessel); // not loaded: the window holds its start image
    bench.child<QPushButton>("CreateExplanation")->click();
    const QString report = bench.host.report;
    QVERIFY(report.startsWith(
        "DATA 0, 9, 10, 15, 0, 0, 1, 5, 1, 255, 255, 255, 0, 0, 0, 0     DATA 0,"));
    QCOMPARE(report.count("DATA"), 16);
    QCOMPARE(report.count(','), 16 * 15);
    QCOMPARE(report, profileText(startImage()));
}

void HelpAndReportTest::report_showsEntry12AsLastReadNotAsSelected() {
    auto bench = loadedBench();
    bench->child<QRadioButton>("Configuration_1")->click();
    bench->child<QPushButton>("CreateExplanation")->click();
    QVERIFY(
        bench->host.report.startsWith("DATA 0, 19, 162, 0, 64, 50, 6, 0, 1, 191, 255, 255, 0,"));
    bench->window->StoreSettings_Click();
    bench->child<QPushButton>("CreateExplanation")->click();
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

QTEST_MAIN(HelpAndReportTest)
#include "test_HelpAndReport.moc"
