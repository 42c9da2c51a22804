// The commands as a shell user runs them, against tessel-modsim over a pseudo-terminal:
// their output, "-" for standard input and output, and the JSON documents.

#include "EndToEndSupport.h"
#include "core/FieldNames.h"
#include "support/TestMain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace tessel;
using namespace tessel::e2e;

namespace {

QJsonObject jsonOf(const Outcome &o) {
    const QJsonDocument document = QJsonDocument::fromJson(o.out.toUtf8());
    if (!document.isObject())
        qWarning("not one JSON object: %s", qPrintable(o.out));
    return document.object();
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyCommand_onOneModule_data();
    void everyCommand_onOneModule();
    void unknownKind_isExitOneButTroubleForDiff();
    void json_documentsParseBackWithTheirFields();
    void progress_showsOnATerminalOnly();

private:
    QTemporaryDir m_dir;
};

void CommandsTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo::exists(configExecutable()), qPrintable(configExecutable()));
}

void CommandsTest::everyCommand_onOneModule_data() {
    QTest::addColumn<ModuleKind>("kind");
    QTest::addColumn<QStringList>("line");
    QTest::addColumn<QString>("identity");
    QTest::newRow("tessel") << ModuleKind::Tessel << fast()
                            << "Tessel module, ZigBee radio, firmware version 3, release "
                               "year 2008\n";
    QTest::newRow("threshold")
        << ModuleKind::Threshold << fast()
        << "Threshold module, ZigBee radio, firmware version 3, release year 2008\n";
}

void CommandsTest::everyCommand_onOneModule() {
    QFETCH(ModuleKind, kind);
    QFETCH(QStringList, line);
    QFETCH(QString, identity);
    SimulatedModule module(m_dir, kind, line);
    const QStringList port{"--port", module.device()};
    const Outcome identify = runConfig(QStringList{"identify"} + port);
    CHECK_EXIT(identify, 0);
    QCOMPARE(identify.out, identity);

    const ModuleMemory factory = factoryMemory(kind);
    // "-" is standard output, never a file of that name.
    Invocation toStdout(QStringList{"read", "-o", "-"} + port);
    toStdout.workingDirectory = m_dir.path();
    const Outcome read = runConfig(toStdout);
    CHECK_EXIT(read, 0);
    QCOMPARE(read.out, profileOf(factory) + '\n');
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("-"))));

    const Outcome same =
        runConfig(QStringList{"diff", writeProfile(m_dir, "read.txt", read.out)} + port);
    CHECK_EXIT(same, 0);
    QCOMPARE(same.out, QStringLiteral("no differences\n"));
    ModuleMemory profile = factory;
    const int addresses[] = {0, 23, 56, 255}; // ascending, as diff lists them
    for (int a : addresses)
        profile[a] = static_cast<quint8>(profile[a] ^ 0x5A);
    const Outcome some =
        runConfig(QStringList{"diff", writeProfile(m_dir, "other.txt", profileOf(profile))} + port);
    CHECK_EXIT(some, 1); // like diff(1)
    const QStringList lines = some.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    for (int i = 0; i < 4; ++i) {
        const int a = addresses[i];
        QCOMPARE(lines.at(i), QStringLiteral("address %1 (%2): module %3, profile %4")
                                  .arg(a)
                                  .arg(fieldName(kind, a))
                                  .arg(factory[a])
                                  .arg(profile[a]));
    }
    QCOMPARE(lines.last(), QStringLiteral("4 of 256 addresses differ"));
    QCOMPARE(module.memory(), factory);

    // Every byte value, split over lines with extra blanks as a profile copied out of an
    // e-mail may be; a store is read back unless the operator says otherwise.
    const ModuleMemory wanted = everyByteValue(kind == ModuleKind::Threshold);
    QString text = profileOf(wanted);
    text.replace(QStringLiteral("     DATA"), QStringLiteral("\r\n\tDATA  "));
    const Outcome write = runConfig(Invocation(QStringList{"write", "-"} + port, text.toLatin1()));
    CHECK_EXIT(write, 0);
    QVERIFY2(write.out.contains(QStringLiteral("verified")), qPrintable(write.out));
    QCOMPARE(module.memory(), wanted);

    // The backup goes to the program's own data folder whatever its executable is called.
    QTemporaryDir data;
    Invocation reset(QStringList{"factory-reset"} + port);
    reset.program = m_dir.filePath(QStringLiteral("tc-%1").arg(moduleKindKey(kind)));
    QVERIFY(QFile::link(configExecutable(), reset.program));
    reset.set = QStringList{"XDG_DATA_HOME=" + data.path()};
    CHECK_EXIT(runConfig(reset), 0);
    QCOMPARE(module.memory(), factory);
    QCOMPARE(QDir(data.filePath("tessel-config/backups")).entryList(QDir::Files).size(), 1);
    // Practice on a simulated module never rotates a real module's backup out.
    Invocation practice(QStringList{"factory-reset", "--simulate", moduleKindKey(kind)});
    practice.set = reset.set;
    CHECK_EXIT(runConfig(practice), 0);
    QCOMPARE(QDir(data.filePath("tessel-config/backups")).entryList(QDir::Files).size(), 1);
    QCOMPARE(QDir(data.filePath("tessel-config/backups/simulated")).entryList(QDir::Files).size(),
             1);
}

void CommandsTest::unknownKind_isExitOneButTroubleForDiff() {
    SimulatedModule stranger(m_dir, ModuleKind::Tessel,
                             fast() << "--report-kind"
                                    << "9");
    const QStringList port{"--port", stranger.device()};
    const Outcome identify = runConfig(QStringList{"identify"} + port);
    CHECK_EXIT(identify, 1);
    QVERIFY(identify.out.contains("unknown module kind 9"));
    QVERIFY(identify.err.contains("unknown kind 9"));
    const Outcome read = runConfig(QStringList{"read"} + port);
    CHECK_EXIT(read, 1);
    QVERIFY(read.out.isEmpty());
    // diff keeps 1 for "differs", so that a script can rely on it.
    const QByteArray profile = profileOf(factoryMemory(ModuleKind::Tessel)).toLatin1();
    const Outcome diff = runConfig(Invocation(QStringList{"diff", "-"} + port, profile));
    CHECK_EXIT(diff, 2);
    QVERIFY2(diff.err.contains("unknown kind 9"), qPrintable(diff.err));
    CHECK_EXIT(runConfig(Invocation(QStringList{"diff", "-"} + port, "DATA 1, 2")), 2);
}

void CommandsTest::json_documentsParseBackWithTheirFields() {
    SimulatedModule module(m_dir, ModuleKind::Threshold, fast());
    const QStringList port = {"--port", module.device(), "--json"};
    const Outcome identify = runConfig(QStringList{"identify"} + port);
    CHECK_EXIT(identify, 0);
    const QJsonObject identity = jsonOf(identify);
    QCOMPARE(identity.value("kind").toString(), QStringLiteral("threshold"));
    QCOMPARE(identity.value("port").toString(), module.device());
    QCOMPARE(identity.value("firmwareVersion").toInt(), 3);

    const Outcome read = runConfig(QStringList{"read"} + port);
    CHECK_EXIT(read, 0);
    const QJsonObject image = jsonOf(read);
    const QJsonArray memory = image.value("memory").toArray();
    const ModuleMemory factory = factoryMemory(ModuleKind::Threshold);
    QCOMPARE(memory.size(), kImageSize);
    QCOMPARE(memoryIn(image.value("profile").toString()), factory);
    for (int address = 0; address < kImageSize; ++address)
        QCOMPARE(memory.at(address).toInt(-1), int(factory[address]));

    ModuleMemory changed = factory;
    changed[7] = static_cast<quint8>(changed[7] + 1);
    const Outcome diff =
        runConfig(Invocation(QStringList{"diff", "-"} + port, profileOf(changed).toLatin1()));
    CHECK_EXIT(diff, 1);
    const QJsonObject differences = jsonOf(diff);
    QCOMPARE(differences.value("same").toBool(true), false);
    const QJsonArray list = differences.value("differences").toArray();
    QCOMPARE(list.size(), 1);
    const QJsonObject first = list.at(0).toObject();
    QCOMPARE(first.value("address").toInt(), 7);
    QCOMPARE(first.value("module").toInt(), int(factory[7]));
    QCOMPARE(first.value("profile").toInt(), int(changed[7]));
}

void CommandsTest::progress_showsOnATerminalOnly() {
    SimulatedModule module(m_dir, ModuleKind::Tessel, fast());
    Invocation onTerminal({"read", "--port", module.device()});
    onTerminal.stderrOnTerminal = true;
    const Outcome terminal = runConfig(onTerminal);
    CHECK_EXIT(terminal, 0);
    for (const char *shown : {"Link test 1 of 100", "Reading: block 16 of 16"})
        QVERIFY2(terminal.err.contains(shown), qPrintable(terminal.err));
    const Outcome pipe = runConfig({"read", "--port", module.device()});
    CHECK_EXIT(pipe, 0);
    QCOMPARE(pipe.out, terminal.out);
    QVERIFY2(pipe.err.isEmpty(), qPrintable(pipe.err));
}

TESSEL_TEST_OBJECT(CommandsTest);
#include "test_Commands.moc"
