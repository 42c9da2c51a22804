#include "cli/ModuleRecord.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace tessel;

namespace {
ModuleRecord sample(ModuleResult result) {
    ModuleRecord r;
    r.finished = QDateTime(QDate(2025, 3, 9), QTime(14, 5, 7), QTimeZone(3600 * 2));
    r.port = QStringLiteral("/dev/ttyUSB0");
    r.kind = QStringLiteral("tessel");
    r.firmwareVersion = 3;
    r.releaseYear = QStringLiteral("2008");
    r.result = result;
    r.seconds = 2.54;
    return r;
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeRaw(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}
} // namespace

TEST(ModuleRecord, lineHoldsEveryColumnWithTheTimeOffset) {
    ModuleRecord r = sample(ModuleResult::VerifyFailed);
    r.differingBlocks = {3, 11};
    r.backup = QStringLiteral("/home/op/backups/tessel-1.txt");
    EXPECT_EQ(recordLine(r),
              QStringLiteral("2025-03-09T14:05:07+02:00,/dev/ttyUSB0,tessel,3,2008,"
                             "verify-failed,3 11,/home/op/backups/tessel-1.txt,2.5"));
    r.finished = QDateTime(QDate(2025, 1, 1), QTime(0, 0), QTimeZone(0));
    EXPECT_TRUE(recordLine(r).startsWith(QLatin1String("2025-01-01T00:00:00+00:00,")));
}

TEST(ModuleRecord, fieldsWithSeparatorsOrQuotesKeepTheirColumn) {
    ModuleRecord r = sample(ModuleResult::LinkLost);
    r.port = QStringLiteral("tcp://jig,3:4001");
    r.backup = QStringLiteral("/tmp/a \"b\".txt");
    r.firmwareVersion = -1; // never identified
    EXPECT_EQ(recordLine(r),
              QStringLiteral("2025-03-09T14:05:07+02:00,\"tcp://jig,3:4001\",tessel,,2008,"
                             "link-lost,,\"/tmp/a \"\"b\"\".txt\",2.5"));
}

TEST(ModuleRecord, everyResultHasItsKey) {
    const std::pair<ModuleResult, const char *> keys[] = {
        {ModuleResult::Ok, "ok"},
        {ModuleResult::WrongKind, "wrong-kind"},
        {ModuleResult::StoreFailed, "store-failed"},
        {ModuleResult::VerifyFailed, "verify-failed"},
        {ModuleResult::LinkLost, "link-lost"}};
    for (const auto &[result, key] : keys)
        EXPECT_EQ(resultKey(result), QLatin1String(key));
}

TEST(RecordFile, headerOnceThenOneLinePerRecordAcrossRuns) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.csv"));
    {
        RecordFile file(path);
        ASSERT_EQ(file.open(), QString());
        ASSERT_EQ(file.append(sample(ModuleResult::Ok)), QString());
    }
    {
        RecordFile file(path);
        ASSERT_EQ(file.open(), QString());
        ASSERT_EQ(file.append(sample(ModuleResult::WrongKind)), QString());
    }
    const QByteArray expected = recordHeader().toUtf8() + '\n' +
                                recordLine(sample(ModuleResult::Ok)).toUtf8() + '\n' +
                                recordLine(sample(ModuleResult::WrongKind)).toUtf8() + '\n';
    EXPECT_EQ(contents(path), expected);
}

TEST(RecordFile, aRecordCutShortKeepsItsOwnLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.csv"));
    const QByteArray cut = recordHeader().toUtf8() + "\n2025-03-09T14:05:07+02:00,/dev/tty";
    writeRaw(path, cut);
    RecordFile file(path);
    ASSERT_EQ(file.open(), QString());
    ASSERT_EQ(file.append(sample(ModuleResult::Ok)), QString());
    EXPECT_EQ(contents(path), cut + '\n' + recordLine(sample(ModuleResult::Ok)).toUtf8() + '\n');
}

TEST(RecordFile, anotherFileIsRefusedAndLeftAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.csv"));
    writeRaw(path, "name,phone\nA,1\n");
    RecordFile file(path);
    const QString error = file.open();
    EXPECT_TRUE(error.contains(QLatin1String("not a record file"))) << error.toStdString();
    EXPECT_EQ(contents(path), QByteArray("name,phone\nA,1\n"));

    RecordFile nowhere(dir.filePath(QStringLiteral("missing/dir/r.csv")));
    EXPECT_TRUE(nowhere.open().contains(QLatin1String("cannot write")));
}
