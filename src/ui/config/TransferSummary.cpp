// SPDX-License-Identifier: Apache-2.0
#include "ui/config/TransferSummary.h"

#include "link/protocol/SettingsTransfer.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tessel {

// The context the status line's sentences are translated in.
struct TransferSummary {
    Q_DECLARE_TR_FUNCTIONS(tessel::TransferSummary)
};

namespace {

QString readSummary(const SessionOutcome &outcome, bool cancelled, const QString &at) {
    if (outcome.ok())
        return TransferSummary::tr("Read at %1").arg(at);
    return TransferSummary::tr("Read %1 at %2; the settings shown were kept")
        .arg(cancelled ? TransferSummary::tr("cancelled") : TransferSummary::tr("failed"), at);
}

// What a store that sent blocks left in the module, without its backup.
QString storeResult(const SessionOutcome &outcome, bool cancelled, const QString &at) {
    const int block = outcome.failedBlock;
    switch (outcome.status) {
    case SessionStatus::Stopped:
        if (block == 0)
            return TransferSummary::tr("stopped at %1 before its first block").arg(at);
        return TransferSummary::tr("stopped at %1: blocks 0 to %2 new, %3 to %4 old")
            .arg(at)
            .arg(block - 1)
            .arg(block)
            .arg(kBlockCount - 1);
    case SessionStatus::Differs:
        return TransferSummary::tr("stored at %1, but %2 addresses differ on reading back")
            .arg(at)
            .arg(outcome.differences.size());
    case SessionStatus::ReadBackFailed:
        return TransferSummary::tr("stored at %1, not verified").arg(at);
    case SessionStatus::ModuleChanged:
        return TransferSummary::tr("not started at %1: the module's memory changed").arg(at);
    default:
        break;
    }
    if (block >= 0)
        return TransferSummary::tr("failed at %1 at block %2").arg(at).arg(block);
    return TransferSummary::tr("%1 at %2; nothing was sent")
        .arg(cancelled ? TransferSummary::tr("cancelled") : TransferSummary::tr("not done"), at);
}

} // namespace

QString transferSummary(const SessionOutcome &outcome, bool cancelled, const QTime &at,
                        bool restore) {
    const QString time = at.toString(QStringLiteral("HH:mm"));
    switch (outcome.job) {
    case SessionJob::Identify:
        return outcome.ok() ? TransferSummary::tr("Identified at %1").arg(time)
                            : TransferSummary::tr("Not identified at %1").arg(time);
    case SessionJob::Read:
        return readSummary(outcome, cancelled, time);
    case SessionJob::LinkTest:
    case SessionJob::ReadInputs:
        return {}; // no transfer: the window does not tell them
    case SessionJob::Store:
    case SessionJob::FactoryReset:
        break;
    }
    const bool reset = outcome.job == SessionJob::FactoryReset;
    QString text;
    if (outcome.ok()) {
        text = (reset     ? TransferSummary::tr("Factory settings stored and verified at %1")
                : restore ? TransferSummary::tr("Restored and verified at %1")
                          : TransferSummary::tr("Stored and verified at %1"))
                   .arg(time);
    } else {
        text = (reset ? TransferSummary::tr("Factory reset ") : TransferSummary::tr("Store ")) +
               storeResult(outcome, cancelled, time);
    }
    if (!outcome.backup.isEmpty())
        text += TransferSummary::tr("; backup ") + QFileInfo(outcome.backup).fileName();
    return text;
}

} // namespace tessel
