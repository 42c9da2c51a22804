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
        if (!protocol.writeBlock(block, *image.block(block))) {
            if (protocol.link().failed())
                result = linkFailure(protocol,
                                     QString::fromLatin1(kErrorStoringData) + QStringLiteral("."));
            else {
                result.status = TransferStatus::NotConfirmed;
                result.message = QString::fromLatin1(kErrorStoringData);
            }
            result.failedBlock = block;
            return result;
        }
    }
    return result;
}

} // namespace tessel
