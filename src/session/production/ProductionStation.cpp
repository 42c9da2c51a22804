// SPDX-License-Identifier: Apache-2.0
#include "session/production/ProductionStation.h"

#include "link/protocol/ModuleConnection.h"
#include "session/ModuleSession.h"
#include "session/StoreReport.h"

#include <QDateTime>

namespace tessel {

namespace {
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

ProductionStation::ProductionStation(int index, QString port, StationSetup setup, QObject *parent)
    : QObject(parent), m_index(index), m_port(std::move(port)), m_setup(std::move(setup)),
      m_adapter(m_port) {
    connect(&m_adapter, &AdapterWatch::back, this, &ProductionStation::open);
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &ProductionStation::testLink);
    m_unitWait.setSingleShot(true);
    connect(&m_unitWait, &QTimer::timeout, this, &ProductionStation::takeUnit);
}

ProductionStation::~ProductionStation() = default;

void ProductionStation::report(StationEvent::Type type, const QString &text) {
    StationEvent e;
    e.type = type;
    e.station = m_index;
    e.port = m_port;
    e.text = text;
    Q_EMIT event(e);
}

void ProductionStation::reportProgress(SessionPhase phase, int address) {
    if (address % kBlockSize != kBlockSize - 1 || phase == SessionPhase::Reading)
        return;
    StationEvent e;
    e.type = StationEvent::Type::Progress;
    e.station = m_index;
    e.port = m_port;
    e.phase = phase;
    e.block = address / kBlockSize;
    Q_EMIT event(e);
}

void ProductionStation::start() {
    open();
}

void ProductionStation::open() {
    if (m_stop) {
        end();
        return;
    }
    m_step = Step::Opening;
    const QString port = m_adapter.present();
    const qint64 leastWait = m_setup.leastReplyWaitMicros;
    m_session = SessionClient::onThread(
        [port, leastWait](QString &error) {
            std::unique_ptr<ModuleConnection> connection = ModuleConnection::openPort(port, error);
            if (connection)
                connection->protocol().pace().setLeastWait(leastWait);
            return connection;
        },
        boundedLimits());
    m_session->setVerifyAfterStore(true);
    if (m_setup.backupOn)
        m_session->setBackup(m_setup.backupOn(m_port));
    connect(m_session.get(), &SessionClient::opened, this, &ProductionStation::opened);
    connect(m_session.get(), &SessionClient::finished, this, &ProductionStation::jobFinished);
    connect(m_session.get(), &SessionClient::progress, this, &ProductionStation::reportProgress);
    m_session->open();
}

void ProductionStation::opened(const QString &error) {
    if (!error.isEmpty() && m_adapterLeft) {
        // The adapter is back but does not open yet (the system is still setting it up).
        m_step = Step::AwaitingAdapter;
        dropSession();
        m_adapter.start();
        return;
    }
    if (!error.isEmpty()) {
        report(StationEvent::Type::PortFailed, error);
        end();
        return;
    }
    awaitModule();
}

void ProductionStation::adapterGone() {
    if (!m_adapter.watchable()) {
        end();
        return;
    }
    report(StationEvent::Type::PortGone, m_session->lineFailure());
    m_step = Step::AwaitingAdapter;
    m_adapterLeft = true;
    m_pause.stop();
    dropSession();
    m_adapter.start();
}

void ProductionStation::dropSession() {
    // Its signal may be on its way out of it: it goes once that has returned.
    m_session->disconnect(this);
    m_session.release()->deleteLater();
}

bool ProductionStation::betweenModules() const {
    return m_step == Step::AwaitingModule || m_step == Step::AwaitingRemoval ||
           m_step == Step::AwaitingAdapter;
}

void ProductionStation::requestStop() {
    m_stop = true;
    if (!betweenModules())
        return; // the module in progress is finished first
    // A pause ends here, a link test under way in the session's thread, at once.
    m_pause.stop();
    m_adapter.stop();
    if (m_session && m_session->busy())
        m_session->cancel();
    else
        end();
}

void ProductionStation::stopStoreNow() {
    m_stop = true;
    // Kept here, not only in the session: a stop that comes while the module is identified or
    // read must still keep its store from starting.
    m_endStores = true;
    if (m_step == Step::Storing)
        m_session->requestStop();
    else
        requestStop();
}

void ProductionStation::awaitModule(StationEvent::Type type, const QString &text) {
    m_step = Step::AwaitingModule;
    m_session->setSilenceLimit(0);
    if (type == StationEvent::Type::Removed) {
        m_session->forgetOwedReplies();
        m_warningBeforeModule.clear();
    }
    report(type, text);
    testLink();
}

void ProductionStation::jobFinished(const SessionOutcome &outcome) {
    if (!outcome.warning.isEmpty()) {
        // Before a store the warning goes into the record; the store's own, and those after the
        // record, are taken where they are handled.
        if (m_step == Step::AwaitingModule)
            m_warningBeforeModule = outcome.warning;
        else if (m_step == Step::Identifying || m_step == Step::Reading)
            m_record.warning = outcome.warning;
    }
    switch (m_step) {
    case Step::AwaitingModule:
        moduleAnswered(outcome);
        return;
    case Step::AwaitingRemoval:
        removalTested(outcome);
        return;
    case Step::Identifying:
        identified(outcome);
        return;
    case Step::Reading:
        readForBackup(outcome);
        return;
    case Step::Storing:
        stored(outcome);
        return;
    case Step::Rereading:
        reread(outcome);
        return;
    case Step::Opening:
    case Step::AwaitingUnit:
    case Step::AwaitingAdapter:
    case Step::Ended:
        return;
    }
}

void ProductionStation::begin() {
    m_step = Step::Identifying;
    m_took.start();
    m_record = ModuleRecord();
    m_record.port = m_port;
    m_record.kind = QStringLiteral("unknown");
    m_record.warning = std::exchange(m_warningBeforeModule, {});
    m_moduleLeft = false;
    m_session->setSilenceLimit(kSwapMicros + checkWaitMicros());
    m_session->identify();
}

bool ProductionStation::moduleLeft(const SessionOutcome &outcome) const {
    return outcome.moduleLeft || (m_session->lineGone() && !m_session->aborted());
}

void ProductionStation::identified(const SessionOutcome &outcome) {
    if (!outcome.identity) {
        if (moduleLeft(outcome)) {
            // Nothing was learned of it: no record, and the next module to answer is new.
            if (m_session->lineGone())
                adapterGone();
            else
                awaitModule(StationEvent::Type::Removed,
                            QStringLiteral("the module left before it was identified"));
            return;
        }
        if (m_session->lineGone()) {
            finish(ModuleResult::LinkLost, m_session->lineFailure());
            return;
        }
        // Not a module of the other kind: one that may well be a module to program, on a line
        // too slow or too noisy for it. It is not programmed, and the run's status says so.
        m_record.kind = QStringLiteral("unidentified");
        finish(ModuleResult::Unidentified,
               outcome.message + QStringLiteral(" Nothing was stored."));
        return;
    }
    const wire::IdentityReply &identity = *outcome.identity;
    const std::optional<ModuleKind> kind = identity.moduleKind();
    m_record.kind = kind ? moduleKindKey(*kind) : QStringLiteral("unknown");
    m_record.firmwareVersion = identity.firmwareVersion();
    m_record.releaseYear = wire::releaseYearText(identity).toInt();
    report(StationEvent::Type::Identified, wire::identityLine(identity));
    if (kind != m_setup.kind) {
        finish(ModuleResult::WrongKind,
               QStringLiteral("this is not a %1 (%2); nothing was stored")
                   .arg(moduleKindName(m_setup.kind), wire::identityLine(identity)));
        return;
    }
    // The backup needs the memory as it is now.
    m_step = Step::Reading;
    m_session->read();
}

void ProductionStation::readForBackup(const SessionOutcome &outcome) {
    if (!outcome.ok()) {
        m_moduleLeft = moduleLeft(outcome);
        if (m_session->lineGone() || m_moduleLeft) {
            finish(ModuleResult::LinkLost,
                   outcome.message + QStringLiteral(" Nothing was stored, and no backup made."));
            return;
        }
        finish(ModuleResult::StoreFailed,
               outcome.message + QStringLiteral(" Its memory could not be read for the backup; "
                                                "nothing was stored."));
        return;
    }
    m_record.before = outcome.moduleImage;
    if (!m_setup.units) {
        store(m_setup.profile);
        return;
    }
    m_step = Step::AwaitingUnit;
    takeUnit();
}

void ProductionStation::takeUnit() {
    Unit unit;
    QString why;
    switch (m_stop ? UnitDispenser::Answer::None : m_setup.units->take(m_port, unit, why)) {
    case UnitDispenser::Answer::Wait:
        m_unitWait.start(kRemovalPollMs);
        return;
    case UnitDispenser::Answer::None:
        // No module is recorded: it was given no unit, and nothing was stored.
        if (m_stop)
            why = QStringLiteral("stopped while waiting for a kit label to be scanned");
        report(StationEvent::Type::Failed, why + QStringLiteral(": nothing was stored"));
        end();
        return;
    case UnitDispenser::Answer::Given:
        break;
    }
    m_record.unit = unit.label;
    m_record.unitSettings = unit.settings;
    report(StationEvent::Type::Identified, QStringLiteral("unit ") + unit.label);
    store(unit.image);
}

void ProductionStation::store(const EepromImage &image) {
    if (m_record.before == image) {
        // Put back after a pause that looked like its removal, or never taken out: storing
        // again would count one module twice.
        finish(ModuleResult::AlreadyProgrammed,
               QStringLiteral("it already holds the profile; nothing was stored"));
        return;
    }
    if (m_endStores) {
        finish(ModuleResult::Stopped,
               QStringLiteral("stopped before its store; nothing was stored"));
        return;
    }
    if (m_setup.units) {
        if (const QString error = m_setup.units->storing(m_record.unit, m_port); !error.isEmpty()) {
            finish(ModuleResult::StoreFailed, error + QStringLiteral("; nothing was stored"));
            return;
        }
    }
    m_step = Step::Storing;
    m_session->store(image);
}

void ProductionStation::stored(const SessionOutcome &result) {
    SessionOutcome outcome = result;
    // A module that left with its adapter is gone as one that was pulled out is.
    m_moduleLeft = moduleLeft(outcome);
    outcome.moduleLeft = m_moduleLeft;
    m_record.backup = outcome.backup;
    // A warning before the store job means its backup was read after it, as one in the job
    // before the backup does.
    outcome.backupAfterGarble = outcome.backupAfterGarble || !m_record.warning.isEmpty();
    if (!outcome.warning.isEmpty())
        m_record.warning = outcome.warning;
    if (const QString caveat = backupCaveat(outcome); !caveat.isEmpty())
        m_record.warning += QLatin1Char(' ') + caveat;
    m_record.unitMayBeStored = !m_record.unit.isEmpty() && mayHoldPartOf(outcome, m_record.before);
    if (outcome.ok()) {
        finish(ModuleResult::Ok, {});
        return;
    }
    // The same account of what the module now holds, the backup and the next step as a
    // command-line store gives.
    const QString account = storeReport(outcome, m_port);
    const bool lost = m_session->lineGone() || m_moduleLeft;
    switch (outcome.status) {
    case SessionStatus::Differs:
        for (const int block : outcome.differingBlocks())
            m_record.differingBlocks << block;
        finish(ModuleResult::VerifyFailed, account);
        return;
    case SessionStatus::ReadBackFailed:
        finish(lost ? ModuleResult::LinkLost : ModuleResult::VerifyFailed, account);
        return;
    default:
        finish(lost ? ModuleResult::LinkLost : ModuleResult::StoreFailed, account);
        return;
    }
}

void ProductionStation::finish(ModuleResult result, const QString &message) {
    m_record.result = result;
    m_record.message = message;
    m_record.seconds = static_cast<double>(m_took.elapsed()) / 1000.0;
    const QDateTime now = QDateTime::currentDateTime();
    m_record.finished = now.toOffsetFromUtc(now.offsetFromUtc());
    m_heldAtRecord = m_session->moduleImage();
    Q_EMIT moduleFinished(m_record);
    if (m_record.ok() || result == ModuleResult::AlreadyProgrammed)
        report(StationEvent::Type::Done);
    else
        report(StationEvent::Type::Failed, m_record.message);
    if (m_stop || m_session->aborted()) {
        end();
        return;
    }
    if (m_session->lineGone()) {
        adapterGone();
        return;
    }
    if (m_moduleLeft) {
        awaitModule(StationEvent::Type::Removed, QStringLiteral("the module left during its work"));
        return;
    }
    m_session->setSilenceLimit(0);
    m_step = Step::AwaitingRemoval;
    m_silentTests = 0;
    m_checksAnswered = 0;
    testLink();
}

void ProductionStation::end() {
    if (m_step == Step::Ended)
        return;
    const bool portFailed =
        m_session && m_session->isOpen() && m_session->lineGone() && !m_session->aborted();
    m_step = Step::Ended;
    m_pause.stop();
    m_unitWait.stop();
    if (portFailed)
        report(StationEvent::Type::PortFailed, m_session->lineFailure());
    Q_EMIT ended();
}

} // namespace tessel
