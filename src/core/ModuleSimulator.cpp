// SPDX-License-Identifier: Apache-2.0
#include "core/ModuleSimulator.h"

#include "core/Commands.h"

#include <algorithm>
#include <utility>

namespace tessel {

namespace {
constexpr int kLevelNotFixed = -2;
}

QByteArray identityReplyOf(ModuleKind kind) {
    // Kind, radio flag, two unused bytes, firmware version 3, release year 2008.
    QByteArray reply(6, '\0');
    reply[0] = static_cast<char>(identityByteOf(kind));
    reply[1] = 1;
    reply[4] = 3;
    reply[5] = static_cast<char>(208);
    return reply;
}

ModuleSimulator::ModuleSimulator(ModuleKind kind, SimulatorFaults faults, qint64 replyDelayMicros)
    : m_kind(kind), m_faults(faults), m_replyDelay(replyDelayMicros) {
    m_memory = *factoryImage(kind).toMemory();
    m_fixedLevels.fill(kLevelNotFixed);
}

int ModuleSimulator::countCommands(int first, int second) const {
    return static_cast<int>(
        std::count_if(m_commands.begin(), m_commands.end(), [&](const QByteArray &c) {
            return c.size() >= 2 && static_cast<quint8>(c[0]) == first &&
                   static_cast<quint8>(c[1]) == second;
        }));
}

void ModuleSimulator::setAnalogLevel(int input, int level) {
    m_fixedLevels.at(input) = level;
}

int ModuleSimulator::takeAnalogLevel(int input, qint64 nowMicros) {
    const int fixed = m_fixedLevels.at(input);
    if (fixed != kLevelNotFixed)
        return fixed;
    return m_pattern.level(input, m_readings.at(input)++, nowMicros);
}

std::vector<ModuleSimulator::Reply> ModuleSimulator::receive(const QByteArray &bytes,
                                                             qint64 nowMicros) {
    std::vector<Reply> replies;
    if (m_dropped)
        return replies;
    if (m_leavesAt && nowMicros >= *m_leavesAt)
        takeOut();
    if (nowMicros < m_emptyUntil) {
        m_pending.clear(); // no module takes them
        return replies;
    }
    m_pending += m_line.toModule(bytes, m_faults.spots);
    for (;;) {
        const int length = wire::commandLength(m_pending);
        if (length == 0)
            break;
        if (length < 0) { // noise: drop a byte and look for the next command
            m_pending.remove(0, 1);
            continue;
        }
        const QByteArray command = m_pending.left(length);
        m_pending.remove(0, length);
        m_commands.push_back(command);
        if (nowMicros >= m_stalledUntil) {
            m_executing = wire::commandName(command);
            ++m_executed[m_executing];
            execute(command, nowMicros, replies);
        }
        if (static_cast<int>(m_commands.size()) == m_faults.stallAfterCommands)
            m_stalledUntil = nowMicros + m_faults.stallMicros;
        if (m_faults.dropAfterCommands >= 0 &&
            static_cast<int>(m_commands.size()) >= m_faults.dropAfterCommands) {
            m_dropped = true;
            replies.clear();
            break;
        }
    }
    return replies;
}

void ModuleSimulator::takeOut() {
    m_swappedOut.push_back(m_memory);
    m_memory = *factoryImage(m_kind).toMemory();
    m_emptyUntil = m_leavesAt.value_or(0) + m_faults.swapGapMicros;
    m_leavesAt.reset();
    m_pending.clear();
}

void ModuleSimulator::answer(const QByteArray &bytes, qint64 delayMicros,
                             std::vector<Reply> &replies) {
    send(bytes, delayMicros, true, replies);
}

void ModuleSimulator::send(const QByteArray &bytes, qint64 delayMicros, bool answering,
                           std::vector<Reply> &replies) {
    const QByteArray crossed =
        m_line.fromModule(bytes, answering ? m_executing : QString(),
                          answering ? m_executed.value(m_executing) : 0, m_faults.spots);
    const qint64 delay = delayMicros + m_faults.latencyMicros;
    const qint64 gap = m_faults.byteGapMicros > 0 ? m_faults.byteGapMicros
                       : m_faults.byteAtATime     ? m_replyDelay
                                                  : 0;
    if (gap == 0) {
        replies.push_back({crossed, delay});
        return;
    }
    for (qsizetype i = 0; i < crossed.size(); ++i)
        replies.push_back({crossed.mid(i, 1), delay + i * gap});
}

void ModuleSimulator::storeBlock(const QByteArray &command) {
    const int block = static_cast<quint8>(command[2]);
    if (block >= kBlockCount)
        return;
    for (int j = 0; j < kBlockSize; ++j)
        m_memory[block * kBlockSize + j] = static_cast<quint8>(command[3 + j]);
}

qint64 ModuleSimulator::queryDelay() const {
    return m_faults.lateReplyMicros >= 0 ? m_faults.lateReplyMicros : m_replyDelay;
}

void ModuleSimulator::execute(const QByteArray &command, qint64 nowMicros,
                              std::vector<Reply> &replies) {
    const auto b1 = static_cast<quint8>(command[1]);
    const auto op = static_cast<quint8>(command[0]);
    if (op == 0x00 && b1 == 0x02) {
        // The first link test after a store: the program is done with the module, and the
        // technician takes it out a while after.
        if (std::exchange(m_storeEnded, false) && m_faults.swapHoldMicros >= 0)
            m_leavesAt = nowMicros + m_faults.swapHoldMicros;
        if (++m_linkTestsSeen > m_faults.ignoreLinkTests)
            answer(QByteArray(1, static_cast<char>(wire::kAckByte)), m_replyDelay, replies);
        if (m_linkTestsBeforeSwap > 0 && --m_linkTestsBeforeSwap == 0) {
            m_swappedOut.push_back(m_memory);
            m_memory = *factoryImage(m_kind).toMemory();
            m_faults.ignoreLinkTests = m_linkTestsSeen + m_faults.swapSilentLinkTests;
        }
    } else if (op == 0x00 && b1 == 0x03) {
        if (m_faults.neverIdentify)
            return;
        QByteArray reply = identityReplyOf(m_kind);
        if (m_faults.reportedKind >= 0)
            reply[0] = static_cast<char>(m_faults.reportedKind);
        if (m_faults.extraIdentityByte)
            reply.append('\x00');
        answer(reply, queryDelay(), replies);
    } else if (op == 0x00 && b1 == 0x01) {
        const int block = static_cast<quint8>(command[2]) % kBlockCount;
        answer(QByteArray(reinterpret_cast<const char *>(m_memory.data()) + block * kBlockSize,
                          kBlockSize),
               queryDelay(), replies);
    } else if (op == 0x01) {
        const int block = static_cast<quint8>(command[2]);
        // Sent as the command comes in, so it reaches the program ahead of any answer to it.
        if (block == m_faults.strayByteBeforeBlock)
            send(QByteArray(1, static_cast<char>(wire::kAckByte)), 0, false, replies);
        if (block == m_faults.silentBlock)
            return;
        if (block == m_faults.pullOutAtBlock && !m_leavesAt) {
            // Pulled out as the block came in: it is stored, but no confirmation leaves.
            storeBlock(command);
            m_leavesAt = nowMicros;
            m_faults.pullOutAtBlock = -1; // the next module stays in
            return;
        }
        if (block == m_faults.failBlock) {
            answer(QByteArray(1, '\x15'), m_replyDelay, replies);
            return;
        }
        storeBlock(command);
        if (block == kBlockCount - 1)
            m_linkTestsBeforeSwap = m_faults.swapAfterLinkTests;
        // A store to no block (the line made it of another command) is not the program's.
        if (block < kBlockCount)
            m_storeEnded = block == kBlockCount - 1;
        answer(QByteArray(m_faults.doubleAck ? 2 : 1, static_cast<char>(wire::kAckByte)),
               m_replyDelay, replies);
    } else if (op == 0x02) {
        const int input = b1;
        if (input >= map::kAnalogInputs || m_kind != ModuleKind::Threshold)
            return;
        const int level = takeAnalogLevel(input, nowMicros);
        if (level >= 0)
            answer(QByteArray(1, static_cast<char>(level)),
                   m_replyDelay + m_faults.analogDelayMicros, replies);
    }
}

} // namespace tessel
