// The analog panel of the Threshold window: limit types, typed limits and their check. The
// rules of the check itself are the core's; here, what the panel marks, offers and keeps.

#include "core/HelpTexts.h"
#include "core/LimitCheck.h"
#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

class AnalogPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showSettings_readWhileThePanelIsOpen();
    void limitCheck_marksAndReports_data();
    void limitCheck_marksAndReports();
    void limitCheck_marksOnlyTheFirstBadRowAndLeavesLaterRows();
    void limitCheck_runsOnlyOverTheBackground();
    void limitCheck_fromTheKeyboard();
    void panel_opensFromTheImageAndClosesWithDone();
    void typeLabel_cyclesThroughTheFourTypesWithTheirHelp();
};

void AnalogPanelTest::showSettings_readWhileThePanelIsOpen() {
    auto bench = loadedThreshold();
    click(bench->child("setLimits"));
    ModuleMemory memory = bench->module.memory();
    memory[map::limitTypeAddress(4)] = 3;
    memory[map::lowerLimitAddress(4)] = 120;
    memory[map::upperLimitAddress(4)] = 140;
    bench->module.setMemory(memory);
    bench->window->readSettings();
    QCOMPARE(bench->caption("limit_20"), QStringLiteral("140"));
    QVERIFY(!bench->child("limit_20")->isHidden());
    // The next pointer movement keeps what was read, not what the panel showed before.
    moveOverPanel(*bench);
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(4)), 120);
    QCOMPARE(bench->window->image().value(map::upperLimitAddress(4)), 140);
}

void AnalogPanelTest::limitCheck_marksAndReports_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("code"); // 0: the check passes
    QTest::addColumn<bool>("lowerRed");
    QTest::addColumn<bool>("upperRed");
    QTest::newRow("above 300") << 0 << 300 << 20 << 4 << true << false;
    QTest::newRow("outside 100/101") << 2 << 100 << 101 << 1 << true << true;
    QTest::newRow("outside 100/102") << 2 << 100 << 102 << 0 << false << false;
    QTest::newRow("inside 150/100") << 3 << 150 << 100 << 2 << true << true;
    // An upper limit its type hides is checked all the same.
    QTest::newRow("below, hidden 300") << 1 << 50 << 300 << 4 << false << true;
}

void AnalogPanelTest::limitCheck_marksAndReports() {
    QFETCH(int, type);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, code);
    QFETCH(bool, lowerRed);
    QFETCH(bool, upperRed);

    auto bench = loadedThreshold();
    showTableWithinCapacity(*bench);
    const int input = 6;
    click(bench->child("setLimits"));
    chooseType(*bench, input, type);
    enterLimit(*bench, 16 + input, QString::number(upper));
    enterLimit(*bench, input, QString::number(lower));

    // Both values are in the image, checked or not; the boxes are closed.
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(input)), lower);
    QCOMPARE(bench->window->image().value(map::upperLimitAddress(input)), upper);
    QVERIFY(bench->child(name("limitEditor", input))->isHidden());
    const QColor red = colours::kLightRed;
    const QColor white = colours::kWhite;
    QCOMPARE(bench->background(name("limit", input)), lowerRed ? red : white);
    QCOMPARE(bench->background(name("limit", 16 + input)), upperRed ? red : white);
    const bool valid = code == 0;
    QCOMPARE(bench->child("limitMessage")->isHidden(), valid);
    if (!valid)
        QCOMPARE(bench->caption("limitMessage"), limitCheckMessage(code));
    QCOMPARE(bench->child("limitsDone")->isHidden(), !valid);
    QCOMPARE(bench->child("storeSettings")->isHidden(), !valid);
}

// The check stops at the first row that fails; a later row keeps its old mark until then.
void AnalogPanelTest::limitCheck_marksOnlyTheFirstBadRowAndLeavesLaterRows() {
    auto bench = loadedThreshold();
    click(bench->child("setLimits"));
    enterLimit(*bench, 3, QStringLiteral("300"));
    enterLimit(*bench, 7, QStringLiteral("-4"));
    QCOMPARE(bench->background("limit_7"), colours::kWhite);
    enterLimit(*bench, 3, QStringLiteral("30"));
    QCOMPARE(bench->background("limit_3"), colours::kWhite);
    QCOMPARE(bench->background("limit_7"), colours::kLightRed);
    enterLimit(*bench, 1, QStringLiteral("256"));
    enterLimit(*bench, 7, QStringLiteral("70"));
    QCOMPARE(bench->background("limit_7"), colours::kLightRed);
    enterLimit(*bench, 1, QStringLiteral("10"));
    QCOMPARE(bench->background("limit_7"), colours::kWhite);
}

void AnalogPanelTest::limitCheck_runsOnlyOverTheBackground() {
    auto bench = loadedThreshold();
    click(bench->child("setLimits"));
    typeLimit(*bench, 5, QStringLiteral("999"));
    // Over a label the pointer shows help; the typing box stays open and nothing is checked.
    hover(bench->child("analogInput_5"));
    hover(bench->child("levelMeter_5"));
    QVERIFY(!bench->child("limitEditor_5")->isHidden());
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(5)), 59);

    moveOverPanel(*bench);
    QVERIFY(bench->child("limitEditor_5")->isHidden());
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(5)), 999);
}

void AnalogPanelTest::limitCheck_fromTheKeyboard() {
    auto bench = loadedThreshold();
    bench->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(bench->window.get()));
    click(bench->child("setLimits"));

    // Space on a limit label opens its box; Enter completes the entry as a pointer movement.
    auto *label = bench->child("limit_4");
    label->setFocus();
    QTest::keyClick(label, Qt::Key_Space);
    auto *box = bench->child<QLineEdit>("limitEditor_4");
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, QStringLiteral("300"));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(box->isHidden());
    QVERIFY(label->hasFocus());
    QCOMPARE(bench->background("limit_4"), colours::kLightRed);

    // Leaving the box completes the entry too.
    QTest::keyClick(label, Qt::Key_Space);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("40"));
    bench->child("limitType_5")->setFocus();
    QVERIFY(box->isHidden());
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(4)), 40);
    QCOMPARE(bench->background("limit_4"), colours::kWhite);
}

void AnalogPanelTest::panel_opensFromTheImageAndClosesWithDone() {
    auto bench = loadedThreshold();
    QVERIFY(!panelOpen(*bench));
    click(bench->child("setLimits"));
    QVERIFY(panelOpen(*bench));
    QCOMPARE(bench->child<QLineEdit>("limitEditor_9")->text(), QStringLiteral("91"));
    QVERIFY(bench->child("limit_25")->isHidden()); // Above uses one limit
    bench->child<QCheckBox>("readConstantly")->setChecked(true);
    click(bench->child("limitsDone"));
    QVERIFY(!panelOpen(*bench));
    QVERIFY(!bench->child<QCheckBox>("readConstantly")->isChecked());
}

void AnalogPanelTest::typeLabel_cyclesThroughTheFourTypesWithTheirHelp() {
    auto bench = loadedThreshold();
    click(bench->child("setLimits"));
    const int address = map::limitTypeAddress(5);
    QCOMPARE(bench->window->image().value(address), 0);
    for (const int type : {1, 2, 3, 0}) {
        click(bench->child("limitType_5"));
        QCOMPARE(bench->window->image().value(address), type);
        QCOMPARE(bench->helpText(), limitTypeHelp(bench->caption("limitType_5")));
        QCOMPARE(!bench->child("limit_21")->isHidden(), type == 2 || type == 3);
    }

    // Pointing at either limit box of a row explains the row's type.
    chooseType(*bench, 3, 3);
    const auto boxHelp = [](int box, const QString &type) {
        return *helpFor(ModuleKind::Threshold, QStringLiteral("limitEditor"), box, type).text;
    };
    hover(bench->child("limitEditor_19"));
    QCOMPARE(bench->helpText(), boxHelp(19, kInside));
    chooseType(*bench, 3, 0);
    hover(bench->child("limitEditor_19"));
    QCOMPARE(bench->helpText(), boxHelp(19, kAbove));
}

TESSEL_TEST_OBJECT(AnalogPanelTest);
#include "test_AnalogPanel.moc"
