// What the Threshold window makes of the levels it reads: the limits and trigger range on each
// meter, and, against a module whose levels ramp, the trend's statistics and crossings, the
// record of levels and limits set from what was seen, stored like any other edit.

#include "core/LevelStatistics.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/desk/ChangeMarks.h"
#include "ui/desk/EditHistory.h"
#include "ui/desk/WindowDesk.h"
#include "ui/threshold/LevelMeter.h"
#include "ui/threshold/LevelTools.h"
#include "ui/threshold/TrendWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace tessel;
using namespace tessel::testing;

namespace {
constexpr int kRamp = 8; // each input moves 8 levels at each reading
// The level of `input` at its `reading`-th reading from the ramp.
int ramp(int input, int reading) {
    return (16 * input + kRamp * reading) % 256;
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
        QCOMPARE(meter->limits(), (InputLimits{type, lower, upper}));
        QCOMPARE(meter->triggered(), on);
        QCOMPARE(meter->accessibleName(),
                 on ? QStringLiteral("%1, relay on").arg(level) : QString::number(level));
        // The marks follow a type stepped in the panel at once.
        click(bench->child("setLimits"));
        click(bench->child(name("limitType", input)));
        QCOMPARE(meter->limits().type, (type + 1) % 4);
    }

    void monitor_recordsTrendsAndSetsLimitsFromWhatItSaw() {
        auto bench = loadedThreshold();
        bench->module.setLevelPattern({LevelPattern::Shape::Ramp, kRamp});
        const int input = 2; // Outside 40..200
        setModuleEntry(bench->module, map::limitTypeAddress(input), 2);
        setModuleEntry(bench->module, map::lowerLimitAddress(input), 40);
        setModuleEntry(bench->module, map::upperLimitAddress(input), 200);
        bench->window->readSettings();
        showTableWithinCapacity(*bench);
        const QTemporaryDir dir;
        bench->host.fileToChoose = dir.filePath(QStringLiteral("levels.csv"));
        bench->window->findChild<QAction *>("recordLevels")->trigger();
        bench->window->findChild<QAction *>("levelsOverTime")->trigger();
        auto *trend = bench->window->findChild<TrendWindow *>("trendWindow");

        // Ticking the box reads at once, 20 passes a second, until it is cleared.
        click(bench->child("setLimits"));
        auto *loop = bench->child<QCheckBox>("readConstantly");
        bench->clock.callAfter(1990 * kMillis, [loop] { loop->setChecked(false); });
        click(loop);
        constexpr int kPasses = 40;
        QCOMPARE(analogRequests(*bench).size(), kPasses * 16);
        QCOMPARE(bench->caption("variantNote"),
                 QStringLiteral("Recording levels to levels.csv: %1 rows").arg(kPasses));

        LevelStatistics expected;
        std::vector<Crossing> crossings;
        for (int k = 0; k < kPasses; ++k) {
            if (const auto c = expected.add(k, ramp(input, k), {2, 40, 200}))
                crossings.push_back(*c);
        }
        QTest::qWait(TrendWindow::kRedrawMillis + 50);
        auto *table = trend->findChild<QTableWidget *>("trendStatistics");
        QStringList shown;
        for (int c = 1; c < table->columnCount(); ++c)
            shown << table->item(input, c)->text();
        QCOMPARE(shown, (QStringList{QString::number(ramp(input, kPasses - 1)), "0", "248",
                                     QString::number(expected.mean(), 'f', 1), "3"}));
        // The crossings marked: their levels and which way they went.
        QList<std::pair<int, bool>> marked;
        QList<std::pair<int, bool>> wanted;
        for (const auto &mark : bench->window->findChild<LevelTools *>()->history().marks()) {
            if (mark.input == input)
                marked << std::pair(mark.crossing.level, mark.crossing.entered);
        }
        for (const Crossing &c : crossings)
            wanted << std::pair(c.level, c.entered);
        QCOMPARE(marked, wanted);

        // Limits from what was seen: an edit like any other, undone, then stored.
        table->selectRow(input);
        click(trend->findChild<QPushButton *>("limitFromSeen_1")); // upper from maximum, 248 + 5
        click(trend->findChild<QPushButton *>("limitFromSeen_2")); // lower from now, 88 - 5
        QCOMPARE(bench->window->image().value(map::upperLimitAddress(input)), 253);
        QCOMPARE(bench->window->image().value(map::lowerLimitAddress(input)), 83);
        QVERIFY(bench->desk->marks().marked().contains(bench->child(name("limit", input))));
        bench->desk->history().stack().undo();
        QCOMPARE(bench->window->image().value(map::lowerLimitAddress(input)), 40);
        click(bench->child("limitsDone"));
        bench->window->storeSettings();
        QCOMPARE(bench->module.memory()[map::upperLimitAddress(input)], 253);
        QCOMPARE(bench->module.memory()[map::lowerLimitAddress(input)], 40);

        // The record holds every pass, each level as the module sent it.
        bench->window->findChild<QAction *>("recordLevels")->trigger();
        QVERIFY(bench->child("variantNote")->isHidden());
        QFile file(bench->host.fileToChoose);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList rows = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), kPasses + 1);
        QVERIFY(rows.first().startsWith("time,in0,in1,"));
        for (int k = 0; k < kPasses; ++k) {
            QStringList cells = rows.at(k + 1).split(',');
            QVERIFY2(QDateTime::fromString(cells.takeFirst(), Qt::ISODateWithMs).isValid(),
                     qPrintable(rows.at(k + 1)));
            QStringList levels;
            for (int i = 0; i < 16; ++i)
                levels << QString::number(ramp(i, k));
            QCOMPARE(cells, levels);
        }
        QVERIFY(bench->host.messages.isEmpty());
    }
};

TESSEL_TEST_OBJECT(LevelsTest);
#include "test_Levels.moc"
