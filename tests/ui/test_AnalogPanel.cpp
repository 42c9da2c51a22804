// The analog panel of the Threshold window: limit types, typed limits and their check (the
// rules of the check itself are the core's; here, what the panel marks, offers and keeps), and
// its input monitor: single readings, reading loops, and how a loop gives way to a transfer.

#include "core/HelpTexts.h"
#include "core/LimitCheck.h"
#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/AnalogMonitor.h"

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
    void limitCheck_marksOnlyTheFirstBadRowAndLeavesLaterRows();
    void limitCheck_runsOnlyOverTheBackground();
    void limitCheck_fromTheKeyboard();
    void panel_opensFromTheImageAndClosesWithDone();
    void typeLabel_cyclesThroughTheFourTypesWithTheirHelp();
    void readAll_sendsSixteenRequestsInOrder();
    void meterLoop_repeatsOneInputTwentyTimesASecondUntilCleared();
    void secondClickDuringALoop_isIgnored();
    void read_endsARunningLoopFirst();
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

// ---------------------------------------------------------------- the input monitor

void AnalogPanelTest::readAll_sendsSixteenRequestsInOrder() {
    auto bench = loadedThreshold();
    for (int n = 0; n < 16; ++n)
        bench->module.setAnalogLevel(n, 10 * n);
    bench->module.setAnalogLevel(3, 255);
    bench->module.setAnalogLevel(7, -1); // silent
    const std::size_t before = bench->module.commands().size();
    const qint64 start = bench->clock.nowMicros();

    click(bench->child("readAllInputs"));
    QList<int> expected;
    for (int n = 0; n < 16; ++n)
        expected << n;
    QCOMPARE(analogRequests(*bench, before), expected);
    QCOMPARE(bench->module.commands().size(), before + 16);
    QCOMPARE(bench->child<QProgressBar>("levelMeter_3")->value(), 255);
    QCOMPARE(bench->caption("level_7"), QStringLiteral("???"));
    // The silent input cost one time-out of 3500 polls, and as long again in which its level
    // might still have come late for the next input to discard, and no more.
    const qint64 took = bench->clock.nowMicros() - start;
    QVERIFY2(took >= 700 * kMillis && took < 750 * kMillis, qPrintable(QString::number(took)));

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

void AnalogPanelTest::secondClickDuringALoop_isIgnored() {
    auto bench = loadedThreshold();
    auto *loop = bench->child<QCheckBox>("readConstantly");
    loop->setChecked(true);
    QList<int> nested;
    bench->clock.callAfter(30 * kMillis, [&] {
        const std::size_t at = bench->module.commands().size();
        click(bench->child("readAllInputs"));
        click(bench->child("levelMeter_9"));
        nested << int(bench->module.commands().size() - at);
    });
    bench->clock.callAfter(60 * kMillis, [loop] { loop->setChecked(false); });
    const std::size_t before = bench->module.commands().size();
    click(bench->child("readAllInputs"));

    QCOMPARE(nested, QList<int>{0});
    const QList<int> requests = analogRequests(*bench, before);
    QVERIFY(requests.size() >= 32);
    // Whole passes, each 0 to 15, never restarted or broken into.
    QCOMPARE(requests.size() % 16, 0);
    for (int i = 0; i < requests.size(); ++i)
        QCOMPARE(requests[i], i % 16);
}

void AnalogPanelTest::read_endsARunningLoopFirst() {
    auto bench = loadedThreshold();
    ModuleMemory memory = bench->module.memory();
    memory[map::kDebounce] = 42;
    bench->module.setMemory(memory);
    auto *loop = bench->child<QCheckBox>("readConstantly");
    loop->setChecked(true);
    qint64 uncheckedAt = -1;
    QObject::connect(loop, &QCheckBox::toggled, [&](bool on) {
        if (!on)
            uncheckedAt = bench->clock.nowMicros();
    });
    bench->clock.callAfter(40 * kMillis, [&] { click(bench->child("readSettings")); });
    const std::size_t before = bench->module.commands().size();
    click(bench->child("readAllInputs"));

    QVERIFY(uncheckedAt > 0);
    QVERIFY2(bench->host.messages.isEmpty(), qPrintable(bench->host.messages.join('\n')));
    QCOMPARE(bench->window->image().value(map::kDebounce), 42);
    // The loop finished its pass; the read came after it, whole, and after the pause.
    const auto &commands = bench->module.commands();
    std::size_t firstBlock = before;
    while (firstBlock < commands.size() && !commands[firstBlock].startsWith(QByteArray("\0\1", 2)))
        ++firstBlock;
    QCOMPARE(analogRequests(*bench, before).size() % 16, 0);
    QCOMPARE(commands.size() - firstBlock, std::size_t{32}); // each block twice
    QVERIFY(bench->clock.nowMicros() > uncheckedAt + AnalogMonitor::kSettleMicros);
}

TESSEL_TEST_OBJECT(AnalogPanelTest);
#include "test_AnalogPanel.moc"
