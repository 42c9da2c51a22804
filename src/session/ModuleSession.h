// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Commands.h"
#include "link/protocol/ModuleProtocol.h"
#include "link/protocol/SettingsTransfer.h"
#include "session/LevelMonitor.h"
#include "session/SessionOutcome.h"

#include <QObject>
#include <QStringList>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>

namespace tessel {

// How long the session insists before it reports that a module does not answer. A window
// offers Cancel and waits as long as the operator does; the command line bounds every wait.
struct SessionLimits {
    int linkTestAttempts = 0;       // link tests before each identification; 0 for none
    AttemptLimit identifyAttempts;  // identification attempts
    AttemptLimit blockReadAttempts; // attempts at each block of a read or a read-back
};

// The limits of a run nobody watches over each wait (the command line, a production station):
// every wait is bounded, so that no silent or confused module holds it up.
inline constexpr int kBoundedIdentifyAttempts = 10;
inline constexpr int kBoundedBlockReadAttempts = 3;
[[nodiscard]] SessionLimits boundedLimits();

class ModuleSession;

// Where a copy of the module's memory went before a store, or why none could be made.
struct BackupResult {
    QString where;
    QString error; // non-empty: the store is not started and the operator is told this
};
// Called in the session's thread.
using BackupFn = std::function<BackupResult(const ModuleSession &session)>;

// One job for the session.
struct SessionRequest {
    SessionJob job = SessionJob::Identify;
    EepromImage image;            // what a store sends
    std::optional<int> linkTests; // an identification's link tests, in place of the limits'
    LevelRun levels;              // what ReadInputs reads, how often and how long
    // A link test that waits this long for its answer and takes one later than twice that as
    // lost, for a module whose pace is known; none for the usual waits.
    std::optional<qint64> linkTestWaitMicros;
};

// Why no store may go to the module at all (none identified, an unknown kind); empty when
// one may.
[[nodiscard]] QString moduleRefusal(const std::optional<wire::IdentityReply> &identity);
// Why a store of `image` would be refused; `invalidFields` are the fields the owner's own
// checks reject, named as the operator knows them ("serial of device 2").
[[nodiscard]] QString storeRefusal(const std::optional<wire::IdentityReply> &identity,
                                   const QStringList &invalidFields, const EepromImage &image);

// The attached module: who it is, what its memory holds as far as the program knows, and the
// jobs that talk to it. It lives on the thread that waits for the module and runs one job
// at a time there, to its end; windows and the command line reach it through a SessionClient,
// which keeps the queue and mirrors what is known here. Only requestStop(), cancel(),
// setInputsLooping() and abort() may be called from other threads.
class ModuleSession : public QObject {
    Q_OBJECT
public:
    // How long a job after a loop of analog readings lets a late level come before it empties
    // the receive queue.
    static constexpr qint64 kSettleMicros = 2'000'000;

    explicit ModuleSession(ModuleProtocol &protocol, SessionLimits limits = {},
                           QObject *parent = nullptr);

    // Runs `request` to its end (emitting started, phases, progress and finished). A store or
    // factory reset is checked again here: an identification run ahead of it may have found
    // another module.
    void run(const SessionRequest &request);

    [[nodiscard]] const std::optional<wire::IdentityReply> &identity() const { return m_identity; }
    [[nodiscard]] std::optional<ModuleKind> kind() const;
    // The module's memory as last read from it or stored to it; nothing while unknown (before
    // the first read, after another identification, after a store that failed part way).
    [[nodiscard]] const std::optional<EepromImage> &moduleImage() const { return m_moduleImage; }

    // Whether a store is followed by reading the memory back and comparing it; on at first.
    void setVerifyAfterStore(bool verify) { m_verifyAfterStore = verify; }
    // Called before a store or factory reset sends anything, with the kind known and the
    // memory as last read (read first when unknown); none at first.
    void setBackup(BackupFn backup) { m_backup = std::move(backup); }
    // Whether every store and factory reset first reads the memory, whatever is known of it,
    // so that the backup holds what the module holds at that moment (another module may have
    // taken the old one's place on the line). A store then ends ModuleChanged, sending
    // nothing, when that memory is not what was last read or stored. Off at first.
    void setReadBeforeStore(bool read) { m_readBeforeStore = read; }

    // From any thread. Asks the running job to end: a store before its next block (the block
    // in flight is still confirmed, so the module holds each block either wholly new or wholly
    // old; asked during the last block, it ends without its read-back), a loop of analog
    // readings after its pass. Reads, identifications and a store's read-back are not stopped
    // here: they change nothing on the module, and their waits end with abort() or cancel().
    void requestStop();
    // From any thread: the operator's Cancel. A store stops after the block in flight as
    // requestStop does; anything else, or a store asked a second time, ends its waits at once.
    // The link works again for the next job.
    void cancel();
    // From any thread: whether a loop of analog readings goes on after its pass.
    void setInputsLooping(bool looping);
    // A wait that hears nothing from the module for longer than this takes it to have left
    // (ModuleLink::setSilenceLimit); 0 (at first) for no limit.
    void setSilenceLimit(qint64 micros) { m_protocol.link().setSilenceLimit(micros); }
    // From any thread: every wait ends at once, for good (the program is ending).
    void abort() { m_protocol.link().abort(); }

    [[nodiscard]] ModuleProtocol &protocol() { return m_protocol; }

Q_SIGNALS:
    void started(tessel::SessionJob job);
    void phaseChanged(tessel::SessionPhase phase);
    // Before each link test of an identification: attempt 1..attempts.
    void linkTestAttempt(int attempt, int attempts);
    // The address 0..255 being read, stored or read back.
    void progress(tessel::SessionPhase phase, int address);
    // A whole pass of analog readings.
    void passRead(const tessel::LevelPass &pass);
    void finished(const tessel::SessionOutcome &outcome);

private:
    SessionOutcome runJob(const SessionRequest &request);
    SessionOutcome runIdentify(const SessionRequest &request);
    SessionOutcome runRead();
    SessionOutcome runStore(const SessionRequest &request);
    SessionOutcome runReadInputs(const SessionRequest &request);
    SessionOutcome runLinkTest(std::optional<qint64> waitMicros);
    // Why no link test was answered with 88: no answer at all, answers out of step, or the
    // line failed.
    [[nodiscard]] SessionOutcome unansweredLinkTests() const;
    // After a loop of analog readings: a level asked for last may still come, and is not to be
    // taken for the next job's reply.
    void settleAfterInputs();
    [[nodiscard]] bool inputsGoOn();
    // Reads the memory where a store needs it first; false, with the outcome saying why, when
    // the store must not go on.
    bool readBeforeStore(const SessionRequest &request, SessionOutcome &outcome);
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
    // The protocol's count of garbled stores when this module's identification began.
    int m_garbledAtIdentity = 0;
    bool m_verifyAfterStore = true;
    BackupFn m_backup;
    bool m_readBeforeStore = false;
    // When a loop of analog readings ended, for the job after it to settle; nothing when none
    // did since the last job.
    std::optional<qint64> m_inputsEndedAt;

    // What other threads see of the running job.
    std::mutex m_state;
    bool m_running = false;
    std::optional<SessionPhase> m_phase;
    std::atomic<bool> m_stopRequested = false;
    std::atomic<bool> m_inputsLooping = false;
};

} // namespace tessel
