// SPDX-License-Identifier: Apache-2.0
#include "session/SessionOutcome.h"

#include <QCoreApplication>
#include <algorithm>

namespace tessel {

std::vector<int> differingAddresses(const EepromImage &a, const EepromImage &b) {
    std::vector<int> found;
    for (int address = 0; address < kImageSize; ++address) {
        if (a.value(address) != b.value(address))
            found.push_back(address);
    }
    return found;
}

std::vector<int> SessionOutcome::differingBlocks() const {
    std::vector<int> blocks;
    for (const int address : differences) {
        if (blocks.empty() || blocks.back() != address / kBlockSize)
            blocks.push_back(address / kBlockSize);
    }
    return blocks;
}

std::vector<BlockHolds> SessionOutcome::blockAccount() const {
    const bool stored = job == SessionJob::Store || job == SessionJob::FactoryReset;
    if (!stored)
        return std::vector<BlockHolds>(kBlockCount, BlockHolds::Old);
    if (!holds.empty())
        return holds;
    std::vector<BlockHolds> account(kBlockCount, BlockHolds::New);
    switch (status) {
    case SessionStatus::Done:
    case SessionStatus::ReadBackFailed: // every block was confirmed
        return account;
    case SessionStatus::Differs: // not read again: the blocks that differ are in doubt
        for (const int block : differingBlocks())
            account[block] = BlockHolds::NotNew;
        return account;
    default:
        break;
    }
    // Confirmed up to the block it ended at; that one in doubt unless it was never sent.
    for (int block = std::max(failedBlock, 0); block < kBlockCount; ++block)
        account[block] = BlockHolds::Old;
    const bool inDoubt =
        status == SessionStatus::NotConfirmed || status == SessionStatus::LinkFailed;
    if (inDoubt && failedBlock >= 0)
        account[failedBlock] = BlockHolds::NotNew;
    return account;
}

BlockHolds blockHolds(const EepromImage &now, const EepromImage &sent,
                      const std::optional<EepromImage> &before, int block) {
    const auto same = [&](const EepromImage &other) {
        for (int a = block * kBlockSize; a < (block + 1) * kBlockSize; ++a) {
            if (now.value(a) != other.value(a))
                return false;
        }
        return true;
    };
    if (same(sent))
        return BlockHolds::New;
    if (!before)
        return BlockHolds::NotNew;
    return same(*before) ? BlockHolds::Old : BlockHolds::Neither;
}

namespace {
const char *jobSource(SessionJob job) {
    switch (job) {
    case SessionJob::Identify:
        return QT_TRANSLATE_NOOP("tessel::SessionJob", "identification");
    case SessionJob::Read:
        return QT_TRANSLATE_NOOP("tessel::SessionJob", "read");
    case SessionJob::Store:
        return QT_TRANSLATE_NOOP("tessel::SessionJob", "store");
    case SessionJob::LinkTest:
        return QT_TRANSLATE_NOOP("tessel::SessionJob", "link test");
    case SessionJob::ReadInputs:
        return QT_TRANSLATE_NOOP("tessel::SessionJob", "reading of the inputs");
    case SessionJob::FactoryReset:
        break;
    }
    return QT_TRANSLATE_NOOP("tessel::SessionJob", "factory reset");
}
} // namespace

QString jobName(SessionJob job) {
    return QString::fromLatin1(jobSource(job));
}

QString shownJobName(SessionJob job) {
    return QCoreApplication::translate("tessel::SessionJob", jobSource(job));
}

} // namespace tessel
