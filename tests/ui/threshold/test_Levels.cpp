// SPDX-License-Identifier: Apache-2.0
// What the Threshold window makes of the levels it reads: the limits and trigger range on each
// meter, and, against a module whose levels ramp, the trend's statistics and crossings, the
// record of levels and limits set from what was seen, stored like any other edit.

#include "core/LevelStatistics.h"
#include "core/SettingChanges.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/desk/ChangeMarks.h"
#include "ui/desk/EditHistory.h"
#include "ui/desk/WindowDesk.h"
#include "ui/threshold/LevelMeter.h"
#include "ui/threshold/LevelTools.h"
#include "ui/threshold/TrendPlot.h"
#include "ui/threshold/TrendWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace tessel;
using namespace tessel::testing;

namespace {
constexpr int kPasses = 40; // two seconds of monitoring, 20 passes a second
constexpr int kInput = 2;   // set to Outside 40..200
const InputLimits kLimits{2, 40, 200};
const LevelPattern kRamp{LevelPattern::Shape::Ramp, 8};

int level(int input, int reading) {
    return kRamp.level(input, reading, 0);
}

// A window on a module whose levels ramp, that has monitored every input for two seconds with
// "Levels Over Time" open, recording the levels to `record`.
std::unique_ptr<WindowBench> monitored(const QString &record) {
    auto bench = loadedThreshold();
    bench->module.setLevelPattern(kRamp);
    setModuleEntry(bench->module, map::limitTypeAddress(kInput), kLimits.type);
    setModuleEntry(bench->module, map::lowerLimitAddress(kInput), kLimits.lower);
    setModuleEntry(bench->module, map::upperLimitAddress(kInput), kLimits.upper);
    // Two rows of 8 inputs: the module holds settings a store is offered for.
    setModuleEntry(bench->module, map::kLastDeviceIndex, 1);
    setModuleEntry(bench->module, map::typeAddress(0), 4);
    setModuleEntry(bench->module, map::typeAddress(1), 4);
    bench->window->readSettings();
    bench->host.fileToChoose = record;
    bench->window->findChild<QAction *>("recordLevels")->trigger();
    click(bench->child("setLimits"));
    click(bench->child("levelsTrend"));
    // Ticking the box reads at once, 20 passes a second, until it is cleared.
    auto *loop = bench->child<QCheckBox>("readConstantly");
    bench->clock.callAfter(1990 * kMillis, [loop] { loop->setChecked(false); });
    click(loop);
    return bench;
}

TrendWindow *trendOf(const WindowBench &bench) {
    return bench.child<TrendWindow>("trendWindow");
}

// The trend's table of statistics as shown, a line for each input. The view follows the history
// after a delay of its own (up to TrendWindow::kRedrawMostMillis), so callers wait for what they
// expect with QTRY_.
QStringList statisticsShown(const WindowBench &bench) {
    auto *table = trendOf(bench)->findChild<QTableWidget *>("trendStatistics");
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(r, c)->text();
        rows << cells.join(' ');
    }
    return rows;
}

QStringList changesShown(const WindowBench &bench) {
    QStringList lines;
    for (const SettingChange &change : settingChanges(
             ModuleKind::Threshold, bench.window->moduleBaseline(), bench.window->imageToStore()))
        lines << change.line();
    for (QWidget *control : bench.desk->marks().marked())
        lines << control->objectName();
    return lines;
}
} // namespace

class LevelsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void meter_marksLimitsAndTellsATriggeringLevelInWords_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("on");
        QTest::newRow("above, over") << 0 << 100 << 0 << 101 << true;
        QTest::newRow("above, on the limit") << 0 << 100 << 0 << 100 << false;
        QTest::newRow("below, under") << 1 << 50 << 200 << 49 << true;
        QTest::newRow("below, over") << 1 << 50 << 20 << 51 << false;
        QTest::newRow("outside, over the upper") << 2 << 100 << 150 << 151 << true;
        QTest::newRow("outside, on the upper") << 2 << 100 << 150 << 150 << false;
        QTest::newRow("inside, between") << 3 << 100 << 150 << 120 << true;
        QTest::newRow("inside, on the lower") << 3 << 100 << 150 << 100 << false;
    }
    void meter_marksLimitsAndTellsATriggeringLevelInWords() {
        QFETCH(int, type);
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(int, level);
        QFETCH(bool, on);
        auto bench = loadedThreshold();
        const int input = 4;
        setModuleEntry(bench->module, map::limitTypeAddress(input), type);
        setModuleEntry(bench->module, map::lowerLimitAddress(input), lower);
        setModuleEntry(bench->module, map::upperLimitAddress(input), upper);
        bench->module.setAnalogLevel(input, level);
        bench->window->readSettings();
        click(bench->child("readAllInputs"));
        auto *meter = bench->child<LevelMeter>(name("levelMeter", input));
        const QString heard =
            on ? QStringLiteral("%1, relay on").arg(level) : QString::number(level);
        QCOMPARE(std::tuple(meter->limits(), meter->triggered(), meter->accessibleName()),
                 std::tuple(InputLimits{type, lower, upper}, on, heard));
        // The marks follow a type stepped in the panel at once.
        click(bench->child("setLimits"));
        click(bench->child(name("limitType", input)));
        QCOMPARE(meter->limits(), (InputLimits{(type + 1) % 4, lower, upper}));
    }

    // The trend's statistics and crossing marks, each input against its own limits; pause
    // holds the view while readings go on, clear starts the statistics again.
    void trend_showsStatisticsAndCrossingsOfWhatWasRead() {
        const QTemporaryDir dir;
        auto bench = monitored(dir.filePath(QStringLiteral("levels.csv")));
        QCOMPARE(analogRequests(*bench).size(), kPasses * 16);
        QStringList wanted;
        QStringList wantedMarks;
        for (int input = 0; input < map::kAnalogInputs; ++input) {
            const InputLimits limits = limitsOf(bench->window->image(), input);
            LevelStatistics expected;
            for (int k = 0; k < kPasses; ++k) {
                if (const auto c = expected.add(k, level(input, k), limits))
                    wantedMarks << QStringLiteral("%1 %2 %3")
                                       .arg(input)
                                       .arg(c->level)
                                       .arg(c->entered ? "in" : "out");
            }
            wanted << QStringLiteral("%1 %2 %3 %4 %5 %6")
                          .arg(input)
                          .arg(level(input, kPasses - 1))
                          .arg(expected.minimum())
                          .arg(expected.maximum())
                          .arg(expected.mean(), 0, 'f', 1)
                          .arg(expected.crossings());
        }
        QTRY_COMPARE(statisticsShown(*bench), wanted);
        const LevelHistory &history = bench->window->findChild<LevelTools *>()->history();
        QStringList marks;
        for (const LevelHistory::Mark &m : history.marks())
            marks << QStringLiteral("%1 %2 %3")
                         .arg(m.input)
                         .arg(m.crossing.level)
                         .arg(m.crossing.entered ? "in" : "out");
        std::sort(marks.begin(), marks.end());
        std::sort(wantedMarks.begin(), wantedMarks.end());
        QCOMPARE(marks, wantedMarks);

        TrendPlot &plot = trendOf(*bench)->plot();
        trendOf(*bench)->findChild<QSpinBox *>("trendMinutes")->setValue(60);
        const qint64 held = plot.endMicros();
        click(trendOf(*bench)->findChild<QPushButton *>("trendPause"));
        click(bench->child("readAllInputs"));
        QCOMPARE(std::tuple(plot.paused(), plot.endMicros(), plot.spanMicros()),
                 std::tuple(true, held, qint64(3600) * 1'000'000));
        click(trendOf(*bench)->findChild<QPushButton *>("trendPause"));
        QCOMPARE(plot.endMicros(), history.samples().back().atMicros);
        QVERIFY(plot.endMicros() > held);

        click(trendOf(*bench)->findChild<QPushButton *>("trendClear"));
        QStringList cleared;
        for (int input = 0; input < map::kAnalogInputs; ++input)
            cleared << QStringLiteral("%1 - - - - -").arg(input);
        QTRY_COMPARE(statisticsShown(*bench), cleared);
        QVERIFY(history.marks().empty());
    }

    // The plot keeps its lines between redraws and draws only the columns that changed: what it
    // shows is what a plot drawn at once from the same history shows, as passes come at any
    // pace, after a pause, a new span and a clear.
    void trendPlot_drawnAsPassesComeEqualsDrawnAtOnce() {
        LevelHistory history;
        LevelHistory::Limits limits;
        limits.fill(kLimits);
        const auto limitsOf = [](int) { return kLimits; };
        struct View {
            std::vector<int> inputs{0, kInput, 5, 15};
            QSize size{420, 240};
            int minutes = 1;
            QPalette palette;
        } view;
        const auto show = [&view](TrendPlot &plot) {
            plot.resize(view.size);
            plot.setInputs(view.inputs);
            plot.setSpanMinutes(view.minutes);
            plot.setPalette(view.palette);
        };
        TrendPlot growing(history, limitsOf);
        show(growing);
        qint64 at = 0;
        int reading = 0;
        const auto read = [&](int passes, qint64 stepMicros) {
            for (int k = 0; k < passes; ++k, ++reading, at += stepMicros) {
                LevelHistory::Levels levels;
                for (int i = 0; i < map::kAnalogInputs; ++i)
                    levels[i] = i == 5 && reading % 3 == 0 ? -1 : level(i, reading);
                history.add(at, levels, limits);
            }
        };
        const auto sameAsDrawnAtOnce = [&](const char *after) {
            const QImage shown = growing.grab().toImage();
            TrendPlot fresh(history, limitsOf);
            show(fresh);
            QVERIFY2(shown == fresh.grab().toImage(), after);
        };
        const struct {
            const char *what;
            int passes;
            qint64 stepMicros;
        } steps[] = {{"a first pass", 1, 50'000},        {"passes 20 a second", 30, 50'000},
                     {"slower passes", 7, 150'000},      {"a long run", 400, 50'000},
                     {"a gap of seconds", 1, 3'000'000}, {"fast passes", 50, 10'000},
                     {"over a minute", 1300, 50'000},    {"a few more", 3, 50'000}};
        for (const auto &step : steps) {
            read(step.passes, step.stepMicros);
            sameAsDrawnAtOnce(step.what);
        }
        growing.setPaused(true);
        growing.grab();
        read(25, 50'000);
        growing.setPaused(false);
        sameAsDrawnAtOnce("a pause");
        // Whatever the lines were drawn for changes: they are drawn again for what is shown now.
        QPalette dark = view.palette;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(240, 240, 240));
        QPalette newText = dark;
        newText.setColor(QPalette::Text, QColor(255, 200, 0));
        const std::pair<const char *, std::function<void()>> changes[] = {
            {"a new span", [&view] { view.minutes = 2; }},
            {"other inputs",
             [&view] {
                 view.inputs = {1, 5};
             }},
            {"a taller view",
             [&view] {
                 view.size = {420, 300};
             }},
            {"a dark palette", [&view, dark] { view.palette = dark; }},
            {"a new text colour", [&view, newText] { view.palette = newText; }}};
        for (const auto &[what, change] : changes) {
            change();
            show(growing);
            read(4, 50'000);
            sameAsDrawnAtOnce(what);
        }
        history.clear();
        growing.historyCleared();
        read(12, 50'000);
        sameAsDrawnAtOnce("a clear");
    }

    // The whole record: a header, then a row for each pass with its time and offset and the
    // 16 levels the module sent; the status line counts the rows while it records.
    void record_holdsEveryPassAsTheModuleSentIt() {
        const QTemporaryDir dir;
        auto bench = monitored(dir.filePath(QStringLiteral("levels.csv")));
        QCOMPARE(bench->caption("variantNote"),
                 QStringLiteral("Recording levels to levels.csv: %1 rows").arg(kPasses));
        QVERIFY(bench->child("variantNote")->isVisible());
        bench->window->findChild<QAction *>("recordLevels")->trigger();
        QVERIFY(bench->child("variantNote")->isHidden());

        QString wanted = QStringLiteral("time");
        for (int input = 0; input < map::kAnalogInputs; ++input)
            wanted += QStringLiteral(",in%1").arg(input);
        for (int k = 0; k < kPasses; ++k) {
            wanted += QStringLiteral("\nTIME");
            for (int input = 0; input < map::kAnalogInputs; ++input)
                wanted += QStringLiteral(",%1").arg(level(input, k));
        }
        QFile file(bench->host.fileToChoose);
        QVERIFY(file.open(QIODevice::ReadOnly));
        static const QRegularExpression time(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}[+-]\\d\\d:\\d\\d,"),
            QRegularExpression::MultilineOption);
        QCOMPARE(QString::fromUtf8(file.readAll()).replace(time, QStringLiteral("TIME,")),
                 wanted + '\n');
        QVERIFY(bench->host.messages.isEmpty());
    }

    // Each limit set from what was seen is one edit of its own: the window's changes and marks
    // are that limit alone, undo takes it back, and the store writes it.
    void limitFromSeen_isAnEditStoredLikeAnyOther_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("margin");
        QTest::addColumn<QStringList>("changes");
        // Input 2 read 32, 40, ... 248, then 0 ... 88: least 0, most 248, last 88.
        const QString lower = QStringLiteral("Lower limit of input 2: 40 → %1");
        const QString upper = QStringLiteral("Upper limit of input 2: 200 → %1");
        QTest::newRow("lower from least")
            << "limitFromSeen_0" << 5 << QStringList{lower.arg(0), "limit_2"};
        QTest::newRow("upper from most")
            << "limitFromSeen_1" << 5 << QStringList{upper.arg(253), "limit_18"};
        QTest::newRow("upper from most, kept a byte")
            << "limitFromSeen_1" << 10 << QStringList{upper.arg(255), "limit_18"};
        QTest::newRow("lower from now")
            << "limitFromSeen_2" << 5 << QStringList{lower.arg(83), "limit_2"};
        QTest::newRow("upper from now, no margin")
            << "limitFromSeen_3" << 0 << QStringList{upper.arg(88), "limit_18"};
    }
    void limitFromSeen_isAnEditStoredLikeAnyOther() {
        QFETCH(QString, button);
        QFETCH(int, margin);
        QFETCH(QStringList, changes);
        auto bench = monitored({});
        TrendWindow *trend = trendOf(*bench);
        QTRY_VERIFY(!statisticsShown(*bench).at(kInput).endsWith(QLatin1Char('-')));
        QCOMPARE(trend->findChild<QSpinBox *>("trendMargin")->value(), 5);
        trend->findChild<QSpinBox *>("trendMargin")->setValue(margin);
        trend->findChild<QTableWidget *>("trendStatistics")->selectRow(kInput);
        const auto levelsShown = [&bench] {
            QStringList shown;
            for (int input = 0; input < map::kAnalogInputs; ++input)
                shown << bench->caption(name("level", input));
            return shown;
        };
        const QStringList before = levelsShown();
        QVERIFY(!before.contains(QStringLiteral("???")));
        click(trend->findChild<QPushButton *>(button));
        QCOMPARE(changesShown(*bench), changes);
        // An edit is no new reading: the levels read stay shown.
        QCOMPARE(levelsShown(), before);

        QUndoStack &steps = bench->desk->history().stack();
        VERIFY_TEXT(steps.undoText(), startsWith, QStringLiteral("Set "));
        VERIFY_TEXT(steps.undoText(), contains, QStringLiteral(" Limit of Input 2 from "));
        steps.undo();
        QCOMPARE(changesShown(*bench), QStringList());
        steps.redo();
        click(bench->child("limitsDone"));
        bench->window->storeSettings();
        QCOMPARE(EepromImage(bench->module.memory()), bench->window->imageToStore());
        QCOMPARE(changesShown(*bench), QStringList());
    }

    // The upper limit means nothing to Above and Below: it is not offered for them.
    void limitFromSeen_offersTheUpperLimitOnlyWhereTheTypeUsesIt() {
        auto bench = monitored({});
        auto *table = trendOf(*bench)->findChild<QTableWidget *>("trendStatistics");
        const auto offered = [&] {
            QString shown;
            for (int s = 0; s < 4; ++s)
                shown +=
                    trendOf(*bench)->findChild<QPushButton *>(name("limitFromSeen", s))->isEnabled()
                        ? '+'
                        : '-';
            return shown;
        };
        table->selectRow(kInput);
        QCOMPARE(offered(), QStringLiteral("++++"));
        table->selectRow(kInput + 1);
        QCOMPARE(offered(), QStringLiteral("+-+-"));
    }
};

TESSEL_TEST_OBJECT(LevelsTest);
#include "test_Levels.moc"
