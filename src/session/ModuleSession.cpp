// SPDX-License-Identifier: Apache-2.0
#include "session/ModuleSession.h"

#include "core/MemoryMap.h"
#include "core/SettingChanges.h"
#include "link/protocol/ModuleConnection.h"
#include "link/protocol/WireTrace.h"

namespace tessel {

SessionLimits boundedLimits() {
    return {ModuleConnection::kLinkTestAttempts, kBoundedIdentifyAttempts,
            kBoundedBlockReadAttempts};
}

namespace {
SessionOutcome failed(SessionStatus status, const QString &message) {
    SessionOutcome outcome;
    outcome.status = status;
    outcome.message = message;
    return outcome;
}

SessionStatus statusOf(TransferStatus status) {
    switch (status) {
    case TransferStatus::Done:
        return SessionStatus::Done;
    case TransferStatus::NotConfirmed:
        return SessionStatus::NotConfirmed;
    case TransferStatus::Refused:
        return SessionStatus::Refused;
    case TransferStatus::Stopped:
        return SessionStatus::Stopped;
    case TransferStatus::Unreliable:
        return SessionStatus::Unreliable;
    case TransferStatus::LinkFailed:
        break;
    }
    return SessionStatus::LinkFailed;
}
} // namespace

QString moduleRefusal(const std::optional<wire::IdentityReply> &identity) {
    if (!identity)
        return ModuleSession::tr("No module has been identified; nothing was stored.");
    if (!identity->moduleKind()) {
        return ModuleSession::tr("The module reports the unknown kind %1; nothing was stored.")
            .arg(identity->kind());
    }
    return {};
}

QString storeRefusal(const std::optional<wire::IdentityReply> &identity,
                     const QStringList &invalidFields, const EepromImage &image) {
    if (QString why = moduleRefusal(identity); !why.isEmpty())
        return why;
    // The owner's names say what to correct; entries are named by address only when the
    // owner has found nothing wrong.
    QStringList problems = invalidFields;
    if (const auto bad = image.badEntries(); !bad.empty() && problems.isEmpty())
        problems << describeBadEntries(bad);
    if (problems.isEmpty())
        return {};
    return ModuleSession::tr("Nothing was stored: correct %1 first.")
        .arg(problems.join(QStringLiteral(", ")));
}

ModuleSession::ModuleSession(ModuleProtocol &protocol, SessionLimits limits, QObject *parent)
    : QObject(parent), m_protocol(protocol), m_limits(limits) {}

std::optional<ModuleKind> ModuleSession::kind() const {
    if (!m_identity)
        return std::nullopt;
    return m_identity->moduleKind();
}

void ModuleSession::run(const SessionRequest &request) {
    {
        const std::lock_guard lock(m_state);
        m_running = true;
        m_stopRequested = false;
    }
    Q_EMIT started(request.job);
    traceSession(jobName(request.job) + QStringLiteral(" started"));
    if (request.job != SessionJob::ReadInputs)
        settleAfterInputs();
    const int garbledBefore = m_protocol.garbledStores();
    const qint64 startedAt = m_protocol.link().clock().nowMicros();
    m_protocol.link().clearSilence();
    SessionOutcome outcome = runJob(request);
    outcome.tookMicros = m_protocol.link().clock().nowMicros() - startedAt;
    outcome.moduleLeft = m_protocol.link().moduleLeft();
    outcome.job = request.job;
    if (m_protocol.garbledStores() != garbledBefore) {
        outcome.warning =
            tr("The line turned a command into the start of a block store, and the module "
               "confirmed that store when it was ended with bytes that start no command. Its block "
               "number was 255, which names no block, so no block should have changed; read the "
               "module again to be sure.");
    }
    traceSession(jobName(request.job) + QStringLiteral(" ended: ") +
                 (outcome.ok() ? QStringLiteral("done") : outcome.message));
    {
        const std::lock_guard lock(m_state);
        m_protocol.link().clearInterrupt(); // a Cancel ends one job, not the next
        m_running = false;
        m_phase.reset();
    }
    const ModuleLink &link = m_protocol.link();
    outcome.identity = m_identity;
    outcome.moduleImage = m_moduleImage;
    outcome.pace = m_protocol.pace();
    if (link.lineGone())
        outcome.lineFailure = link.failure();
    Q_EMIT finished(outcome);
}

SessionOutcome ModuleSession::runJob(const SessionRequest &request) {
    switch (request.job) {
    case SessionJob::Identify:
        return runIdentify(request);
    case SessionJob::Read:
        return runRead();
    case SessionJob::ReadInputs:
        return runReadInputs(request);
    case SessionJob::LinkTest:
        return runLinkTest(request.linkTestWaitMicros);
    case SessionJob::Store:
    case SessionJob::FactoryReset:
        break;
    }
    return runStore(request);
}

SessionOutcome ModuleSession::runLinkTest(std::optional<qint64> waitMicros) {
    if (waitMicros ? m_protocol.linkTestWithin(*waitMicros) : m_protocol.linkTestRepeated(1) > 0)
        return {};
    return unansweredLinkTests();
}

SessionOutcome ModuleSession::unansweredLinkTests() const {
    const ModuleLink &link = m_protocol.link();
    if (link.failed())
        return failed(SessionStatus::LinkFailed, link.failure());
    if (const int wrong = m_protocol.wrongAnswers(); wrong > 0) {
        return failed(
            SessionStatus::OutOfStep,
            ModuleSession::tr("The module answers, but every reply is out of step: %1 "
                              "link %2 answered with %3 instead of 88, even with the "
                              "line realigned after each. Check the cable and its "
                              "plugs, then try again.")
                .arg(wrong)
                .arg(wrong == 1 ? ModuleSession::tr("test was") : ModuleSession::tr("tests were"))
                .arg(m_protocol.lastWrongAnswer()));
    }
    return failed(SessionStatus::NoAnswer, ModuleSession::tr("No module answered."));
}

SessionOutcome ModuleSession::runIdentify(const SessionRequest &request) {
    // Whatever was known belongs to the module that answered last time.
    m_identity.reset();
    m_moduleImage.reset();
    m_garbledAtIdentity = m_protocol.garbledStores();
    const ModuleLink &link = m_protocol.link();
    const int linkTests = request.linkTests.value_or(m_limits.linkTestAttempts);
    if (linkTests > 0 && m_protocol.linkTestRepeated(linkTests, [this, linkTests](int attempt) {
            Q_EMIT linkTestAttempt(attempt, linkTests);
        }) == 0) {
        return unansweredLinkTests();
    }
    // After its link tests: a window that shows them shows the identification from here on.
    enterPhase(SessionPhase::Identifying);
    const CheckedIdentity asked = identifyChecked(m_protocol, m_limits.identifyAttempts);
    if (!asked.settled) {
        return failed(SessionStatus::Unreliable,
                      ModuleSession::tr("The line is unreliable: the module's identification came "
                                        "back different each of the %1 times it was asked. Check "
                                        "the cable and its plugs, then try again.")
                          .arg(kReadsToSettle));
    }
    m_identity = asked.reply;
    if (!m_identity) {
        if (link.failed())
            return failed(SessionStatus::LinkFailed, link.failure());
        // What the line showed tells a module too slow for the waits from one that is silent.
        const QString seen = m_protocol.pace().describe();
        return failed(SessionStatus::NotIdentified,
                      ModuleSession::tr("The module answered the link test but not the "
                                        "identification%1.")
                          .arg(seen.isEmpty() ? QString() : QStringLiteral(": ") + seen));
    }
    return {};
}

SessionOutcome ModuleSession::runRead() {
    enterPhase(SessionPhase::Reading);
    const TransferResult read =
        readWholeMemory(m_protocol, progressOf(SessionPhase::Reading), m_limits.blockReadAttempts);
    if (!read.ok())
        return failed(statusOf(read.status), read.message);
    m_moduleImage = read.image;
    SessionOutcome outcome;
    outcome.received = read.image;
    return outcome;
}

SessionOutcome ModuleSession::runStore(const SessionRequest &request) {
    // Checked again: an identification run ahead of a queued store may have found another
    // module.
    if (const QString why = moduleRefusal(m_identity); !why.isEmpty())
        return failed(SessionStatus::Refused, why);
    SessionOutcome outcome;
    outcome.sent = request.image;
    if (m_protocol.link().lineGone()) {
        // Nothing can reach the module: no backup is written from what was known of it.
        outcome.status = SessionStatus::LinkFailed;
        outcome.message = m_protocol.link().failure() +
                          ModuleSession::tr(" Nothing was sent, and no backup was made.");
        return outcome;
    }
    if (!readBeforeStore(request, outcome) || !backUp(outcome))
        return outcome;
    const std::optional<EepromImage> before = m_moduleImage;
    enterPhase(SessionPhase::Storing);
    const TransferResult stored =
        storeWholeMemory(m_protocol, request.image, progressOf(SessionPhase::Storing),
                         [this] { return m_stopRequested.load(); });
    if (!stored.ok()) {
        outcome.status = statusOf(stored.status);
        outcome.message = stored.message;
        outcome.failedBlock = stored.failedBlock;
        forgetUnconfirmedBlocks(outcome);
        // A block confirmed may still hold other bytes than were sent (a byte doubled on its
        // way in), so every block is read again, unless the operator stopped the store.
        if (outcome.status != SessionStatus::Stopped && outcome.status != SessionStatus::Refused)
            readAgain(outcome, before, allBlocks());
        return outcome;
    }
    m_moduleImage = request.image;
    if (m_verifyAfterStore && m_stopRequested) {
        // Asked to stop while the last block was on its way: the check is what is left.
        outcome.status = SessionStatus::ReadBackFailed;
        outcome.message = ModuleSession::tr("The read-back was not started: a stop was asked for.");
    } else if (m_verifyAfterStore) {
        readBack(outcome, before);
    }
    return outcome;
}

bool ModuleSession::readBeforeStore(const SessionRequest &request, SessionOutcome &outcome) {
    // Without the read asked for, the memory is read only for a backup when nothing is known
    // of it (nothing read yet, or a store failed part way): what is saved must be what the
    // module holds now.
    if (!m_readBeforeStore && (!m_backup || m_moduleImage))
        return true;
    const std::optional<EepromImage> known = m_moduleImage;
    const SessionOutcome read = runRead();
    if (!read.ok()) {
        outcome.status = read.status;
        outcome.message = ModuleSession::tr("The module's memory could not be read for its "
                                            "backup, so nothing was stored. %1")
                              .arg(read.message);
        return false;
    }
    if (!m_readBeforeStore || request.job != SessionJob::Store || !known || *known == read.received)
        return true;
    outcome.status = SessionStatus::ModuleChanged;
    outcome.received = read.received;
    outcome.differences = differingAddresses(*known, read.received);
    const std::vector<SettingChange> changes = settingChanges(*kind(), *known, read.received);
    outcome.message =
        ModuleSession::tr("The module's memory changed since it was read: %1.\n%2")
            .arg(settingsSummary(int(changes.size()), int(outcome.differences.size())),
                 changeLines(changes));
    return false;
}

bool ModuleSession::backUp(SessionOutcome &outcome) {
    if (!m_backup)
        return true;
    const BackupResult backup = m_backup(*this);
    if (!backup.error.isEmpty()) {
        outcome.status = SessionStatus::Refused;
        outcome.message = backup.error;
        return false;
    }
    outcome.backup = backup.where;
    outcome.backupAfterGarble = m_protocol.garbledStores() != m_garbledAtIdentity;
    return true;
}

void ModuleSession::forgetUnconfirmedBlocks(const SessionOutcome &outcome) {
    switch (outcome.status) {
    case SessionStatus::Refused:
        return; // nothing was sent
    case SessionStatus::Stopped:
        // Every block sent was confirmed and the rest were not sent: the module holds the new
        // blocks up to the stop and, where the old memory is known, the old ones after it.
        if (m_moduleImage) {
            for (int a = 0; a < outcome.failedBlock * kBlockSize; ++a)
                m_moduleImage->setValue(a, outcome.sent.value(a));
        }
        return;
    default:
        // The block that was not confirmed may hold either.
        m_moduleImage.reset();
    }
}

void ModuleSession::readBack(SessionOutcome &outcome, const std::optional<EepromImage> &before) {
    enterPhase(SessionPhase::Verifying);
    const TransferResult read = readWholeMemory(m_protocol, progressOf(SessionPhase::Verifying),
                                                m_limits.blockReadAttempts);
    if (!read.ok()) {
        // Every block was confirmed, so the module is taken to hold what was sent.
        outcome.status = SessionStatus::ReadBackFailed;
        outcome.message = read.message;
        return;
    }
    m_moduleImage = read.image;
    outcome.received = read.image;
    outcome.differences = differingAddresses(read.image, outcome.sent);
    if (!outcome.differences.empty())
        readAgain(outcome, before, outcome.differingBlocks());
    if (!outcome.differences.empty()) {
        outcome.status = SessionStatus::Differs;
        outcome.message =
            ModuleSession::tr("Verification failed: %1 of %2 addresses differ after the store.")
                .arg(outcome.differences.size())
                .arg(kImageSize);
    }
}

bool ModuleSession::readAgain(SessionOutcome &outcome, const std::optional<EepromImage> &before,
                              const std::vector<int> &blocks) {
    if (m_protocol.link().failed())
        return false;
    const TransferResult read = readBlocks(m_protocol, blocks, {}, m_limits.blockReadAttempts);
    if (!read.ok())
        return false;
    // Blocks not read again were read back equal to what was sent.
    EepromImage now = m_moduleImage.value_or(outcome.sent);
    for (const int block : blocks) {
        for (int a = block * kBlockSize; a < (block + 1) * kBlockSize; ++a)
            now.setValue(a, read.image.value(a));
    }
    outcome.holds.clear();
    for (int block = 0; block < kBlockCount; ++block)
        outcome.holds.push_back(blockHolds(now, outcome.sent, before, block));
    outcome.received = now;
    outcome.differences = differingAddresses(now, outcome.sent);
    m_moduleImage = now;
    return true;
}

SessionOutcome ModuleSession::runReadInputs(const SessionRequest &request) {
    ModuleLink &link = m_protocol.link();
    const bool looped = m_inputsLooping;
    LevelMonitor(m_protocol)
        .run(
            request.levels, [this] { return inputsGoOn(); },
            [this](const LevelPass &pass) { Q_EMIT passRead(pass); });
    if (looped)
        m_inputsEndedAt = link.clock().nowMicros();
    if (link.failed())
        return failed(SessionStatus::LinkFailed, link.failure());
    return {};
}

bool ModuleSession::inputsGoOn() {
    // A link that has failed for good answers at once, so it ends the loop instead of leaving
    // it spinning.
    return m_inputsLooping && !m_stopRequested && !m_protocol.link().failed();
}

void ModuleSession::settleAfterInputs() {
    const std::optional<qint64> ended = std::exchange(m_inputsEndedAt, std::nullopt);
    if (!ended)
        return;
    ModuleLink &link = m_protocol.link();
    link.rest(*ended + kSettleMicros + 1 - link.clock().nowMicros(), [] { return false; });
    link.discardInput();
}

void ModuleSession::setInputsLooping(bool looping) {
    m_inputsLooping = looping;
    if (!looping)
        m_protocol.link().channel().wake();
}

void ModuleSession::requestStop() {
    const std::lock_guard lock(m_state);
    if (!m_running)
        return;
    m_stopRequested = true;
    m_protocol.link().channel().wake();
}

void ModuleSession::cancel() {
    const std::lock_guard lock(m_state);
    if (!m_running)
        return;
    const bool firstStopOfAStore = m_phase == SessionPhase::Storing && !m_stopRequested;
    m_stopRequested = true;
    if (firstStopOfAStore)
        m_protocol.link().channel().wake();
    else
        m_protocol.link().interrupt();
}

void ModuleSession::enterPhase(SessionPhase phase) {
    {
        const std::lock_guard lock(m_state);
        m_phase = phase;
    }
    Q_EMIT phaseChanged(phase);
}

ProgressFn ModuleSession::progressOf(SessionPhase phase) {
    return [this, phase](int address) { Q_EMIT progress(phase, address); };
}

} // namespace tessel
