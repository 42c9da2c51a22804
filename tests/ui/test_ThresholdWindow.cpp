#include "core/Commands.h"
#include "core/ControllerTypes.h"
#include "core/HelpTexts.h"
#include "core/MemoryMap.h"
#include "support/WindowBench.h"
#include "ui/AnalogMonitor.h"
#include "ui/ThresholdWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

namespace {
using Bench = WindowBench<ThresholdWindow>;

constexpr qint64 kMillis = 1000;

std::unique_ptr<Bench> loadedBench() {
    return Bench::loaded(ModuleKind::Threshold);
}

QString name(const char *array, int index) {
    return elementName(QString::fromLatin1(array), index);
}

QColor colour(Bench &bench, const QString &control) {
    return backgroundOf(bench.child(control));
}

QString helpBox(Bench &bench) {
    return bench.child<QPlainTextEdit>("HELP")->toPlainText();
}

bool panelOpen(Bench &bench) {
    return !bench.child("Frame6")->isHidden() && !bench.child("Frame8")->isHidden();
}

// The operator's way through the panel: click a type label until the row shows the type;
// click a limit label, type into its box; move the pointer over the panel's background.
void chooseType(Bench &bench, int input, int type) {
    for (int clicks = 0; clicks < 4; ++clicks) {
        if (bench.window->image().value(map::limitTypeAddress(input)) == type)
            return;
        click(bench.child(name("C9", input)));
    }
    QFAIL("the type label never showed the type");
}

void typeLimit(Bench &bench, int box, const QString &text) {
    click(bench.child(name("C10", box)));
    auto *ml = bench.child<QLineEdit>(name("ML", box));
    QVERIFY(!ml->isHidden());
    ml->setText(text);
}

void moveOverPanel(Bench &bench) {
    hover(bench.child("Frame8"), {3, 3});
}

// Typing one limit and moving on over the panel, as the operator's pointer does on its way.
void enterLimit(Bench &bench, int box, const QString &text) {
    typeLimit(bench, box, text);
    moveOverPanel(bench);
}

// The entries from `first` to `last` of the module's memory and of an image agree.
bool sameRange(const ModuleMemory &memory, const EepromImage &image, int first, int last) {
    for (int a = first; a <= last; ++a) {
        if (memory[a] != image.value(a))
            return false;
    }
    return true;
}

// The inputs of the ReadAnalogInput commands the module received from `from` on.
QList<int> analogRequests(const Bench &bench, std::size_t from = 0) {
    QList<int> inputs;
    const auto &commands = bench.module.commands();
    for (std::size_t i = from; i < commands.size(); ++i) {
        if (commands[i].size() == 2 && commands[i][0] == char(2))
            inputs << static_cast<quint8>(commands[i][1]);
    }
    return inputs;
}

const QString kAbove = QStringLiteral("Activate Relay Above Limit");
const QString kBelow = QStringLiteral("Activate Relay Below Limit");
const QString kOutside = QStringLiteral("Activate Relay Outside Limits");
const QString kInside = QStringLiteral("Activate Relay Inside Limits");
} // namespace

class ThresholdWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void syncSettings_showsTheThresholdImage();
    void syncSettings_readWhileThePanelIsOpen();
    void limitCheck_marksAndReports_data();
    void limitCheck_marksAndReports();
    void limitCheck_marksOnlyTheFirstBadRowAndLeavesLaterRows();
    void limitCheck_runsOnlyOverTheBackground();
    void limitCheck_fromTheKeyboard();
    void outOfRangeLimit_neverReachesTheModule();
    void panel_opensFromTheImageAndClosesWithDone();
    void typeLabel_cyclesThroughTheFourTypesWithTheirHelp();
    void readAll_sendsSixteenRequestsInOrder();
    void meterLoop_repeatsOneInputUntilCleared();
    void secondClickDuringALoop_isIgnored();
    void read_endsARunningLoopFirst();
    void factoryReset_writesTheThresholdDataSet_data();
    void factoryReset_writesTheThresholdDataSet();
    void capacity_isSixteenInputs();
    void serials_useTheThresholdLengths();
    void broadcastAndRestoreDefault_spellTheAddressesInThisWindowsForm();
    void typeStep_staysWithinTheSixteenInputTypes();
    void deviceCount_aboveFifteenRaisesTheRange();
    void captureSpeed_showsTheReactionTime();
};

void ThresholdWindowTest::syncSettings_showsTheThresholdImage() {
    auto bench = loadedBench();
    QCOMPARE(bench->child<QLineEdit>("SN")->text(), QStringLiteral("0013A200:4032"));
    QCOMPARE(bench->caption("C3_0"), QStringLiteral("9B05"));
    QCOMPARE(bench->caption("C5_0"), QStringLiteral("Relay Limiter Functions"));
    QCOMPARE(bench->caption("C5_15"), QStringLiteral("Relay Limiter Functions"));
    QCOMPARE(bench->caption("C5_16"), QStringLiteral("??"));
    QCOMPARE(bench->caption("C8_0"), QStringLiteral(" 0"));
    QCOMPARE(bench->caption("C8_15"), QStringLiteral(" 15"));
    QCOMPARE(bench->caption("C9_2"), kBelow);
    QCOMPARE(bench->caption("C10_2"), QStringLiteral("35"));
    QCOMPARE(bench->caption("C10_18"), QStringLiteral("36"));

    EepromImage image = factoryImage(ModuleKind::Threshold);
    for (int a = 0; a < 6; ++a)
        image.setValue(a, 0);
    image.setValue(map::recordAddress(3), 0xAB);
    image.setValue(map::recordAddress(3) + 1, 0x0C);
    image.setValue(map::limitTypeAddress(0), 9);
    image.setValue(map::limitTypeAddress(1), 2);
    bench->window->showImage(image);
    QCOMPARE(bench->child<QLineEdit>("SN")->text(), QStringLiteral("00000000:0000"));
    QCOMPARE(bench->caption("C3_3"), QStringLiteral("AB0C"));
    QCOMPARE(bench->caption("C9_0"), kInside);
    QCOMPARE(bench->window->image().value(map::limitTypeAddress(0)), 3);
    QCOMPARE(bench->caption("C9_1"), kOutside);
    // Each type change showed its explanation, the last in row order stays; the two-limit
    // types show their second limit.
    QCOMPARE(helpBox(*bench), limitTypeHelp(kOutside));
    QVERIFY(!bench->child("C10_16")->isHidden());
    QVERIFY(!bench->child("C10_17")->isHidden());
    QVERIFY(bench->child("C10_20")->isHidden());
}

void ThresholdWindowTest::syncSettings_readWhileThePanelIsOpen() {
    auto bench = loadedBench();
    click(bench->child("LimitMap"));
    ModuleMemory memory = bench->module.memory();
    memory[map::limitTypeAddress(4)] = 3;
    memory[map::lowerLimitAddress(4)] = 120;
    memory[map::upperLimitAddress(4)] = 140;
    bench->module.setMemory(memory);
    bench->window->ReadSettings_Click();
    QCOMPARE(bench->caption("C9_4"), kInside);
    QCOMPARE(bench->caption("C10_4"), QStringLiteral("120"));
    QCOMPARE(bench->caption("C10_20"), QStringLiteral("140"));
    QVERIFY(!bench->child("C10_20")->isHidden());
    QVERIFY(bench->child("C10_16")->isHidden()); // input 0 is still of type Above

    // The next pointer movement keeps what was read, not what the panel showed before.
    moveOverPanel(*bench);
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(4)), 120);
    QCOMPARE(bench->window->image().value(map::upperLimitAddress(4)), 140);
    QVERIFY(bench->child("Label7")->isHidden());
}

void ThresholdWindowTest::limitCheck_marksAndReports_data() {
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

void ThresholdWindowTest::limitCheck_marksAndReports() {
    QFETCH(int, type);
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    QFETCH(int, storedLower);
    QFETCH(int, storedUpper);
    QFETCH(QString, message);
    QFETCH(bool, lowerRed);
    QFETCH(bool, upperRed);

    auto bench = loadedBench();
    const int input = 6;
    click(bench->child("LimitMap"));
    QVERIFY(panelOpen(*bench));
    chooseType(*bench, input, type);
    enterLimit(*bench, 16 + input, upper);
    enterLimit(*bench, input, lower);

    const EepromImage &image = bench->window->image();
    QCOMPARE(image.value(map::lowerLimitAddress(input)), storedLower);
    QCOMPARE(image.value(map::upperLimitAddress(input)), storedUpper);
    // Both typed texts stay in their labels as typed; the boxes are closed.
    QCOMPARE(bench->caption(name("C10", input)), lower);
    QCOMPARE(bench->caption(name("C10", 16 + input)), upper);
    QVERIFY(bench->child(name("ML", input))->isHidden());
    QVERIFY(bench->child(name("ML", 16 + input))->isHidden());

    const QColor red = colours::kLightRed;
    const QColor white = colours::kWhite;
    QCOMPARE(colour(*bench, name("C10", input)), lowerRed ? red : white);
    QCOMPARE(colour(*bench, name("C10", 16 + input)), upperRed ? red : white);
    const bool valid = message.isEmpty();
    auto *label7 = bench->child<QLabel>("Label7");
    QCOMPARE(bench->child("Frame6")->height(), px(valid ? 6015 : 6495));
    QCOMPARE(!label7->isHidden(), !valid);
    if (!valid)
        QCOMPARE(label7->text(), message);
    QCOMPARE(!bench->child("Command3")->isHidden(), valid);
    QCOMPARE(!bench->child("StoreSettings")->isHidden(), valid);
}

void ThresholdWindowTest::limitCheck_marksOnlyTheFirstBadRowAndLeavesLaterRows() {
    auto bench = loadedBench();
    click(bench->child("LimitMap"));
    const QColor unmarked = colour(*bench, "C10_7");
    enterLimit(*bench, 3, QStringLiteral("300"));
    enterLimit(*bench, 7, QStringLiteral("-4"));
    QCOMPARE(colour(*bench, "C10_3"), colours::kLightRed);
    QCOMPARE(colour(*bench, "C10_7"), unmarked);
    QCOMPARE(bench->caption("Label7"), QStringLiteral("Value Cannot be Above 255"));
    // Both values are in the image, checked or not.
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(7)), -4);

    typeLimit(*bench, 3, QStringLiteral("30"));
    moveOverPanel(*bench);
    QCOMPARE(colour(*bench, "C10_3"), colours::kWhite);
    QCOMPARE(colour(*bench, "C10_7"), colours::kLightRed);
    QCOMPARE(bench->caption("Label7"), QStringLiteral("Value Cannot be Less than 0"));

    // Row 7 now right, row 1 wrong: the check stops at row 1 and row 7 keeps its old mark.
    enterLimit(*bench, 1, QStringLiteral("256"));
    enterLimit(*bench, 7, QStringLiteral("70"));
    QCOMPARE(colour(*bench, "C10_1"), colours::kLightRed);
    QCOMPARE(colour(*bench, "C10_3"), colours::kWhite);
    QCOMPARE(colour(*bench, "C10_7"), colours::kLightRed);

    typeLimit(*bench, 1, QStringLiteral("10"));
    moveOverPanel(*bench);
    for (int k = 0; k < 32; ++k)
        QCOMPARE(colour(*bench, name("C10", k)), colours::kWhite);
    QVERIFY(bench->child("Label7")->isHidden());
    QVERIFY(!bench->child("Command3")->isHidden());
}

void ThresholdWindowTest::limitCheck_runsOnlyOverTheBackground() {
    auto bench = loadedBench();
    click(bench->child("LimitMap"));
    typeLimit(*bench, 5, QStringLiteral("999"));
    // Over a label the pointer shows help; the typing box stays open and nothing is checked.
    hover(bench->child("C8_5"));
    hover(bench->child("ADBar_5"));
    QVERIFY(!bench->child("ML_5")->isHidden());
    QCOMPARE(bench->caption("C10_5"), QStringLiteral("59"));
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(5)), 59);
    QCOMPARE(helpBox(*bench), *helpFor(ModuleKind::Threshold, QStringLiteral("ADBar"), 5).text);

    moveOverPanel(*bench);
    QVERIFY(bench->child("ML_5")->isHidden());
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(5)), 999);
}

void ThresholdWindowTest::limitCheck_fromTheKeyboard() {
    auto bench = loadedBench();
    bench->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(bench->window.get()));
    click(bench->child("LimitMap"));

    // Space on a limit label opens its box; Enter completes the entry as a pointer movement.
    auto *label = bench->child("C10_4");
    label->setFocus();
    QTest::keyClick(label, Qt::Key_Space);
    auto *box = bench->child<QLineEdit>("ML_4");
    QVERIFY(!box->isHidden());
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, QStringLiteral("300"));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(box->isHidden());
    QVERIFY(label->hasFocus());
    QCOMPARE(bench->caption("C10_4"), QStringLiteral("300"));
    QCOMPARE(colour(*bench, "C10_4"), colours::kLightRed);
    QCOMPARE(bench->caption("Label7"), QStringLiteral("Value Cannot be Above 255"));

    // Leaving the box completes the entry too.
    QTest::keyClick(label, Qt::Key_Space);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("40"));
    bench->child("C9_5")->setFocus();
    QVERIFY(box->isHidden());
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(4)), 40);
    QCOMPARE(colour(*bench, "C10_4"), colours::kWhite);
    QVERIFY(!bench->child("Command3")->isHidden());
}

void ThresholdWindowTest::outOfRangeLimit_neverReachesTheModule() {
    auto bench = loadedBench();
    click(bench->child("LimitMap"));
    enterLimit(*bench, 17, QStringLiteral("-70000"));
    enterLimit(*bench, 0, QStringLiteral("70000"));
    QCOMPARE(bench->caption("Label7"), QStringLiteral("Value Cannot be Above 255"));
    QVERIFY(bench->child("StoreSettings")->isHidden());
    // Other checks may show the store button again; storing must still refuse.
    click(bench->child("Broadcast"));
    QVERIFY(!bench->child("StoreSettings")->isHidden());
    const int writesBefore = bench->commands(1, 2);
    const ModuleMemory before = bench->module.memory();
    bench->window->StoreSettings_Click();
    QCOMPARE(bench->commands(1, 2), writesBefore);
    QVERIFY(bench->module.memory() == before);
    QCOMPARE(bench->host.messages.size(), 1);
    QVERIFY(bench->host.messages[0].startsWith(QStringLiteral("Nothing was stored")));
    // The typed values are kept for correcting.
    QCOMPARE(bench->caption("C10_0"), QStringLiteral("70000"));
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(0)), 32767);
    QCOMPARE(bench->window->image().value(map::upperLimitAddress(1)), -32768);
}

void ThresholdWindowTest::panel_opensFromTheImageAndClosesWithDone() {
    auto bench = loadedBench();
    QVERIFY(!panelOpen(*bench));
    click(bench->child("LimitMap"));
    QVERIFY(panelOpen(*bench));
    QCOMPARE(bench->child<QLineEdit>("ML_9")->text(), QStringLiteral("91"));
    QCOMPARE(bench->caption("C10_25"), QStringLiteral("92"));
    QVERIFY(bench->child("C10_25")->isHidden()); // Above uses one limit

    // A failed check closes the way out; the panel reopens as it was left.
    typeLimit(*bench, 9, QStringLiteral("-1"));
    moveOverPanel(*bench);
    QVERIFY(bench->child("Command3")->isHidden());
    typeLimit(*bench, 9, QStringLiteral("90"));
    moveOverPanel(*bench);
    bench->child<QCheckBox>("LoopRead")->setChecked(true);
    click(bench->child("Command3"));
    QVERIFY(!panelOpen(*bench));
    QVERIFY(!bench->child<QCheckBox>("LoopRead")->isChecked());
    QCOMPARE(bench->window->image().value(map::lowerLimitAddress(9)), 90);
    click(bench->child("LimitMap"));
    QCOMPARE(colour(*bench, "C10_9"), colours::kWhite);
    QCOMPARE(bench->caption("C10_9"), QStringLiteral("90"));
}

void ThresholdWindowTest::typeLabel_cyclesThroughTheFourTypesWithTheirHelp() {
    auto bench = loadedBench();
    click(bench->child("LimitMap"));
    const int input = 5;
    const int address = map::limitTypeAddress(input);
    QCOMPARE(bench->window->image().value(address), 0);
    const QString sequence[] = {kBelow, kOutside, kInside, kAbove};
    for (int step = 0; step < 4; ++step) {
        click(bench->child("C9_5"));
        const int type = (step + 1) % 4;
        QCOMPARE(bench->window->image().value(address), type);
        QCOMPARE(bench->caption("C9_5"), sequence[step]);
        QCOMPARE(helpBox(*bench), limitTypeHelp(sequence[step]));
        QCOMPARE(!bench->child("C10_21")->isHidden(), type == 2 || type == 3);
        QVERIFY(!bench->child("C10_5")->isHidden());
    }
    QVERIFY(limitTypeHelp(kAbove).startsWith(QStringLiteral("Activate a Relay Above")));

    // Pointing at either limit box of a row explains the row's type.
    chooseType(*bench, 3, 3);
    const auto boxHelp = [](int box, const QString &type) {
        return *helpFor(ModuleKind::Threshold, QStringLiteral("ML"), box, type).text;
    };
    hover(bench->child("ML_3"));
    QCOMPARE(helpBox(*bench), boxHelp(3, kInside));
    hover(bench->child("C8_3"));
    hover(bench->child("ML_19"));
    QCOMPARE(helpBox(*bench), boxHelp(19, kInside));
    chooseType(*bench, 3, 0);
    hover(bench->child("ML_19"));
    QCOMPARE(helpBox(*bench), boxHelp(19, kAbove));
}

void ThresholdWindowTest::readAll_sendsSixteenRequestsInOrder() {
    auto bench = loadedBench();
    for (int n = 0; n < 16; ++n)
        bench->module.setAnalogLevel(n, 10 * n);
    bench->module.setAnalogLevel(3, 255);
    bench->module.setAnalogLevel(7, -1); // silent
    const std::size_t before = bench->module.commands().size();
    const qint64 start = bench->clock.nowMicros();

    click(bench->child("ReadAllAD"));
    QList<int> expected;
    for (int n = 0; n < 16; ++n)
        expected << n;
    QCOMPARE(analogRequests(*bench, before), expected);
    QCOMPARE(bench->module.commands().size(), before + 16);
    QCOMPARE(bench->child<QProgressBar>("ADBar_3")->value(), 255);
    QCOMPARE(bench->caption("AD_3"), QStringLiteral("255"));
    QCOMPARE(bench->caption("AD_0"), QStringLiteral("0"));
    QCOMPARE(bench->caption("AD_15"), QStringLiteral("150"));
    QCOMPARE(bench->caption("AD_7"), QStringLiteral("???"));
    QCOMPARE(bench->child<QProgressBar>("ADBar_7")->value(), 0);
    // The silent input cost one time-out of 3500 polls and no more.
    const qint64 took = bench->clock.nowMicros() - start;
    QVERIFY2(took >= 350 * kMillis && took < 400 * kMillis, qPrintable(QString::number(took)));

    // A silent input keeps what it last showed; a read of the settings resets the labels only.
    bench->module.setAnalogLevel(3, -1);
    click(bench->child("ADBar_3"));
    QCOMPARE(bench->caption("AD_3"), QStringLiteral("255"));
    bench->window->ReadSettings_Click();
    QCOMPARE(bench->caption("AD_3"), QStringLiteral("???"));
    QCOMPARE(bench->child<QProgressBar>("ADBar_3")->value(), 255);
}

void ThresholdWindowTest::meterLoop_repeatsOneInputUntilCleared() {
    auto bench = loadedBench();
    bench->module.setAnalogLevel(5, 200);
    auto *loop = bench->child<QCheckBox>("LoopRead");
    loop->setChecked(true);
    bench->clock.callAfter(100 * kMillis, [loop] { loop->setChecked(false); });
    const std::size_t before = bench->module.commands().size();

    // From the keyboard, as a press would.
    QTest::keyClick(bench->child("ADBar_5"), Qt::Key_Space);
    const QList<int> requests = analogRequests(*bench, before);
    QVERIFY2(requests.size() > 20, qPrintable(QString::number(requests.size())));
    QCOMPARE(requests.count(5), requests.size());
    QCOMPARE(bench->module.commands().size(), before + requests.size());
    QCOMPARE(bench->caption("AD_5"), QStringLiteral("200"));
    QVERIFY(!loop->isChecked());
}

void ThresholdWindowTest::secondClickDuringALoop_isIgnored() {
    auto bench = loadedBench();
    auto *loop = bench->child<QCheckBox>("LoopRead");
    loop->setChecked(true);
    QList<int> nested;
    bench->clock.callAfter(30 * kMillis, [&] {
        const std::size_t at = bench->module.commands().size();
        click(bench->child("ReadAllAD"));
        click(bench->child("ADBar_9"));
        nested << int(bench->module.commands().size() - at);
    });
    bench->clock.callAfter(60 * kMillis, [loop] { loop->setChecked(false); });
    const std::size_t before = bench->module.commands().size();
    click(bench->child("ReadAllAD"));

    QCOMPARE(nested, QList<int>{0});
    const QList<int> requests = analogRequests(*bench, before);
    QVERIFY(requests.size() >= 32);
    // Whole passes, each 0 to 15, never restarted or broken into.
    QCOMPARE(requests.size() % 16, 0);
    for (int i = 0; i < requests.size(); ++i)
        QCOMPARE(requests[i], i % 16);
}

void ThresholdWindowTest::read_endsARunningLoopFirst() {
    auto bench = loadedBench();
    ModuleMemory memory = bench->module.memory();
    memory[map::kDebounce] = 42;
    memory[map::lowerLimitAddress(0)] = 5;
    bench->module.setMemory(memory);
    auto *loop = bench->child<QCheckBox>("LoopRead");
    loop->setChecked(true);
    qint64 uncheckedAt = -1;
    QObject::connect(loop, &QCheckBox::toggled, [&](bool on) {
        if (!on)
            uncheckedAt = bench->clock.nowMicros();
    });
    bench->clock.callAfter(40 * kMillis, [&] { click(bench->child("ReadSettings")); });
    const std::size_t before = bench->module.commands().size();
    click(bench->child("ReadAllAD"));

    QVERIFY(!loop->isChecked());
    QVERIFY(uncheckedAt > 0);
    QVERIFY2(bench->host.messages.isEmpty(), qPrintable(bench->host.messages.join('\n')));
    QCOMPARE(bench->window->image().value(map::kDebounce), 42);
    QCOMPARE(bench->caption("C10_0"), QStringLiteral("5"));
    // The loop finished its pass; the read came after it, whole, and after the pause.
    const auto &commands = bench->module.commands();
    std::size_t firstBlock = commands.size();
    for (std::size_t i = before; i < commands.size(); ++i) {
        if (commands[i].startsWith(QByteArray("\x00\x01", 2))) {
            firstBlock = i;
            break;
        }
    }
    QCOMPARE(analogRequests(*bench, before).size() % 16, 0);
    QCOMPARE(analogRequests(*bench, firstBlock).size(), 0);
    QCOMPARE(commands.size() - firstBlock, std::size_t{16});
    QVERIFY(bench->clock.nowMicros() > uncheckedAt + AnalogMonitor::kSettleMicros);
}

void ThresholdWindowTest::factoryReset_writesTheThresholdDataSet_data() {
    QTest::addColumn<bool>("duringLoop");
    QTest::newRow("idle") << false;
    // The store and the read wait for the loop's last pass, then run in this order.
    QTest::newRow("during a monitor loop") << true;
}

void ThresholdWindowTest::factoryReset_writesTheThresholdDataSet() {
    QFETCH(bool, duringLoop);
    auto bench = loadedBench();
    bench->module.setMemory(ModuleMemory{});
    bench->window->ReadSettings_Click();
    QCOMPARE(bench->caption("C3_0"), QStringLiteral("0000"));
    QCOMPARE(bench->caption("C9_2"), kAbove);

    auto *loop = bench->child<QCheckBox>("LoopRead");
    if (duringLoop) {
        loop->setChecked(true);
        bench->clock.callAfter(20 * kMillis, [&] { click(bench->child("Command2")); });
        click(bench->child("ReadAllAD"));
        QVERIFY(!loop->isChecked());
    } else {
        click(bench->child("Command2"));
    }
    QVERIFY(bench->host.messages.isEmpty());
    // Everything but the mode byte, which the window rebuilds from its own choices.
    const EepromImage factory = factoryImage(ModuleKind::Threshold);
    QVERIFY(sameRange(bench->module.memory(), factory, 0, map::kModeByte - 1));
    QVERIFY(sameRange(bench->module.memory(), factory, map::kModeByte + 1, 255));
    QCOMPARE(bench->caption("C3_0"), QStringLiteral("9B05"));
    QCOMPARE(bench->caption("C9_2"), kBelow);
    click(bench->child("LimitMap"));
    QCOMPARE(bench->caption("C10_2"), QStringLiteral("35"));
    QCOMPARE(bench->caption("C10_18"), QStringLiteral("36"));
    // The factory limits pass the check as they are.
    moveOverPanel(*bench);
    QVERIFY(bench->child("Label7")->isHidden());
    QVERIFY(!bench->child("StoreSettings")->isHidden());
    QVERIFY(sameRange(bench->module.memory(), bench->window->image(), map::recordAddress(0),
                      map::recordAddress(16) - 1));
}

void ThresholdWindowTest::capacity_isSixteenInputs() {
    auto bench = loadedBench();
    EepromImage image = factoryImage(ModuleKind::Threshold);
    image.setValue(map::kLastDeviceIndex, 1);
    image.setValue(map::typeAddress(0), 4); // 8 inputs each
    image.setValue(map::typeAddress(1), 4);
    image.setValue(map::typeAddress(2), 0); // 1 input
    bench->window->showImage(image);
    QCOMPARE(colour(*bench, "C1_1"), colours::kGrey);
    QVERIFY(!bench->child("StoreSettings")->isHidden());

    bench->child<QScrollBar>("HScroll1")->setValue(2);
    QCOMPARE(colour(*bench, "C4_2"), colours::kLightRed);
    QCOMPARE(colour(*bench, "C4_1"), colours::windowBackground());
    QVERIFY(bench->child("StoreSettings")->isHidden());
}

void ThresholdWindowTest::serials_useTheThresholdLengths() {
    auto bench = loadedBench();
    auto *sn = bench->child<QLineEdit>("SN");
    auto *store = bench->child("StoreSettings");
    sn->setText(QStringLiteral("0A0B0C0D:0E0F"));
    QVERIFY(!store->isHidden());
    QCOMPARE(colour(*bench, "SN"), colours::windowBackground());
    for (int a = 0; a < 6; ++a)
        QCOMPARE(bench->window->image().value(a), 10 + a);
    // Eight digits alone, a wrong separator or lower case fail, and nothing is written.
    for (const char *bad : {"0013A200", "0013A200-4032", "0013a200:4032", "0013A200:403"}) {
        sn->setText(QString::fromLatin1(bad));
        QVERIFY2(store->isHidden(), bad);
        QCOMPARE(colour(*bench, "SN"), colours::kLightRed);
        QCOMPARE(bench->window->image().value(5), 15);
    }
    auto *sntb = bench->child<QLineEdit>("SNTB_2");
    QCOMPARE(sntb->maxLength(), 4);
    sntb->setText(QStringLiteral("12G4"));
    QCOMPARE(colour(*bench, "C3_2"), colours::kLightRed);
    sntb->setText(QStringLiteral("C0DE"));
    QCOMPARE(colour(*bench, "C3_2"), colours::windowBackground());
    QCOMPARE(bench->window->image().value(map::recordAddress(2)), 0xC0);
    QCOMPARE(bench->window->image().value(map::recordAddress(2) + 1), 0xDE);
    // The limits of the row's analog input, which follow the serial, are left alone.
    QCOMPARE(bench->window->image().value(map::limitTypeAddress(2)), 1);
}

void ThresholdWindowTest::broadcastAndRestoreDefault_spellTheAddressesInThisWindowsForm() {
    auto bench = loadedBench();
    bench->child<QPushButton>("Broadcast")->click();
    QCOMPARE(bench->child<QLineEdit>("SN")->text(), QStringLiteral("00000000:0000"));
    for (int a = 0; a < 6; ++a)
        QCOMPARE(bench->window->image().value(a), 0);
    QCOMPARE(bench->caption("C3_0"), QStringLiteral("FFFF"));
    QCOMPARE(bench->window->image().value(16), 255);
    QCOMPARE(bench->window->image().value(17), 255);
    QCOMPARE(bench->child<QScrollBar>("HScroll1")->maximum(), 0);
    QVERIFY(!bench->child("StoreSettings")->isHidden());
    bench->child<QPushButton>("Default_SN")->click();
    QCOMPARE(bench->child<QLineEdit>("SN")->text(), QStringLiteral("0013A200:4032"));
    QCOMPARE(bench->window->image().value(4), 64);
    QCOMPARE(bench->window->image().value(5), 50);
    QCOMPARE(bench->child<QScrollBar>("HScroll1")->maximum(), 23);
}

void ThresholdWindowTest::typeStep_staysWithinTheSixteenInputTypes() {
    auto bench = loadedBench();
    EepromImage image = bench->window->image();
    image.setValue(map::typeAddress(0), 0);
    bench->window->showImage(image);
    bench->child<QPushButton>("DOWN_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 5);
    QCOMPARE(bench->caption("C4_0"), ControllerTypeTable()[5]);
    bench->child<QPushButton>("UP_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 0);
    // A type read from a module beyond the range steps down by one, and up back to the start.
    image.setValue(map::typeAddress(0), 20);
    bench->window->showImage(image);
    bench->child<QPushButton>("DOWN_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 19);
    bench->child<QPushButton>("UP_0")->click();
    QCOMPARE(bench->window->image().value(map::typeAddress(0)), 0);
}

void ThresholdWindowTest::deviceCount_aboveFifteenRaisesTheRange() {
    Bench bench(ModuleKind::Threshold);
    QCOMPARE(bench.child<QScrollBar>("HScroll1")->maximum(), 15);
    EepromImage image = factoryImage(ModuleKind::Threshold);
    image.setValue(map::kLastDeviceIndex, 19);
    bench.module.setMemory(*image.toMemory());
    QVERIFY(bench.window->loadFromModule());
    QCOMPARE(bench.child<QScrollBar>("HScroll1")->maximum(), 23);
    QCOMPARE(bench.window->image().value(map::kLastDeviceIndex), 19);
    QCOMPARE(bench.caption("DAT_0"), QStringLiteral("20"));
}

void ThresholdWindowTest::captureSpeed_showsTheReactionTime() {
    auto bench = loadedBench();
    auto *speed = bench->child<QScrollBar>("Debounce");
    speed->setValue(8);
    QCOMPARE(bench->caption("REACT"),
             QStringLiteral("Device will Respond to a Reaction in About 6 Seconds."));
    speed->setValue(9);
    QCOMPARE(bench->caption("REACT"),
             QStringLiteral("Device will Reponds to a Reaction in About 7 Seconds."));
    QCOMPARE(bench->window->image().value(map::kDebounce), 9);
    QCOMPARE(bench->caption("DAT_1"), QStringLiteral("9"));
}

QTEST_MAIN(ThresholdWindowTest)
#include "test_ThresholdWindow.moc"
