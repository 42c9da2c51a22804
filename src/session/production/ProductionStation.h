// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"
#include "core/ModuleKind.h"
#include "session/SessionClient.h"
#include "session/production/AdapterWatch.h"
#include "session/production/ModuleRecord.h"
#include "session/production/UnitDispenser.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

namespace tessel {

// What a station reports while it works; the run shows it and keeps the totals.
struct StationEvent {
    enum class Type {
        Waiting,    // no module answers yet
        Removed,    // the module was taken out (or left during its work); waiting for the next
        Identified, // a module answered; `text` says what it is
        Progress,   // `phase` Storing or Verifying, `block` 0..15 done
        Done,       // the module ended ok: replace it
        Failed,     // the module did not end ok; `text` says why
        PortFailed, // the port could not be opened or was lost; the station ends
        PortGone,   // the adapter went away; the station waits for it to come back
        // After a module's record, while it is still in the jig: the line garbled a command
        // into a store it confirmed; `text` names its record and says what it holds now.
        Warning,
    };
    Type type = Type::Waiting;
    int station = 0;
    QString port;
    SessionPhase phase = SessionPhase::Storing;
    int block = 0;
    QString text;
};

// What every station of a run is given.
struct StationSetup {
    ModuleKind kind = ModuleKind::Tessel;
    EepromImage profile;
    // What saves the module's memory on a port before the store; none skips the backup. The
    // saving is called in the station's session thread.
    std::function<BackupFn(const QString &port)> backupOn;
    // Every reply is waited for at least this long (--reply-wait); 0 for none.
    qint64 leastReplyWaitMicros = 0;
    // With a units file: each module is given the profile with its own unit's settings.
    UnitDispenser *units = nullptr;
};

// One port of a production run: waits for a module, identifies it, programs and checks it,
// waits until it is removed, and starts again.
//
// Modules are alike and have no serial number, so a module is taken to be the same one only
// while it keeps answering: once it is done it is checked several times a second (link tests
// that wait as long as this module takes to answer, a few times over), and a module that
// leaves a single check unanswered and then answers is taken as a new module, since a swap
// may hide in that gap. While a module is worked on, a silence long enough to swap it ends
// the work (ModuleLink::setSilenceLimit): its record says what was confirmed before it left,
// nothing read afterwards counts as its own, and the next module to answer is a new one. An
// adapter that goes away is waited for and opened again (AdapterWatch).
//
// A station is the session of its port, on that session's own thread, as a window's is: the
// station itself lives in the run's thread and moves from step to step as the session's jobs
// end, so one slow module never holds up another port.
class ProductionStation : public QObject {
    Q_OBJECT
public:
    ProductionStation(int index, QString port, StationSetup setup, QObject *parent = nullptr);
    ~ProductionStation() override;

    // Opens the port and starts waiting for a module.
    void start();
    // Stop waiting for modules. A module in progress is finished first (its store and its
    // check), then the station ends. A wait for a module or for its removal ends at once, so
    // that the run ends as soon as its last record is written.
    void requestStop();
    // A store under way ends after the block in flight, and says what the module then holds;
    // a store not yet begun does not start.
    void stopStoreNow();

Q_SIGNALS:
    void event(const tessel::StationEvent &event);
    // Returns once the record is on disk, so that no next module starts before its
    // predecessor's record is safe.
    void moduleFinished(const tessel::ModuleRecord &record);
    void ended();

private:
    // Between two checks of a module that is done: often enough to see it go well within a
    // second, rarely enough to leave the line quiet (three bytes each).
    static constexpr int kRemovalPollMs = 200;
    // The shortest time in which a module can be taken out and another put in: a silence this
    // much longer than the module's usual answers ends the work on it.
    static constexpr qint64 kSwapMicros = 1'000'000;

    enum class Step {
        Opening,
        AwaitingModule,
        Identifying,
        Reading,
        AwaitingUnit,
        Storing,
        AwaitingRemoval,
        Rereading, // the module recorded, read again after a garbled check
        AwaitingAdapter,
        Ended
    };

    void open();
    void opened(const QString &error);
    void jobFinished(const SessionOutcome &outcome);
    void testLink();
    // The module found is worked on from its identification.
    void begin();
    // What a check waits for the module's answer: a few times what it has taken.
    [[nodiscard]] qint64 checkWaitMicros() const;
    // The adapter went away: the session goes, and the station waits for it to come back.
    void adapterGone();
    void dropSession();
    // The module left during its work (or the line went with it): nothing more of it counts.
    [[nodiscard]] bool moduleLeft(const SessionOutcome &outcome) const;
    void moduleAnswered(const SessionOutcome &outcome);
    void removalTested(const SessionOutcome &outcome);
    // The run was stopped or the line went, between modules: the station ends or waits for its
    // adapter. True when it did.
    bool stoppedOrLineGone();
    // A check after the record was garbled into a store that the module confirmed: the module
    // is still the one recorded, and is read again when what it held is known.
    void garbledAfterRecord(const QString &warning);
    void reread(const SessionOutcome &outcome);
    // "after the record of …": which record a warning after it belongs to.
    [[nodiscard]] QString afterRecord() const;
    void identified(const SessionOutcome &outcome);
    void readForBackup(const SessionOutcome &outcome);
    // With units: gives the module the next unit (or the one scanned for it), then stores.
    void takeUnit();
    void store(const EepromImage &image);
    void stored(const SessionOutcome &outcome);
    // Ends the module in progress with `result`, and goes on to wait for its removal.
    void finish(ModuleResult result, const QString &message);
    void awaitModule(StationEvent::Type type = StationEvent::Type::Waiting,
                     const QString &text = {});
    void end();
    // Between modules: waiting for one, or for its removal.
    [[nodiscard]] bool betweenModules() const;
    void report(StationEvent::Type type, const QString &text = {});
    void reportProgress(SessionPhase phase, int address);

    int m_index;
    QString m_port;
    StationSetup m_setup;
    std::unique_ptr<SessionClient> m_session;
    Step m_step = Step::Opening;
    bool m_stop = false;
    bool m_endStores = false;
    QTimer m_pause;          // between two link tests
    QTimer m_unitWait;       // between two looks for a scanned kit label
    QElapsedTimer m_attempt; // the link test under way
    QElapsedTimer m_took;    // the module in progress
    int m_silentTests = 0;
    // The slowest answer to a link test of the module in the jig (or of the last one, while
    // none is), on the line's clock; 0 before any module answered.
    qint64 m_replyMicros = 0;
    int m_checksAnswered = 0;   // of the module in the jig, after its store
    bool m_moduleLeft = false;  // the module in progress left during its work
    bool m_adapterLeft = false; // the adapter went away once: a port that does not open is
                                // waited for
    AdapterWatch m_adapter;
    ModuleRecord m_record;
    // A warning from a job before the module's identification: it belongs to the module that
    // answers next (one in the jig confirmed the store).
    QString m_warningBeforeModule;
    // What the recorded module held when its record was written, where that is known; and a
    // warning after its record, while it is read again.
    std::optional<EepromImage> m_heldAtRecord;
    QString m_warningAfterRecord;
};

} // namespace tessel

Q_DECLARE_METATYPE(tessel::StationEvent)
Q_DECLARE_METATYPE(tessel::ModuleRecord)
