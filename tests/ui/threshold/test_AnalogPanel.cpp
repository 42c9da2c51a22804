// SPDX-License-Identifier: Apache-2.0
// The analog panel of the Threshold window: limit types, typed limits and their check (the
// rules of the check itself are the core's; here, what the panel marks, offers and keeps), and
// its input monitor: single readings and reading loops (a loop giving way to a transfer is
// tested with the factory reset, in test_ConfigWindow.cpp).

#include "core/LevelPattern.h"
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
    void init() { m_bench = loadedThreshold(); }
    void cleanup() { m_bench.reset(); }

    void limitCheck_marksAndReports_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("code");       // 0: the check passes
        QTest::addColumn<QString>("marked"); // the limits shown light red
        QTest::newRow("above 300") << 0 << 300 << 20 << 4 << "lower";
        QTest::newRow("outside 100/101") << 2 << 100 << 101 << 1 << "lower upper";
        QTest::newRow("outside 100/102") << 2 << 100 << 102 << 0 << "";
        QTest::newRow("outside, upper 300") << 2 << 10 << 300 << 4 << "upper";
    }

    void limitCheck_marksAndReports() {
        QFETCH(int, type);
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(int, code);
        QFETCH(QString, marked);

        showTableWithinCapacity(*m_bench);
        const int input = 6;
        click(m_bench->child("setLimits"));
        chooseType(*m_bench, input, type);
        enterLimit(*m_bench, 16 + input, QString::number(upper));
        enterLimit(*m_bench, input, QString::number(lower));

        // Both values are in the image, checked or not; the boxes are closed.
        QCOMPARE(m_bench->window->image().value(map::lowerLimitAddress(input)), lower);
        QCOMPARE(m_bench->window->image().value(map::upperLimitAddress(input)), upper);
        QVERIFY(m_bench->child(name("limitEditor", input))->isHidden());
        for (const auto &[box, limit] : {std::pair(input, "lower"), std::pair(16 + input, "upper")})
            QCOMPARE(m_bench->background(name("limit", box)),
                     marked.contains(QLatin1String(limit)) ? colours::kLightRed : colours::kWhite);
        const bool valid = code == 0;
        QCOMPARE(m_bench->child("limitMessage")->isHidden(), valid);
        if (!valid)
            QCOMPARE(m_bench->caption("limitMessage"), limitCheckMessage(code));
        QCOMPARE(m_bench->child("limitsDone")->isHidden(), !valid);
        QCOMPARE(m_bench->child("storeSettings")->isHidden(), !valid);
    }

    void limitEntry_fromTheKeyboardOpensAndCompletesTheBox() {
        m_bench->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_bench->window.get()));
        click(m_bench->child("setLimits"));
        // A later row fails throughout: a corrected row loses its mark all the same.
        enterLimit(*m_bench, 7, QStringLiteral("-4"));

        // Space on a limit label opens its box; Enter completes the entry as a pointer movement.
        auto *label = m_bench->child("limit_4");
        label->setFocus();
        QTest::keyClick(label, Qt::Key_Space);
        auto *box = m_bench->child<QLineEdit>("limitEditor_4");
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, QStringLiteral("300"));
        // Over a label the pointer shows help; the box stays open and nothing is checked.
        hover(m_bench->child("levelMeter_5"));
        QVERIFY(!box->isHidden());
        QVERIFY(m_bench->window->image().value(map::lowerLimitAddress(4)) != 300);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(box->isHidden());
        QVERIFY(label->hasFocus());
        QCOMPARE(m_bench->background("limit_4"), colours::kLightRed);

        // Leaving the box completes the entry too.
        QTest::keyClick(label, Qt::Key_Space);
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("40"));
        m_bench->child("limitType_5")->setFocus();
        QVERIFY(box->isHidden());
        QCOMPARE(m_bench->window->image().value(map::lowerLimitAddress(4)), 40);
        QCOMPARE(m_bench->background("limit_4"), colours::kWhite);
    }

    // The panel opens on the image; a type label steps through the four types, the two-limit
    // ones showing their second limit; Done closes the panel and ends a reading loop.
    void panel_cyclesTypesAndClosesWithDone() {
        QVERIFY(!panelOpen(*m_bench));
        click(m_bench->child("setLimits"));
        QVERIFY(panelOpen(*m_bench));
        QCOMPARE(m_bench->child<QLineEdit>("limitEditor_9")->text(), QStringLiteral("91"));
        const int address = map::limitTypeAddress(5);
        QCOMPARE(m_bench->window->image().value(address), 0);
        for (const int type : {1, 2, 3, 0}) {
            click(m_bench->child("limitType_5"));
            QCOMPARE(m_bench->window->image().value(address), type);
            QCOMPARE(!m_bench->child("limit_21")->isHidden(), type == 2 || type == 3);
        }
        m_bench->child<QCheckBox>("readConstantly")->setChecked(true);
        click(m_bench->child("limitsDone"));
        QVERIFY(!panelOpen(*m_bench));
        QVERIFY(!m_bench->child<QCheckBox>("readConstantly")->isChecked());
    }

    void readAll_sendsSixteenRequestsInOrder() {
        QStringList levels; // every input's caption and bar, 0 and 255 among them
        for (int input = 0; input < 16; ++input) {
            m_bench->module.setAnalogLevel(input, input == 7 ? -1 : input * 17); // 7 silent
            levels << (input == 7 ? QStringLiteral("%1/0").arg(QStringLiteral("???"))
                                  : QStringLiteral("%1/%1").arg(input * 17));
        }
        const std::size_t before = m_bench->module.commands().size();
        click(m_bench->child("readAllInputs"));
        const QList<int> inOrder{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
        QCOMPARE(analogRequests(*m_bench, before), inOrder);
        QCOMPARE(m_bench->module.commands().size(), before + 16);
        QCOMPARE(shownLevels(), levels);
        // A silent input keeps what it last showed; after a read of the settings no level is
        // known, and the meter agrees with its "???". A reading right after shows at once.
        m_bench->module.setAnalogLevel(3, -1);
        click(m_bench->child("levelMeter_3"));
        QCOMPARE(m_bench->caption("level_3"), QStringLiteral("51"));
        m_bench->window->readSettings();
        QCOMPARE(m_bench->caption("level_3"), QStringLiteral("???"));
        QCOMPARE(m_bench->child("levelMeter_3")->accessibleName(), QStringLiteral("???"));
        m_bench->module.setAnalogLevel(3, 0);
        click(m_bench->child("levelMeter_3"));
        QCOMPARE(m_bench->caption("level_3"), QStringLiteral("0"));
    }

    void meterLoop_repeatsOneInputTwentyTimesASecondUntilCleared() {
        m_bench->module.setAnalogLevel(5, 200);
        auto *loop = m_bench->child<QCheckBox>("readConstantly");
        loop->setChecked(true);
        const qint64 started = m_bench->clock.nowMicros();
        m_bench->clock.callAfter(2000 * kMillis, [loop] { loop->setChecked(false); });
        // Clicks for other readings while the loop runs are ignored.
        m_bench->clock.callAfter(30 * kMillis, [&] {
            click(m_bench->child("readAllInputs"));
            click(m_bench->child("levelMeter_9"));
        });
        const std::size_t before = m_bench->module.commands().size();

        // From the keyboard, as a press would.
        QTest::keyClick(m_bench->child("levelMeter_5"), Qt::Key_Space);
        const QList<int> requests = analogRequests(*m_bench, before);
        // A reading takes a few milliseconds; unpaced, two seconds held hundreds.
        QVERIFY2(requests.size() >= 40 && requests.size() <= 41,
                 qPrintable(QString::number(requests.size())));
        QCOMPARE(requests.count(5), requests.size());
        QCOMPARE(m_bench->caption("level_5"), QStringLiteral("200"));
        // The loop ends when the box is cleared, not a pass later.
        QVERIFY(m_bench->clock.nowMicros() - started < 2010 * kMillis);
    }

    // Ticking "Read Inputs Constantly" is the one action that starts monitoring every input.
    // The meters may skip passes that come faster than an eye follows, never the last one.
    void tickingTheLoopBox_readsEveryInputAtOnceUntilCleared() {
        QString error;
        m_bench->module.setLevelPattern(*parseLevelPattern(QStringLiteral("ramp:3"), error));
        click(m_bench->child("setLimits"));
        auto *loop = m_bench->child<QCheckBox>("readConstantly");
        m_bench->clock.callAfter(1025 * kMillis, [loop] { loop->setChecked(false); });
        const std::size_t before = m_bench->module.commands().size();
        click(loop);
        QList<int> passes;
        for (int pass = 0; pass < 21; ++pass) // 20 a second, the last one finished
            for (int input = 0; input < 16; ++input)
                passes << input;
        QCOMPARE(analogRequests(*m_bench, before), passes);
        // Each pass moves the ramp on by 3; inputs start 16 apart.
        QStringList last;
        for (int input = 0; input < 16; ++input) {
            const int level = (16 * input + 3 * 20) % 256; // the 21st pass, wrapped
            last << QStringLiteral("%1/%1").arg(level);
        }
        QTRY_COMPARE(shownLevels(), last);
    }

private:
    // Each input's caption and bar, as "caption/value".
    QStringList shownLevels() const {
        QStringList levels;
        for (int input = 0; input < 16; ++input) {
            const QString n = QString::number(input);
            const int bar =
                m_bench->child<QProgressBar>(QStringLiteral("levelMeter_") + n)->value();
            levels << m_bench->caption(QStringLiteral("level_") + n) + '/' + QString::number(bar);
        }
        return levels;
    }

    std::unique_ptr<WindowBench> m_bench;
};

// ---------------------------------------------------------------- the input monitor

TESSEL_TEST_OBJECT(AnalogPanelTest);
#include "test_AnalogPanel.moc"
