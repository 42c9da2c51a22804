#include "link/PortSetting.h"
#include "support/TestMain.h"

#include <QtTest>
#include <sys/stat.h>

using namespace tessel;

namespace {
// A working directory and a configuration folder of our own, so that no test touches the
// user's real setting.
struct Places {
    Places() { QStandardPaths::setTestModeEnabled(true); }

    [[nodiscard]] QString workingFile() const { return root.filePath("work/tessel.cfg"); }
    [[nodiscard]] QString configFolder() const { return root.filePath("config/tessel-config"); }
    [[nodiscard]] PortSetting setting() const { return {workingFile(), configFolder()}; }
    // A directory where the file should be: no one, not even root, can write it there.
    void blockWorkingFile() const { QVERIFY(QDir().mkpath(workingFile())); }

    QTemporaryDir root;
};

void writeFile(const QString &path, const QByteArray &content) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}
} // namespace

class PortSettingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void remembered_takesTheFirstField_data();
    void remembered_takesTheFirstField();
    void remember_writesTheWorkingFileWithCrLf();
    void remember_fallsBackToTheConfigFolderAndSaysWhere_data();
    void remember_fallsBackToTheConfigFolderAndSaysWhere();
    void remembered_prefersTheConfigFolderOverAFileHereWeCannotWrite();
    void remember_namesBothPlacesWhenNeitherCanBeWritten();
};

void PortSettingTest::remembered_takesTheFirstField_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QByteArray("COM7\r\n") << "COM7";
    QTest::newRow("comma ends the field") << QByteArray("COM1,9600,n\r\n") << "COM1";
    QTest::newRow("blanks, second line") << QByteArray("  ttyUSB0  \r\nnext\r\n") << "ttyUSB0";
    QTest::newRow("quoted") << QByteArray("\"/dev/pts/3\",x\r\n") << "/dev/pts/3";
    QTest::newRow("empty file") << QByteArray("") << QString();
    QTest::newRow("blank line") << QByteArray("  \r\n") << QString();
}

void PortSettingTest::remembered_takesTheFirstField() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    Places places;
    writeFile(places.workingFile(), content);
    const std::optional<QString> name = places.setting().remembered();
    QCOMPARE(name.value_or(QString()), expected);
    QCOMPARE(name.has_value(), !expected.isEmpty());
}

void PortSettingTest::remember_writesTheWorkingFileWithCrLf() {
    Places places;
    QVERIFY(QDir().mkpath(places.root.filePath("work")));
    QCOMPARE(places.setting().remember("ttyUSB1"), QString());
    QCOMPARE(contentOf(places.workingFile()), QByteArray("ttyUSB1\r\n"));
    QVERIFY(!QFile::exists(places.setting().configFile()));
    QCOMPARE(places.setting().remembered(), std::optional<QString>("ttyUSB1"));
}

void PortSettingTest::remember_fallsBackToTheConfigFolderAndSaysWhere_data() {
    QTest::addColumn<bool>("fifo");
    QTest::newRow("a folder in the file's place") << false;
    // Opening a FIFO would wait for a writer: the start-up must not hang on it.
    QTest::newRow("a FIFO in the file's place") << true;
}

void PortSettingTest::remember_fallsBackToTheConfigFolderAndSaysWhere() {
    QFETCH(bool, fifo);
    Places places;
    if (fifo) {
        QVERIFY(QDir().mkpath(places.root.filePath("work")));
        QCOMPARE(::mkfifo(QFile::encodeName(places.workingFile()).constData(), 0600), 0);
    } else {
        places.blockWorkingFile();
    }
    QCOMPARE(places.setting().remembered(), std::nullopt);
    const QString message = places.setting().remember("ttyUSB0");
    QVERIFY2(message.startsWith(QStringLiteral("The port is remembered in %1:")
                                    .arg(QDir::toNativeSeparators(places.configFolder()))),
             qPrintable(message));
    QVERIFY2(message.contains(QFileInfo(places.workingFile()).absolutePath()), qPrintable(message));
    QCOMPARE(contentOf(places.configFolder() + "/tessel.cfg"), QByteArray("ttyUSB0\r\n"));
    QCOMPARE(places.setting().remembered(), std::optional<QString>("ttyUSB0"));
}

void PortSettingTest::remembered_prefersTheConfigFolderOverAFileHereWeCannotWrite() {
    Places places;
    writeFile(places.workingFile(), "COM1\r\n");
    QVERIFY(QFile::setPermissions(places.workingFile(), QFile::ReadOwner | QFile::ReadGroup));
    if (QFileInfo(places.workingFile()).isWritable())
        QSKIP("this user may write any file (root), so the file cannot be made read-only");
    QVERIFY(!places.setting().remember("ttyUSB0").isEmpty());
    // Taking the stale COM1 would undo the choice just made at every start.
    QCOMPARE(places.setting().remembered(), std::optional<QString>("ttyUSB0"));
}

void PortSettingTest::remember_namesBothPlacesWhenNeitherCanBeWritten() {
    Places places;
    places.blockWorkingFile();
    writeFile(places.root.filePath("config/tessel-config"), "a file, not a folder");
    const QString message = places.setting().remember(" ttyUSB0 ");
    QVERIFY2(message.startsWith("The port could not be remembered: "), qPrintable(message));
    QVERIFY2(message.contains(QFileInfo(places.workingFile()).absolutePath()), qPrintable(message));
    QVERIFY2(message.contains(places.configFolder()), qPrintable(message));
    QVERIFY2(message.endsWith("ttyUSB0 is used for this run; choose it again next time."),
             qPrintable(message));
    QCOMPARE(places.setting().remembered(), std::nullopt);

    const QString nowhere = PortSetting(places.workingFile(), QString()).remember("COM2");
    QVERIFY2(nowhere.startsWith("The port could not be remembered: the port setting file "
                                "tessel.cfg could not be written in the working directory"),
             qPrintable(nowhere));
}

TESSEL_TEST_OBJECT(PortSettingTest);
#include "test_PortSetting.moc"
