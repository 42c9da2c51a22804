// The conventions a shell user relies on, held by the real executables: exit statuses,
// "-" for standard input and output, JSON documents, progress only on a terminal, and the
// window's usage errors. The module is tessel-modsim on a pseudo-terminal.

#include "core/ProfileText.h"
#include "support/ModsimProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

using namespace tessel;

namespace {

constexpr int kBoundMs = 10000;

// tessel-modsim serving one module until the test ends.
class Module : public ModsimProcess {
public:
    explicit Module(const QStringList &options)
        : ModsimProcess(QStringLiteral(TESSEL_MODSIM_EXE), options) {}
};

struct Run {
    Run(QStringList words, QByteArray in = {})
        : arguments(std::move(words)), input(std::move(in)) {}
    QStringList arguments;
    QByteArray input;  // standard input, closed after it
    QStringList unset; // environment variables taken away
    bool stderrOnTerminal = false;
    QString workingDirectory;
};

struct Result {
    bool finished = false;
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs tessel-config to its end (or kills it after `boundMs`).
Result run(const Run &how, int boundMs = kBoundMs) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QString &name : how.unset)
        env.remove(name);
    process.setProcessEnvironment(env);
    if (!how.workingDirectory.isEmpty())
        process.setWorkingDirectory(how.workingDirectory);
    int master = -1;
    int slave = -1;
    if (how.stderrOnTerminal) {
        if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
            return {};
        process.setChildProcessModifier([slave] { ::dup2(slave, STDERR_FILENO); });
    }
    process.start(QStringLiteral(TESSEL_CONFIG_EXE), how.arguments);
    process.write(how.input);
    process.closeWriteChannel();
    Result r;
    r.finished = process.waitForFinished(boundMs);
    if (!r.finished) {
        process.kill();
        process.waitForFinished(3000);
    }
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    r.err = QString::fromLocal8Bit(process.readAllStandardError());
    if (how.stderrOnTerminal) {
        ::close(slave);
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        char buffer[4096];
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            r.err += QString::fromLocal8Bit(buffer, n);
        ::close(master);
    }
    return r;
}

Result run(const QStringList &arguments) {
    return run(Run{arguments});
}

QJsonObject jsonOf(const Result &r) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(r.out, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        qWarning("not one JSON object: %s", r.out.constData());
    return document.object();
}

} // namespace

class ShellConventionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void diff_exitsOneOnlyWhenTheModuleDiffers();
    void unknownKind_isExitOneForIdentifyAndRead();
    void dash_isStandardInputAndOutput();
    void json_documentsParseBackWithTheirFields();
    void linkTestProgress_showsOnATerminalOnly();
    void window_usageErrorsExitTwoAndQtOptionsPass();
    void window_withoutDisplayExplainsInsteadOfAborting();
};

void ShellConventionsTest::diff_exitsOneOnlyWhenTheModuleDiffers() {
    Module module({QStringLiteral("--kind"), QStringLiteral("tessel")});
    const QByteArray profile =
        run({QStringLiteral("read"), QStringLiteral("--port"), module.device()}).out;
    QVERIFY(parseProfileText(QString::fromLatin1(profile)).memory.has_value());
    const auto diff = [&](const QByteArray &text) {
        return run(Run{{QStringLiteral("diff"), QStringLiteral("--port"), module.device(),
                        QStringLiteral("-")},
                       text});
    };
    const Result same = diff(profile);
    QCOMPARE(same.status, 0);
    QVERIFY(same.out.contains("no differences"));

    ModuleMemory changed = *parseProfileText(QString::fromLatin1(profile)).memory;
    changed[40] = static_cast<quint8>(changed[40] ^ 1);
    const Result differs = diff(profileText(EepromImage(changed)).toLatin1());
    QCOMPARE(differs.status, 1);
    QVERIFY(differs.out.contains("address 40"));

    // Trouble is never 1 for diff, so "differs" can be relied on.
    const Result badProfile = diff("DATA 1, 2");
    QCOMPARE(badProfile.status, 2);
    Module stranger({QStringLiteral("--report-kind"), QStringLiteral("9")});
    const Result unknown = run(Run{
        {QStringLiteral("diff"), QStringLiteral("--port"), stranger.device(), QStringLiteral("-")},
        profile});
    QCOMPARE(unknown.status, 2);
    QVERIFY2(unknown.err.contains(QLatin1String("unknown kind 9")), qPrintable(unknown.err));
}

void ShellConventionsTest::unknownKind_isExitOneForIdentifyAndRead() {
    Module stranger({QStringLiteral("--report-kind"), QStringLiteral("9")});
    const Result identify =
        run({QStringLiteral("identify"), QStringLiteral("--port"), stranger.device()});
    QCOMPARE(identify.status, 1);
    QVERIFY(identify.out.contains("unknown module kind 9"));
    QVERIFY(identify.err.contains(QLatin1String("unknown kind 9")));

    const Result read = run({QStringLiteral("read"), QStringLiteral("--port"), stranger.device()});
    QCOMPARE(read.status, 1);
    QVERIFY(read.out.isEmpty());
}

void ShellConventionsTest::dash_isStandardInputAndOutput() {
    QTemporaryDir here;
    Module module({QStringLiteral("--kind"), QStringLiteral("threshold")});
    Run read{{QStringLiteral("read"), QStringLiteral("--port"), module.device(),
              QStringLiteral("-o"), QStringLiteral("-")}};
    read.workingDirectory = here.path();
    const Result readOut = run(read);
    QCOMPARE(readOut.status, 0);
    const auto memory = parseProfileText(QString::fromLatin1(readOut.out)).memory;
    QVERIFY(memory.has_value());
    QVERIFY(!QFile::exists(here.filePath(QStringLiteral("-"))));

    ModuleMemory wanted = *memory;
    wanted[100] = 77;
    const Result written =
        run(Run{{QStringLiteral("write"), QStringLiteral("--port"), module.device(),
                 QStringLiteral("-"), QStringLiteral("--verify")},
                profileText(EepromImage(wanted)).toLatin1()});
    QCOMPARE(written.status, 0);
    const Result readBack =
        run({QStringLiteral("read"), QStringLiteral("--port"), module.device()});
    QCOMPARE(parseProfileText(QString::fromLatin1(readBack.out)).memory, std::optional(wanted));

    const Result empty = run({QStringLiteral("read"),
                              QStringLiteral("--port"),
                              module.device(),
                              QStringLiteral("-o"),
                              {}});
    QCOMPARE(empty.status, 2);
    const Result twice = run({QStringLiteral("identify"), QStringLiteral("--port"), module.device(),
                              QStringLiteral("--port"), QStringLiteral("/dev/null")});
    QCOMPARE(twice.status, 2);
}

void ShellConventionsTest::json_documentsParseBackWithTheirFields() {
    Module module({QStringLiteral("--kind"), QStringLiteral("threshold")});
    const QStringList port = {QStringLiteral("--port"), module.device(), QStringLiteral("--json")};

    const Result identify = run(QStringList{QStringLiteral("identify")} + port);
    QCOMPARE(identify.status, 0);
    const QJsonObject identity = jsonOf(identify);
    QCOMPARE(identity.value(QLatin1String("kind")).toString(), QStringLiteral("threshold"));
    QCOMPARE(identity.value(QLatin1String("port")).toString(), module.device());
    QCOMPARE(identity.value(QLatin1String("firmwareVersion")).toInt(), 3);
    QCOMPARE(identity.value(QLatin1String("releaseYear")).toInt(), 2008);
    QCOMPARE(identity.value(QLatin1String("identity")).toArray().size(), 6);

    const Result read = run(QStringList{QStringLiteral("read")} + port);
    QCOMPARE(read.status, 0);
    const QJsonObject image = jsonOf(read);
    const QJsonArray memory = image.value(QLatin1String("memory")).toArray();
    QCOMPARE(memory.size(), kImageSize);
    const auto profile = parseProfileText(image.value(QLatin1String("profile")).toString()).memory;
    QVERIFY(profile.has_value());
    for (int address = 0; address < kImageSize; ++address)
        QCOMPARE(memory.at(address).toInt(-1), int((*profile)[address]));

    ModuleMemory changed = *profile;
    changed[7] = static_cast<quint8>(changed[7] + 1);
    const Result diff = run(Run{QStringList{QStringLiteral("diff"), QStringLiteral("-")} + port,
                                profileText(EepromImage(changed)).toLatin1()});
    QCOMPARE(diff.status, 1);
    const QJsonObject differences = jsonOf(diff);
    QCOMPARE(differences.value(QLatin1String("same")).toBool(true), false);
    const QJsonArray list = differences.value(QLatin1String("differences")).toArray();
    QCOMPARE(list.size(), 1);
    const QJsonObject first = list.at(0).toObject();
    QCOMPARE(first.value(QLatin1String("address")).toInt(), 7);
    QCOMPARE(first.value(QLatin1String("module")).toInt(), int((*profile)[7]));
    QCOMPARE(first.value(QLatin1String("profile")).toInt(), int(changed[7]));
    QVERIFY(!first.value(QLatin1String("field")).toString().isEmpty());

    const Result ports = run({QStringLiteral("list-ports"), QStringLiteral("--json")});
    QCOMPARE(ports.status, 0);
    QVERIFY(jsonOf(ports).value(QLatin1String("ports")).isArray());
}

void ShellConventionsTest::linkTestProgress_showsOnATerminalOnly() {
    Module late({QStringLiteral("--ignore-link-tests"), QStringLiteral("2")});
    Run identify{{QStringLiteral("identify"), QStringLiteral("--port"), late.device()}};
    identify.stderrOnTerminal = true;
    const Result onTerminal = run(identify, 20000);
    QCOMPARE(onTerminal.status, 0);
    QVERIFY2(onTerminal.err.contains(QLatin1String("Link test 3 of 100")),
             qPrintable(onTerminal.err));

    Module lateAgain({QStringLiteral("--ignore-link-tests"), QStringLiteral("2")});
    const Result onPipe =
        run(Run{{QStringLiteral("identify"), QStringLiteral("--port"), lateAgain.device()}}, 20000);
    QCOMPARE(onPipe.status, 0);
    QVERIFY2(!onPipe.err.contains(QLatin1String("Link test")), qPrintable(onPipe.err));
}

void ShellConventionsTest::window_usageErrorsExitTwoAndQtOptionsPass() {
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("--simulate"), QStringLiteral("foo")},
          QStringList{QStringLiteral("--bogus")},
          QStringList{QStringLiteral("--port"), QStringLiteral("a"), QStringLiteral("--port"),
                      QStringLiteral("b")}}) {
        const Result refused = run(arguments);
        QCOMPARE(refused.status, 2);
        QVERIFY2(refused.err.contains(QLatin1String("try --help")), qPrintable(refused.err));
    }
    // Accepted: the window opens and keeps running until it is closed.
    const Result styled = run(
        Run{{QStringLiteral("-style"), QStringLiteral("Fusion"), QStringLiteral("-platform"),
             QStringLiteral("offscreen"), QStringLiteral("--simulate"), QStringLiteral("tessel")}},
        1500);
    QVERIFY2(!styled.finished, qPrintable(styled.err));
}

void ShellConventionsTest::window_withoutDisplayExplainsInsteadOfAborting() {
    const QStringList noDisplay = {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                   QStringLiteral("QT_QPA_PLATFORM")};
    Run window{{QStringLiteral("--simulate"), QStringLiteral("tessel")}};
    window.unset = noDisplay;
    const Result refused = run(window);
    QVERIFY(refused.finished);
    QCOMPARE(refused.status, 2);
    QVERIFY2(refused.err.contains(QLatin1String("no display")), qPrintable(refused.err));

    // The commands need no display at all.
    Run help{{QStringLiteral("--help")}};
    help.unset = noDisplay;
    QCOMPARE(run(help).status, 0);
}

QTEST_GUILESS_MAIN(ShellConventionsTest)
#include "test_ShellConventions.moc"
