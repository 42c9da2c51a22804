#pragma once

#include "cli/commands/ModuleRecord.h"
#include "cli/production/UnitDispenser.h"
#include "core/EepromImage.h"
#include "core/ModuleKind.h"
#include "session/ModuleSession.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace tessel {

// What a station reports while it works; the run shows it and keeps the totals.
struct StationEvent {
    enum class Type {
        Waiting,    // no module answers yet (or the last one was removed)
        Identified, // a module answered; `text` says what it is
        Progress,   // `phase` Storing or Verifying, `block` 1..16
        Done,       // the module ended ok: replace it
        Failed,     // the module did not end ok; `text` says why
        PortFailed, // the port could not be opened or was lost; the station ends
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
    // Saves the module's memory before the store; none skips the backup.
    BackupFn backup;
    // Every reply is waited for at least this long (--reply-wait); 0 for the usual waits.
    qint64 leastReplyWaitMicros = 0;
    // With a units file: each module is given the profile with its own unit's settings.
    UnitDispenser *units = nullptr;
};

// One port of a production run: waits for a module, identifies it, programs and checks it,
// waits until it is removed, and starts again.
//
// Each station runs in a thread of its own, with its own channel, link, protocol and session
// created there. The link's waits run the event loop from inside the exchange (nested
// processEvents); with every port on the one main thread, a port's wait would run inside
// another's and could only return when that one returned, so one slow module would hold up
// every other port. Threads share nothing here: a station only reports, through queued
// signals, to the run in the main thread, which writes the record file and the terminal.
class ProductionStation : public QObject {
    Q_OBJECT
public:
    ProductionStation(int index, QString port, StationSetup setup);

    // From any thread: stop waiting for modules. A module in progress is finished first
    // (its store and its check), then the station ends. A wait for a module or for its
    // removal is woken at once, so that the run ends as soon as its last record is written.
    void requestStop();
    // In the station's thread (a queued call reaches it during the link's waits): a store
    // under way ends after the block in flight, and says what the module then holds.
    void stopStoreNow();

    // Runs until the port is lost or a stop was asked for; in the station's own thread.
    void run();

Q_SIGNALS:
    void event(const tessel::StationEvent &event);
    // Connected blocking: returns when the record is on disk, so that no next module starts
    // before its predecessor's record is safe.
    void moduleFinished(const tessel::ModuleRecord &record);
    void ended();

private:
    void cycle(ModuleSession &session);
    // Waits until a module answers the link test; false on a stop or a lost port.
    bool waitForModule(ModuleProtocol &protocol);
    // Waits until the module stops answering; false on a stop or a lost port.
    bool waitForRemoval(ModuleProtocol &protocol);
    // Sleeps `ms` between two link tests, woken early by a stop.
    void pause(int ms);
    // The module's record; nothing when no unit was left for it (nothing was stored, and the
    // station ends).
    std::optional<ModuleRecord> programModule(ModuleSession &session);
    // The image for the module: the profile, or with units the next unit's; nothing when no
    // unit will come (the port's line says why).
    std::optional<EepromImage> imageFor(ModuleRecord &record);
    // Fills in how the store (and its check) ended.
    void judgeStore(const SessionOutcome &outcome, const ControllerLink &link,
                    ModuleRecord &record) const;
    void report(StationEvent::Type type, const QString &text = {});

    int m_index;
    QString m_port;
    StationSetup m_setup;
    std::atomic<bool> m_stop = false;
    std::mutex m_pauseMutex;
    std::condition_variable m_pauseEnd;
    // In the station's thread only:
    bool m_endStores = false;
    bool m_betweenModules = false;      // waiting for a module, or for its removal
    ModuleSession *m_session = nullptr; // while run() runs
};

} // namespace tessel

Q_DECLARE_METATYPE(tessel::StationEvent)
Q_DECLARE_METATYPE(tessel::ModuleRecord)
