#include "link/LinkClock.h"
#include "support/RecordingApplication.h"
#include "support/TestMain.h"
#include "ui/Application.h"
#include "ui/ConfigWindow.h"
#include "ui/ConnectingWindow.h"
#include "ui/ProgressWindow.h"

#include <QPushButton>
#include <QtTest>

using namespace tessel;
using testing::RecordingApplication;

namespace {
constexpr int kChooseAnotherPort = 0;
constexpr int kQuit = 1;

StartOptions simulated(ModuleKind kind, LinkClock &clock, SimulatorFaults faults = {}) {
    StartOptions options;
    options.simulate = kind;
    options.faults = faults;
    options.clock = &clock;
    return options;
}
} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void start_opensTheWindowThatFitsTheModule_data();
    void start_opensTheWindowThatFitsTheModule();
    void start_offersAnotherPortUntilTheOperatorEnds_data();
    void start_offersAnotherPortUntilTheOperatorEnds();
    void cancelWhileConnecting_goesBackToThePortChoice();
    void closingTheStartupWindow_endsTheProgram();
    void cancelInTheProgressWindow_endsTheProgram();
};

void StartupTest::start_opensTheWindowThatFitsTheModule_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("tessel") << int(ModuleKind::Tessel) << "tesselWindow";
    QTest::newRow("threshold") << int(ModuleKind::Threshold) << "thresholdWindow";
}

void StartupTest::start_opensTheWindowThatFitsTheModule() {
    QFETCH(int, kind);
    QFETCH(QString, name);
    VirtualClock clock;
    RecordingApplication app(simulated(static_cast<ModuleKind>(kind), clock));
    app.start();
    QVERIFY2(app.messages.isEmpty(), qPrintable(app.messages.join('\n')));
    ConfigWindow *window = app.configWindow();
    QVERIFY(window);
    QCOMPARE(window->objectName(), name);
    QCOMPARE(window->image().value(2), 162); // read from the module
    // The empty start-up window stands beside it until the next read, behind the window the
    // operator works in.
    QVERIFY(app.startupWindow()->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), window);
    window->readSettings();
    QVERIFY(!app.startupWindow()->isVisible());
    QCOMPARE(app.exitCode(), 0);
}

void StartupTest::start_offersAnotherPortUntilTheOperatorEnds_data() {
    QTest::addColumn<QString>("port"); // none: a simulated module
    QTest::addColumn<int>("ignoredLinkTests");
    QTest::addColumn<int>("dropAfterCommands"); // -1: never
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<QStringList>("ports"); // "-": Cancel in the port choice
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("lastSays");
    QTest::addColumn<int>("exitCode");
    const QString other = QStringLiteral("/dev/tessel-config-other-port");
    QTest::newRow("no module answers, here or there")
        << QString() << 100 << -1 << QList{kChooseAnotherPort, kQuit} << QStringList{"ttyUSB1"} << 2
        << "No module answered on simulated Tessel module.\n"
        << 1;
    // The link test and the first identification are answered; the line goes before the
    // window identifies the module for itself.
    QTest::newRow("line lost before the window loads")
        << QString() << 0 << 3 << QList{kQuit} << QStringList() << 1 << "was lost" << 1;
    // The second port cannot be opened either; Cancel in the port choice is no error.
    QTest::newRow("port cannot be opened, then Cancel")
        << "/dev/tessel-config-no-such-port" << 0 << -1
        << QList{kChooseAnotherPort, kChooseAnotherPort} << QStringList{other, "-"} << 2 << other
        << 0;
}

void StartupTest::start_offersAnotherPortUntilTheOperatorEnds() {
    QFETCH(QString, port);
    QFETCH(int, ignoredLinkTests);
    QFETCH(int, dropAfterCommands);
    QFETCH(QList<int>, choices);
    QFETCH(QStringList, ports);
    QFETCH(int, questions);
    QFETCH(QString, lastSays);
    QFETCH(int, exitCode);
    VirtualClock clock;
    SimulatorFaults faults;
    faults.ignoreLinkTests = ignoredLinkTests;
    faults.dropAfterCommands = dropAfterCommands;
    StartOptions options = simulated(ModuleKind::Tessel, clock, faults);
    if (!port.isEmpty()) {
        options.simulate.reset();
        options.port = port;
    }
    RecordingApplication app(options);
    app.choices = choices;
    for (const QString &name : ports)
        app.portsToChoose << (name == "-" ? std::nullopt : std::optional(name));
    app.start();
    QVERIFY(!app.configWindow());
    QCOMPARE(app.questions.size(), questions);
    QVERIFY2(app.questions.last().contains(lastSays), qPrintable(app.questions.last()));
    QCOMPARE(app.offered, (QStringList{"Choose Another Port", "Quit"}));
    QCOMPARE(app.portsChosen, ports.size());
    QVERIFY(app.ending());
    QCOMPARE(app.exitCode(), exitCode);
    // A full round is a hundred link tests of 1.5 s each: one fewer, and a module answering
    // only the hundredth would be missed.
    if (ignoredLinkTests)
        QCOMPARE(clock.nowMicros(), qint64(questions) * 100 * 15000 * 100);
}

void StartupTest::cancelWhileConnecting_goesBackToThePortChoice() {
    VirtualClock clock;
    SimulatorFaults faults;
    faults.ignoreLinkTests = 10;
    RecordingApplication app(simulated(ModuleKind::Threshold, clock, faults));
    clock.callAfter(5'000'000, [&] {
        ConnectingWindow *connecting = app.connectingWindow();
        QVERIFY(connecting && connecting->isVisible());
        connecting->findChild<QPushButton *>("connectingCancel")->click();
    });
    app.start();
    QCOMPARE(app.portsChosen, 1);
    QVERIFY2(app.questions.isEmpty(), qPrintable(app.questions.join('\n')));
    QVERIFY(app.configWindow());
    QVERIFY(!app.connectingWindow());
}

void StartupTest::closingTheStartupWindow_endsTheProgram() {
    VirtualClock clock;
    RecordingApplication app(simulated(ModuleKind::Tessel, clock));
    app.start();
    QVERIFY(!app.ending());
    QVERIFY(app.startupWindow()->close());
    QVERIFY(app.ending());
    QCOMPARE(app.exitCode(), 0);
    // The link stops at once, so no wait outlives the program: a read now changes nothing.
    const EepromImage before = app.configWindow()->image();
    app.configWindow()->readSettings();
    QCOMPARE(app.configWindow()->image(), before);
}

void StartupTest::cancelInTheProgressWindow_endsTheProgram() {
    VirtualClock clock;
    RecordingApplication app(simulated(ModuleKind::Threshold, clock));
    // During the start-up reads there is nothing to keep yet.
    clock.callAfter(30'000, [&app] {
        QVERIFY(app.progressWindow().isVisible());
        app.progressWindow().findChild<QPushButton *>("Cancel")->click();
    });
    app.start();
    QVERIFY(app.ending());
}

TESSEL_TEST_OBJECT(StartupTest);
#include "test_Startup.moc"
