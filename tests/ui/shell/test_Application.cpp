// SPDX-License-Identifier: Apache-2.0
// The application on simulated modules and a virtual clock: the ports a start-up offers until
// the operator ends, what ends the program, and the reconnection after a line went.

#include "support/RecordingApplication.h"
#include "support/TestMain.h"
#include "ui/shell/ConnectingWindow.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

using namespace tessel;
using testing::RecordingApplication;

namespace {
constexpr int kChooseAnotherPort = 0;
constexpr int kQuit = 1;
constexpr int kReconnect = 0;
constexpr int kShowModule = 1;

// Link test and identification at start-up, the window's identification (each two agreeing
// replies) and two reads, each block twice.
constexpr int kLoadCommands = 1 + 2 + 2 + 4 * kBlockCount;

// Where the stores of these runs keep their backups.
BackupFolder testBackups() {
    static const QTemporaryDir dir;
    return BackupFolder(dir.path());
}

StartOptions simulated(ModuleKind kind, LinkClock &clock, SimulatorFaults faults = {}) {
    StartOptions options;
    options.backups = testBackups();
    options.simulate = kind;
    options.faults = faults;
    options.clock = &clock;
    return options;
}

// One setting changed (unless `edit` is false), then a store; the reconnection runs once the
// exchange has returned.
void editAndStore(ConfigWindow &window, bool edit = true) {
    if (edit)
        window.findChild<QScrollBar *>(QStringLiteral("debounce"))->setValue(33);
    window.storeSettings();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void start_offersAnotherPortUntilTheOperatorEnds_data() {
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
            << QString() << 100 << -1 << QList{kChooseAnotherPort, kQuit} << QStringList{"ttyUSB1"}
            << 2 << "No module answered on simulated Tessel module.\n"
            << 1;
        // The link test and the first identification (two replies) are answered; the line goes
        // before the window identifies the module for itself.
        QTest::newRow("line lost before the window loads")
            << QString() << 0 << 4 << QList{kQuit} << QStringList() << 1 << "was lost" << 1;
        // The second port cannot be opened either; Cancel in the port choice is no error.
        QTest::newRow("port cannot be opened, then Cancel")
            << "/dev/tessel-config-no-such-port" << 0 << -1
            << QList{kChooseAnotherPort, kChooseAnotherPort} << QStringList{other, "-"} << 2
            << other << 0;
    }

    void start_offersAnotherPortUntilTheOperatorEnds() {
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
        // A full round is a hundred link tests of 1.5 s each, each after the first 50 ms behind
        // the bytes that realign the module: one fewer, and a module answering only the
        // hundredth would be missed.
        if (ignoredLinkTests)
            QCOMPARE(clock.nowMicros(), qint64(questions) * (100 * 15000 + 99 * 500) * 100);
    }

    void cancelWhileConnecting_goesBackToThePortChoice() {
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
        QVERIFY(!app.connectingWindow());
        QVERIFY(app.configWindow());
        QCOMPARE(app.configWindow()->kind(), ModuleKind::Threshold);
    }

    void closingTheStartupWindowOrCancellingTheLoad_endsTheProgram() {
        VirtualClock clock;
        RecordingApplication app(simulated(ModuleKind::Tessel, clock));
        app.start();
        QVERIFY(!app.ending());
        QVERIFY(app.startupWindow()->close());
        QVERIFY(app.ending());
        QCOMPARE(app.exitCode(), 0);
        // The link stops at once, so no wait outlives the program: a read now waits for nothing.
        const qint64 before = clock.nowMicros();
        app.configWindow()->readSettings();
        QCOMPARE(clock.nowMicros(), before);

        // Cancel during the start-up reads: there is nothing to keep yet.
        RecordingApplication loading(simulated(ModuleKind::Threshold, clock));
        clock.callAfter(30'000, [&loading] {
            QVERIFY(loading.progressWindow().isVisible());
            loading.progressWindow().findChild<QPushButton *>("cancel")->click();
        });
        loading.start();
        QVERIFY(loading.ending());
    }

    // The line turned the first read of block 2 into the start of a block store, which the
    // module confirmed: the window still opens on the module, and the operator is told, once.
    void garbledStoreAtStart_isTold() {
        VirtualClock clock;
        SimulatorFaults faults;
        faults.spots = {{LineFault::Flip, LineDirection::ToModule, "read2", 1, 0, 0}};
        RecordingApplication app(simulated(ModuleKind::Threshold, clock, faults));
        app.start();
        QVERIFY(app.configWindow());
        QCOMPARE(app.configWindow()->kind(), ModuleKind::Threshold);
        QVERIFY2(app.questions.isEmpty(), qPrintable(app.questions.join('\n')));
        QCOMPARE(app.messages.size(), 1);
        VERIFY_TEXT(app.messages.first(), startsWith,
                    "The line turned a command into the start of a block store");
    }

    void configWindow_opensWhereItsKindWasLeft() {
        QSettings().remove(QStringLiteral("windows"));
        VirtualClock clock;
        const auto openWindow = [&clock](ModuleKind kind) {
            auto app = std::make_unique<RecordingApplication>(simulated(kind, clock));
            app->start();
            return app;
        };
        const QRect tesselPlace(40, 30, 500, 400);
        {
            auto app = openWindow(ModuleKind::Tessel);
            QVERIFY(app->configWindow()->isVisible());
            app->configWindow()->setGeometry(tesselPlace);
            app->configWindow()->hide();
        }
        const auto again = openWindow(ModuleKind::Tessel);
        QCOMPARE(again->configWindow()->geometry(), tesselPlace);
        // The other kind's window has a place of its own.
        const auto other = openWindow(ModuleKind::Threshold);
        QVERIFY(other->configWindow()->geometry() != tesselPlace);
    }

    void reconnect_readsTheSameKindOfModule_data() {
        QTest::addColumn<bool>("showModule");
        QTest::addColumn<bool>("otherKindFirst");
        QTest::addColumn<bool>("edited");
        QTest::newRow("show the module's settings") << true << false << true;
        // Closing the question about the edits must not throw them away.
        QTest::newRow("question closed: the edits stay") << false << false << true;
        // A Threshold module is refused, and the port offered again as the operator chose it.
        QTest::newRow("another kind refused first") << true << true << true;
        // Without edits there is nothing to keep, and nothing is asked.
        QTest::newRow("nothing edited") << false << false << false;
    }

    void reconnect_readsTheSameKindOfModule() {
        QFETCH(bool, showModule);
        QFETCH(bool, otherKindFirst);
        QFETCH(bool, edited);
        VirtualClock clock;
        StartOptions options;
        options.port = QStringLiteral("ttyUSB0");
        options.clock = &clock;
        options.backups = testBackups();
        auto app = std::make_unique<RecordingApplication>(options);
        app->clock = &clock;
        // The Tessel window is loaded from a module whose line drops four blocks into the store
        // below (unedited, in the read before it: nothing is sent); the ones reached next hold
        // what it held before the store.
        SimulatorFaults faults;
        faults.dropAfterCommands = kLoadCommands + (edited ? 2 * kBlockCount : 0) + 4;
        app->modules = {{ModuleKind::Tessel, faults}, {ModuleKind::Tessel, {}}};
        QStringList ports{QStringLiteral("ttyUSB1")};
        if (otherKindFirst) {
            app->modules.insert(1, {ModuleKind::Threshold, {}});
            ports << QStringLiteral("ttyUSB2");
        }
        app->start();
        QVERIFY2(app->configWindow() && app->questions.isEmpty(),
                 qPrintable(app->questions.join('\n')));
        app->choices = QList<int>(1 + otherKindFirst, kReconnect);
        if (showModule)
            app->choices << kShowModule;
        app->portsToChoose = {ports.begin(), ports.end()};
        const EepromImage asLoaded = app->configWindow()->image();
        editAndStore(*app->configWindow(), edited);
        const EepromImage shownBefore = app->configWindow()->image();
        // The store's account offered the reconnection; the chooser offered the port that was
        // lost; the window asked about its edits.
        QVERIFY2(app->questions[0].startsWith(edited ? "Error Storing Data"
                                                     : "The module's memory could not be read"),
                 qPrintable(app->questions[0]));
        QCOMPARE(app->portsOffered, QStringList{"ttyUSB0"} + ports.mid(0, ports.size() - 1));
        QCOMPARE(app->questions.size(), 1 + edited + otherKindFirst);
        QVERIFY2(app->questions.last().contains("Keep them") == edited,
                 qPrintable(app->questions.last()));
        QVERIFY2(!otherKindFirst || app->questions[1].startsWith(
                                        "The module on ttyUSB1 is a Threshold module, but "
                                        "this window is for a Tessel module"),
                 qPrintable(app->questions.value(1)));
        ConfigWindow *window = app->configWindow();
        QCOMPARE(window->kind(), ModuleKind::Tessel);
        QCOMPARE(window->image(), showModule ? asLoaded : shownBefore);
        QCOMPARE(window->hasUnsavedEdits(), edited && !showModule);
        QCOMPARE(app->portName(), ports.last());
        // The window works on the new line: a store goes through without complaint.
        editAndStore(*window);
        QVERIFY2(app->messages.isEmpty(), qPrintable(app->messages.join('\n')));
        QVERIFY(!window->hasUnsavedEdits());
    }
};

TESSEL_TEST_OBJECT(ApplicationTest);
#include "test_Application.moc"
