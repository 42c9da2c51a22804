// SPDX-License-Identifier: Apache-2.0
// The record of levels: its times, its rows for whole, partial and silent passes, what reaches
// the disk each second, and what it says when the file cannot be written.

#include "session/LevelRecord.h"
#include "support/TestMain.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tessel;

namespace {
const QString kHeader =
    QStringLiteral("time,in0,in1,in2,in3,in4,in5,in6,in7,in8,in9,in10,in11,in12,in13,in14,in15\n");

QDateTime at(int hour, int minute, int second, int millis, int offsetSeconds) {
    return {QDate(2025, 3, 9), QTime(hour, minute, second, millis), Qt::OffsetFromUTC,
            offsetSeconds};
}

// A pass of `inputs` with each read input at ten times its number plus `base`; `silent`
// did not answer.
LevelPass pass(QDateTime time, std::vector<int> inputs, int base = 0, int silent = -1) {
    LevelPass p;
    p.time = std::move(time);
    p.levels.fill(-1);
    for (const int input : inputs)
        p.levels.at(input) = input == silent ? -1 : 10 * input + base;
    p.inputs = std::move(inputs);
    return p;
}

std::vector<int> all() {
    return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
}

QString onDisk(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString("-");
}
} // namespace

class LevelRecordTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void isoTime_alwaysWritesItsOffset_data() {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<bool>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTC") << at(14, 5, 7, 250, 0) << false << "2025-03-09T14:05:07+00:00";
        QTest::newRow("east, ms") << at(14, 5, 7, 250, 7200) << true
                                  << "2025-03-09T14:05:07.250+02:00";
        QTest::newRow("west, half hour")
            << at(0, 0, 0, 5, -12600) << true << "2025-03-09T00:00:00.005-03:30";
        QTest::newRow("west, under an hour")
            << at(23, 59, 59, 0, -1800) << false << "2025-03-09T23:59:59-00:30";
        QTest::newRow("quarter hours")
            << at(9, 1, 2, 999, 20700) << true << "2025-03-09T09:01:02.999+05:45";
    }
    void isoTime_alwaysWritesItsOffset() {
        QFETCH(QDateTime, time);
        QFETCH(bool, milliseconds);
        QFETCH(QString, text);
        QCOMPARE(isoTimeWithOffset(time, milliseconds), text);
    }

    // Every pass is a row of all 16 inputs: one not read in the pass, or silent, is an empty
    // field, never a level. A second record in the same file replaces the first.
    void record_writesARowOfSixteenForEveryPass() {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("levels.csv"));
        LevelRecord record;
        QVERIFY(record.start(path));
        record.add(pass(at(10, 0, 0, 0, 3600), all(), 3));
        QVERIFY(record.start(path));
        QSignalSpy rows(&record, &LevelRecord::rowAdded);
        record.add(pass(at(10, 0, 0, 50, 3600), all(), 0, 7));
        record.add(pass(at(10, 0, 1, 0, 3600), {12, 2}, 1));
        record.add(pass(at(10, 0, 1, 50, 3600), all(), 5));
        QCOMPARE(record.rows(), 3);
        QVERIFY(record.stop());
        QCOMPARE(rows, (QList<QVariantList>{{qint64(1)}, {qint64(2)}, {qint64(3)}}));
        QCOMPARE(onDisk(path),
                 kHeader +
                     "2025-03-09T10:00:00.050+01:00,0,10,20,30,40,50,60,,80,90,100,110,120,130,"
                     "140,150\n"
                     "2025-03-09T10:00:01.000+01:00,,,21,,,,,,,,,,121,,,\n"
                     "2025-03-09T10:00:01.050+01:00,5,15,25,35,45,55,65,75,85,95,105,115,125,135,"
                     "145,155\n");
        // Stopped, it takes nothing more and says nothing went wrong.
        record.add(pass(at(10, 0, 2, 0, 3600), all()));
        QCOMPARE(std::tuple(record.recording(), record.rows(), record.error(), record.path()),
                 std::tuple(false, qint64(3), QString(), path));
        QCOMPARE(onDisk(path).count('\n'), 4);
    }

    // What was added reaches the disk within a second, while the record goes on; the header
    // at once, so a record that is started is never an empty file.
    void record_reachesTheDiskEverySecond() {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("levels.csv"));
        LevelRecord record;
        QVERIFY(record.start(path));
        QCOMPARE(onDisk(path), kHeader);
        record.add(pass(at(8, 0, 0, 0, 0), {4}));
        QTRY_COMPARE_WITH_TIMEOUT(onDisk(path),
                                  kHeader + "2025-03-09T08:00:00.000+00:00,,,,,40,,,,,,,,,,,\n",
                                  LevelRecord::kFlushMillis + 500);
        QVERIFY(record.recording());
    }

    // A file that cannot be written is said so, by name, and ends the record at once.
    void record_thatCannotBeWritten_failsAndSaysWhy_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("no such folder") << QStringLiteral("/nonexistent/levels.csv");
        QTest::newRow("disk full") << QStringLiteral("/dev/full");
    }
    void record_thatCannotBeWritten_failsAndSaysWhy() {
        QFETCH(QString, path);
        LevelRecord record;
        QSignalSpy failed(&record, &LevelRecord::failed);
        QVERIFY(!record.start(path));
        QCOMPARE(failed.count(), 1);
        const QString why = QStringLiteral("cannot write %1: ").arg(path);
        QVERIFY2(record.error().startsWith(why) && record.error().size() > why.size(),
                 qPrintable(record.error()));
        record.add(pass(at(8, 0, 0, 0, 0), all()));
        QCOMPARE(std::tuple(record.recording(), record.rows(), record.stop()),
                 std::tuple(false, qint64(0), false));
    }
};

TESSEL_TEST_OBJECT(LevelRecordTest);
#include "test_LevelRecord.moc"
