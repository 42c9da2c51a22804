// SPDX-License-Identifier: Apache-2.0
#include "core/MemoryMap.h"
#include "core/ProfileText.h"
#include "session/BackupFolder.h"
#include "session/BackupList.h"
#include "session/OutputFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace tessel;
using testing::FileSizeLimit;

namespace {
const QDateTime kEvening(QDate(2026, 12, 6), QTime(21, 5, 12), Qt::UTC);

// A Tessel image whose base serial reads 0013A200, a Threshold one whose reads 0013A200:4032;
// the first device's serial is 40A1B2C3 (40A1 on a Threshold module).
EepromImage withSerial(ModuleKind kind, int firstDevice = 0x40A1B2C3) {
    EepromImage image = factoryImage(kind);
    const int serial[] = {0x00, 0x13, 0xA2, 0x00, 0x40, 0x32};
    for (int a = 0; a < 6; ++a)
        image.setValue(a, serial[a]);
    for (int b = 0; b < layoutOf(kind).rowSerialBytes; ++b)
        image.setValue(map::recordAddress(0) + b, (firstDevice >> (8 * (3 - b))) & 0xFF);
    return image;
}

// The name of a Tessel backup taken at `when` on ttyUSB0.
QString tesselBackup(const QDateTime &when, int number = 1) {
    return BackupFolder::fileName(ModuleKind::Tessel, when, QStringLiteral("/dev/ttyUSB0"), number);
}

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

std::optional<ModuleMemory> readBackup(const QString &path) {
    return parseProfileText(QString::fromLatin1(contentOf(path))).memory;
}

QStringList filesIn(const QString &path) {
    return QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void writeFile(const QString &folder, const QString &name, const QByteArray &bytes = {}) {
    QFile file(QDir(folder).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class BackupsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void save_namesEveryBackupApartByTimePortAndNumber() {
        const BackupFolder folder(m_dir.filePath(QStringLiteral("named")));
        // Modules programmed alike hold the same serials: each still keeps its own backup, even
        // within one millisecond, and the same moment in local time names the same UTC time.
        const EepromImage alike = withSerial(ModuleKind::Tessel);
        QStringList names;
        for (const auto &[when, port] :
             {std::pair(kEvening, QStringLiteral("/dev/ttyUSB0")),
              std::pair(kEvening.toOffsetFromUtc(2 * 3600), QStringLiteral("/dev/ttyUSB0")),
              std::pair(kEvening.addMSecs(7), QStringLiteral("tcp://bench-3:4001"))}) {
            const BackupResult saved = folder.save(ModuleKind::Tessel, alike, when, port);
            QVERIFY2(saved.error.isEmpty(), qPrintable(saved.error));
            QCOMPARE(readBackup(saved.where), alike.toMemory());
            names << QFileInfo(saved.where).fileName();
        }
        static const QRegularExpression form(QStringLiteral(
            R"(^tessel-20261206T210512\.00([07])Z-(ttyUSB0|bench-3_4001)-(\d+)\.txt$)"));
        for (const QString &name : names)
            QVERIFY2(form.match(name).hasMatch(), qPrintable(name));
        QCOMPARE(filesIn(folder.path()).size(), 3);
        QVERIFY(names[0] != names[1]);
        QCOMPARE(BackupFolder::parseName(names[2])->when, kEvening.addMSecs(7));
    }

    void save_prunesOnlyOldBackupsBeyondCountOrSize_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("files");       // size bound, in backups
        QTest::addColumn<QList<int>>("ages"); // days, of the backups there before the save
        QTest::addColumn<QList<int>>("gone"); // which of them the save removes
        QTest::newRow("young ones stay beyond the count")
            << 2 << 99 << QList{1, 2, 89} << QList<int>{};
        QTest::newRow("old ones beyond the count go")
            << 3 << 99 << QList{1, 100, 101, 300} << QList{101, 300};
        QTest::newRow("old ones beyond the size go")
            << 99 << 3 << QList{100, 2, 101, 120} << QList{101, 120};
        QTest::newRow("old ones within both bounds stay")
            << 3 << 3 << QList{91, 92} << QList<int>{};
    }

    void save_prunesOnlyOldBackupsBeyondCountOrSize() {
        QFETCH(int, count);
        QFETCH(int, files);
        QFETCH(QList<int>, ages);
        QFETCH(QList<int>, gone);
        QTemporaryDir dir;
        BackupFolder folder(dir.path());
        const QByteArray text =
            profileText(withSerial(ModuleKind::Tessel)).toLatin1() + QByteArray("\n");
        folder.setRetention({90, count, files * text.size()});
        // The operator's files and those of the naming before ports: only a backup goes.
        const QStringList own = {"notes.txt", "tessel-copy.txt", "tessel-20201206T210512Z.txt"};
        for (const QString &name : own)
            writeFile(dir.path(), name);
        const QString earlierNaming = "tessel-0013A200-40A1B2C3-20201206T210512Z-2.txt";
        writeFile(dir.path(), earlierNaming, text);
        QStringList expected = own, removed;
        removed << earlierNaming;
        for (const int age : ages) {
            const QString name = tesselBackup(kEvening.addDays(-age));
            writeFile(dir.path(), name, text);
            (gone.contains(age) ? removed : expected) << name;
        }
        QStringList said;
        const BackupResult saved =
            folder.save(ModuleKind::Tessel, withSerial(ModuleKind::Tessel), kEvening, {}, &said);
        expected << QFileInfo(saved.where).fileName();
        expected.sort();
        QCOMPARE(filesIn(dir.path()), expected);
        for (QString &path : removed)
            path = dir.filePath(path);
        removed.sort();
        said.sort();
        QCOMPARE(said, removed);
        QVERIFY(folder.removalNote(said).contains(said.join(", ")));
    }

    void failedWrite_tellsWhyAndLosesNothing_data() {
        QTest::addColumn<bool>("backup"); // else a profile written where the operator said
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("sizeLimit"); // bytes a file may grow to; 0 for no limit
        QTest::addColumn<QString>("why");
        QTest::newRow("backup: a file where the folder should be")
            << true << "blocker/backups" << 0 << "cannot be created";
        QTest::newRow("backup: the disk fills") << true << "full" << 700 << "File too large";
        QTest::newRow("profile: the disk fills, the old file stays")
            << false << "profile.txt" << 4 << "File too large";
    }

    void failedWrite_tellsWhyAndLosesNothing() {
        QFETCH(bool, backup);
        QFETCH(QString, name);
        QFETCH(int, sizeLimit);
        QFETCH(QString, why);
        QTemporaryDir dir;
        writeFile(dir.path(), "blocker", "not a folder");
        const QString path = dir.filePath(name);
        BackupFolder folder(path);
        folder.setRetention({90, 1, 1});
        // A full folder: a backup that counted would prune its oldest.
        if (backup && QDir().mkpath(path))
            for (int i = 0; i < 3; ++i)
                writeFile(path, tesselBackup(kEvening.addDays(-300), i + 1), "old");
        const QByteArray old = "old profile\n", text = "DATA 1,2,3\n";
        if (!backup)
            writeFile(dir.path(), name, old);
        const QString where = backup ? path : dir.path();
        const QStringList before = filesIn(where);

        QString error;
        {
            const FileSizeLimit limit(sizeLimit);
            if (backup) {
                const BackupResult result =
                    folder.save(ModuleKind::Tessel, withSerial(ModuleKind::Tessel), kEvening);
                QVERIFY(result.where.isEmpty());
                error = result.error;
            } else if (OutputFile output(path); !output.open() || !output.commit(text)) {
                error = output.error();
            }
        }
        QVERIFY2(error.contains(path) && error.contains(why), qPrintable(error));
        QVERIFY2(!backup || error.contains(QStringLiteral("Nothing was stored")),
                 qPrintable(error));
        // No temporary file is left, and nothing is pruned.
        QCOMPARE(filesIn(where), before);
        if (!backup)
            QCOMPARE(contentOf(path), old);
    }

    void write_replacesAFileKeepingItsModeOrWritesOneOfTwoNamesInPlace() {
        QTemporaryDir dir;
        writeFile(dir.path(), "plain", "old");
        writeFile(dir.path(), "linked", "old");
        QCOMPARE(::chmod(qPrintable(dir.filePath("plain")), 0640), 0);
        QCOMPARE(::link(qPrintable(dir.filePath("linked")), qPrintable(dir.filePath("twin"))), 0);
        for (const char *name : {"plain", "linked"}) {
            OutputFile output(dir.filePath(name));
            QVERIFY2(output.open() && output.commit("new"), qPrintable(output.error()));
        }
        struct stat plain {};
        QCOMPARE(::stat(qPrintable(dir.filePath("plain")), &plain), 0);
        QCOMPARE(plain.st_mode & 07777, 0640u);
        // Both names of the linked file show what was written; no temporary file is left.
        QCOMPARE(contentOf(dir.filePath("twin")), QByteArray("new"));
        QCOMPARE(filesIn(dir.path()), (QStringList{"linked", "plain", "twin"}));
    }

    void dataHome_followsTheXdgRules_data() {
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("expected"); // empty: refused
        const QString op = QStringLiteral("/home/op");
        const QString share = QStringLiteral("/home/op/.local/share");
        QTest::newRow("a relative XDG_DATA_HOME is ignored") << "data"
                                                             << "/home/op/"
                                                             << "/root" << share;
        QTest::newRow("HOME is the root folder: the account's home")
            << QString() << "/" << op << share;
        QTest::newRow("no home at all") << "data" << QString() << "/" << QString();
    }

    void dataHome_followsTheXdgRules() {
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, home);
        QFETCH(QString, account);
        QFETCH(QString, expected);
        QString why;
        QCOMPARE(BackupFolder::dataHome(xdgDataHome, home, account, &why), expected);
        QCOMPARE(why.contains(QStringLiteral("set HOME or XDG_DATA_HOME")), expected.isEmpty());
    }

    void list_showsTheKindsBackupsNewestFirstWithTheirModule() {
        QTemporaryDir dir;
        const BackupFolder folder(dir.path());
        const EepromImage first = withSerial(ModuleKind::Tessel);
        const EepromImage second = withSerial(ModuleKind::Tessel, 0x11223344);
        const QString older =
            folder.save(ModuleKind::Tessel, first, kEvening, "/dev/ttyUSB0").where;
        const QString newer = folder.save(ModuleKind::Tessel, second, kEvening.addSecs(60)).where;
        const QString sameSecond =
            folder.save(ModuleKind::Tessel, second, kEvening.addSecs(60)).where;
        QVERIFY(!folder.save(ModuleKind::Threshold, withSerial(ModuleKind::Threshold), kEvening)
                     .where.isEmpty());
        // A backup that is not a profile (an empty file left by a full disk) is not offered.
        writeFile(dir.path(), tesselBackup(kEvening.addSecs(120)));

        const std::vector<BackupEntry> tessel = listBackups(folder.path(), ModuleKind::Tessel);
        QCOMPARE(tessel.size(), size_t(3));
        QCOMPARE(tessel[0].path, sameSecond);
        QCOMPARE(tessel[1].path, newer);
        QCOMPARE(tessel[1].port, QString());
        QCOMPARE(tessel[2].path, older);
        QCOMPARE(tessel[2].port, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(tessel[2].image, first);
        EepromImage one = first;
        one.setValue(map::kLastDeviceIndex, 3);
        one.setValue(map::recordAddress(1), 0xAB);
        const QString four = describeModule(ModuleKind::Tessel, one);
        QVERIFY2(four.startsWith(QStringLiteral("devices 40A1B2C3, AB")) &&
                     four.endsWith(QStringLiteral(" and 2 more")),
                 qPrintable(four));

        const std::vector<BackupEntry> sensors = listBackups(folder.path(), ModuleKind::Threshold);
        QCOMPARE(sensors.size(), size_t(1));
        EepromImage limits = sensors[0].image;
        limits.setValue(map::limitTypeAddress(1), 3);
        limits.setValue(map::lowerLimitAddress(1), 40);
        limits.setValue(map::upperLimitAddress(1), 90);
        const QString inside = describeModule(ModuleKind::Threshold, limits);
        QVERIFY2(inside.contains("input 1 inside 40-90 and 14 more"), qPrintable(inside));
    }

private:
    QTemporaryDir m_dir;
};

TESSEL_TEST_OBJECT(BackupsTest);
#include "test_Backups.moc"
