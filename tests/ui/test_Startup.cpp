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

namespace {
using testing::RecordingApplication;

constexpr int kChooseAnotherPort = 0;
constexpr int kQuit = 1;

// Starts the application, the operator quitting at the first question; the question, after
// checking that it offered another port and that the program ends with status 1.
QString startAndQuit(RecordingApplication &app) {
    app.answersToGive = {kQuit};
    app.start();
    if (app.configWindow() || app.questions.size() != 1 ||
        app.offered != QStringList{"Choose Another Port", "Quit"} || app.exitCode() != 1)
        return QStringLiteral("(no single offer of another port: %1)").arg(app.questions.join('|'));
    return app.questions[0];
}

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
    void start_identifiesAModuleThatAnswersTheHundredthLinkTest();
    void start_triesAnotherPortWhenNoModuleAnswered();
    void start_saysSoWhenTheLineGoesBeforeTheWindowLoads();
    void cancelWhileConnecting_goesBackToThePortChoice();
    void start_offersAnotherPortWhenOneCannotBeOpened();
    void closingTheStartupWindow_endsTheProgram();
    void cancelInTheProgressWindow_endsTheProgram();
    void cancelInThePortChoice_endsTheProgram();
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
    // Every window shows the program's icon, drawn while building.
    QVERIFY(window->windowIcon().availableSizes().contains(QSize(32, 32)));
    window->readSettings();
    QVERIFY(!app.startupWindow()->isVisible());
    QCOMPARE(app.exitCode(), 0);
}

void StartupTest::start_identifiesAModuleThatAnswersTheHundredthLinkTest() {
    VirtualClock clock;
    SimulatorFaults faults;
    faults.ignoreLinkTests = 99;
    RecordingApplication app(simulated(ModuleKind::Tessel, clock, faults));
    app.start();
    QVERIFY(app.configWindow());
}

void StartupTest::start_triesAnotherPortWhenNoModuleAnswered() {
    VirtualClock clock;
    SimulatorFaults faults;
    faults.ignoreLinkTests = 100;
    RecordingApplication app(simulated(ModuleKind::Tessel, clock, faults));
    app.answersToGive = {kChooseAnotherPort, kQuit};
    app.portsToChoose = {QStringLiteral("ttyUSB1")};
    app.start();
    const QString question = app.questions.value(0);
    QVERIFY2(question.startsWith("No module answered on simulated Tessel module.\n"),
             qPrintable(question));
    // Asked again after the second port stayed silent as well, then ended when told to.
    QCOMPARE(app.questions.size(), 2);
    QVERIFY(app.ending());
    QCOMPARE(app.portsChosen, 1);
    QVERIFY(!app.configWindow());
    QCOMPARE(app.exitCode(), 1);
    // Two full rounds of a hundred link tests of 1.5 s each.
    QCOMPARE(clock.nowMicros(), qint64(2) * 100 * 15000 * 100);
}

void StartupTest::start_saysSoWhenTheLineGoesBeforeTheWindowLoads() {
    // The link test and the first identification are answered; the line goes before the
    // window identifies the module for itself.
    VirtualClock clock;
    SimulatorFaults faults;
    faults.dropAfterCommands = 3;
    RecordingApplication app(simulated(ModuleKind::Tessel, clock, faults));
    const QString question = startAndQuit(app);
    QVERIFY2(question.contains("was lost"), qPrintable(question));
}

void StartupTest::cancelWhileConnecting_goesBackToThePortChoice() {
    VirtualClock clock;
    SimulatorFaults faults;
    faults.ignoreLinkTests = 10;
    RecordingApplication app(simulated(ModuleKind::Threshold, clock, faults));
    QString step;
    QString waited;
    clock.callAfter(5'000'000, [&] {
        ConnectingWindow *connecting = app.connectingWindow();
        QVERIFY(connecting && connecting->isVisible());
        step = connecting->stepText();
        waited = connecting->waitedText();
        connecting->findChild<QPushButton *>("connectingCancel")->click();
    });
    app.start();
    QCOMPARE(step, QStringLiteral("Link test 4 of 100"));
    QCOMPARE(waited, QStringLiteral("Waited 4 s"));
    QCOMPARE(app.portsChosen, 1);
    QVERIFY2(app.questions.isEmpty(), qPrintable(app.questions.join('\n')));
    QVERIFY(app.configWindow());
    QVERIFY(!app.connectingWindow());
}

void StartupTest::start_offersAnotherPortWhenOneCannotBeOpened() {
    StartOptions options;
    options.port = QStringLiteral("/dev/tessel-config-no-such-port");
    RecordingApplication app(options);
    app.answersToGive = {kChooseAnotherPort, kQuit};
    app.portsToChoose = {QStringLiteral("/dev/tessel-config-other-port")};
    app.start();
    QCOMPARE(app.questions.size(), 2);
    QVERIFY2(app.questions[1].contains("/dev/tessel-config-other-port"),
             qPrintable(app.questions[1]));
    QCOMPARE(app.offered, (QStringList{"Choose Another Port", "Quit"}));
    QCOMPARE(app.portsChosen, 1);
    QCOMPARE(app.exitCode(), 1);
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

void StartupTest::cancelInThePortChoice_endsTheProgram() {
    StartOptions options;
    options.port = QStringLiteral("/dev/tessel-config-no-such-port");
    RecordingApplication app(options);
    app.answersToGive = {kChooseAnotherPort};
    app.portsToChoose = {std::nullopt};
    app.start();
    QCOMPARE(app.portsChosen, 1);
    QCOMPARE(app.questions.size(), 1);
    QVERIFY(app.ending());
    QCOMPARE(app.exitCode(), 0);
}

TESSEL_TEST_OBJECT(StartupTest);
#include "test_Startup.moc"
