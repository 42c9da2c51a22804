#include "cli/production/ProductionStation.h"

#include "cli/commands/ModuleCommands.h"
#include "link/protocol/ModuleConnection.h"
#include "session/StoreReport.h"

#include <QElapsedTimer>
#include <QScopedValueRollback>
#include <memory>

namespace tessel {

namespace {
// Between two link tests of a module that is done: often enough to see it go at once,
// rarely enough to leave the line quiet.
constexpr int kRemovalPollMs = 250;
// A module counts as removed after this many link tests in a row went unanswered.
constexpr int kSilentTestsForRemoval = 2;
// A link test that fails faster than this did not wait for the module (the line refused the
// command); the next one waits a little, so that a broken line never spins.
constexpr int kQuickFailureMs = 100;

// Whether a module whose store did not end ok may hold part of what was sent, beyond what it
// held `before`: anything but a store that sent nothing, or whose blocks that were to change
// all read back as they were.
bool mayHoldPartOf(const SessionOutcome &outcome, const std::optional<EepromImage> &before) {
    if (outcome.status == SessionStatus::Differs || outcome.status == SessionStatus::ReadBackFailed)
        return true;
    if (outcome.ok() || outcome.failedBlock < 0 ||
        (outcome.status == SessionStatus::Stopped && outcome.failedBlock == 0))
        return false;
    if (outcome.holds.size() != kBlockCount || !before)
        return true;
    for (int block = 0; block < kBlockCount; ++block) {
        if (outcome.sent.block(block) != before->block(block) &&
            outcome.holds[block] != BlockHolds::Old)
            return true;
    }
    return false;
}
} // namespace

ProductionStation::ProductionStation(int index, QString port, StationSetup setup)
    : m_index(index), m_port(std::move(port)), m_setup(std::move(setup)) {}

void ProductionStation::report(StationEvent::Type type, const QString &text) {
    StationEvent e;
    e.type = type;
    e.station = m_index;
    e.port = m_port;
    e.text = text;
    Q_EMIT event(e);
}

void ProductionStation::run() {
    // Everything that talks to the port is made here, in the station's thread.
    QString error;
    const std::unique_ptr<ModuleConnection> connection = ModuleConnection::openPort(m_port, error);
    if (!connection) {
        report(StationEvent::Type::PortFailed, error);
        Q_EMIT ended();
        return;
    }
    const ControllerLink &link = connection->link();
    connection->protocol().pace().setLeastWait(m_setup.leastReplyWaitMicros);
    ModuleSession session(connection->protocol(), commandLineLimits());
    session.setVerifyAfterStore(true);
    session.setBackup(m_setup.backup);
    connect(&session, &ModuleSession::progress, this, [this](SessionPhase phase, int address) {
        if (address % kBlockSize != kBlockSize - 1 || phase == SessionPhase::Reading)
            return;
        StationEvent e;
        e.type = StationEvent::Type::Progress;
        e.station = m_index;
        e.port = m_port;
        e.phase = phase;
        e.block = address / kBlockSize + 1;
        Q_EMIT event(e);
    });
    m_session = &session;
    cycle(session);
    m_session = nullptr;
    if (link.failed() && !link.aborted())
        report(StationEvent::Type::PortFailed, link.failure());
    Q_EMIT ended();
}

void ProductionStation::cycle(ModuleSession &session) {
    ModuleProtocol &protocol = session.protocol();
    while (!m_stop) {
        report(StationEvent::Type::Waiting);
        if (!waitForModule(protocol))
            return;
        const std::optional<ModuleRecord> programmed = programModule(session);
        if (!programmed)
            return;
        const ModuleRecord &record = *programmed;
        Q_EMIT moduleFinished(record);
        if (record.ok() || record.result == ModuleResult::AlreadyProgrammed)
            report(StationEvent::Type::Done);
        else
            report(StationEvent::Type::Failed, record.message);
        if (protocol.link().failed() || !waitForRemoval(protocol))
            return;
    }
}

void ProductionStation::requestStop() {
    {
        const std::lock_guard lock(m_pauseMutex);
        m_stop = true;
    }
    m_pauseEnd.notify_all();
    // A link test under way is cut short in the station's thread (a queued call reaches it
    // during the link's wait); a module being programmed is left to finish.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_betweenModules && m_session)
                m_session->protocol().link().abort();
        },
        Qt::QueuedConnection);
}

void ProductionStation::pause(int ms) {
    std::unique_lock lock(m_pauseMutex);
    m_pauseEnd.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop.load(); });
}

void ProductionStation::stopStoreNow() {
    m_stop = true;
    // Kept here, not only in the session: the session forgets a stop when its next job starts,
    // and a stop that comes while the module is identified or read must still keep its store
    // from starting.
    m_endStores = true;
    if (m_session)
        m_session->requestStop();
}

bool ProductionStation::waitForModule(ModuleProtocol &protocol) {
    const QScopedValueRollback between(m_betweenModules, true);
    QElapsedTimer attempt;
    while (!m_stop) {
        attempt.start();
        if (protocol.linkTestRepeated(1) > 0)
            return !m_stop;
        if (protocol.link().failed())
            return false;
        if (attempt.elapsed() < kQuickFailureMs)
            pause(kRemovalPollMs);
    }
    return false;
}

bool ProductionStation::waitForRemoval(ModuleProtocol &protocol) {
    const QScopedValueRollback between(m_betweenModules, true);
    int silent = 0;
    while (!m_stop) {
        if (protocol.linkTestRepeated(1) > 0) {
            silent = 0;
            pause(kRemovalPollMs);
            continue;
        }
        if (protocol.link().failed())
            return false;
        if (++silent >= kSilentTestsForRemoval)
            return true;
    }
    return false;
}

std::optional<ModuleRecord> ProductionStation::programModule(ModuleSession &session) {
    QElapsedTimer took;
    took.start();
    ModuleRecord record;
    record.port = m_port;
    record.kind = QStringLiteral("unknown");
    const ControllerLink &link = session.protocol().link();
    const auto finish = [&](ModuleResult result, const QString &message) {
        record.result = result;
        if (record.message.isEmpty())
            record.message = message;
        record.seconds = static_cast<double>(took.elapsed()) / 1000.0;
        const QDateTime now = QDateTime::currentDateTime();
        record.finished = now.toOffsetFromUtc(now.offsetFromUtc());
        return record;
    };

    session.identify();
    if (!session.identity()) {
        if (link.failed())
            return finish(ModuleResult::LinkLost, link.failure());
        // Not a module of the other kind: one that may well be a module to program, on a line
        // too slow or too noisy for it. It is not programmed, and the run's status says so.
        record.kind = QStringLiteral("unidentified");
        return finish(ModuleResult::Unidentified,
                      session.lastOutcome().message + QStringLiteral(" Nothing was stored."));
    }
    const wire::IdentityReply &identity = *session.identity();
    const std::optional<ModuleKind> kind = session.kind();
    record.kind = kind ? moduleKindKey(*kind) : QStringLiteral("unknown");
    record.firmwareVersion = identity.firmwareVersion();
    record.releaseYear = wire::releaseYearText(identity);
    report(StationEvent::Type::Identified, wire::identityLine(identity));
    if (kind != m_setup.kind) {
        return finish(ModuleResult::WrongKind,
                      QStringLiteral("this is not a %1 (%2); nothing was stored")
                          .arg(moduleKindName(m_setup.kind), wire::identityLine(identity)));
    }

    // The backup needs the memory as it is now.
    session.read();
    if (!session.lastOutcome().ok()) {
        if (link.failed())
            return finish(ModuleResult::LinkLost, session.lastOutcome().message);
        return finish(ModuleResult::StoreFailed,
                      session.lastOutcome().message +
                          QStringLiteral(" Its memory could not be read for the backup; nothing "
                                         "was stored."));
    }
    record.before = session.moduleImage();
    const std::optional<EepromImage> image = imageFor(record);
    if (!image)
        return std::nullopt;
    if (session.moduleImage() == *image) {
        // Put back after a pause that looked like its removal, or never taken out: storing
        // again would count one module twice.
        return finish(ModuleResult::AlreadyProgrammed,
                      QStringLiteral("it already holds the profile; nothing was stored"));
    }
    if (m_endStores) {
        return finish(ModuleResult::Stopped,
                      QStringLiteral("stopped before its store; nothing was stored"));
    }
    if (m_setup.units) {
        if (const QString error = m_setup.units->storing(record.unit, m_port); !error.isEmpty())
            return finish(ModuleResult::StoreFailed,
                          error + QStringLiteral("; nothing was stored"));
    }
    session.store(*image);
    judgeStore(session.lastOutcome(), link, record);
    record.unitMayBeStored =
        !record.unit.isEmpty() && mayHoldPartOf(session.lastOutcome(), record.before);
    return finish(record.result, {});
}

std::optional<EepromImage> ProductionStation::imageFor(ModuleRecord &record) {
    if (!m_setup.units)
        return m_setup.profile;
    const auto keepWaiting = [this] {
        pause(kRemovalPollMs);
        return !m_stop;
    };
    QString why;
    const std::optional<Unit> unit = m_setup.units->take(m_port, keepWaiting, why);
    if (!unit) {
        report(StationEvent::Type::Failed, why + QStringLiteral(": nothing was stored"));
        return std::nullopt;
    }
    record.unit = unit->label;
    record.unitSettings = unit->settings;
    report(StationEvent::Type::Identified, QStringLiteral("unit ") + unit->label);
    return unit->image;
}

void ProductionStation::judgeStore(const SessionOutcome &outcome, const ControllerLink &link,
                                   ModuleRecord &record) const {
    record.backup = outcome.backup;
    record.result = ModuleResult::Ok;
    if (outcome.ok())
        return;
    // The same account of what the module now holds, the backup and the next step as a
    // command-line store gives.
    record.message = storeReport(outcome, m_port);
    switch (outcome.status) {
    case SessionStatus::Differs:
        record.result = ModuleResult::VerifyFailed;
        for (const int block : outcome.differingBlocks())
            record.differingBlocks << block;
        return;
    case SessionStatus::ReadBackFailed:
        record.result = link.failed() ? ModuleResult::LinkLost : ModuleResult::VerifyFailed;
        return;
    default:
        record.result = link.failed() ? ModuleResult::LinkLost : ModuleResult::StoreFailed;
        return;
    }
}

} // namespace tessel
