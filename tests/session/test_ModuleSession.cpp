// SPDX-License-Identifier: Apache-2.0
#include "SessionBench.h"
#include "support/TestMain.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tessel;
using namespace tessel::test;

namespace {
// What a store's account says of each block: N the new settings, O the old, ? in doubt.
QString accountOf(const SessionOutcome &outcome) {
    QString letters;
    for (const BlockHolds holds : outcome.blockAccount())
        letters += holds == BlockHolds::New ? 'N' : holds == BlockHolds::Old ? 'O' : '?';
    return letters;
}
} // namespace

class ModuleSessionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void identify_tellsWhatTheLineShowed_data() {
        QTest::addColumn<ModuleKind>("kind");
        QTest::addColumn<SimulatorFaults>("faults");
        QTest::addColumn<SessionStatus>("status");
        QTest::addColumn<int>("linkTests");       // as the module took them
        QTest::addColumn<int>("identifications"); // as the module took them
        QTest::addColumn<QString>("said");        // the message and the warning
        SimulatorFaults f;
        f.ignoreLinkTests = 1000;
        QTest::newRow("silent") << ModuleKind::Tessel << f << SessionStatus::NoAnswer << 3 << 0
                                << "No module answered.";
        f = {};
        f.neverIdentify = true;
        QTest::newRow("link test answered, identification not")
            << ModuleKind::Tessel << f << SessionStatus::NotIdentified << 1 << 2
            << "answered the link test but not the identification";
        // The first byte lost: the module would take the 02 left over with the next link
        // test's 00 for an analog read, and so every link test after it.
        f = {};
        f.spots = {{LineFault::Drop, LineDirection::ToModule, {}, 1, 0}};
        QTest::newRow("first byte lost")
            << ModuleKind::Tessel << f << SessionStatus::Done << 1 << 2 << "";
        // 00 02 became 01 02, the start of a store: the link tests after it would have been
        // stored as block 0. The realignment ends it as block 255; its 88 cannot be told from
        // the test's acknowledge come late, and shows the module there.
        f.spots = {{LineFault::Flip, LineDirection::ToModule, {}, 1, 0, 0}};
        QTest::newRow("link test turned into a store")
            << ModuleKind::Threshold << f << SessionStatus::Done << 0 << 2 << "";
        // Each acknowledge comes just after its test gave up, within the realignment before
        // the next: a late answer, not a store.
        f = {};
        f.latencyMicros = 1'520'000;
        QTest::newRow("every answer 1.52 s late")
            << ModuleKind::Tessel << f << SessionStatus::Done << 1 << 3 << "";
        f = {};
        for (int test = 1; test <= 3; ++test)
            f.spots.push_back(
                {LineFault::Flip, LineDirection::FromModule, "link-test", test, 0, 0});
        QTest::newRow("every acknowledge changed")
            << ModuleKind::Tessel << f << SessionStatus::OutOfStep << 3 << 0
            << "out of step: 3 link tests were answered with 89 instead of 88";
    }

    void identify_tellsWhatTheLineShowed() {
        QFETCH(ModuleKind, kind);
        QFETCH(SimulatorFaults, faults);
        QFETCH(QString, said);
        Bench bench(kind, faults, {3, 2, std::nullopt});
        QCOMPARE(bench.session.identify(), Admission::Started);
        const SessionOutcome &outcome = bench.session.lastOutcome();
        QTEST(outcome.status, "status");
        QTEST(bench.module.countCommands(0x00, 0x02), "linkTests");
        QTEST(bench.module.countCommands(0x00, 0x03), "identifications");
        QCOMPARE(outcome.message.isEmpty() && outcome.warning.isEmpty(), said.isEmpty());
        QVERIFY2((outcome.message + outcome.warning).contains(said),
                 qPrintable(outcome.message + outcome.warning));
        QCOMPARE(bench.session.kind(), outcome.ok() ? std::optional(kind) : std::nullopt);
        // Nothing the line did changed the module's memory.
        QCOMPARE(moduleHolds(bench), factoryImage(kind));
    }

    void unknownKind_refusesStoresAndFactoryReset() {
        // A module of a kind this program does not know.
        SimulatorFaults unknown;
        unknown.reportedKind = 7;
        Bench bench(ModuleKind::Tessel, unknown, {0, 1, std::nullopt});
        QCOMPARE(bench.session.identify(), Admission::Started);
        QVERIFY(bench.session.lastOutcome().ok());
        QCOMPARE(bench.session.identity()->kind(), 7);
        QVERIFY(!bench.session.kind().has_value());

        QSignalSpy refusals(&bench.session, &SessionClient::refused);
        QCOMPARE(bench.session.store(descending()), Admission::Refused);
        QCOMPARE(bench.session.factoryReset(), Admission::Refused);
        QCOMPARE(refusals.size(), 2);
        QVERIFY(refusals.at(0).at(1).toString().contains(QStringLiteral("unknown kind 7")));
        QCOMPARE(bench.stores(), 0);
    }

    void store_sendsTheImageAsItWasWhenAsked() {
        auto bench = Bench::identified();
        EepromImage edited = descending();
        // The operator keeps typing while the store waits for the module's confirmations.
        bench->during(20'000, [&edited] {
            for (int a = 0; a < kImageSize; ++a)
                edited.setValue(a, 1);
        });
        QCOMPARE(bench->session.store(edited), Admission::Started);
        QVERIFY(bench->session.lastOutcome().ok());
        QCOMPARE(edited.value(255), 1); // the edit did happen, during the store
        QCOMPARE(moduleHolds(*bench), descending());
        QCOMPARE(bench->session.moduleImage(), std::optional(descending()));
    }

    void store_refusesWithoutSendingAndNamesWhy() {
        Bench unidentified;
        QSignalSpy refused(&unidentified.session, &SessionClient::refused);
        QCOMPARE(unidentified.session.store(descending()), Admission::Refused);
        QVERIFY(refused.at(0).at(1).toString().contains(QStringLiteral("No module")));

        auto bench = Bench::identified();
        bench->session.setInvalidFields(
            {QStringLiteral("serial of device 2"), QStringLiteral("lower limit of input 0")});
        const QString why = bench->session.storeRefusal(descending());
        QVERIFY(why.contains(QStringLiteral("serial of device 2, lower limit of input 0")));
        QCOMPARE(bench->session.store(descending()), Admission::Refused);
        // The factory set replaces whatever the operator typed, so it is not held back by it.
        QCOMPARE(bench->session.factoryReset(), Admission::Started);
        QCOMPARE(bench->stores(), kBlockCount);

        bench->session.setInvalidFields({});
        QVERIFY(bench->session.storeRefusal(descending()).isEmpty());
    }

    void faultyStore_endsKnowingWhatTheModuleHolds_data() {
        QTest::addColumn<int>("failBlock");
        QTest::addColumn<int>("dropAfter");
        QTest::addColumn<bool>("losesTwoBytes"); // after confirming every block
        QTest::addColumn<SessionStatus>("status");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("account"); // each block: New, Old, ? in doubt
        // Every block is read again, so the session knows what the module holds (blocks 0 to 4
        // new, the rest old), not what the confirmations suggest. The account of each block is
        // checked end to end, in the command-line tests.
        QTest::newRow("block 5 unconfirmed")
            << 5 << -1 << false << SessionStatus::NotConfirmed << "Error Storing Data"
            << "NNNNNOOOOOOOOOOO";
        QTest::newRow("two bytes lost before the read-back")
            << -1 << -1 << true << SessionStatus::Differs << "2 of 256"
            << "NN?NNNNNNNNN?NNN";
        // Identification (two agreeing replies), the read, the store, then two block reads of
        // the read-back.
        QTest::newRow("line lost in the read-back")
            << -1 << 2 + kCheckedRead + kBlockCount + 2 << false << SessionStatus::ReadBackFailed
            << "lost"
            << "NNNNNNNNNNNNNNNN";
    }

    void faultyStore_endsKnowingWhatTheModuleHolds() {
        QFETCH(int, failBlock);
        QFETCH(int, dropAfter);
        QFETCH(bool, losesTwoBytes);
        QFETCH(QString, said);
        SimulatorFaults faults;
        faults.failBlock = failBlock;
        faults.dropAfterCommands = dropAfter;
        auto bench = Bench::identified(faults);
        QCOMPARE(bench->session.read(), Admission::Started);
        bench->session.setVerifyAfterStore(true);
        connect(&bench->session, &SessionClient::phaseChanged, this, [&](SessionPhase phase) {
            if (phase != SessionPhase::Verifying || !losesTwoBytes)
                return;
            ModuleMemory memory = bench->module.memory();
            memory[40] = 0;
            memory[200] = 0;
            bench->module.setMemory(memory);
        });
        QCOMPARE(bench->session.store(descending()), Admission::Started);
        const SessionOutcome &outcome = bench->session.lastOutcome();
        QTEST(outcome.status, "status");
        QVERIFY2(outcome.message.contains(said), qPrintable(outcome.message));
        QCOMPARE(outcome.sent, descending());
        // What the module really holds now, not what was sent nor what was confirmed.
        QCOMPARE(bench->session.moduleImage(), std::optional(moduleHolds(*bench)));
        QCOMPARE(moduleHolds(*bench) == descending(), dropAfter >= 0);
        if (losesTwoBytes)
            QCOMPARE(outcome.differences, (std::vector{40, 200}));
        QTEST(accountOf(outcome), "account");
    }

    void backup_holdsWhatTheModuleHeldBeforeAnythingIsSent() {
        auto bench = Bench::identified();
        const EepromImage before = moduleHolds(*bench);
        std::optional<EepromImage> savedImage;
        int storesWhenSaved = -1;
        QString refusal; // empty: the backup is saved
        bench->session.setBackup([&](const ModuleSession &session) {
            savedImage = session.moduleImage();
            storesWhenSaved = bench->stores();
            return refusal.isEmpty() ? BackupResult{QStringLiteral("/backups/tessel-1.txt"), {}}
                                     : BackupResult{{}, refusal};
        });
        QSignalSpy phases(&bench->session, &SessionClient::phaseChanged);
        // Nothing is known of the memory yet, so it is read first.
        QCOMPARE(bench->session.store(descending()), Admission::Started);
        QVERIFY(bench->session.lastOutcome().ok());
        QCOMPARE(bench->session.lastOutcome().backup, QStringLiteral("/backups/tessel-1.txt"));
        QCOMPARE(savedImage, std::optional(before));
        QCOMPARE(storesWhenSaved, 0);
        QCOMPARE(phases.size(), 3);
        QCOMPARE(phases.at(0).at(0).value<SessionPhase>(), SessionPhase::Reading);
        QCOMPARE(phases.at(1).at(0).value<SessionPhase>(), SessionPhase::Storing);
        QCOMPARE(phases.at(2).at(0).value<SessionPhase>(), SessionPhase::Verifying);

        // Now the memory is known: the next backup holds what was stored, without reading first.
        const int readsSoFar = bench->reads();
        QCOMPARE(bench->session.factoryReset(), Admission::Started);
        QCOMPARE(savedImage, std::optional(descending()));
        QCOMPARE(bench->reads(), readsSoFar + kCheckedRead); // the read-back only

        // A backup that cannot be saved stops the store before anything is sent.
        refusal = QStringLiteral("The disk is full.");
        const int storesSoFar = bench->stores();
        QCOMPARE(bench->session.store(descending()), Admission::Started);
        QCOMPARE(bench->session.lastOutcome().status, SessionStatus::Refused);
        QCOMPARE(bench->session.lastOutcome().message, refusal);
        QCOMPARE(bench->stores(), storesSoFar);
        QCOMPARE(moduleHolds(*bench), factoryImage(ModuleKind::Tessel));
    }

    void stopOrCancel_endsTheJobAndTheNextOneRuns_data() {
        QTest::addColumn<SessionJob>("job");
        QTest::addColumn<SessionPhase>("phase"); // asked while this block of this phase waits
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("cancels"); // 0: a stop is asked for
        QTest::addColumn<SessionStatus>("status");
        QTest::addColumn<int>("failedBlock");
        QTest::addColumn<int>("blocksSent");
        QTest::addColumn<QString>("account");
        const SessionJob read = SessionJob::Read, store = SessionJob::Store;
        const SessionPhase reading = SessionPhase::Reading, storing = SessionPhase::Storing;
        QTest::newRow("read, cancelled") << read << reading << 2 << 1 << SessionStatus::LinkFailed
                                         << -1 << 0 << "OOOOOOOOOOOOOOOO";
        QTest::newRow("read before a store, cancelled")
            << store << reading << 2 << 1 << SessionStatus::LinkFailed << -1 << 0
            << "OOOOOOOOOOOOOOOO";
        QTest::newRow("store, stopped: after the block in flight")
            << store << storing << 2 << 0 << SessionStatus::Stopped << 3 << 3 << "NNNOOOOOOOOOOOOO";
        QTest::newRow("store, cancelled twice: at once")
            << store << storing << 2 << 2 << SessionStatus::LinkFailed << 2 << 3
            << "NN?OOOOOOOOOOOOO";
        QTest::newRow("store, stopped in its last block: no read-back")
            << store << storing << 15 << 0 << SessionStatus::ReadBackFailed << -1 << 16
            << "NNNNNNNNNNNNNNNN";
    }

    void stopOrCancel_endsTheJobAndTheNextOneRuns() {
        QFETCH(SessionJob, job);
        QFETCH(SessionPhase, phase);
        QFETCH(int, block);
        QFETCH(int, cancels);
        QFETCH(int, blocksSent);
        auto bench = Bench::identified();
        QCOMPARE(bench->session.read(), Admission::Started);
        const EepromImage before = moduleHolds(*bench);
        bench->session.setReadBeforeStore(true);
        bench->session.setVerifyAfterStore(true);
        QSignalSpy refused(&bench->session, &SessionClient::refused);
        std::optional<Admission> queuedRead;
        connect(&bench->session, &SessionClient::progress, this, [&](SessionPhase at, int address) {
            // The first address of a block stored, the last of the one before it read.
            if (queuedRead || at != phase ||
                address != block * kBlockSize - (at == SessionPhase::Reading))
                return;
            queuedRead = bench->session.read();
            bench->during(500, [&] {
                if (cancels == 0)
                    bench->session.requestStop();
                for (int i = 0; i < cancels; ++i)
                    bench->session.cancel();
            });
        });
        const int readsBefore = bench->reads();
        if (job == SessionJob::Read)
            QCOMPARE(bench->session.read(), Admission::Started);
        else
            QCOMPARE(bench->session.store(descending()), Admission::Started);
        const SessionOutcome outcome = bench->session.lastOutcome();
        QTEST(outcome.status, "status");
        QTEST(outcome.failedBlock, "failedBlock");
        QTEST(accountOf(outcome), "account");
        if (outcome.status == SessionStatus::LinkFailed)
            QVERIFY2(outcome.message.contains("Cancel was pressed."), qPrintable(outcome.message));
        QCOMPARE(bench->stores(), blocksSent);
        // The read asked for meanwhile did not run, and neither did a read-back.
        QCOMPARE(queuedRead, std::optional(Admission::Queued));
        QCOMPARE(refused.size(), 1);
        QVERIFY(bench->reads() - readsBefore <= kCheckedRead);
        EepromImage expected = before;
        for (int a = 0; a < blocksSent * kBlockSize; ++a)
            expected.setValue(a, descending().value(a));
        // Every block sent was confirmed, so the session still knows the memory exactly.
        if (outcome.status != SessionStatus::LinkFailed)
            QCOMPARE(bench->session.moduleImage(), std::optional(expected));
        // The link works again: the next job runs to its end.
        QCOMPARE(bench->session.read(), Admission::Started);
        QVERIFY(bench->session.lastOutcome().ok());
        QCOMPARE(bench->session.lastOutcome().received, expected);
    }

    // Passes start on the interval's beat until the duration is over, or end when the loop is
    // turned off during a pass; each input answers its own ramp, a silent one -1, one not read
    // -1. A pass the line cuts short is handed to no one.
    void readInputs_passesOnTimeUntilDoneOrStopped() {
        SimulatorFaults faults;
        faults.dropAfterCommands = 20 * 3 + 3 * 3 + 2; // two readings into the fourth looping pass
        Bench bench(ModuleKind::Threshold, faults);
        bench.module.setLevelPattern({LevelPattern::Shape::Ramp, 1});
        std::vector<LevelPass> passes;
        connect(&bench.session, &SessionClient::passRead, this,
                [&](const LevelPass &pass) { passes.push_back(pass); });
        bench.session.setInputsLooping(true);
        QCOMPARE(bench.session.readInputs({{1, 2, 9}, 50'000, 1'000'000}), Admission::Started);
        QVERIFY(bench.session.lastOutcome().ok());
        QCOMPARE(passes.size(), 20u);
        bench.module.setAnalogLevel(2, -1);
        QCOMPARE(bench.session.readInputs({{1, 2, 9}, 0, std::nullopt}), Admission::Started);
        QCOMPARE(bench.session.lastOutcome().status, SessionStatus::LinkFailed);
        QCOMPARE(passes.size(), 23u);
        for (int k = 0; k < 23; ++k) {
            const LevelPass &pass = passes.at(k);
            QCOMPARE(pass.number, k < 20 ? k + 1 : k - 19);
            QCOMPARE(pass.inputs, (std::vector<int>{1, 2, 9}));
            if (k < 20)
                QCOMPARE(pass.startedMicros - passes.front().startedMicros, k * 50'000);
            std::array<int, map::kAnalogInputs> levels{};
            levels.fill(-1);
            levels[1] = 16 + k;
            levels[2] = k < 20 ? 32 + k : -1;
            levels[9] = 144 + k;
            QCOMPARE(pass.levels, levels);
        }
    }

    // Turned off, a loop ends after the pass under way: that pass is the last one handed out.
    void readInputs_loopTurnedOffEndsAfterItsPass() {
        Bench bench(ModuleKind::Threshold);
        int passes = 0;
        connect(&bench.session, &SessionClient::passRead, this, [&](const LevelPass &) {
            if (++passes == 3)
                bench.session.setInputsLooping(false);
        });
        bench.session.setInputsLooping(true);
        QCOMPARE(bench.session.readInputs({{0, 15}, 50'000, std::nullopt}), Admission::Started);
        QVERIFY(bench.session.lastOutcome().ok());
        QCOMPARE(passes, 3);
        QCOMPARE(bench.module.commands().size(), 6u);
    }
};

TESSEL_TEST_OBJECT(ModuleSessionTest);
#include "test_ModuleSession.moc"
