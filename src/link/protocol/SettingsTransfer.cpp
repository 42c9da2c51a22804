// SPDX-License-Identifier: Apache-2.0
#include "link/protocol/SettingsTransfer.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <numeric>

namespace tessel {

// The context the windows translate this file's texts in.
struct SettingsTransfer {
    Q_DECLARE_TR_FUNCTIONS(tessel::SettingsTransfer)
};

namespace {
TransferResult linkFailure(ModuleProtocol &protocol, const QString &what) {
    TransferResult result;
    result.status = TransferStatus::LinkFailed;
    const QString why = protocol.link().failure();
    result.message = why.isEmpty() ? what : what + QLatin1Char(' ') + why;
    return result;
}

// The store stopped at `block`: its confirmation did not come, was wrong, or was not alone.
TransferResult notStored(ModuleProtocol &protocol, int block) {
    TransferResult result;
    if (protocol.link().failed()) {
        result = linkFailure(protocol, QString::fromLatin1(kErrorStoringData) + QLatin1Char('.'));
    } else {
        result.status = TransferStatus::NotConfirmed;
        result.message = QString::fromLatin1(kErrorStoringData);
    }
    result.failedBlock = block;
    return result;
}
template <typename T> struct Checked {
    std::optional<T> value; // nothing when a read failed
    bool settled = true;    // false when no two reads agreed
};

// Reads with `read` until two reads agree, at most kReadsToSettle times.
template <typename T> Checked<T> untilTwoAgree(const std::function<std::optional<T>()> &read) {
    std::vector<T> reads;
    while (static_cast<int>(reads.size()) < kReadsToSettle) {
        const std::optional<T> value = read();
        if (!value)
            return {};
        if (std::find(reads.begin(), reads.end(), *value) != reads.end())
            return {value, true};
        reads.push_back(*value);
    }
    return {reads.front(), false};
}

Checked<BlockBytes> readChecked(ModuleProtocol &protocol, int block, AttemptLimit attempts) {
    return untilTwoAgree<BlockBytes>([&] { return protocol.readBlock(block, attempts); });
}
} // namespace

TransferResult readBlocks(ModuleProtocol &protocol, const std::vector<int> &blocks,
                          const ProgressFn &progress, AttemptLimit attemptsPerBlock) {
    TransferResult result;
    ModuleMemory memory{};
    for (const int block : blocks) {
        const Checked<BlockBytes> read = readChecked(protocol, block, attemptsPerBlock);
        if (!read.value) {
            return linkFailure(
                protocol,
                SettingsTransfer::tr("Reading block %1 of the module's memory failed.").arg(block));
        }
        if (!read.settled)
            result.unreliableBlocks.push_back(block);
        for (int j = 0; j < kBlockSize; ++j) {
            const int address = block * kBlockSize + j;
            memory[address] = (*read.value)[j];
            if (progress)
                progress(address);
        }
    }
    result.image = EepromImage(memory);
    if (!result.unreliableBlocks.empty()) {
        QStringList names;
        for (const int block : result.unreliableBlocks)
            names << QString::number(block);
        result.status = TransferStatus::Unreliable;
        result.message =
            (names.size() == 1
                 ? SettingsTransfer::tr("The line is unreliable: block %1 came back different "
                                        "each of the %2 times it was read. Check the cable and "
                                        "its plugs, then try again.")
                 : SettingsTransfer::tr("The line is unreliable: blocks %1 came back different "
                                        "each of the %2 times it was read. Check the cable and "
                                        "its plugs, then try again."))
                .arg(names.join(QStringLiteral(", ")))
                .arg(kReadsToSettle);
    }
    return result;
}

CheckedIdentity identifyChecked(ModuleProtocol &protocol, AttemptLimit attempts) {
    const Checked<wire::IdentityReply> asked =
        untilTwoAgree<wire::IdentityReply>([&] { return protocol.identify(attempts); });
    return {asked.settled ? asked.value : std::nullopt, asked.settled};
}

std::vector<int> allBlocks() {
    std::vector<int> all(kBlockCount);
    std::iota(all.begin(), all.end(), 0);
    return all;
}

TransferResult readWholeMemory(ModuleProtocol &protocol, const ProgressFn &progress,
                               AttemptLimit attemptsPerBlock) {
    return readBlocks(protocol, allBlocks(), progress, attemptsPerBlock);
}

TransferResult storeWholeMemory(ModuleProtocol &protocol, const EepromImage &image,
                                const ProgressFn &progress, const StopFn &stopRequested) {
    TransferResult result;
    const auto bad = image.badEntries();
    if (!bad.empty()) {
        result.status = TransferStatus::Refused;
        result.message = SettingsTransfer::tr("Nothing was stored: these entries do not fit in one "
                                              "byte (0 to 255): %1.")
                             .arg(describeBadEntries(bad));
        return result;
    }
    for (int block = 0; block < kBlockCount; ++block) {
        // A byte after the previous block's confirmation: that 88 was not its only answer.
        if (block > 0 && !protocol.nothingFollows(0))
            return notStored(protocol, block - 1);
        if (stopRequested && stopRequested()) {
            result.status = TransferStatus::Stopped;
            result.message =
                SettingsTransfer::tr("The store was stopped before block %1.").arg(block);
            result.failedBlock = block;
            return result;
        }
        if (progress) {
            for (int j = 0; j < kBlockSize; ++j)
                progress(block * kBlockSize + j);
        }
        const bool last = block == kBlockCount - 1;
        if (protocol.writeBlock(block, *image.block(block), last) != StoreAnswer::Confirmed)
            return notStored(protocol, block);
    }
    return result;
}

} // namespace tessel
