#include "link/ModuleProtocol.h"

#include "core/MemoryMap.h"

namespace tessel {

namespace {
bool attemptsLeft(const AttemptLimit &limit, int made) {
    return !limit || made < *limit;
}
} // namespace

bool ModuleProtocol::linkTest() {
    // The queue is deliberately not emptied: a late acknowledge still counts.
    return m_link.send(wire::linkTest()) && m_link.GetI() == wire::kAckByte;
}

int ModuleProtocol::linkTestRepeated(int attempts, const std::function<void(int)> &beforeAttempt) {
    for (int attempt = 1; attempt <= attempts && !m_link.failed(); ++attempt) {
        if (beforeAttempt)
            beforeAttempt(attempt);
        if (linkTest())
            return attempt;
    }
    return 0;
}

std::optional<wire::IdentityReply> ModuleProtocol::identify(AttemptLimit attempts) {
    for (int made = 0; attemptsLeft(attempts, made) && !m_link.failed(); ++made) {
        m_link.ClearBuffer();
        if (!m_link.send(wire::identifyController()))
            break;
        // Exactly six: a seventh byte means the reply is not what we asked for.
        if (!m_link.waitForExactly(6, polls::kIdentify))
            continue;
        wire::IdentityReply reply;
        for (int &b : reply.b)
            b = m_link.GetI3();
        return reply;
    }
    return std::nullopt;
}

void ModuleProtocol::drainForBlockRead() {
    while (m_link.channel().bytesAvailable() > 0 && !m_link.failed()) {
        m_link.clock().processEvents();
        m_link.channel().readByte();
    }
}

std::optional<BlockBytes> ModuleProtocol::readBlock(int block, AttemptLimit attempts) {
    for (int made = 0; attemptsLeft(attempts, made) && !m_link.failed(); ++made) {
        drainForBlockRead();
        if (!m_link.send(wire::readConfigBlock(block)))
            break;
        if (!m_link.waitForExactly(kBlockSize, polls::kReadBlock))
            continue;
        BlockBytes bytes{};
        bool complete = true;
        for (quint8 &byte : bytes) {
            const int b = m_link.GetI();
            complete = complete && b >= 0;
            byte = static_cast<quint8>(std::max(b, 0));
        }
        if (complete)
            return bytes;
    }
    return std::nullopt;
}

bool ModuleProtocol::writeBlock(int block, const BlockBytes &data) {
    return m_link.send(wire::writeConfigBlock(block, data)) && m_link.GetI2() == wire::kAckByte;
}

int ModuleProtocol::readAnalog(int input) {
    if (input < 0 || input >= map::kAnalogInputs || !m_link.send(wire::readAnalogInput(input)))
        return -1;
    return m_link.GetI4();
}

} // namespace tessel
