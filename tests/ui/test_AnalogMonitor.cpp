// The input monitor of the Threshold window: single readings, reading loops, and how a
// loop gives way to a settings transfer.

#include "core/MemoryMap.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/AnalogMonitor.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

class AnalogMonitorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readAll_sendsSixteenRequestsInOrder();
    void meterLoop_repeatsOneInputTwentyTimesASecondUntilCleared();
    void secondClickDuringALoop_isIgnored();
    void read_endsARunningLoopFirst();
};

void AnalogMonitorTest::readAll_sendsSixteenRequestsInOrder() {
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

void AnalogMonitorTest::meterLoop_repeatsOneInputTwentyTimesASecondUntilCleared() {
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

void AnalogMonitorTest::secondClickDuringALoop_isIgnored() {
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

void AnalogMonitorTest::read_endsARunningLoopFirst() {
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

TESSEL_TEST_OBJECT(AnalogMonitorTest);
#include "test_AnalogMonitor.moc"
