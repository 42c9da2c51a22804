#include "SessionBench.h"
#include "core/ProfileText.h"
#include "session/BackupFolder.h"

#include <QDir>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tessel;
using namespace tessel::test;

namespace {
const QDateTime kEvening(QDate(2026, 12, 6), QTime(21, 5, 12), Qt::UTC);

// A Tessel image whose base serial reads 0013A200, a Threshold one whose reads 0013A200:4032.
EepromImage withSerial(ModuleKind kind) {
    EepromImage image = factoryImage(kind);
    const int serial[] = {0x00, 0x13, 0xA2, 0x00, 0x40, 0x32};
    for (int a = 0; a < 6; ++a)
        image.setValue(a, serial[a]);
    return image;
}

std::optional<ModuleMemory> readBackup(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseProfileText(QString::fromLatin1(file.readAll())).memory;
}

QStringList filesIn(const QString &path) {
    return QDir(path).entryList(QDir::Files, QDir::Name);
}
} // namespace

class BackupsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void save_writesAProfileNamedByKindSerialAndUtcTime();
    void save_twiceInOneSecondKeepsBoth();
    void save_keepsTheNewest200AndNothingElseIsTouched();
    void save_whereNothingCanBeWrittenSaysWhereAndWhy();
    void defaultFolder_isTheBackupsFolderOfTheUsersData();
    void session_readsTheMemoryFirstWhenItIsUnknown();
    void session_unreadableMemoryStoresNothing();
    void session_unwritableFolderStoresNothing();

private:
    QTemporaryDir m_dir;
};

void BackupsTest::save_writesAProfileNamedByKindSerialAndUtcTime() {
    const BackupFolder folder(m_dir.filePath(QStringLiteral("named")));
    const BackupResult tessel =
        folder.save(ModuleKind::Tessel, withSerial(ModuleKind::Tessel), kEvening);
    QVERIFY2(tessel.error.isEmpty(), qPrintable(tessel.error));
    QCOMPARE(tessel.where, folder.path() + QStringLiteral("/tessel-0013A200-20261206T210512Z.txt"));
    QCOMPARE(readBackup(tessel.where), withSerial(ModuleKind::Tessel).toMemory());

    // The same moment given in local time two hours ahead of UTC names the same second.
    const QDateTime inAthens = kEvening.toOffsetFromUtc(2 * 3600);
    const BackupResult threshold =
        folder.save(ModuleKind::Threshold, withSerial(ModuleKind::Threshold), inAthens);
    QCOMPARE(QFileInfo(threshold.where).fileName(),
             QStringLiteral("threshold-0013A200-4032-20261206T210512Z.txt"));
    QCOMPARE(readBackup(threshold.where), withSerial(ModuleKind::Threshold).toMemory());
}

void BackupsTest::save_twiceInOneSecondKeepsBoth() {
    const BackupFolder folder(m_dir.filePath(QStringLiteral("twice")));
    const EepromImage first = withSerial(ModuleKind::Tessel);
    EepromImage second = first;
    second.setValue(100, 7);
    const BackupResult a = folder.save(ModuleKind::Tessel, first, kEvening);
    const BackupResult b = folder.save(ModuleKind::Tessel, second, kEvening);
    QVERIFY(a.where != b.where);
    QCOMPARE(QFileInfo(b.where).fileName(),
             QStringLiteral("tessel-0013A200-20261206T210512Z-2.txt"));
    QCOMPARE(readBackup(a.where), first.toMemory());
    QCOMPARE(readBackup(b.where), second.toMemory());
}

void BackupsTest::save_keepsTheNewest200AndNothingElseIsTouched() {
    const BackupFolder folder(m_dir.filePath(QStringLiteral("many")));
    QVERIFY(QDir().mkpath(folder.path()));
    // The operator's own files in the folder are never the program's to delete.
    for (const char *name : {"notes.txt", "tessel-copy.txt", "tessel-0013A200-1.txt"}) {
        QFile own(folder.path() + QLatin1Char('/') + QLatin1String(name));
        QVERIFY(own.open(QIODevice::WriteOnly));
    }
    // Two kinds taking turns, a second apart: the limit counts all of them together.
    const int made = BackupFolder::kKept + 5;
    QStringList names;
    for (int i = 0; i < made; ++i) {
        const ModuleKind kind = i % 2 ? ModuleKind::Threshold : ModuleKind::Tessel;
        const BackupResult saved = folder.save(kind, withSerial(kind), kEvening.addSecs(i));
        QVERIFY2(saved.error.isEmpty(), qPrintable(saved.error));
        names << QFileInfo(saved.where).fileName();
    }
    QStringList expected = names.mid(made - BackupFolder::kKept);
    expected << QStringLiteral("notes.txt") << QStringLiteral("tessel-copy.txt")
             << QStringLiteral("tessel-0013A200-1.txt");
    expected.sort();
    QCOMPARE(filesIn(folder.path()), expected);

    // A clock set back: the backup just made stays, the oldest of the others goes.
    const BackupResult early =
        folder.save(ModuleKind::Tessel, withSerial(ModuleKind::Tessel), kEvening.addDays(-30));
    QVERIFY(QFileInfo::exists(early.where));
    QVERIFY(!QFileInfo::exists(folder.path() + QLatin1Char('/') + names.at(5)));
    QVERIFY(QFileInfo::exists(folder.path() + QLatin1Char('/') + names.at(6)));
    QCOMPARE(filesIn(folder.path()).size(), BackupFolder::kKept + 3);
}

void BackupsTest::save_whereNothingCanBeWrittenSaysWhereAndWhy() {
    // A file where the folder should be: no folder can be made there, whoever runs the test.
    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const BackupFolder folder(blocker + QStringLiteral("/backups"));
    const BackupResult result =
        folder.save(ModuleKind::Tessel, withSerial(ModuleKind::Tessel), kEvening);
    QVERIFY(result.where.isEmpty());
    QVERIFY2(result.error.contains(folder.path()), qPrintable(result.error));
    QVERIFY2(result.error.contains(QStringLiteral("Nothing was stored")), qPrintable(result.error));
}

void BackupsTest::defaultFolder_isTheBackupsFolderOfTheUsersData() {
    QStandardPaths::setTestModeEnabled(true);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const BackupFolder folder;
    QCOMPARE(folder.path(), data + QStringLiteral("/backups"));
    const BackupResult saved =
        folder.save(ModuleKind::Tessel, withSerial(ModuleKind::Tessel), kEvening);
    QCOMPARE(QFileInfo(saved.where).dir().absolutePath(), QDir(folder.path()).absolutePath());
    QVERIFY(QFile::remove(saved.where));
    QStandardPaths::setTestModeEnabled(false);
}

void BackupsTest::session_readsTheMemoryFirstWhenItIsUnknown() {
    auto bench = Bench::identified();
    const EepromImage before = withSerial(ModuleKind::Tessel);
    bench->module.setMemory(*before.toMemory());
    bench->session.setBackup(BackupFolder(m_dir.filePath(QStringLiteral("session"))).forSession());
    QSignalSpy phases(&bench->session, &ModuleSession::phaseChanged);

    QCOMPARE(bench->session.store(descending()), Admission::Started);
    const SessionOutcome &outcome = bench->session.lastOutcome();
    QVERIFY2(outcome.ok(), qPrintable(outcome.message));
    QCOMPARE(readBackup(outcome.backup), before.toMemory());
    QVERIFY(QFileInfo(outcome.backup).fileName().startsWith(QStringLiteral("tessel-0013A200-")));
    QCOMPARE(phases.size(), 3);
    QCOMPARE(phases.at(0).at(0).value<SessionPhase>(), SessionPhase::Reading);
    QCOMPARE(phases.at(1).at(0).value<SessionPhase>(), SessionPhase::Storing);
    QCOMPARE(phases.at(2).at(0).value<SessionPhase>(), SessionPhase::Verifying);

    // Now the memory is known: the next backup holds what was stored, without reading first.
    const int readsSoFar = bench->reads();
    QCOMPARE(bench->session.factoryReset(), Admission::Started);
    QCOMPARE(readBackup(bench->session.lastOutcome().backup), descending().toMemory());
    QCOMPARE(bench->reads(), readsSoFar + kBlockCount); // the read-back only
}

void BackupsTest::session_unreadableMemoryStoresNothing() {
    SimulatorFaults faults;
    faults.dropAfterCommands = 1 + 3; // identification, three block reads
    auto bench = Bench::identified(faults);
    bench->session.setBackup(BackupFolder(m_dir.filePath(QStringLiteral("unread"))).forSession());
    QCOMPARE(bench->session.store(descending()), Admission::Started);
    const SessionOutcome &outcome = bench->session.lastOutcome();
    QCOMPARE(outcome.status, SessionStatus::LinkFailed);
    QCOMPARE(outcome.failedBlock, -1);
    QVERIFY2(outcome.message.contains(QStringLiteral("nothing was stored")),
             qPrintable(outcome.message));
    QVERIFY(outcome.backup.isEmpty());
    QCOMPARE(bench->stores(), 0);
}

void BackupsTest::session_unwritableFolderStoresNothing() {
    auto bench = Bench::identified();
    const QString blocker = m_dir.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    bench->session.setBackup(BackupFolder(blocker).forSession());
    const EepromImage before = moduleHolds(*bench);
    QCOMPARE(bench->session.store(descending()), Admission::Started);
    QCOMPARE(bench->session.lastOutcome().status, SessionStatus::Refused);
    QVERIFY(bench->session.lastOutcome().message.contains(blocker));
    QCOMPARE(bench->stores(), 0);
    QCOMPARE(moduleHolds(*bench), before);
}

QTEST_GUILESS_MAIN(BackupsTest)
#include "test_Backups.moc"
