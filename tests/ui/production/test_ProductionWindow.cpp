// SPDX-License-Identifier: Apache-2.0
// The station window against tessel-modsim processes on pseudo-terminals: what it shows of a
// whole run (every tile, every counter, the last records) once the operator has stopped it,
// the sounds it made, and kit labels scanned into a port's own field.

#include "core/EepromImage.h"
#include "core/ProfileText.h"
#include "session/BackupFolder.h"
#include "support/ModsimProcess.h"
#include "support/TestMain.h"
#include "ui/production/ProductionWindow.h"
#include "ui/production/RunSetup.h"
#include "ui/production/StationTile.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace tessel;

namespace {
constexpr int kRunWaitMs = 30000;

void writeFile(const QString &path, const QString &text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

// The view with its tiles and its records each in the order of their ports' names: the ports
// are listed as the system lists them, and finish in no fixed order one against another.
QStringList sortedView(const QString &view) {
    QStringList lines = view.split(QLatin1Char('\n'));
    const qsizetype counters = lines.indexOf(QRegularExpression(QStringLiteral("run .*")));
    QStringList tiles = lines.mid(1, counters - 1);
    QStringList records = lines.mid(counters + 1);
    tiles.sort();
    // Newest first within each port.
    std::stable_sort(records.begin(), records.end(), [](const QString &a, const QString &b) {
        return a.section(QLatin1Char(' '), 0, 0) < b.section(QLatin1Char(' '), 0, 0);
    });
    return QStringList{lines.first()} + tiles + QStringList{lines.at(counters)} + records;
}
} // namespace

class ProductionWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
#ifndef TESSEL_MODSIM_EXE
        QSKIP("needs tessel-modsim");
#endif
        QStandardPaths::setTestModeEnabled(true);
        // Not the factory set, which a fresh module holds already.
        EepromImage profile = factoryImage(ModuleKind::Tessel);
        profile.setValue(0, 0x42);
        writeFile(m_dir.filePath(QStringLiteral("profile.txt")), profileText(profile));
        writeFile(m_dir.filePath(QStringLiteral("kits.csv")),
                  QStringLiteral("unit,base serial\nK1,10000001\nK2,10000002\nK3,10000003\n"));
    }

    // Each step a station reports, as its tile shows it: word, detail, instruction and tone.
    void tileFor_eachStepOfAStation() {
        using Tone = TileView::Tone;
        const auto step = [](StationEvent::Type type, SessionPhase phase, int block) {
            StationEvent e;
            e.type = type;
            e.phase = phase;
            e.block = block;
            return tileFor(e);
        };
        using T = StationEvent::Type;
        const std::pair<TileView, TileView> cases[] = {
            {step(T::Waiting, SessionPhase::Storing, 0),
             {"WAITING", "waiting for a module", "PUT IN A MODULE", Tone::Idle}},
            {step(T::Progress, SessionPhase::Storing, 0),
             {"STORING", "block 1 of 16", "DO NOT REMOVE", Tone::Working}},
            {step(T::Progress, SessionPhase::Verifying, 15),
             {"CHECKING", "block 16 of 16", "DO NOT REMOVE", Tone::Working}},
            {step(T::PortGone, SessionPhase::Storing, 0),
             {"NO ADAPTER", "adapter gone, waiting for it", "PLUG THE ADAPTER IN", Tone::Fail}},
        };
        for (const auto &[shown, wanted] : cases) {
            QCOMPARE(QStringList({shown.word, shown.detail, shown.instruction}),
                     QStringList({wanted.word, wanted.detail, wanted.instruction}));
            QCOMPARE(shown.tone, wanted.tone);
        }
    }

    // Choices refused as program refuses them, and the run made of those that will do: a
    // scanner chooses units only where there are units to choose.
    void prepareRun_refusesOrBuildsTheRequest() {
        const QString profile = m_dir.filePath(QStringLiteral("profile.txt"));
        const QString kits = m_dir.filePath(QStringLiteral("kits.csv"));
        const struct {
            RunChoices choices;
            QString made; // the error, or the request: ports, kind, record, scan, units
        } cases[] = {
            {{{}, ModuleKind::Tessel, {}, false, "r.csv", {"a"}}, "Choose the profile to store."},
            {{profile, ModuleKind::Tessel, {}, false, "r.csv", {}}, "Tick at least one port."},
            {{profile, ModuleKind::Tessel, kits, false, "r.csv", {"a"}},
             "A units file needs a database record (a .sqlite file or a postgresql:// address), "
             "which keeps which units are done."},
            {{profile, ModuleKind::Threshold, {}, true, "r.csv", {"a", "b"}},
             "a b | threshold | r.csv | scan 0 | units -"},
            {{profile, ModuleKind::Tessel, kits, true, "r.sqlite", {"a"}},
             "a | tessel | r.sqlite | scan 1 | units K1 K2 K3 of kits.csv"},
        };
        for (const auto &c : cases) {
            ProductionRequest request;
            QString made = prepareRun(c.choices, BackupFolder(m_dir.path()), request);
            if (made.isEmpty()) {
                QStringList units;
                for (const Unit &unit : request.units.value_or(std::vector<Unit>{}))
                    units << unit.label;
                made = QStringList{request.ports.join(' '), moduleKindKey(request.setup.kind),
                                   request.recordPath,
                                   QStringLiteral("scan %1").arg(int(request.scan)),
                                   request.units ? QStringLiteral("units %1 of %2")
                                                       .arg(units.join(' '), request.unitsBatch)
                                                 : QStringLiteral("units -")}
                           .join(" | ");
            }
            QCOMPARE(made, c.made);
        }
    }

    void run_showsEveryTileCounterAndRecord_data() {
        QTest::addColumn<QList<QStringList>>("modules"); // tessel-modsim's options, one a port
        QTest::addColumn<bool>("units");                 // kits.csv, three kits
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("scans"); // typed into port 1's field, each with Enter
        QTest::addColumn<QString>("view");      // ports named P1, P2... in it
        QTest::addColumn<QList<bool>>("sounds");
        QTest::addColumn<bool>("operatorStops"); // with Space; else the last unit ends the run

        const QString stopped = QStringLiteral("stopped: no new module is started; finishing "
                                               "those in progress (Stop again ends their "
                                               "stores after the block in flight)\n");
        QTest::newRow("pass, fail and refused, CSV record")
            << QList<QStringList>{{}, {"--fail-block", "5"}, {"--kind", "threshold"}} << false
            << "run.csv" << QStringList{}
            << stopped + "P1 | PASS | stored and checked | REMOVE THE MODULE\n"
                         "P2 | FAIL | Error Storing Data | REMOVE THE MODULE\n"
                         "P3 | REFUSED | this is not a Tessel module | REMOVE THE MODULE\n"
                         "run 1 1 1 | today - - - | left -\n"
                         "P1  ok\nP2  store-failed\nP3  wrong-kind"
            << QList<bool>{false, false, true} << true;
        QTest::newRow("units from a database, a failure puts its kit aside")
            << QList<QStringList>{{"--fail-block", "5"}} << true << "run.sqlite" << QStringList{}
            << stopped + "P1 | FAIL | Error Storing Data\nunit K1 partly stored | REMOVE THE "
                         "MODULE\nrun 0 1 0 | today 0 1 0 | left 2\nP1 K1 store-failed"
            << QList<bool>{false} << true;
        QTest::newRow("one jig, every kit, newest first")
            << QList<QStringList>{{"--swap-after", "1"}} << true << "run.sqlite" << QStringList{}
            << "the last unit of kits.csv is given out: no new module is started; finishing "
               "those in progress\n"
               "P1 | PASS | K3 | REMOVE THE MODULE\n"
               "run 3 0 0 | today 3 0 0 | left 0\nP1 K3 ok\nP1 K2 ok\nP1 K1 ok"
            << QList<bool>{true, true, true} << false;
        QTest::newRow("a scanned kit, an unknown label refused")
            << QList<QStringList>{{}} << true << "run.sqlite" << QStringList{"K9", "K3"}
            << stopped + "P1 | PASS | K3 | REMOVE THE MODULE\n"
                         "run 1 0 0 | today 1 0 0 | left 2\nP1 K3 ok"
            << QList<bool>{true} << true;
    }

    // Each row's modules are put in, the run waits until every one has ended, then the
    // operator presses Space to stop it.
    void run_showsEveryTileCounterAndRecord() {
        QFETCH(QList<QStringList>, modules);
        QFETCH(bool, units);
        QFETCH(QString, record);
        QFETCH(QStringList, scans);
        QFETCH(QString, view);
        QFETCH(QList<bool>, sounds);
        QFETCH(bool, operatorStops);

        QTemporaryDir runDir;
        std::vector<std::unique_ptr<ModsimProcess>> modsims;
        RunChoices choices;
        choices.profile = m_dir.filePath(QStringLiteral("profile.txt"));
        choices.units = units ? m_dir.filePath(QStringLiteral("kits.csv")) : QString();
        choices.scan = !scans.isEmpty();
        choices.record = runDir.filePath(record);
        for (const QStringList &options : modules) {
            modsims.push_back(
                std::make_unique<ModsimProcess>(QStringLiteral(TESSEL_MODSIM_EXE), options));
            choices.ports << modsims.back()->device();
            view.replace(QStringLiteral("P%1 ").arg(modsims.size()), choices.ports.back() + ' ');
        }
        ProductionWindow window(BackupFolder(runDir.filePath(QStringLiteral("backups"))));
        window.setup().setChoices(choices);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy sounded(&window, &ProductionWindow::sounded);
        QSignalSpy ended(&window, &ProductionWindow::runEnded);

        QTest::keyClick(&window, Qt::Key_Space);
        QVERIFY2(window.running(), qPrintable(window.viewText()));
        if (!scans.isEmpty()) {
            QLineEdit *field = window.scanField(choices.ports.first());
            QVERIFY(field && field->hasFocus());
            // The module waits for its label, and its tile says so.
            QTRY_VERIFY_WITH_TIMEOUT(window.viewText().contains(" | SCAN | "), kRunWaitMs);
            for (const QString &label : scans) {
                QTest::keyClicks(field, label);
                QTest::keyClick(field, Qt::Key_Return);
            }
        }
        QTRY_VERIFY2_WITH_TIMEOUT(sounded.size() == sounds.size(), qPrintable(window.viewText()),
                                  kRunWaitMs);
        const bool fullScreen = window.isFullScreen(); // as the last window was left
        QTest::keyClick(&window, Qt::Key_F11);
        QTRY_VERIFY(window.isFullScreen() != fullScreen);
        if (operatorStops)
            QTest::keyClick(&window, Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, kRunWaitMs);
        QCOMPARE(sortedView(window.viewText()), sortedView(view));
        QList<bool> heard;
        for (const QList<QVariant> &signal : sounded)
            heard << signal.at(0).toBool();
        std::sort(heard.begin(), heard.end());
        QCOMPARE(heard, sounds);
    }

private:
    QTemporaryDir m_dir;
};

TESSEL_TEST_OBJECT(ProductionWindowTest);
#include "test_ProductionWindow.moc"
