#pragma once

#include "core/Commands.h"
#include "link/protocol/ModuleProtocol.h"
#include "link/protocol/SettingsTransfer.h"
#include "session/SessionOutcome.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

namespace tessel {

// How long the session insists before it reports that a module does not answer. A window
// offers Cancel and waits as long as the operator does; the command line bounds every wait.
struct SessionLimits {
    int linkTestAttempts = 0;       // link tests before each identification; 0 for none
    AttemptLimit identifyAttempts;  // identification attempts
    AttemptLimit blockReadAttempts; // attempts at each block of a read or a read-back
};

class ModuleSession;

// Where a copy of the module's memory went before a store, or why none could be made.
struct BackupResult {
    QString where;
    QString error; // non-empty: the store is not started and the operator is told this
};
using BackupFn = std::function<BackupResult(const ModuleSession &session)>;

// The attached module as the windows and the command line share it: who it is, what its
// memory holds as far as the program knows, and the transfers to and from it.
//
// Everything runs on the GUI thread. Transfers run one at a time; waiting for the module keeps
// the event loop running, so a request can arrive while one runs. It is then kept and run
// next, or refused when one is already kept: at most one transfer waits, so a burst of
// clicks can never pile up stores the operator no longer sees.
class ModuleSession : public QObject {
    Q_OBJECT
public:
    explicit ModuleSession(ModuleProtocol &protocol, SessionLimits limits = {},
                           QObject *parent = nullptr);

    // Requests. A refused or queued one returns at once (with the signal that says so); a
    // started one returns when it, and whatever was queued behind it, has finished.
    Admission identify();
    Admission read();
    // The image is copied here: edits the caller makes afterwards, even while this store
    // waits in the queue or for the module, do not change what is sent.
    Admission store(const EepromImage &image);
    // Stores the factory set of the identified module's kind. A window passes the mode byte it
    // shows, which replaces the set's own: the operator's communication mode survives a reset.
    Admission factoryReset(std::optional<int> keptModeByte = std::nullopt);

    [[nodiscard]] const std::optional<wire::IdentityReply> &identity() const { return m_identity; }
    // Nothing before an identification, or when the module reports a kind this program
    // does not know.
    [[nodiscard]] std::optional<ModuleKind> kind() const;
    // The module's memory as last read from it or stored to it; nothing while unknown (before
    // the first read, after another identification, after a store that failed part way).
    [[nodiscard]] const std::optional<EepromImage> &moduleImage() const { return m_moduleImage; }

    // Why a store of this image would be refused now; empty when it may be stored.
    [[nodiscard]] QString storeRefusal(const EepromImage &image) const;
    // The fields the owner's own checks reject, named as the operator knows them ("serial of
    // device 2"); while any is set, every store is refused naming them.
    void setInvalidFields(const QStringList &fields) { m_invalidFields = fields; }

    // Whether a store is followed by reading the memory back and comparing it; on at first.
    void setVerifyAfterStore(bool verify) { m_verifyAfterStore = verify; }
    [[nodiscard]] bool verifyAfterStore() const { return m_verifyAfterStore; }
    // Called before a store or factory reset sends anything, with the kind known and the
    // memory as last read (read first when unknown); none at first.
    void setBackup(BackupFn backup) { m_backup = std::move(backup); }
    // Whether every store and factory reset first reads the memory, whatever is known of it,
    // so that the backup holds what the module holds at that moment (another module may have
    // taken the old one's place on the line). A store then ends ModuleChanged, sending
    // nothing, when that memory is not what was last read or stored. Off at first.
    void setReadBeforeStore(bool read) { m_readBeforeStore = read; }

    // Asks the running store to end before its next block: the block in flight is still
    // confirmed, so the module holds each block either wholly new or wholly old, and the store
    // ends Stopped (asked during the last block, it ends without its read-back). The job waiting
    // behind it is dropped. Reads, identifications and a store's
    // read-back are not stopped here: they change nothing on the module, and their waits end
    // with the link's abort.
    void requestStop();
    // The operator's Cancel: a store stops after the block in flight as requestStop does;
    // anything else, or a store asked a second time, ends its waits at once. The link works
    // again for the next job.
    void cancel();

    // True while a job runs.
    [[nodiscard]] bool busy() const { return m_running.has_value(); }
    // The job that runs; nothing while none does.
    [[nodiscard]] std::optional<SessionJob> runningJob() const { return m_running; }
    // What the running job is doing; nothing while none runs.
    [[nodiscard]] std::optional<SessionPhase> phase() const { return m_phase; }
    // The job kept to run next, if any.
    [[nodiscard]] std::optional<SessionJob> waitingJob() const;
    // How the most recent job ended.
    [[nodiscard]] const SessionOutcome &lastOutcome() const { return m_lastOutcome; }

    [[nodiscard]] ModuleProtocol &protocol() { return m_protocol; }

Q_SIGNALS:
    void queued(tessel::SessionJob job);
    void refused(tessel::SessionJob job, const QString &message);
    void started(tessel::SessionJob job);
    void phaseChanged(tessel::SessionPhase phase);
    // Before each link test of an identification: attempt 1..attempts.
    void linkTestAttempt(int attempt, int attempts);
    // The address 0..255 being read, stored or read back.
    void progress(tessel::SessionPhase phase, int address);
    void finished(const tessel::SessionOutcome &outcome);

private:
    struct Request {
        SessionJob job;
        EepromImage image; // what a store sends
    };

    Admission submit(Request request);
    Admission refuse(SessionJob job, const QString &message);
    // Why no store may go to the module at all (none identified, an unknown kind).
    [[nodiscard]] QString moduleRefusal() const;
    SessionOutcome run(const Request &request);
    SessionOutcome runIdentify();
    SessionOutcome runRead();
    SessionOutcome runStore(const Request &request);
    // Reads the memory where a store needs it first; false, with the outcome saying why, when
    // the store must not go on.
    bool readBeforeStore(const Request &request, SessionOutcome &outcome);
    // Runs the backup before a store; false, with the outcome saying why, when the store must
    // not go on.
    bool backUp(SessionOutcome &outcome);
    // What is still known of the module's memory after a store that did not end.
    void forgetUnconfirmedBlocks(const SessionOutcome &outcome);
    void readBack(SessionOutcome &outcome, const std::optional<EepromImage> &before);
    // Reads `blocks` again (checked) after a store that did not end well, so that the account
    // says what they hold rather than what the confirmations suggest; false when they could
    // not be read. `before` is the memory before the store, when known.
    bool readAgain(SessionOutcome &outcome, const std::optional<EepromImage> &before,
                   const std::vector<int> &blocks);
    void enterPhase(SessionPhase phase);
    ProgressFn progressOf(SessionPhase phase);

    ModuleProtocol &m_protocol;
    SessionLimits m_limits;
    std::optional<wire::IdentityReply> m_identity;
    std::optional<EepromImage> m_moduleImage;
    QStringList m_invalidFields;
    bool m_verifyAfterStore = true;
    BackupFn m_backup;
    bool m_readBeforeStore = false;
    std::optional<SessionJob> m_running;
    std::optional<SessionPhase> m_phase;
    bool m_stopRequested = false;
    std::optional<Request> m_waiting;
    bool m_dispatching = false; // the loop that runs jobs one after another is active
    SessionOutcome m_lastOutcome;
};

} // namespace tessel
