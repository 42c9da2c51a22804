#include "link/SettingsTransfer.h"

namespace tessel {

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
} // namespace

TransferResult readWholeMemory(ModuleProtocol &protocol, const ProgressFn &progress,
                               AttemptLimit attemptsPerBlock) {
    TransferResult result;
    ModuleMemory memory{};
    for (int block = 0; block < kBlockCount; ++block) {
        const auto bytes = protocol.readBlock(block, attemptsPerBlock);
        if (!bytes) {
            return linkFailure(
                protocol,
                QStringLiteral("Reading block %1 of the module's memory failed.").arg(block));
        }
        for (int j = 0; j < kBlockSize; ++j) {
            const int address = block * kBlockSize + j;
            memory[address] = (*bytes)[j];
            if (progress)
                progress(address);
        }
    }
    result.image = EepromImage(memory);
    return result;
}

TransferResult storeWholeMemory(ModuleProtocol &protocol, const EepromImage &image,
                                const ProgressFn &progress, const StopFn &stopRequested) {
    TransferResult result;
    const auto bad = image.badEntries();
    if (!bad.empty()) {
        result.status = TransferStatus::Refused;
        result.message = QStringLiteral("Nothing was stored: these entries do not fit in one "
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
            result.message = QStringLiteral("The store was stopped before block %1.").arg(block);
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
