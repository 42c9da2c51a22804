#include "core/ModuleSimulator.h"
#include "link/LinkClock.h"
#include "session/BackupFolder.h"
#include "session/SessionBench.h"
#include "support/ModsimProcess.h"
#include "support/RecordingApplication.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/ConfigWindow.h"
#include "ui/ConnectingWindow.h"
#include "ui/WindowStatusLine.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QtTest>

using namespace tessel;
using testing::RecordingApplication;

namespace {
constexpr int kReconnect = 0;
constexpr int kClose = 1;
constexpr int kKeepSettings = 0;
constexpr int kShowModule = 1;

// Link test and identification at start-up, the window's identification and two reads.
constexpr int kLoadCommands = 1 + 1 + 1 + 4 * kBlockCount; // two reads, each block twice
constexpr int kDebounceEdited = 33;

RecordingApplication::SimulatedModule tesselDroppingDuringStore() {
    SimulatorFaults faults;
    // The read before the store (each block twice), then four blocks into the store.
    faults.dropAfterCommands = kLoadCommands + 2 * kBlockCount + 4;
    return {ModuleKind::Tessel, faults};
}

// An application whose Tessel window is loaded from a module whose line drops during the next
// store; `next` are the modules later connections reach.
std::unique_ptr<RecordingApplication>
appOnALineThatDrops(VirtualClock &clock, const QList<RecordingApplication::SimulatedModule> &next) {
    StartOptions options;
    options.port = QStringLiteral("ttyUSB0");
    options.clock = &clock;
    auto app = std::make_unique<RecordingApplication>(options);
    app->clock = &clock;
    app->modules = QList{tesselDroppingDuringStore()} + next;
    app->start();
    if (!app->configWindow() || !app->questions.isEmpty())
        qFatal("the window did not load: %s", qPrintable(app->questions.join('\n')));
    return app;
}

// One setting changed, then a store that loses the line.
void editAndStore(ConfigWindow &window) {
    window.findChild<QScrollBar *>(QStringLiteral("debounce"))->setValue(kDebounceEdited);
    window.storeSettings();
}

// The reconnection runs once the exchange that lost the line has returned.
void letTheReconnectionRun() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

int debounceShown(const ConfigWindow &window) {
    return window.findChild<QScrollBar *>(QStringLiteral("debounce"))->value();
}

} // namespace

class ReconnectTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void lostLineDuringStore_offersReconnectWithTheStoreReport();
    void reconnect_readsTheSameKindOfModuleAndShowsIt();
    void reconnect_keepsTheEditsWhenAsked();
    void reconnect_refusesAModuleOfAnotherKind();
    void cancelWhileReconnecting_leadsBackToTheWindow();
    void movedWindow_neverTouchesTheOldLine();
};

void ReconnectTest::lostLineDuringStore_offersReconnectWithTheStoreReport() {
    VirtualClock clock;
    auto app = appOnALineThatDrops(clock, {});
    app->answersToGive = {kClose};
    editAndStore(*app->configWindow());
    QCOMPARE(app->questions.size(), 1);
    const QString &text = app->questions[0];
    QCOMPARE(app->offered, (QStringList{"Reconnect", "Close"}));
    // What was lost, and what the module may now hold, block by block.
    QVERIFY2(text.startsWith("Error Storing Data"), qPrintable(text));
    QVERIFY2(text.contains("was lost"), qPrintable(text));
    QVERIFY2(text.contains("Blocks 0 to 2 (addresses 0 to 47) hold the new settings."),
             qPrintable(text));
    // Close leaves the window and its settings as they are, without a line.
    letTheReconnectionRun();
    QVERIFY(!app->ending());
    QCOMPARE(app->portsChosen, 0);
    QVERIFY(app->configWindow()->isEnabled());
    QCOMPARE(debounceShown(*app->configWindow()), kDebounceEdited);
    // Every later exchange on the dead line offers the reconnection again.
    app->configWindow()->readSettings();
    QCOMPARE(app->questions.size(), 2);
    QCOMPARE(app->offered, (QStringList{"Reconnect", "Close"}));
    QCOMPARE(app->configWindow()->statusLine().connection(), QStringLiteral("Line lost"));
    storeAfterTheLineWent(*app, 3);
}

void ReconnectTest::reconnect_readsTheSameKindOfModuleAndShowsIt() {
    VirtualClock clock;
    auto app = appOnALineThatDrops(clock, {{ModuleKind::Tessel, {}}});
    app->answersToGive = {kReconnect, kShowModule};
    app->portsToChoose = {QStringLiteral("ttyUSB1")};
    // The module reached next holds what the first one held before the store.
    const EepromImage asLoaded = app->configWindow()->image();
    QVERIFY(!app->configWindow()->hasUnsavedEdits());
    editAndStore(*app->configWindow());
    letTheReconnectionRun();
    // The chooser offered the port that was lost.
    QCOMPARE(app->portsOffered, (QStringList{"ttyUSB0"}));
    QCOMPARE(app->connectionsOpened, 2);
    QCOMPARE(app->questions.size(), 2);
    QVERIFY2(app->questions[1].contains("Keep them"), qPrintable(app->questions[1]));
    ConfigWindow *window = app->configWindow();
    QCOMPARE(window->image(), asLoaded);
    QVERIFY(debounceShown(*window) != kDebounceEdited);
    QVERIFY(!window->hasUnsavedEdits());
    QVERIFY(window->isEnabled());
    QCOMPARE(app->portName(), QStringLiteral("ttyUSB1"));
    // The window works on the new line: a store goes through without complaint.
    window->findChild<QScrollBar *>(QStringLiteral("debounce"))->setValue(kDebounceEdited);
    window->storeSettings();
    QCOMPARE(app->questions.size(), 2);
    QVERIFY2(app->messages.isEmpty(), qPrintable(app->messages.join('\n')));
    QVERIFY(!window->hasUnsavedEdits());
}

void ReconnectTest::reconnect_keepsTheEditsWhenAsked() {
    VirtualClock clock;
    auto app = appOnALineThatDrops(clock, {{ModuleKind::Tessel, {}}});
    // The operator closes the question about the edits: closing must not throw them away.
    app->answersToGive = {kReconnect};
    app->portsToChoose = {QStringLiteral("ttyUSB0")};
    editAndStore(*app->configWindow());
    const EepromImage edited = app->configWindow()->image();
    letTheReconnectionRun();
    ConfigWindow *window = app->configWindow();
    QCOMPARE(app->questions.size(), 2);
    QCOMPARE(window->image(), edited);
    QCOMPARE(debounceShown(*window), kDebounceEdited);
    // The module was read all the same: the window knows its settings are not stored yet.
    QVERIFY(window->hasUnsavedEdits());
    window->storeSettings();
    QVERIFY2(app->messages.isEmpty(), qPrintable(app->messages.join('\n')));
    QVERIFY(!window->hasUnsavedEdits());
}

void ReconnectTest::reconnect_refusesAModuleOfAnotherKind() {
    VirtualClock clock;
    auto app = appOnALineThatDrops(clock, {{ModuleKind::Threshold, {}}, {ModuleKind::Tessel, {}}});
    app->answersToGive = {kReconnect, kReconnect, kShowModule};
    app->portsToChoose = {QStringLiteral("ttyUSB1"), QStringLiteral("ttyUSB2")};
    const EepromImage asLoaded = app->configWindow()->image();
    editAndStore(*app->configWindow());
    letTheReconnectionRun();
    QCOMPARE(app->questions.size(), 3);
    const QString &refusal = app->questions[1];
    QVERIFY2(refusal.startsWith("The module on ttyUSB1 is a Threshold module, but this window "
                                "is for a Tessel module"),
             qPrintable(refusal));
    // The port is offered again as the operator last chose it.
    QCOMPARE(app->portsOffered, (QStringList{"ttyUSB0", "ttyUSB1"}));
    ConfigWindow *window = app->configWindow();
    QCOMPARE(window->kind(), ModuleKind::Tessel);
    QCOMPARE(window->image(), asLoaded);
    QCOMPARE(app->portName(), QStringLiteral("ttyUSB2"));
}

void ReconnectTest::cancelWhileReconnecting_leadsBackToTheWindow() {
    VirtualClock clock;
    SimulatorFaults silent;
    silent.ignoreLinkTests = ModuleConnection::kLinkTestAttempts;
    auto app = appOnALineThatDrops(clock, {{ModuleKind::Tessel, silent}});
    // Cancel while connecting, then Cancel in the port choice.
    app->answersToGive = {kReconnect, kReconnect};
    app->portsToChoose = {QStringLiteral("ttyUSB1"), std::nullopt};
    editAndStore(*app->configWindow());
    clock.callAfter(5'000'000, [&] {
        QVERIFY(app->connectingWindow());
        app->connectingWindow()->reject();
    });
    letTheReconnectionRun();
    QCOMPARE(app->questions.size(), 2);
    QVERIFY2(app->questions[1].startsWith("Connecting to ttyUSB1 was cancelled."),
             qPrintable(app->questions[1]));
    QCOMPARE(app->offered, (QStringList{"Reconnect", "Close"}));
    QCOMPARE(app->portsChosen, 2);
    // Back at the window, with its settings and without a line; a later transfer offers the
    // reconnection again.
    QVERIFY(!app->ending());
    QVERIFY(app->configWindow()->isEnabled());
    QCOMPARE(debounceShown(*app->configWindow()), kDebounceEdited);
    app->configWindow()->readSettings();
    QCOMPARE(app->questions.size(), 3);
}

void ReconnectTest::movedWindow_neverTouchesTheOldLine() {
    // Threshold: its analog readings are an exchange of the window's own besides the
    // session's transfers.
    auto bench = testing::WindowBench::loaded(ModuleKind::Threshold);
    // A second line, for the window to be moved onto.
    tessel::test::Bench line(ModuleKind::Threshold);
    ModuleMemory held = line.module.memory();
    held[map::kDebounce] = 20;
    line.module.setMemory(held);
    const std::size_t oldCommands = bench->module.commands().size();
    bench->window->attachSession(line.session);
    QVERIFY(bench->window->loadAfterReconnect(false));
    QCOMPARE(bench->window->image().value(map::kDebounce), 20);
    bench->child<QPushButton>(QStringLiteral("readAllInputs"))->click();
    bench->window->readSettings();
    QCOMPARE(bench->module.commands().size(), oldCommands);
    QCOMPARE(line.module.countCommands(2, 0), 1);
    QCOMPARE(line.module.countCommands(0, 1), 4 * kBlockCount);
    QVERIFY2(bench->host.messages.isEmpty(), qPrintable(bench->host.messages.join('\n')));
}

TESSEL_TEST_OBJECT(ReconnectTest);
#include "test_Reconnect.moc"
