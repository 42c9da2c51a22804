// SPDX-License-Identifier: Apache-2.0
#include "session/SessionClient.h"

#include "core/MemoryMap.h"
#include "link/protocol/ModuleConnection.h"

#include <QEventLoop>
#include <QThread>

namespace tessel {

namespace {
SessionRequest requestFor(SessionJob job, EepromImage image = {}) {
    SessionRequest request;
    request.job = job;
    request.image = std::move(image);
    return request;
}
} // namespace

// The line and the session a client built; made, used and destroyed in the session's thread.
struct SessionClient::Line {
    std::unique_ptr<ModuleConnection> connection;
    std::unique_ptr<ModuleSession> session;
};

std::unique_ptr<SessionClient> SessionClient::onThread(ConnectionOpener open,
                                                       SessionLimits limits) {
    return std::unique_ptr<SessionClient>(new SessionClient(std::move(open), limits, true));
}

std::unique_ptr<SessionClient> SessionClient::inCallerThread(ConnectionOpener open,
                                                             SessionLimits limits) {
    return std::unique_ptr<SessionClient>(new SessionClient(std::move(open), limits, false));
}

SessionClient::SessionClient(ConnectionOpener open, SessionLimits limits, bool ownThread)
    : m_opener(std::move(open)), m_limits(limits) {
    qRegisterMetaType<tessel::SessionJob>();
    qRegisterMetaType<tessel::SessionPhase>();
    qRegisterMetaType<tessel::SessionOutcome>();
    qRegisterMetaType<tessel::LevelPass>();
    if (!ownThread)
        return;
    m_thread = std::make_unique<QThread>();
    m_thread->setObjectName(QStringLiteral("module session"));
    m_context = new QObject;
    m_context->moveToThread(m_thread.get());
    m_thread->start();
}

SessionClient::SessionClient(ModuleSession &session, QObject *parent) : QObject(parent) {
    attach(session);
    m_open = true;
    m_where = session.protocol().link().channel().name();
    m_clock = &session.protocol().link().clock();
}

SessionClient::~SessionClient() {
    if (!m_thread)
        return;
    abort();
    // The line's objects go in their own thread, once the job under way has seen the abort.
    QMetaObject::invokeMethod(
        m_context, [this] { m_line.reset(); }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_context;
}

void SessionClient::post(std::function<void()> fn) {
    if (m_context)
        QMetaObject::invokeMethod(m_context, std::move(fn), Qt::QueuedConnection);
    else
        fn();
}

void SessionClient::open() {
    if (m_opening || m_open)
        return;
    m_opening = true;
    // What the owner set before the line opened goes with the request to build it.
    post([this, opener = m_opener, limits = m_limits, verify = m_verifyAfterStore,
          backup = m_backup, readFirst = m_readBeforeStore] {
        build(opener, limits, [=](ModuleSession &session) {
            session.setVerifyAfterStore(verify);
            session.setBackup(backup);
            session.setReadBeforeStore(readFirst);
        });
    });
}

void SessionClient::build(const ConnectionOpener &open, SessionLimits limits,
                          const std::function<void(ModuleSession &)> &settings) {
    QString error;
    std::unique_ptr<ModuleConnection> connection = open(error);
    QString where;
    const LinkClock *clock = nullptr;
    if (connection) {
        auto line = std::make_unique<Line>();
        line->session = std::make_unique<ModuleSession>(connection->protocol(), limits);
        line->connection = std::move(connection);
        where = line->connection->where();
        clock = &line->connection->link().clock();
        connect(&line->connection->link().channel(), &ByteChannel::lost, this,
                &SessionClient::onLost);
        settings(*line->session);
        attach(*line->session);
        m_line = std::move(line);
    }
    QMetaObject::invokeMethod(
        this, [this, error, where, clock] { onOpened(error, where, clock); },
        m_context ? Qt::QueuedConnection : Qt::DirectConnection);
}

void SessionClient::attach(ModuleSession &session) {
    // Across threads these connections are queued: what the session says reaches the
    // client's thread in the order it was said.
    connect(&session, &ModuleSession::started, this, &SessionClient::onStarted);
    connect(&session, &ModuleSession::phaseChanged, this, &SessionClient::onPhaseChanged);
    connect(&session, &ModuleSession::linkTestAttempt, this, &SessionClient::linkTestAttempt);
    connect(&session, &ModuleSession::progress, this, &SessionClient::progress);
    connect(&session, &ModuleSession::passRead, this, &SessionClient::passRead);
    connect(&session, &ModuleSession::finished, this, &SessionClient::onFinished);
    m_session = &session;
}

void SessionClient::onOpened(const QString &error, const QString &where, const LinkClock *clock) {
    m_opening = false;
    m_open = error.isEmpty();
    m_openError = error;
    m_where = where;
    m_clock = clock;
    Q_EMIT opened(error);
    if (!busy())
        Q_EMIT idle();
}

std::optional<ModuleKind> SessionClient::kind() const {
    if (!m_identity)
        return std::nullopt;
    return m_identity->moduleKind();
}

QString SessionClient::storeRefusal(const EepromImage &image) const {
    return tessel::storeRefusal(m_identity, m_invalidFields, image);
}

std::optional<SessionJob> SessionClient::waitingJob() const {
    if (!m_waiting)
        return std::nullopt;
    return m_waiting->job;
}

QString SessionClient::lineFailure() const {
    if (m_aborted)
        return SessionClient::tr("The transfer was cancelled.");
    return m_lineFailure;
}

Admission SessionClient::identify(std::optional<int> linkTests) {
    SessionRequest request = requestFor(SessionJob::Identify);
    request.linkTests = linkTests;
    return submit(std::move(request));
}

Admission SessionClient::read() {
    return submit(requestFor(SessionJob::Read));
}

Admission SessionClient::store(const EepromImage &image) {
    if (const QString why = storeRefusal(image); !why.isEmpty())
        return refuse(SessionJob::Store, why);
    return submit(requestFor(SessionJob::Store, image));
}

Admission SessionClient::factoryReset(std::optional<int> keptModeByte) {
    if (const QString why = moduleRefusal(m_identity); !why.isEmpty())
        return refuse(SessionJob::FactoryReset, why);
    EepromImage image = factoryImage(*kind());
    if (keptModeByte)
        image.setValue(map::kModeByte, *keptModeByte);
    if (const auto bad = image.badEntries(); !bad.empty())
        return refuse(SessionJob::FactoryReset,
                      SessionClient::tr("Nothing was stored: %1.").arg(describeBadEntries(bad)));
    return submit(requestFor(SessionJob::FactoryReset, image));
}

Admission SessionClient::testLink(std::optional<qint64> waitMicros) {
    SessionRequest request = requestFor(SessionJob::LinkTest);
    request.linkTestWaitMicros = waitMicros;
    return submit(std::move(request));
}

Admission SessionClient::readInputs(LevelRun levels) {
    if (!m_open || m_running)
        return Admission::Refused; // a reading is never worth a message, nor a place in line
    SessionRequest request = requestFor(SessionJob::ReadInputs);
    request.levels = std::move(levels);
    begin(request);
    return Admission::Started;
}

void SessionClient::setInputsLooping(bool looping) {
    if (ModuleSession *session = m_session)
        session->setInputsLooping(looping);
}

Admission SessionClient::refuse(SessionJob job, const QString &message) {
    Q_EMIT refused(job, message);
    return Admission::Refused;
}

Admission SessionClient::submit(SessionRequest request) {
    if (!m_open) {
        return refuse(request.job, SessionClient::tr("No line to a module is open; this %1 was not "
                                                     "started.")
                                       .arg(shownJobName(request.job)));
    }
    if (m_running) {
        if (m_waiting) {
            return refuse(request.job,
                          SessionClient::tr("The module is busy and another transfer already waits "
                                            "for it; this %1 was not started.")
                              .arg(shownJobName(request.job)));
        }
        if (m_running == SessionJob::ReadInputs)
            m_session.load()->setInputsLooping(false);
        m_waiting = std::move(request);
        Q_EMIT queued(m_waiting->job);
        return Admission::Queued;
    }
    begin(request);
    return Admission::Started;
}

void SessionClient::begin(const SessionRequest &request) {
    m_running = request.job;
    m_phase.reset();
    ModuleSession *session = m_session;
    if (m_context) {
        post([session, request] { session->run(request); });
        return;
    }
    // In the caller's thread a job asked for while another ends (from its finished signal)
    // runs once that one has returned, as on a thread of its own it would run after it.
    m_next = request;
    if (m_dispatching)
        return;
    m_dispatching = true;
    while (m_next) {
        const SessionRequest next = *std::exchange(m_next, std::nullopt);
        m_running = next.job;
        session->run(next);
    }
    m_dispatching = false;
    Q_EMIT idle();
}

void SessionClient::onStarted(SessionJob job) {
    m_running = job;
    Q_EMIT started(job);
}

void SessionClient::onPhaseChanged(SessionPhase phase) {
    m_phase = phase;
    Q_EMIT phaseChanged(phase);
}

void SessionClient::onFinished(const SessionOutcome &outcome) {
    m_lastOutcome = outcome;
    m_identity = outcome.identity;
    m_moduleImage = outcome.moduleImage;
    if (!outcome.lineFailure.isEmpty())
        m_lineFailure = outcome.lineFailure;
    m_running.reset();
    m_phase.reset();
    // The session learns of the kept job only now.
    if (m_waiting)
        begin(*std::exchange(m_waiting, std::nullopt));
    Q_EMIT finished(outcome);
    if (m_context && !busy())
        Q_EMIT idle();
}

void SessionClient::onLost(const QString &why) {
    m_lineFailure = why;
    Q_EMIT lost(why);
}

void SessionClient::dropWaiting(const QString &because) {
    if (std::optional<SessionRequest> dropped = std::exchange(m_waiting, std::nullopt))
        Q_EMIT refused(dropped->job, because.arg(shownJobName(dropped->job)));
}

void SessionClient::requestStop() {
    if (!m_running)
        return;
    m_session.load()->requestStop();
    dropWaiting(SessionClient::tr("The transfer before this %1 was stopped; it was not started."));
}

void SessionClient::cancel() {
    if (!m_running)
        return;
    m_session.load()->cancel();
    dropWaiting(SessionClient::tr("The transfer before this %1 was stopped; it was not started."));
}

void SessionClient::abort() {
    m_aborted = true;
    if (ModuleSession *session = m_session)
        session->abort();
}

void SessionClient::setVerifyAfterStore(bool verify) {
    m_verifyAfterStore = verify;
    postSetting([verify](ModuleSession &session) { session.setVerifyAfterStore(verify); });
}

void SessionClient::setBackup(BackupFn backup) {
    m_backup = backup;
    postSetting([backup](ModuleSession &session) { session.setBackup(backup); });
}

void SessionClient::setReadBeforeStore(bool read) {
    m_readBeforeStore = read;
    postSetting([read](ModuleSession &session) { session.setReadBeforeStore(read); });
}

void SessionClient::setSilenceLimit(qint64 micros) {
    postSetting([micros](ModuleSession &session) { session.setSilenceLimit(micros); });
}

void SessionClient::forgetOwedReplies() {
    postSetting([](ModuleSession &session) { session.protocol().forgetOwed(); });
}

void SessionClient::postSetting(std::function<void(ModuleSession &)> apply) {
    // Before the line is asked for, the setting goes with that request.
    if (!m_open && !m_opening)
        return;
    post([this, apply = std::move(apply)] {
        if (ModuleSession *session = m_session)
            apply(*session);
    });
}

void SessionClient::waitUntilIdle() {
    if (!m_context || (!m_opening && !busy()))
        return;
    QEventLoop loop;
    connect(this, &SessionClient::idle, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace tessel
