// The analog panel of the Threshold window: limit types, typed limits and their check.

#include "core/HelpTexts.h"
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
    void outOfRangeLimit_neverReachesTheModule();
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
    QCOMPARE(bench->caption("limitType_4"), kInside);
    QCOMPARE(bench->caption("limit_4"), QStringLiteral("120"));
    QCOMPARE(bench->caption("limit_20"), QStringLiteral("140"));
    QVERIFY(!bench->child("limit_20")->isHidden());
    QVERIFY(bench->child("limit_16")->isHidden()); // input 0 is still of type Above

    // The next pointer movement keeps what was read, not what the panel showed before.
    moveOverPanel(*bench);
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(4)), 120);
    QCOMPARE(bench->window->image().value(map::upperLimitAddress(4)), 140);
    QVERIFY(bench->child("limitMessage")->isHidden());
}

void AnalogPanelTest::limitCheck_marksAndReports_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<int>("storedLower");
    QTest::addColumn<int>("storedUpper");
    QTest::addColumn<QString>("message"); // empty: the check passes
    QTest::addColumn<bool>("lowerRed");
    QTest::addColumn<bool>("upperRed");

    const QString tooClose = QStringLiteral(
        "Limits are too close together.  Please Separate Limits with at least 1 value in "
        "between.");
    const QString crossed = QStringLiteral("Lower Limit Cannot Be Higher the Upper Limit");
    const QString below0 = QStringLiteral("Value Cannot be Less than 0");
    const QString above255 = QStringLiteral("Value Cannot be Above 255");

    QTest::newRow("above 300") << 0 << "300"
                               << "20" << 300 << 20 << above255 << true << false;
    QTest::newRow("above -1") << 0 << "-1"
                              << "20" << -1 << 20 << below0 << true << false;
    QTest::newRow("outside 100/101") << 2 << "100"
                                     << "101" << 100 << 101 << tooClose << true << true;
    QTest::newRow("outside 100/100") << 2 << "100"
                                     << "100" << 100 << 100 << tooClose << true << true;
    QTest::newRow("outside 100/102") << 2 << "100"
                                     << "102" << 100 << 102 << QString() << false << false;
    QTest::newRow("inside 150/100") << 3 << "150"
                                    << "100" << 150 << 100 << crossed << true << true;
    QTest::newRow("below, hidden 20") << 1 << "50"
                                      << "20" << 50 << 20 << QString() << false << false;
    QTest::newRow("below, hidden 300") << 1 << "50"
                                       << "300" << 50 << 300 << above255 << false << true;
    QTest::newRow("letters") << 0 << "abc"
                             << "20" << 0 << 20 << QString() << false << false;
    QTest::newRow("12.5 to even") << 0 << "12.5"
                                  << "20" << 12 << 20 << QString() << false << false;
    QTest::newRow("13.5 to even") << 0 << "13.5"
                                  << "20" << 14 << 20 << QString() << false << false;
    QTest::newRow("blanks inside") << 3 << " 1 2"
                                   << "2 00" << 12 << 200 << QString() << false << false;
}

void AnalogPanelTest::limitCheck_marksAndReports() {
    QFETCH(int, type);
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    QFETCH(int, storedLower);
    QFETCH(int, storedUpper);
    QFETCH(QString, message);
    QFETCH(bool, lowerRed);
    QFETCH(bool, upperRed);

    auto bench = loadedThreshold();
    showTableWithinCapacity(*bench);
    const int input = 6;
    click(bench->child("setLimits"));
    QVERIFY(panelOpen(*bench));
    chooseType(*bench, input, type);
    enterLimit(*bench, 16 + input, upper);
    enterLimit(*bench, input, lower);

    const EepromImage &image = bench->window->image();
    QCOMPARE(image.value(map::lowerLimitAddress(input)), storedLower);
    QCOMPARE(image.value(map::upperLimitAddress(input)), storedUpper);
    // Both typed texts stay in their labels as typed; the boxes are closed.
    QCOMPARE(bench->caption(name("limit", input)), lower);
    QCOMPARE(bench->caption(name("limit", 16 + input)), upper);
    QVERIFY(bench->child(name("limitEditor", input))->isHidden());
    QVERIFY(bench->child(name("limitEditor", 16 + input))->isHidden());

    const QColor red = colours::kLightRed;
    const QColor white = colours::kWhite;
    QCOMPARE(bench->background(name("limit", input)), lowerRed ? red : white);
    QCOMPARE(bench->background(name("limit", 16 + input)), upperRed ? red : white);
    const bool valid = message.isEmpty();
    auto *label7 = bench->child<QLabel>("limitMessage");
    QCOMPARE(bench->child("analogPanel")->height(), px(valid ? 6015 : 6495));
    QCOMPARE(!label7->isHidden(), !valid);
    if (!valid)
        QCOMPARE(label7->text(), message);
    QCOMPARE(!bench->child("limitsDone")->isHidden(), valid);
    QCOMPARE(!bench->child("storeSettings")->isHidden(), valid);
}

void AnalogPanelTest::limitCheck_marksOnlyTheFirstBadRowAndLeavesLaterRows() {
    auto bench = loadedThreshold();
    click(bench->child("setLimits"));
    const QColor unmarked = bench->background("limit_7");
    enterLimit(*bench, 3, QStringLiteral("300"));
    enterLimit(*bench, 7, QStringLiteral("-4"));
    QCOMPARE(bench->background("limit_3"), colours::kLightRed);
    QCOMPARE(bench->background("limit_7"), unmarked);
    QCOMPARE(bench->caption("limitMessage"), QStringLiteral("Value Cannot be Above 255"));
    // Both values are in the image, checked or not.
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(7)), -4);

    typeLimit(*bench, 3, QStringLiteral("30"));
    moveOverPanel(*bench);
    QCOMPARE(bench->background("limit_3"), colours::kWhite);
    QCOMPARE(bench->background("limit_7"), colours::kLightRed);
    QCOMPARE(bench->caption("limitMessage"), QStringLiteral("Value Cannot be Less than 0"));

    // Row 7 now right, row 1 wrong: the check stops at row 1 and row 7 keeps its old mark.
    enterLimit(*bench, 1, QStringLiteral("256"));
    enterLimit(*bench, 7, QStringLiteral("70"));
    QCOMPARE(bench->background("limit_1"), colours::kLightRed);
    QCOMPARE(bench->background("limit_3"), colours::kWhite);
    QCOMPARE(bench->background("limit_7"), colours::kLightRed);

    typeLimit(*bench, 1, QStringLiteral("10"));
    moveOverPanel(*bench);
    for (int k = 0; k < 32; ++k)
        QCOMPARE(bench->background(name("limit", k)), colours::kWhite);
    QVERIFY(bench->child("limitMessage")->isHidden());
    QVERIFY(!bench->child("limitsDone")->isHidden());
}

void AnalogPanelTest::limitCheck_runsOnlyOverTheBackground() {
    auto bench = loadedThreshold();
    click(bench->child("setLimits"));
    typeLimit(*bench, 5, QStringLiteral("999"));
    // Over a label the pointer shows help; the typing box stays open and nothing is checked.
    hover(bench->child("analogInput_5"));
    hover(bench->child("levelMeter_5"));
    QVERIFY(!bench->child("limitEditor_5")->isHidden());
    QCOMPARE(bench->caption("limit_5"), QStringLiteral("59"));
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(5)), 59);
    QCOMPARE(bench->helpText(),
             *helpFor(ModuleKind::Threshold, QStringLiteral("levelMeter"), 5).text);

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
    QVERIFY(!box->isHidden());
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, QStringLiteral("300"));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(box->isHidden());
    QVERIFY(label->hasFocus());
    QCOMPARE(bench->caption("limit_4"), QStringLiteral("300"));
    QCOMPARE(bench->background("limit_4"), colours::kLightRed);
    QCOMPARE(bench->caption("limitMessage"), QStringLiteral("Value Cannot be Above 255"));

    // Leaving the box completes the entry too.
    QTest::keyClick(label, Qt::Key_Space);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("40"));
    bench->child("limitType_5")->setFocus();
    QVERIFY(box->isHidden());
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(4)), 40);
    QCOMPARE(bench->background("limit_4"), colours::kWhite);
    QVERIFY(!bench->child("limitsDone")->isHidden());
}

void AnalogPanelTest::outOfRangeLimit_neverReachesTheModule() {
    auto bench = loadedThreshold();
    click(bench->child("setLimits"));
    enterLimit(*bench, 17, QStringLiteral("-70000"));
    enterLimit(*bench, 0, QStringLiteral("70000"));
    QCOMPARE(bench->caption("limitMessage"), QStringLiteral("Value Cannot be Above 255"));
    QVERIFY(bench->child("storeSettings")->isHidden());
    // Other checks passing do not offer the store again, and a store asked for anyway is
    // refused naming the limit.
    click(bench->child("broadcastToAll"));
    QVERIFY(bench->child("storeSettings")->isHidden());
    const int writesBefore = bench->commands(1, 2);
    const ModuleMemory before = bench->module.memory();
    bench->window->storeSettings();
    QCOMPARE(bench->commands(1, 2), writesBefore);
    QVERIFY(bench->module.memory() == before);
    QCOMPARE(bench->host.messages,
             QStringList{QStringLiteral("Nothing was stored: correct controller type of "
                                        "device 1 (beyond the module's 16 inputs), lower "
                                        "limit of input 0 first.")});
    // The typed values are kept for correcting.
    QCOMPARE(bench->caption("limit_0"), QStringLiteral("70000"));
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(0)), 32767);
    QCOMPARE(bench->window->image().value(map::upperLimitAddress(1)), -32768);
}

void AnalogPanelTest::panel_opensFromTheImageAndClosesWithDone() {
    auto bench = loadedThreshold();
    QVERIFY(!panelOpen(*bench));
    click(bench->child("setLimits"));
    QVERIFY(panelOpen(*bench));
    QCOMPARE(bench->child<QLineEdit>("limitEditor_9")->text(), QStringLiteral("91"));
    QCOMPARE(bench->caption("limit_25"), QStringLiteral("92"));
    QVERIFY(bench->child("limit_25")->isHidden()); // Above uses one limit

    // A failed check closes the way out; the panel reopens as it was left.
    typeLimit(*bench, 9, QStringLiteral("-1"));
    moveOverPanel(*bench);
    QVERIFY(bench->child("limitsDone")->isHidden());
    typeLimit(*bench, 9, QStringLiteral("90"));
    moveOverPanel(*bench);
    bench->child<QCheckBox>("readConstantly")->setChecked(true);
    click(bench->child("limitsDone"));
    QVERIFY(!panelOpen(*bench));
    QVERIFY(!bench->child<QCheckBox>("readConstantly")->isChecked());
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(9)), 90);
    click(bench->child("setLimits"));
    QCOMPARE(bench->background("limit_9"), colours::kWhite);
    QCOMPARE(bench->caption("limit_9"), QStringLiteral("90"));
}

void AnalogPanelTest::typeLabel_cyclesThroughTheFourTypesWithTheirHelp() {
    auto bench = loadedThreshold();
    click(bench->child("setLimits"));
    const int input = 5;
    const int address = map::limitTypeAddress(input);
    QCOMPARE(bench->window->image().value(address), 0);
    const QString sequence[] = {kBelow, kOutside, kInside, kAbove};
    for (int step = 0; step < 4; ++step) {
        click(bench->child("limitType_5"));
        const int type = (step + 1) % 4;
        QCOMPARE(bench->window->image().value(address), type);
        QCOMPARE(bench->caption("limitType_5"), sequence[step]);
        QCOMPARE(bench->helpText(), limitTypeHelp(sequence[step]));
        QCOMPARE(!bench->child("limit_21")->isHidden(), type == 2 || type == 3);
        QVERIFY(!bench->child("limit_5")->isHidden());
    }
    QVERIFY(limitTypeHelp(kAbove).startsWith(QStringLiteral("Activate a Relay Above")));

    // Pointing at either limit box of a row explains the row's type.
    chooseType(*bench, 3, 3);
    const auto boxHelp = [](int box, const QString &type) {
        return *helpFor(ModuleKind::Threshold, QStringLiteral("limitEditor"), box, type).text;
    };
    hover(bench->child("limitEditor_3"));
    QCOMPARE(bench->helpText(), boxHelp(3, kInside));
    hover(bench->child("analogInput_3"));
    hover(bench->child("limitEditor_19"));
    QCOMPARE(bench->helpText(), boxHelp(19, kInside));
    chooseType(*bench, 3, 0);
    hover(bench->child("limitEditor_19"));
    QCOMPARE(bench->helpText(), boxHelp(19, kAbove));
}

TESSEL_TEST_OBJECT(AnalogPanelTest);
#include "test_AnalogPanel.moc"
