// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/ModuleCommands.h"

#include "cli/commands/CommandLine.h"
#include "cli/commands/JsonOutput.h"
#include "cli/commands/Terminal.h"
#include "core/FieldNames.h"
#include "core/ProfileText.h"
#include "core/SettingChanges.h"
#include "link/protocol/ModuleConnection.h"
#include "session/OutputFile.h"
#include "session/StoreReport.h"

namespace tessel {

namespace {
QString describeDifference(ModuleKind kind, int address, int module, const QString &otherName,
                           int other) {
    return differenceLine(kind, address, {QStringLiteral("module"), module}, {otherName, other});
}
} // namespace

bool ModuleCommands::runJob(const std::function<Admission()> &ask) {
    const ProgressLine progress(m_session);
    const Admission admission = ask();
    m_session.waitUntilIdle();
    if (const QString &warning = m_session.lastOutcome().warning;
        admission == Admission::Started && !warning.isEmpty()) {
        printLine(stderr, QStringLiteral("tessel-config: %1: %2").arg(m_where, warning));
        m_garbledStore = true;
    }
    return admission == Admission::Started;
}

int ModuleCommands::identify() {
    runJob([this] { return m_session.identify(); });
    const SessionOutcome &outcome = m_session.lastOutcome();
    switch (outcome.status) {
    case SessionStatus::Done:
        return exitcode::kSuccess;
    case SessionStatus::NoAnswer:
        return fail(exitcode::kNoModule,
                    QStringLiteral("no module answered on %1: %2 link tests each waited %3 s "
                                   "for the acknowledge byte %4. Check that the module has "
                                   "power, that its cable is plugged in at both ends, and "
                                   "that %1 is the port it is on (tessel-config list-ports)")
                        .arg(m_where)
                        .arg(ModuleConnection::kLinkTestAttempts)
                        .arg(seconds(polls::kReplyByte))
                        .arg(wire::kAckByte));
    case SessionStatus::NotIdentified: {
        const ReplyPace &pace = outcome.pace;
        const QString seen = pace.describe();
        return fail(exitcode::kNoModule,
                    QStringLiteral("the module on %1 answered the link test but not the "
                                   "identification: %2 attempts waited up to %3 s each for a "
                                   "reply of exactly 6 bytes%4")
                        .arg(m_where)
                        .arg(kBoundedIdentifyAttempts)
                        .arg(seconds(pace.waitPolls(polls::kIdentify, 6)))
                        .arg(seen.isEmpty() ? QString() : QStringLiteral("; ") + seen));
    }
    default:
        return fail(exitcode::kNoModule, outcome.message);
    }
}

std::optional<ModuleKind> ModuleCommands::knownKind() {
    const std::optional<ModuleKind> kind = m_session.kind();
    if (!kind) {
        fail(exitcode::kNoModule,
             QStringLiteral("the module on %1 reports the unknown kind %2; nothing was sent")
                 .arg(m_where)
                 .arg(m_session.identity()->kind()));
    }
    return kind;
}

int ModuleCommands::printIdentity() {
    const wire::IdentityReply &identity = *m_session.identity();
    if (m_json)
        printText(jsonText(identityJson(m_where, identity)));
    else
        printLine(stdout, wire::identityLine(identity));
    return knownKind() ? exitcode::kSuccess : exitcode::kNoModule;
}

int ModuleCommands::readFailure(const SessionOutcome &outcome) {
    QString message = outcome.message;
    if (outcome.status == SessionStatus::LinkFailed && !m_session.lineGone()) {
        message += QStringLiteral(" %1 attempts each waited %2 s for exactly %3 bytes.")
                       .arg(kBoundedBlockReadAttempts)
                       .arg(seconds(polls::kReadBlock))
                       .arg(kBlockSize);
    }
    return fail(exitcode::kNoModule, message);
}

int ModuleCommands::readMemory(EepromImage &image) {
    runJob([this] { return m_session.read(); });
    const SessionOutcome &outcome = m_session.lastOutcome();
    if (!outcome.ok())
        return readFailure(outcome);
    image = outcome.received;
    return exitcode::kSuccess;
}

int ModuleCommands::storeFailure(ModuleKind kind, const SessionOutcome &outcome,
                                 const QString &sentName) {
    int status = exitcode::kNoModule; // the line failed, or the read-back did
    switch (outcome.status) {
    case SessionStatus::Refused:
        status = exitcode::kBadInput;
        break;
    case SessionStatus::Differs:
        for (const int address : outcome.differences) {
            printLine(stderr, describeDifference(kind, address, outcome.received.value(address),
                                                 sentName, outcome.sent.value(address)));
        }
        status = exitcode::kNotStored;
        break;
    case SessionStatus::NotConfirmed:
        status = exitcode::kNotStored;
        break;
    default:
        break;
    }
    return fail(status, storeReport(outcome, m_where));
}

int ModuleCommands::store(const std::function<Admission()> &ask, ModuleKind kind,
                          const QString &sentName, const QString &doneLine) {
    QString refusal;
    const QMetaObject::Connection refusals =
        QObject::connect(&m_session, &SessionClient::refused,
                         [&refusal](SessionJob, const QString &message) { refusal = message; });
    const bool ran = runJob(ask);
    QObject::disconnect(refusals);
    if (!ran)
        return fail(exitcode::kBadInput, refusal);
    const SessionOutcome &outcome = m_session.lastOutcome();
    if (const QString caveat = backupCaveat(outcome); !caveat.isEmpty())
        printLine(stderr, QStringLiteral("tessel-config: %1: %2").arg(m_where, caveat));
    if (!outcome.ok())
        return storeFailure(kind, outcome, sentName);
    printLine(stdout, doneLine);
    if (!outcome.backup.isEmpty())
        printLine(stdout, backupNote(outcome.backup));
    return exitcode::kSuccess;
}

int ModuleCommands::read(OutputFile *output) {
    EepromImage image;
    if (const int status = readMemory(image); status != exitcode::kSuccess)
        return status;
    const QByteArray text = m_json ? jsonText(memoryJson(m_where, *m_session.kind(), image))
                                   : profileText(image).toLatin1() + '\n';
    if (!output) {
        printText(text);
        return exitcode::kSuccess;
    }
    return output->commit(text) ? exitcode::kSuccess : fail(exitcode::kBadInput, output->error());
}

int ModuleCommands::write(ModuleKind kind, const ModuleMemory &profile) {
    const QString done = m_session.verifyAfterStore()
                             ? QStringLiteral("Stored and verified all %1 bytes on %2.")
                             : QStringLiteral("Stored all %1 bytes on %2.");
    return store([this, &profile] { return m_session.store(EepromImage(profile)); }, kind,
                 QStringLiteral("profile"), done.arg(kImageSize).arg(m_where));
}

int ModuleCommands::factoryReset(ModuleKind kind) {
    return store([this] { return m_session.factoryReset(); }, kind, QStringLiteral("factory"),
                 QStringLiteral("The %1 on %2 holds its factory settings.")
                     .arg(moduleKindName(kind), m_where));
}

int ModuleCommands::diff(ModuleKind kind, const ModuleMemory &profile) {
    EepromImage image;
    if (readMemory(image) != exitcode::kSuccess)
        return exitcode::kDiffTrouble;
    const EepromImage expected(profile);
    const std::vector<SettingChange> changes = settingChanges(kind, image, expected);
    if (m_json) {
        printText(jsonText(differencesJson(m_where, kind, image, expected)));
        return changes.empty() ? exitcode::kSuccess : exitcode::kDiffers;
    }
    for (const SettingChange &change : changes) {
        printLine(stdout, change.line());
        for (const ByteChange &b : m_bytes ? change.bytes : std::vector<ByteChange>{}) {
            printLine(stdout, QStringLiteral("  ") + describeDifference(kind, b.address, b.before,
                                                                        QStringLiteral("profile"),
                                                                        b.after));
        }
    }
    printLine(stdout, settingsSummary(int(changes.size()),
                                      int(differingAddresses(image, expected).size())));
    return changes.empty() ? exitcode::kSuccess : exitcode::kDiffers;
}

void ModuleCommands::interrupt() {
    if (m_session.phase() == SessionPhase::Storing && !m_stopAsked) {
        m_stopAsked = true;
        m_session.requestStop();
        return;
    }
    m_session.abort();
}

} // namespace tessel
