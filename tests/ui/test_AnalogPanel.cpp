// The analog panel of the Threshold window: limit types, typed limits and their check (the
// rules of the check itself are the core's; here, what the panel marks, offers and keeps), and
// its input monitor: single readings and reading loops (a loop giving way to a transfer is
// tested with the factory reset, in test_ThresholdWindow.cpp).

#include "core/LimitCheck.h"
#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

class AnalogPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showSettings_readWhileThePanelIsOpen();
    void limitCheck_marksAndReports_data();
    void limitCheck_marksAndReports();
    void limitEntry_fromTheKeyboardOpensAndCompletesTheBox();
    void panel_cyclesTypesAndClosesWithDone();
    void readAll_sendsSixteenRequestsInOrder();
    void meterLoop_repeatsOneInputTwentyTimesASecondUntilCleared();
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
    QTest::newRow("outside, upper 300") << 2 << 10 << 300 << 4 << false << true;
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

void AnalogPanelTest::limitEntry_fromTheKeyboardOpensAndCompletesTheBox() {
    auto bench = loadedThreshold();
    bench->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(bench->window.get()));
    click(bench->child("setLimits"));
    // A later row fails throughout: a corrected row loses its mark all the same.
    enterLimit(*bench, 7, QStringLiteral("-4"));

    // Space on a limit label opens its box; Enter completes the entry as a pointer movement.
    auto *label = bench->child("limit_4");
    label->setFocus();
    QTest::keyClick(label, Qt::Key_Space);
    auto *box = bench->child<QLineEdit>("limitEditor_4");
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, QStringLiteral("300"));
    // Over a label the pointer shows help; the box stays open and nothing is checked.
    hover(bench->child("levelMeter_5"));
    QVERIFY(!box->isHidden());
    QVERIFY(bench->window->image().value(map::lowerLimitAddress(4)) != 300);
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

// The panel opens on the image; a type label steps through the four types, the two-limit
// ones showing their second limit; Done closes the panel and ends a reading loop.
void AnalogPanelTest::panel_cyclesTypesAndClosesWithDone() {
    auto bench = loadedThreshold();
    QVERIFY(!panelOpen(*bench));
    click(bench->child("setLimits"));
    QVERIFY(panelOpen(*bench));
    QCOMPARE(bench->child<QLineEdit>("limitEditor_9")->text(), QStringLiteral("91"));
    const int address = map::limitTypeAddress(5);
    QCOMPARE(bench->window->image().value(address), 0);
    for (const int type : {1, 2, 3, 0}) {
        click(bench->child("limitType_5"));
        QCOMPARE(bench->window->image().value(address), type);
        QCOMPARE(!bench->child("limit_21")->isHidden(), type == 2 || type == 3);
    }
    bench->child<QCheckBox>("readConstantly")->setChecked(true);
    click(bench->child("limitsDone"));
    QVERIFY(!panelOpen(*bench));
    QVERIFY(!bench->child<QCheckBox>("readConstantly")->isChecked());
}

// ---------------------------------------------------------------- the input monitor

void AnalogPanelTest::readAll_sendsSixteenRequestsInOrder() {
    auto bench = loadedThreshold();
    for (int n = 0; n < 16; ++n)
        bench->module.setAnalogLevel(n, 10 * n);
    bench->module.setAnalogLevel(3, 255);
    bench->module.setAnalogLevel(7, -1); // silent
    const std::size_t before = bench->module.commands().size();
    click(bench->child("readAllInputs"));
    QList<int> expected;
    for (int n = 0; n < 16; ++n)
        expected << n;
    QCOMPARE(analogRequests(*bench, before), expected);
    QCOMPARE(bench->module.commands().size(), before + 16);
    QCOMPARE(bench->child<QProgressBar>("levelMeter_3")->value(), 255);
    QCOMPARE(bench->caption("level_7"), QStringLiteral("???"));
    // A silent input keeps what it last showed; after a read of the settings no level is
    // known, and the meter agrees with its "???".
    bench->module.setAnalogLevel(3, -1);
    click(bench->child("levelMeter_3"));
    QCOMPARE(bench->caption("level_3"), QStringLiteral("255"));
    bench->window->readSettings();
    QCOMPARE(bench->caption("level_3"), QStringLiteral("???"));
    QCOMPARE(bench->child("levelMeter_3")->accessibleName(), QStringLiteral("???"));
}

void AnalogPanelTest::meterLoop_repeatsOneInputTwentyTimesASecondUntilCleared() {
    auto bench = loadedThreshold();
    bench->module.setAnalogLevel(5, 200);
    auto *loop = bench->child<QCheckBox>("readConstantly");
    loop->setChecked(true);
    const qint64 started = bench->clock.nowMicros();
    bench->clock.callAfter(2000 * kMillis, [loop] { loop->setChecked(false); });
    // Clicks for other readings while the loop runs are ignored.
    bench->clock.callAfter(30 * kMillis, [&] {
        click(bench->child("readAllInputs"));
        click(bench->child("levelMeter_9"));
    });
    const std::size_t before = bench->module.commands().size();

    // From the keyboard, as a press would.
    QTest::keyClick(bench->child("levelMeter_5"), Qt::Key_Space);
    const QList<int> requests = analogRequests(*bench, before);
    // A reading takes a few milliseconds; unpaced, two seconds held hundreds.
    QVERIFY2(requests.size() >= 40 && requests.size() <= 41,
             qPrintable(QString::number(requests.size())));
    QCOMPARE(requests.count(5), requests.size());
    QCOMPARE(bench->caption("level_5"), QStringLiteral("200"));
    // The loop ends when the box is cleared, not a pass later.
    QVERIFY(bench->clock.nowMicros() - started < 2010 * kMillis);
}

TESSEL_TEST_OBJECT(AnalogPanelTest);
#include "test_AnalogPanel.moc"
