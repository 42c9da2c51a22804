// The real tessel-config executable against tessel-modsim over a pseudo-terminal.

#include "EndToEndSupport.h"
#include "core/FieldNames.h"
#include "core/ProfileText.h"

#include <csignal>

using namespace tessel;

using namespace tessel::e2e;

class EndToEndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void bothKinds_data();
    void identify_printsTheModuleLine_data() { bothKinds_data(); }
    void identify_printsTheModuleLine();
    void read_printsTheProfileOfTheModuleMemory_data() { bothKinds_data(); }
    void read_printsTheProfileOfTheModuleMemory();
    void writeVerify_storesEveryByteValueUnchanged_data() { bothKinds_data(); }
    void writeVerify_storesEveryByteValueUnchanged();
    void backups_goToTheProgramsFolderWhateverItsExecutableIsCalled();
    void diff_namesEachDifferingField_data() { bothKinds_data(); }
    void diff_namesEachDifferingField();
    void factoryReset_restoresTheFactorySet_data() { bothKinds_data(); }
    void factoryReset_restoresTheFactorySet();
    void write_refusesBadProfilesWithoutTouchingTheModule_data();
    void write_refusesBadProfilesWithoutTouchingTheModule();
    void usage_badArgumentsExitTwo_data();
    void usage_badArgumentsExitTwo();
    void help_documentsCommandsWindowOptionsAndExitStatus();
    void lateLinkTest_isRetriedUntilAnswered();
    void byteAtATime_readAndWriteStillWork();
    void failBlock_stopsTheStoreBeforeIt_data();
    void failBlock_stopsTheStoreBeforeIt();
    void droppedLine_endsWithExitOneAndAMessage_data();
    void droppedLine_endsWithExitOneAndAMessage();
    void silentModules_giveUpWithinTheirBounds();
    void interrupt_duringAStoreEndsAfterTheBlockInFlight();

private:
    QTemporaryDir m_dir;
};

void EndToEndTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo::exists(configExecutable()), qPrintable(configExecutable()));
}

void EndToEndTest::bothKinds_data() {
    QTest::addColumn<ModuleKind>("kind");
    QTest::newRow("tessel") << ModuleKind::Tessel;
    QTest::newRow("threshold") << ModuleKind::Threshold;
}

void EndToEndTest::identify_printsTheModuleLine() {
    QFETCH(ModuleKind, kind);
    SimulatedModule module(m_dir, kind); // paced, default reply delay
    const Outcome o =
        runConfig({QStringLiteral("identify"), QStringLiteral("--port"), module.device()});
    CHECK_EXIT(o, 0);
    const QString expected = kind == ModuleKind::Tessel
                                 ? QStringLiteral("Tessel module, ZigBee radio, firmware version "
                                                  "3, release year 2008\n")
                                 : QStringLiteral("Threshold module, ZigBee radio, firmware "
                                                  "version 3, release year 2008\n");
    QCOMPARE(o.out, expected);
}

void EndToEndTest::read_printsTheProfileOfTheModuleMemory() {
    QFETCH(ModuleKind, kind);
    SimulatedModule module(m_dir, kind);
    const Outcome toStdout =
        runConfig({QStringLiteral("read"), QStringLiteral("--port"), module.device()});
    CHECK_EXIT(toStdout, 0);
    QCOMPARE(toStdout.out, profileText(factoryImage(kind)) + QLatin1Char('\n'));

    const QString file = m_dir.filePath(QStringLiteral("read-%1.txt").arg(moduleKindKey(kind)));
    const Outcome toFile = runConfig({QStringLiteral("read"), QStringLiteral("--port"),
                                      module.device(), QStringLiteral("-o"), file});
    CHECK_EXIT(toFile, 0);
    QVERIFY(toFile.out.isEmpty());
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLatin1(written.readAll()), toStdout.out);
}

void EndToEndTest::writeVerify_storesEveryByteValueUnchanged() {
    QFETCH(ModuleKind, kind);
    SimulatedModule module(m_dir, kind);
    const ModuleMemory wanted = everyByteValue(kind == ModuleKind::Threshold);
    // Split over lines with extra blanks, as a profile copied out of an e-mail may be.
    QString text = profileText(EepromImage(wanted));
    text.replace(QStringLiteral("     DATA"), QStringLiteral("\r\n\tDATA  "));
    const QString path =
        writeProfile(m_dir, QStringLiteral("every-%1.txt").arg(moduleKindKey(kind)), text);
    const Outcome o = runConfig({QStringLiteral("write"), QStringLiteral("--port"), module.device(),
                                 path, QStringLiteral("--verify")});
    CHECK_EXIT(o, 0);
    QCOMPARE(module.memory(), std::optional<ModuleMemory>(wanted));
    QVERIFY2(o.out.contains(QStringLiteral("verified")), qPrintable(o.out));
}

void EndToEndTest::backups_goToTheProgramsFolderWhateverItsExecutableIsCalled() {
    SimulatedModule module(m_dir, ModuleKind::Tessel, fast());
    const QString renamed = m_dir.filePath(QStringLiteral("tc"));
    QVERIFY(QFile::link(configExecutable(), renamed));
    QTemporaryDir data;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    process.setProcessEnvironment(env);
    process.start(renamed,
                  {QStringLiteral("factory-reset"), QStringLiteral("--port"), module.device()});
    QVERIFY(process.waitForFinished(kQuickMs));
    QCOMPARE(process.exitCode(), 0);
    const QDir backups(data.filePath(QStringLiteral("tessel-config/backups")));
    QCOMPARE(backups.entryList(QDir::Files).size(), 1);
}

void EndToEndTest::diff_namesEachDifferingField() {
    QFETCH(ModuleKind, kind);
    SimulatedModule module(m_dir, kind, fast());
    ModuleMemory profile = factoryMemory(kind);
    const QString same = writeProfile(m_dir, QStringLiteral("same-%1.txt").arg(moduleKindKey(kind)),
                                      profileText(EepromImage(profile)));
    const Outcome none =
        runConfig({QStringLiteral("diff"), QStringLiteral("--port"), module.device(), same});
    CHECK_EXIT(none, 0);
    QCOMPARE(none.out, QStringLiteral("no differences\n"));

    const int addresses[] = {0, 23, 16 + 8 * 5, 255}; // ascending, as diff lists them
    for (int a : addresses)
        profile[a] = static_cast<quint8>(profile[a] ^ 0x5A);
    const QString other =
        writeProfile(m_dir, QStringLiteral("other-%1.txt").arg(moduleKindKey(kind)),
                     profileText(EepromImage(profile)));
    const Outcome some =
        runConfig({QStringLiteral("diff"), QStringLiteral("--port"), module.device(), other});
    CHECK_EXIT(some, 1); // like diff(1)
    const QStringList lines = some.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    const ModuleMemory factory = factoryMemory(kind);
    for (int i = 0; i < 4; ++i) {
        const int a = addresses[i];
        QCOMPARE(lines.at(i), QStringLiteral("address %1 (%2): module %3, profile %4")
                                  .arg(a)
                                  .arg(fieldName(kind, a))
                                  .arg(factory[a])
                                  .arg(profile[a]));
    }
    QCOMPARE(lines.last(), QStringLiteral("4 of 256 addresses differ"));
    // diff only reads: the module is unchanged.
    QCOMPARE(module.memory(), std::optional<ModuleMemory>(factory));
}

void EndToEndTest::factoryReset_restoresTheFactorySet() {
    QFETCH(ModuleKind, kind);
    SimulatedModule module(m_dir, kind, fast());
    const QString path =
        writeProfile(m_dir, QStringLiteral("scrambled-%1.txt").arg(moduleKindKey(kind)),
                     profileText(EepromImage(everyByteValue(false))));
    CHECK_EXIT(
        runConfig({QStringLiteral("write"), QStringLiteral("--port"), module.device(), path}), 0);
    QCOMPARE(module.memory(), std::optional<ModuleMemory>(everyByteValue(false)));

    const Outcome o =
        runConfig({QStringLiteral("factory-reset"), QStringLiteral("--port"), module.device()});
    CHECK_EXIT(o, 0);
    QCOMPARE(module.memory(), std::optional<ModuleMemory>(factoryMemory(kind)));
}

void EndToEndTest::write_refusesBadProfilesWithoutTouchingTheModule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString good = profileText(EepromImage(everyByteValue(false)));
    QString value256 = good;
    value256.replace(QStringLiteral(" 37,"), QStringLiteral(" 256,"));
    QString negative = good;
    negative.replace(QStringLiteral(" 37,"), QStringLiteral(" -1,"));
    QString letters = good;
    letters.replace(QStringLiteral(" 37,"), QStringLiteral(" 3x,"));
    QString fraction = good;
    fraction.replace(QStringLiteral(" 37,"), QStringLiteral(" 3.5,"));
    QString shortRecord = good;
    shortRecord.replace(QStringLiteral(", 37"), QString());
    QTest::newRow("256") << value256 << QStringLiteral("record 3, value 6");
    QTest::newRow("negative") << negative << QStringLiteral("record 3, value 6");
    QTest::newRow("letters") << letters << QStringLiteral("record 3, value 6");
    QTest::newRow("fraction") << fraction << QStringLiteral("record 3, value 6");
    QTest::newRow("15 values") << shortRecord << QStringLiteral("record 3, value 16");
    QTest::newRow("15 records") << good.left(good.lastIndexOf(QStringLiteral("DATA")))
                                << QStringLiteral("record 16");
    QTest::newRow("17 records") << good + good.left(good.indexOf(QStringLiteral("DATA"), 1))
                                << QStringLiteral("record 17");
    QTest::newRow("empty") << QString() << QStringLiteral("record 1");
}

void EndToEndTest::write_refusesBadProfilesWithoutTouchingTheModule() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    // A module that vanishes at the first command it receives shows whether anything was sent.
    SimulatedModule module(m_dir, ModuleKind::Tessel,
                           fast() << QStringLiteral("--drop-after") << QStringLiteral("1"));
    const QString path = writeProfile(m_dir, QStringLiteral("bad.txt"), text);
    const Outcome o = runConfig({QStringLiteral("write"), QStringLiteral("--port"), module.device(),
                                 path, QStringLiteral("--verify")});
    CHECK_EXIT(o, 2);
    QVERIFY2(o.err.contains(message), qPrintable(o.err));
    QVERIFY2(o.err.contains(QStringLiteral("nothing was sent")), qPrintable(o.err));
    QVERIFY(module.running());
    QCOMPARE(module.memory(), std::optional<ModuleMemory>(factoryMemory(ModuleKind::Tessel)));
}

void EndToEndTest::usage_badArgumentsExitTwo_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString port = QStringLiteral("--port");
    QTest::newRow("unknown command")
        << QStringList{QStringLiteral("erase"), port, QStringLiteral("x")}
        << QStringLiteral("unknown command");
    QTest::newRow("no port") << QStringList{QStringLiteral("read")} << QStringLiteral("--port");
    QTest::newRow("write without file")
        << QStringList{QStringLiteral("write"), port, QStringLiteral("x")}
        << QStringLiteral("profile file");
    QTest::newRow("verify on read") << QStringList{QStringLiteral("read"), port,
                                                   QStringLiteral("x"), QStringLiteral("--verify")}
                                    << QStringLiteral("--verify");
    QTest::newRow("two files") << QStringList{QStringLiteral("diff"), port, QStringLiteral("x"),
                                              QStringLiteral("a"), QStringLiteral("b")}
                               << QStringLiteral("unexpected argument");
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("read"), port, QStringLiteral("x"), QStringLiteral("--fast")}
        << QStringLiteral("fast");
    QTest::newRow("bad simulate kind")
        << QStringList{QStringLiteral("identify"), QStringLiteral("--simulate"),
                       QStringLiteral("dimmer")}
        << QStringLiteral("tessel or threshold");
    QTest::newRow("missing profile file")
        << QStringList{QStringLiteral("write"), port, QStringLiteral("x"),
                       QStringLiteral("/nonexistent/profile.txt")}
        << QStringLiteral("cannot read");
    QTest::newRow("port that does not exist")
        << QStringList{QStringLiteral("identify"), port, QStringLiteral("/dev/ttyNOSUCHPORT")}
        << QStringLiteral("/dev/ttyNOSUCHPORT");
}

void EndToEndTest::usage_badArgumentsExitTwo() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Outcome o = runConfig(arguments);
    CHECK_EXIT(o, 2);
    QVERIFY2(o.err.contains(message), qPrintable(o.err));
    QVERIFY(o.out.isEmpty());
}

void EndToEndTest::help_documentsCommandsWindowOptionsAndExitStatus() {
    const Outcome o = runConfig({QStringLiteral("--help")});
    CHECK_EXIT(o, 0);
    for (const char *word : {"identify", "read", "write", "factory-reset", "diff", "--verify",
                             "--simulate", "--port", "Exit status", "Error Storing Data"})
        QVERIFY2(o.out.contains(QLatin1String(word)), word);
    const Outcome v = runConfig({QStringLiteral("--version")});
    CHECK_EXIT(v, 0);
    QVERIFY(v.out.startsWith(QStringLiteral("tessel-config ")));
}

void EndToEndTest::lateLinkTest_isRetriedUntilAnswered() {
    // Each unanswered link test waits 1.5 s before the next one goes out.
    SimulatedModule module(m_dir, ModuleKind::Tessel,
                           fast() << QStringLiteral("--ignore-link-tests") << QStringLiteral("2"));
    const Outcome o =
        runConfig({QStringLiteral("identify"), QStringLiteral("--port"), module.device()});
    CHECK_EXIT(o, 0);
    QVERIFY(o.out.startsWith(QStringLiteral("Tessel module")));
    QVERIFY2(o.millis >= 2900, qPrintable(describeRun(o)));
}

void EndToEndTest::byteAtATime_readAndWriteStillWork() {
    SimulatedModule module(m_dir, ModuleKind::Threshold,
                           {QStringLiteral("--byte-at-a-time"), QStringLiteral("--reply-delay-us"),
                            QStringLiteral("300")});
    const Outcome read =
        runConfig({QStringLiteral("read"), QStringLiteral("--port"), module.device()});
    CHECK_EXIT(read, 0);
    QCOMPARE(read.out, profileText(factoryImage(ModuleKind::Threshold)) + QLatin1Char('\n'));

    const QString path = writeProfile(m_dir, QStringLiteral("bytewise.txt"),
                                      profileText(EepromImage(everyByteValue(true))));
    const Outcome write = runConfig({QStringLiteral("write"), QStringLiteral("--port"),
                                     module.device(), path, QStringLiteral("--verify")});
    CHECK_EXIT(write, 0);
    QCOMPARE(module.memory(), std::optional<ModuleMemory>(everyByteValue(true)));
}

void EndToEndTest::failBlock_stopsTheStoreBeforeIt_data() {
    QTest::addColumn<ModuleKind>("kind");
    QTest::addColumn<int>("block");
    QTest::newRow("tessel, first block") << ModuleKind::Tessel << 0;
    QTest::newRow("tessel, block 5") << ModuleKind::Tessel << 5;
    QTest::newRow("threshold, last block") << ModuleKind::Threshold << 15;
}

void EndToEndTest::failBlock_stopsTheStoreBeforeIt() {
    QFETCH(ModuleKind, kind);
    QFETCH(int, block);
    SimulatedModule module(m_dir, kind,
                           fast() << QStringLiteral("--fail-block") << QString::number(block));
    const ModuleMemory wanted = everyByteValue(false);
    const QString path =
        writeProfile(m_dir, QStringLiteral("failing.txt"), profileText(EepromImage(wanted)));
    const Outcome o = runConfig({QStringLiteral("write"), QStringLiteral("--port"), module.device(),
                                 path, QStringLiteral("--verify")});
    CHECK_EXIT(o, 3);
    QVERIFY2(o.err.contains(QStringLiteral("Error Storing Data")), qPrintable(o.err));
    QVERIFY2(o.err.contains(QStringLiteral("block %1").arg(block)), qPrintable(o.err));
    const auto now = module.memory();
    QVERIFY(now);
    QVERIFY(onlyBlocksBeforeChanged(*now, wanted, factoryMemory(kind), block));
}

void EndToEndTest::droppedLine_endsWithExitOneAndAMessage_data() {
    QTest::addColumn<QString>("command");
    // Link test and identification are the first two commands; the eighth is mid-transfer.
    QTest::newRow("mid-read") << QStringLiteral("read");
    QTest::newRow("mid-store") << QStringLiteral("write");
}

void EndToEndTest::droppedLine_endsWithExitOneAndAMessage() {
    QFETCH(QString, command);
    SimulatedModule module(m_dir, ModuleKind::Tessel,
                           fast() << QStringLiteral("--drop-after") << QStringLiteral("8"));
    QStringList arguments{command, QStringLiteral("--port"), module.device()};
    if (command == QLatin1String("write")) {
        arguments << writeProfile(m_dir, QStringLiteral("dropped.txt"),
                                  profileText(EepromImage(everyByteValue(false))));
    }
    const Outcome o = runConfig(arguments);
    CHECK_EXIT(o, 1);
    QVERIFY2(o.err.contains(QStringLiteral("lost")), qPrintable(o.err));
    QVERIFY(o.out.isEmpty());
    QVERIFY(module.waitUntilGone(3000));
}

void EndToEndTest::silentModules_giveUpWithinTheirBounds() {
    // Three long waits at once, so that the suite pays for the longest only.
    const ModuleMemory wanted = everyByteValue(false);
    const QString path =
        writeProfile(m_dir, QStringLiteral("silent.txt"), profileText(EepromImage(wanted)));
    SimulatedModule mute(m_dir, ModuleKind::Tessel, fast() << QStringLiteral("--never-identify"));
    SimulatedModule chatty(m_dir, ModuleKind::Threshold,
                           fast() << QStringLiteral("--extra-identity-byte"));
    SimulatedModule silentStore(m_dir, ModuleKind::Tessel,
                                fast() << QStringLiteral("--silent-block") << QStringLiteral("4"));
    ConfigRun muteRun({QStringLiteral("identify"), QStringLiteral("--port"), mute.device()});
    ConfigRun chattyRun({QStringLiteral("read"), QStringLiteral("--port"), chatty.device()});
    ConfigRun silentRun(
        {QStringLiteral("write"), QStringLiteral("--port"), silentStore.device(), path});

    // 10 identification attempts of 1 s, each followed by up to 1 s for a late reply; a store
    // waits 15 s for its confirmation.
    const Outcome muteOutcome = muteRun.finish(30000);
    CHECK_EXIT(muteOutcome, 1);
    QVERIFY2(muteOutcome.err.contains(QStringLiteral("identification")) &&
                 muteOutcome.err.contains(QStringLiteral("exactly 6 bytes")),
             qPrintable(muteOutcome.err));
    QVERIFY2(muteOutcome.millis >= 9500, qPrintable(describeRun(muteOutcome)));

    const Outcome chattyOutcome = chattyRun.finish(20000);
    CHECK_EXIT(chattyOutcome, 1);
    QVERIFY(chattyOutcome.out.isEmpty());
    QVERIFY2(chattyOutcome.err.contains(QStringLiteral("identification")),
             qPrintable(chattyOutcome.err));

    const Outcome silentOutcome = silentRun.finish(25000);
    CHECK_EXIT(silentOutcome, 3);
    QVERIFY2(silentOutcome.err.contains(QStringLiteral("Error Storing Data")),
             qPrintable(silentOutcome.err));
    QVERIFY2(silentOutcome.millis >= 14500, qPrintable(describeRun(silentOutcome)));
    const auto now = silentStore.memory();
    QVERIFY(now);
    QVERIFY(onlyBlocksBeforeChanged(*now, wanted, factoryMemory(ModuleKind::Tessel), 4));
}

void EndToEndTest::interrupt_duringAStoreEndsAfterTheBlockInFlight() {
    // Replies 100 ms apart, so that Ctrl-C lands in the middle of the store.
    SimulatedModule module(m_dir, ModuleKind::Tessel,
                           {QStringLiteral("--reply-delay-us"), QStringLiteral("100000")});
    const ModuleMemory before = factoryMemory(ModuleKind::Tessel);
    const ModuleMemory wanted = everyByteValue(true);
    const QString path =
        writeProfile(m_dir, QStringLiteral("interrupted.txt"), profileText(EepromImage(wanted)));
    ConfigRun run({QStringLiteral("write"), QStringLiteral("--port"), module.device(), path});
    QElapsedTimer waited;
    waited.start();
    while (module.memory() == before && waited.elapsed() < 20000)
        QTest::qWait(20);
    QVERIFY2(module.memory() != before, "the store never began");
    run.sendSignal(SIGINT);

    const Outcome o = run.finish(20000);
    CHECK_EXIT(o, 130);
    // The operator is told where the store stopped, and the module holds exactly that.
    static const QRegularExpression stopped(QStringLiteral("stopped after block (\\d+)"));
    const QRegularExpressionMatch match = stopped.match(o.err);
    QVERIFY2(match.hasMatch(), qPrintable(o.err));
    const int last = match.captured(1).toInt();
    QVERIFY2(last < kBlockCount - 1, qPrintable(o.err));
    QVERIFY2(o.err.contains(QStringLiteral("hold the old settings.")), qPrintable(o.err));
    const auto now = module.memory();
    QVERIFY(now);
    QVERIFY(onlyBlocksBeforeChanged(*now, wanted, before, last + 1));
}

QTEST_GUILESS_MAIN(EndToEndTest)
#include "test_EndToEnd.moc"
