// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/ModuleSession.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace tessel {

class LinkClock;
class ModuleConnection;

// Builds the line to a module, in the thread that will wait on it; nothing, with the reason
// for the operator in `error`, when it cannot be opened.
using ConnectionOpener = std::function<std::unique_ptr<ModuleConnection>(QString &error)>;

// The session of one connection as the windows and the command line hold it, in their own
// thread: requests go to the session's thread as queued calls, and what the session knows
// (identity, kind, memory, the running job and its phase, how the last job ended, whether the
// line is gone) comes back with its signals and is kept here, so that a window can ask for it
// at any time without waiting.
//
// Jobs run one at a time. A request made while one runs is kept and sent once that one has
// ended, or refused when one is already kept: at most one job waits, so a burst of clicks can
// never pile up stores the operator no longer sees. A store copies its image when it is asked
// for. Analog readings are the exception: asked for while anything runs they are ignored, and a
// loop of them ends its pass when another job is asked for.
class SessionClient : public QObject {
    Q_OBJECT
public:
    // The session runs on a thread of its own, where `open` builds its line; opened() tells
    // how that went.
    [[nodiscard]] static std::unique_ptr<SessionClient> onThread(ConnectionOpener open,
                                                                 SessionLimits limits = {});
    // The session runs in the caller's thread, each request to its end before the call returns
    // (with its signals on the way): the tests' virtual clock then counts every poll exactly.
    [[nodiscard]] static std::unique_ptr<SessionClient> inCallerThread(ConnectionOpener open,
                                                                       SessionLimits limits = {});
    // The same over a session the caller owns.
    explicit SessionClient(ModuleSession &session, QObject *parent = nullptr);
    ~SessionClient() override;

    // Builds the line (once); with a session of its own thread, the caller's thread goes on.
    void open();
    // True once the line has been opened; false also while it is being opened.
    [[nodiscard]] bool isOpen() const { return m_open; }
    // What messages call the line ("/dev/ttyUSB0", "simulated Tessel module"), once open.
    [[nodiscard]] QString where() const { return m_where; }
    // Why the line could not be opened; empty when it was, or before it was tried.
    [[nodiscard]] QString openError() const { return m_openError; }
    // The clock of the line's waits, once open (any thread may read its time).
    [[nodiscard]] const LinkClock *clock() const { return m_clock; }

    // Requests. Started: handed to the session (which, in the caller's thread, has run it);
    // Queued: it runs after the running job; Refused: not taken (refused() says why).
    // `linkTests` replaces the session's own number of link tests before an identification.
    Admission identify(std::optional<int> linkTests = std::nullopt);
    Admission read();
    Admission store(const EepromImage &image);
    // Stores the factory set of the identified module's kind. A window passes the mode byte it
    // shows, which replaces the set's own: the operator's communication mode survives a reset.
    Admission factoryReset(std::optional<int> keptModeByte = std::nullopt);
    // Reads analog inputs once, or pass after pass while inputs loop (see LevelRun); ignored
    // while another job runs.
    Admission readInputs(LevelRun levels);
    // One link test: ends Done when the module answered it, NoAnswer when it did not. With
    // `waitMicros`, it waits that long (see ModuleProtocol::linkTestWithin).
    Admission testLink(std::optional<qint64> waitMicros = std::nullopt);
    // Whether a reading of analog inputs goes on after its pass (a window's "read constantly").
    void setInputsLooping(bool looping);

    // The running job ends as ModuleSession::requestStop says; the job waiting behind it is
    // dropped.
    void requestStop();
    // The operator's Cancel: as ModuleSession::cancel says; the job waiting is dropped.
    void cancel();
    // The program is ending: every wait of this line ends at once, for good.
    void abort();

    [[nodiscard]] const std::optional<wire::IdentityReply> &identity() const { return m_identity; }
    // Nothing before an identification, or when the module reports a kind this program
    // does not know.
    [[nodiscard]] std::optional<ModuleKind> kind() const;
    // The module's memory as last read from it or stored to it; nothing while unknown.
    [[nodiscard]] const std::optional<EepromImage> &moduleImage() const { return m_moduleImage; }
    // Why a store of this image would be refused now; empty when it may be stored.
    [[nodiscard]] QString storeRefusal(const EepromImage &image) const;
    // The fields the owner's own checks reject, named as the operator knows them; while any is
    // set, every store is refused naming them.
    void setInvalidFields(const QStringList &fields) { m_invalidFields = fields; }

    void setVerifyAfterStore(bool verify);
    [[nodiscard]] bool verifyAfterStore() const { return m_verifyAfterStore; }
    void setBackup(BackupFn backup);
    void setReadBeforeStore(bool read);
    // See ModuleSession::setSilenceLimit; takes effect from the next job asked for.
    void setSilenceLimit(qint64 micros);
    // The module was taken out: see ModuleProtocol::forgetOwed.
    void forgetOwedReplies();

    [[nodiscard]] bool busy() const { return m_running.has_value(); }
    [[nodiscard]] std::optional<SessionJob> runningJob() const { return m_running; }
    [[nodiscard]] std::optional<SessionPhase> phase() const { return m_phase; }
    [[nodiscard]] std::optional<SessionJob> waitingJob() const;
    [[nodiscard]] const SessionOutcome &lastOutcome() const { return m_lastOutcome; }
    // The line itself is gone (lost, or the program is ending), and why; a Cancel is not.
    [[nodiscard]] bool lineGone() const { return m_aborted || !m_lineFailure.isEmpty(); }
    [[nodiscard]] bool aborted() const { return m_aborted; }
    [[nodiscard]] QString lineFailure() const;

    // For the command line, whose commands run one after another: returns once the line is
    // open (or could not be) and no job runs or waits, running the caller's event loop
    // meanwhile so that the session's signals and the operator's signals (Ctrl-C) come in.
    // Never to be called from a window.
    void waitUntilIdle();

Q_SIGNALS:
    // The line is open, or could not be opened (`error` says why).
    void opened(const QString &error);
    void queued(tessel::SessionJob job);
    void refused(tessel::SessionJob job, const QString &message);
    void started(tessel::SessionJob job);
    void phaseChanged(tessel::SessionPhase phase);
    void linkTestAttempt(int attempt, int attempts);
    void progress(tessel::SessionPhase phase, int address);
    void passRead(const tessel::LevelPass &pass);
    void finished(const tessel::SessionOutcome &outcome);
    // The line stopped working, also while no job ran; `why` is for the operator.
    void lost(const QString &why);
    // No job runs or waits.
    void idle();

private:
    SessionClient(ConnectionOpener open, SessionLimits limits, bool ownThread);
    struct Line;

    Admission submit(SessionRequest request);
    Admission refuse(SessionJob job, const QString &message);
    void begin(const SessionRequest &request);
    // Runs `fn` in the session's thread, after every call posted before it.
    void post(std::function<void()> fn);
    // Hands a setting to the session, after every request asked for before it.
    void postSetting(std::function<void(ModuleSession &)> apply);
    // In the session's thread: builds the line and the session, with the owner's settings.
    void build(const ConnectionOpener &open, SessionLimits limits,
               const std::function<void(ModuleSession &)> &settings);
    void attach(ModuleSession &session);
    void onOpened(const QString &error, const QString &where, const LinkClock *clock);
    void onStarted(SessionJob job);
    void onPhaseChanged(SessionPhase phase);
    void onFinished(const SessionOutcome &outcome);
    void onLost(const QString &why);
    void dropWaiting(const QString &because);

    ConnectionOpener m_opener;
    SessionLimits m_limits;
    std::unique_ptr<QThread> m_thread;
    QObject *m_context = nullptr; // lives in the session's thread
    std::unique_ptr<Line> m_line; // the connection and session this client built
    std::atomic<ModuleSession *> m_session = nullptr;
    bool m_opening = false;
    bool m_open = false;
    // In the caller's thread: jobs run one after another, and the one to run next.
    bool m_dispatching = false;
    std::optional<SessionRequest> m_next;

    QString m_where;
    const LinkClock *m_clock = nullptr;
    QString m_openError;
    std::optional<wire::IdentityReply> m_identity;
    std::optional<EepromImage> m_moduleImage;
    QStringList m_invalidFields;
    bool m_verifyAfterStore = true;
    BackupFn m_backup;
    bool m_readBeforeStore = false;
    std::optional<SessionJob> m_running;
    std::optional<SessionPhase> m_phase;
    std::optional<SessionRequest> m_waiting;
    SessionOutcome m_lastOutcome;
    QString m_lineFailure;
    bool m_aborted = false;
};

} // namespace tessel
