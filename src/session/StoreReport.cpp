// SPDX-License-Identifier: Apache-2.0
#include "session/StoreReport.h"

#include "link/protocol/SettingsTransfer.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace tessel {

// The context the windows translate this file's texts in.
struct StoreReport {
    Q_DECLARE_TR_FUNCTIONS(tessel::StoreReport)
};

namespace {

// "5" or "0 to 4": the members of a sorted list, consecutive ones as one range.
QString ranges(const std::vector<int> &values) {
    QStringList parts;
    for (std::size_t i = 0; i < values.size();) {
        std::size_t last = i;
        while (last + 1 < values.size() && values[last + 1] == values[last] + 1)
            ++last;
        parts << (last == i ? QString::number(values[i])
                            : StoreReport::tr("%1 to %2").arg(values[i]).arg(values[last]));
        i = last + 1;
    }
    return parts.join(QStringLiteral(", "));
}

// "Block 5 (addresses 80 to 95)", "Blocks 0 to 4 (addresses 0 to 79)".
QString blocks(int first, int last) {
    const QString addresses = StoreReport::tr("addresses %1 to %2")
                                  .arg(first * kBlockSize)
                                  .arg((last + 1) * kBlockSize - 1);
    if (first == last)
        return StoreReport::tr("Block %1 (%2)").arg(first).arg(addresses);
    return StoreReport::tr("Blocks %1 to %2 (%3)").arg(first).arg(last).arg(addresses);
}

// "Block 5 holds", "Blocks 0 to 4 hold": blocks(first, last) and its verb.
QString blocksHold(int first, int last, const QString &what) {
    return blocks(first, last) +
           (first == last ? StoreReport::tr(" holds ") : StoreReport::tr(" hold ")) + what;
}

// A word a shell takes as it is: quoted when it holds anything but the usual path characters.
QString shellWord(const QString &word) {
    static const QRegularExpression plain(QStringLiteral(R"(^[A-Za-z0-9_./:@%+=,-]+$)"));
    if (plain.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The cause a transfer gave after its "Error Storing Data".
QString causeOf(const QString &message) {
    QString cause = message;
    cause.remove(0, static_cast<qsizetype>(qstrlen(kErrorStoringData)));
    while (cause.startsWith(QLatin1Char('.')) || cause.startsWith(QLatin1Char(' ')))
        cause.remove(0, 1);
    return cause;
}

// Which blocks hold the new settings (those before `firstNotNew`), which the old (those after
// `unknown`, or from `firstNotNew` on when no block is in doubt) and which may hold either.
QStringList blockStates(int firstNotNew, int unknown) {
    QStringList lines;
    if (firstNotNew > 0)
        lines << blocksHold(0, firstNotNew - 1, StoreReport::tr("the new settings."));
    else
        lines << StoreReport::tr("No block holds the new settings.");
    if (unknown >= 0) {
        lines << blocks(unknown, unknown) +
                     StoreReport::tr(" may hold the old or the new settings: its store was not "
                                     "confirmed.");
    }
    const int firstOld = unknown >= 0 ? unknown + 1 : firstNotNew;
    if (firstOld < kBlockCount)
        lines << blocksHold(firstOld, kBlockCount - 1, StoreReport::tr("the old settings."));
    return lines;
}

// What each block was found to hold when read again: one line for each run of blocks alike.
QStringList holdsLines(const std::vector<BlockHolds> &holds) {
    QStringList lines;
    for (int first = 0; first < static_cast<int>(holds.size());) {
        int last = first;
        while (last + 1 < static_cast<int>(holds.size()) && holds[last + 1] == holds[first])
            ++last;
        switch (holds[first]) {
        case BlockHolds::New:
            lines << blocksHold(first, last, StoreReport::tr("the new settings."));
            break;
        case BlockHolds::Old:
            lines << blocksHold(first, last, StoreReport::tr("the old settings."));
            break;
        case BlockHolds::Neither:
            lines << blocksHold(first, last,
                                StoreReport::tr("neither the old nor the new settings: the line "
                                                "changed what was sent."));
            break;
        case BlockHolds::NotNew:
            lines << blocksHold(first, last,
                                StoreReport::tr("other values than the new settings."));
            break;
        }
        first = last + 1;
    }
    return lines;
}

QStringList backupAndNextStep(const SessionOutcome &outcome, const QString &port) {
    if (outcome.backup.isEmpty()) {
        return {StoreReport::tr("No backup of the module's memory was saved before the store."),
                StoreReport::tr("Run the store again.")};
    }
    return {backupNote(outcome.backup),
            StoreReport::tr("Run the store again, or restore the backup with: tessel-config write "
                            "--port %1 %2")
                .arg(shellWord(port), shellWord(outcome.backup))};
}

QStringList notStoredLines(const SessionOutcome &outcome) {
    const int block = outcome.failedBlock;
    QStringList lines{QString::fromLatin1(kErrorStoringData)};
    if (outcome.status == SessionStatus::NotConfirmed) {
        lines << StoreReport::tr("The module did not confirm the store of %1.")
                     .arg(blocks(block, block).toLower());
    } else {
        lines << StoreReport::tr("The store stopped at %1: %2")
                     .arg(blocks(block, block).toLower(), causeOf(outcome.message));
    }
    if (!outcome.holds.empty())
        return lines << StoreReport::tr("Read again after the store:") << holdsLines(outcome.holds);
    return lines + blockStates(block, block);
}

// The module left during the store of `failedBlock`: what was confirmed, the block in flight, and
// the rest, which nobody can read now. Its backup is named, but restoring it on this port would
// write it onto whatever module answers there next.
QStringList leftLines(const SessionOutcome &outcome) {
    const int block = outcome.failedBlock;
    QStringList lines{QString::fromLatin1(kErrorStoringData),
                      StoreReport::tr("The store stopped at %1: %2")
                          .arg(blocks(block, block).toLower(), causeOf(outcome.message))};
    if (block > 0)
        lines << blocksHold(0, block - 1, StoreReport::tr("the new settings: each was confirmed."));
    else
        lines << StoreReport::tr("No block holds the new settings.");
    lines << blocks(block, block) +
                 StoreReport::tr(" was in flight: it may hold the old or the new settings.");
    if (block + 1 < kBlockCount) {
        lines << blocks(block + 1, kBlockCount - 1) +
                     (block + 2 == kBlockCount
                          ? StoreReport::tr(" was not sent; it could not be read again because "
                                            "the module left.")
                          : StoreReport::tr(" were not sent; they could not be read again "
                                            "because the module left."));
    }
    if (!outcome.backup.isEmpty())
        lines << backupNote(outcome.backup);
    lines << StoreReport::tr("No restore command is given: the module has left the port, and the "
                             "next one there is another module.");
    return lines;
}

QStringList stoppedLines(const SessionOutcome &outcome) {
    const int block = outcome.failedBlock;
    const QString first =
        block == 0 ? StoreReport::tr("The store was stopped before its first block, as asked.")
                   : StoreReport::tr("The store was stopped after block %1, as asked; every block "
                                     "sent was confirmed.")
                         .arg(block - 1);
    return QStringList{first} + blockStates(block, -1);
}

QStringList differsLines(const SessionOutcome &outcome) {
    return QStringList{outcome.message,
                       StoreReport::tr("Every block was confirmed, but the module holds other "
                                       "values than were stored at addresses %1 (blocks %2).")
                           .arg(ranges(outcome.differences), ranges(outcome.differingBlocks()))} +
           holdsLines(outcome.holds);
}

QStringList readBackFailedLines(const SessionOutcome &outcome) {
    return {StoreReport::tr("The store itself completed: all %1 blocks were stored and each was "
                            "confirmed by the module.")
                .arg(kBlockCount),
            StoreReport::tr("Verification could not be done: %1").arg(outcome.message),
            StoreReport::tr("Read the module to compare; should that fail too, check the "
                            "connection.")};
}

} // namespace

QString backupNote(const QString &path) {
    return StoreReport::tr("The module's memory before the store is saved in %1.").arg(path);
}

QString backupCaveat(const SessionOutcome &outcome) {
    if (!outcome.backupAfterGarble || outcome.backup.isEmpty())
        return {};
    return StoreReport::tr("The backup %1 was read after the line garbled a command into a store, "
                           "so it may already hold a changed block: it is the memory as it was "
                           "read then, not surely as it was before that.")
        .arg(outcome.backup);
}

QString storeReport(const SessionOutcome &outcome, const QString &port) {
    QStringList lines;
    switch (outcome.status) {
    case SessionStatus::Done:
        return {};
    case SessionStatus::NotConfirmed:
    case SessionStatus::LinkFailed:
        if (outcome.failedBlock < 0)
            return outcome.message; // nothing was sent
        lines = outcome.moduleLeft ? leftLines(outcome)
                                   : notStoredLines(outcome) + backupAndNextStep(outcome, port);
        break;
    case SessionStatus::Stopped:
        lines = stoppedLines(outcome) + backupAndNextStep(outcome, port);
        break;
    case SessionStatus::Differs:
        lines = differsLines(outcome) + backupAndNextStep(outcome, port);
        break;
    case SessionStatus::ReadBackFailed:
        lines = readBackFailedLines(outcome);
        if (!outcome.backup.isEmpty())
            lines << backupAndNextStep(outcome, port).first();
        break;
    default:
        return outcome.message; // refused: nothing was sent
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace tessel
