#include "core/ModuleSimulator.h"
#include "link/LinkClock.h"
#include "session/SessionBench.h"
#include "support/RecordingApplication.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/ConfigWindow.h"
#include "ui/WindowStatusLine.h"

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

} // namespace

class ReconnectTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void lostLineDuringStore_offersReconnectWithTheStoreReport();
    void reconnect_readsTheSameKindOfModule_data();
    void reconnect_readsTheSameKindOfModule();
    void movedWindow_neverTouchesTheOldLine();
};

void ReconnectTest::lostLineDuringStore_offersReconnectWithTheStoreReport() {
    VirtualClock clock;
    auto app = appOnALineThatDrops(clock, {});
    app->choices = {kClose};
    editAndStore(*app->configWindow());
    QCOMPARE(app->questions.size(), 1);
    QCOMPARE(app->offered, (QStringList{"Reconnect", "Close"}));
    // What was lost, and what the module may now hold, as the session words it.
    QVERIFY2(app->questions[0].startsWith("Error Storing Data"), qPrintable(app->questions[0]));
    // Close leaves the window and its settings as they are, without a line.
    letTheReconnectionRun();
    QVERIFY(!app->ending());
    QCOMPARE(app->portsChosen, 0);
    QVERIFY(app->configWindow()->isEnabled());
    QCOMPARE(app->configWindow()->imageToStore().value(map::kDebounce), kDebounceEdited);
    // Every later exchange on the dead line offers the reconnection again.
    QCOMPARE(app->configWindow()->statusLine().connection(), QStringLiteral("Line lost"));
    storeAfterTheLineWent(*app, 2);
}

void ReconnectTest::reconnect_readsTheSameKindOfModule_data() {
    QTest::addColumn<bool>("showModule");
    QTest::addColumn<bool>("otherKindFirst");
    QTest::newRow("show the module's settings") << true << false;
    // Closing the question about the edits must not throw them away.
    QTest::newRow("question closed: the edits stay") << false << false;
    // A Threshold module is refused, and the port offered again as the operator chose it.
    QTest::newRow("another kind refused first") << true << true;
}

void ReconnectTest::reconnect_readsTheSameKindOfModule() {
    QFETCH(bool, showModule);
    QFETCH(bool, otherKindFirst);
    VirtualClock clock;
    QList<RecordingApplication::SimulatedModule> next{{ModuleKind::Tessel, {}}};
    QStringList ports{QStringLiteral("ttyUSB1")};
    if (otherKindFirst) {
        next.prepend({ModuleKind::Threshold, {}});
        ports << QStringLiteral("ttyUSB2");
    }
    auto app = appOnALineThatDrops(clock, next);
    app->choices = QList<int>(1 + otherKindFirst, kReconnect);
    if (showModule)
        app->choices << kShowModule;
    app->portsToChoose = {ports.begin(), ports.end()};
    // The module reached next holds what the first one held before the store.
    const EepromImage asLoaded = app->configWindow()->image();
    editAndStore(*app->configWindow());
    const EepromImage edited = app->configWindow()->image();
    letTheReconnectionRun();
    // The chooser offered the port that was lost; the window asked about its edits.
    QCOMPARE(app->portsOffered, QStringList{"ttyUSB0"} + ports.mid(0, ports.size() - 1));
    QCOMPARE(app->questions.size(), 2 + otherKindFirst);
    QVERIFY2(app->questions.last().contains("Keep them"), qPrintable(app->questions.last()));
    QVERIFY2(!otherKindFirst ||
                 app->questions[1].startsWith("The module on ttyUSB1 is a Threshold module, but "
                                              "this window is for a Tessel module"),
             qPrintable(app->questions[1]));
    ConfigWindow *window = app->configWindow();
    QCOMPARE(window->kind(), ModuleKind::Tessel);
    QCOMPARE(window->image(), showModule ? asLoaded : edited);
    QCOMPARE(window->hasUnsavedEdits(), !showModule);
    QCOMPARE(app->portName(), ports.last());
    // The window works on the new line: a store goes through without complaint.
    editAndStore(*window);
    QVERIFY2(app->messages.isEmpty(), qPrintable(app->messages.join('\n')));
    QVERIFY(!window->hasUnsavedEdits());
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
