#include "session/SessionOutcome.h"

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

QString jobName(SessionJob job) {
    switch (job) {
    case SessionJob::Identify:
        return QStringLiteral("identification");
    case SessionJob::Read:
        return QStringLiteral("read");
    case SessionJob::Store:
        return QStringLiteral("store");
    case SessionJob::FactoryReset:
        break;
    }
    return QStringLiteral("factory reset");
}

} // namespace tessel
