// SPDX-License-Identifier: Apache-2.0
#include "link/protocol/ModuleProtocol.h"

#include "core/MemoryMap.h"
#include "link/protocol/WireTrace.h"

#include <algorithm>
#include <limits>

namespace tessel {

namespace {
// Before anything is known of a module's pace, its first store confirmation is watched for
// at least this long after the command, for a second byte behind it.
constexpr qint64 kFirstConfirmationWatchMicros = 5000;
// The least time the line must stay quiet behind an identity reply.
constexpr int kLeastQuietAfterIdentity = 10; // 1 ms
// While the bytes of a late reply keep coming at most this far apart, a retry waits for the
// rest of them rather than sending its command into the middle of that reply.
constexpr qint64 kLatePauseMicros = 1'500'000;
// The bytes that realign the module: 0xFF starts no command, so the module skips them, unless
// it waits for the rest of one. They complete any command to the module's harm only if it
// had already taken a store's block number: the longest command, a store, is 19 bytes, and a
// store whose first two bytes the line made of another command's takes the first of these
// as its block number, 255, which names no block, so the module stores nothing.
const QByteArray kRealignment(wire::kWriteBlockLength - 2, '\xff');
// After a realignment, the line is watched until it has been quiet this long (or longer when
// the module is slower) for what the module answers to the command it ended.
constexpr int kRealignQuiet = 500; // 50 ms

bool attemptsLeft(const AttemptLimit &limit, int made) {
    return !limit || made < *limit;
}

QByteArray byteOrNothing(int byte) {
    return byte < 0 ? QByteArray() : QByteArray(1, static_cast<char>(byte));
}

int pollsIn(qint64 micros) {
    const qint64 polls =
        (std::max<qint64>(0, micros) + LinkClock::kPollMicros - 1) / LinkClock::kPollMicros;
    return static_cast<int>(std::min<qint64>(polls, std::numeric_limits<int>::max()));
}
} // namespace

void ModuleProtocol::owe(int bytes, int latePolls, qint64 sentAt) {
    wentWrong();
    m_owed.add(bytes, now() + static_cast<qint64>(latePolls) * LinkClock::kPollMicros, sentAt);
}

void ModuleProtocol::tookReply(int length, bool earlierOwed, int latePolls, qint64 sentAt) {
    m_owed.paidReplyAt(length, now(), m_pace);
    if (earlierOwed)
        owe(length, latePolls, sentAt);
}

void ModuleProtocol::discardWaiting() {
    while (m_link.available() > 0 && !m_link.failed()) {
        if (m_link.channel().readByte() >= 0)
            m_owed.pay(1);
    }
}

void ModuleProtocol::waitOutOwed(qint64 until) {
    while (!m_owed.empty() && !m_link.failed()) {
        const qint64 left = until - now();
        // Only a byte that came while it was awaited tells when the module sent it.
        const bool awaited = m_link.channel().bytesAvailable() == 0;
        if (left <= 0 || m_link.receive(pollsIn(left)) < 0)
            break;
        m_owed.paidOneAt(now(), awaited, m_pace);
        until = std::max(until, now() + kLatePauseMicros);
    }
    discardWaiting();
    m_owed.dropExpired(now());
}

void ModuleProtocol::settle() {
    waitOutOwed(m_owed.lastExpiry());
    if (m_outOfStep)
        realign();
}

void ModuleProtocol::settleForRetry(int waitPolls) {
    waitOutOwed(now() + static_cast<qint64>(waitPolls) * LinkClock::kPollMicros);
    if (m_outOfStep)
        realign();
}

bool ModuleProtocol::realign() {
    m_outOfStep = false;
    // A reply still owed that one more byte ends (a link test's acknowledge, say) may come in
    // the window below: an 88 alone then cannot be told from a store's confirmation, and is
    // taken for that late reply. Where a store must be told, what is owed is waited out first.
    m_owed.dropExpired(now());
    const bool lateByteOwed = m_owed.oneByteEndsOldest();
    const qint64 sentAt = now();
    if (!m_link.send(kRealignment))
        return false;
    QByteArray answered;
    int b = 0;
    while (answered.size() <= kBlockSize && (b = m_link.receive(replyWait(kRealignQuiet, 1))) >= 0)
        answered.append(static_cast<char>(b));
    discardWaiting();
    traceExchange({QStringLiteral("realignment"), kRealignment, answered, now() - sentAt, 1,
                   WireExchange::End::Answered});
    // One 88 alone, and nothing owed that it could end: the module confirmed a store it had
    // been left in the middle of. That store was made of the command sent last, whose own reply
    // will therefore never come.
    const bool lone88 = answered == QByteArray(1, static_cast<char>(wire::kAckByte));
    if (lone88 && !lateByteOwed) {
        ++m_garbledStores;
        m_owed.dropNewest();
    } else {
        m_owed.pay(static_cast<int>(answered.size()));
    }
    return lone88 && lateByteOwed;
}

bool ModuleProtocol::nothingFollows(int pollLimit) {
    if (m_link.channel().bytesAvailable() == 0) {
        if (pollLimit <= 0 || m_link.receive(pollLimit) < 0)
            return true;
        m_owed.pay(1);
    }
    discardWaiting();
    wentWrong();
    return false;
}

int ModuleProtocol::linkTestRepeated(int attempts, const std::function<void(int)> &beforeAttempt) {
    settle();
    for (int attempt = 1; attempt <= attempts && !m_link.failed(); ++attempt) {
        if (beforeAttempt)
            beforeAttempt(attempt);
        if (m_outOfStep && realign()) {
            // The attempt before was answered late, within the realignment: the module is there.
            m_wrongAnswers = 0;
            return std::max(1, attempt - 1);
        }
        // Within the run the queue is not emptied: an acknowledge that comes late still shows
        // that the module is there. Those still owed when the run ends are waited out before
        // the next exchange.
        const qint64 sentAt = now();
        if (!m_link.send(wire::linkTest()))
            break;
        const bool earlierOwed = !m_owed.empty();
        const int answer = m_link.receive(replyWait(polls::kReplyByte, 1));
        traceExchange({QStringLiteral("link test"), wire::linkTest(), byteOrNothing(answer),
                       now() - sentAt, attempt,
                       answer < 0                 ? WireExchange::End::TimedOut
                       : answer == wire::kAckByte ? WireExchange::End::Answered
                                                  : WireExchange::End::WrongReply});
        if (answer < 0)
            owe(1, replyWait(late::kLinkTest, 1), sentAt);
        else
            tookReply(1, earlierOwed, replyWait(late::kLinkTest, 1), sentAt);
        if (answer == wire::kAckByte) {
            m_wrongAnswers = 0;
            return attempt;
        }
        if (answer >= 0) {
            ++m_wrongAnswers;
            m_lastWrongAnswer = answer;
            wentWrong();
        }
    }
    return 0;
}

bool ModuleProtocol::linkTestWithin(qint64 waitMicros) {
    discardWaiting();
    m_owed.dropExpired(now());
    // A check the line turned into the start of a store would be completed by the checks after
    // it. The answer it still owes comes within twice its wait, so waiting it out first costs
    // little and leaves a store's confirmation the only 88 the realignment can bring.
    if (m_outOfStep) {
        waitOutOwed(m_owed.lastExpiry());
        realign();
    }
    const qint64 sentAt = now();
    if (!m_link.send(wire::linkTest()))
        return false;
    const int wait = pollsIn(waitMicros);
    const int answer = m_link.receive(wait);
    if (answer < 0)
        owe(1, wait, sentAt);
    return answer == wire::kAckByte;
}

void ModuleProtocol::forgetOwed() {
    m_owed.dropExpired(std::numeric_limits<qint64>::max());
}

std::optional<wire::IdentityReply> ModuleProtocol::identify(AttemptLimit attempts) {
    constexpr int kLength = 6;
    for (int made = 0; attemptsLeft(attempts, made) && !m_link.failed(); ++made) {
        if (made == 0)
            settle();
        else
            settleForRetry(replyWait(polls::kIdentify, kLength));
        // What the settling has just seen of the module's pace counts for this attempt.
        const int wait = replyWait(polls::kIdentify, kLength);
        const qint64 sentAt = now();
        if (!m_link.send(wire::identifyModuleCommand()))
            break;
        // Exactly six: a seventh byte means the reply is not what we asked for.
        if (!m_link.waitForExactly(kLength, wait)) {
            traceExchange({QStringLiteral("identify"),
                           wire::identifyModuleCommand(),
                           {},
                           now() - sentAt,
                           made + 1,
                           WireExchange::End::TimedOut});
            owe(kLength, late::kIdentify, sentAt);
            continue;
        }
        const bool earlierOwed = !m_owed.empty();
        const bool whole = m_owed.wholeRepliesOf(kLength);
        wire::IdentityReply reply;
        for (int &b : reply.b)
            b = m_link.receiveIdentityByte();
        // The seventh byte may trail the six by as long as they took to come, or by as long
        // as this module pauses between the bytes of a reply.
        const int quiet = std::clamp(pollsIn(now() - sentAt), kLeastQuietAfterIdentity,
                                     replyWait(polls::kIdentify, 2));
        const qint64 took = now() - sentAt;
        const bool alone = nothingFollows(quiet);
        QByteArray replyBytes;
        for (const int b : reply.b)
            replyBytes.append(static_cast<char>(b));
        traceExchange(
            {QStringLiteral("identify"), wire::identifyModuleCommand(), replyBytes, took, made + 1,
             whole && alone ? WireExchange::End::Answered : WireExchange::End::MoreFollowed});
        tookReply(kLength, earlierOwed, late::kIdentify, sentAt);
        if (whole && alone)
            return reply;
        wentWrong();
    }
    return std::nullopt;
}

std::optional<BlockBytes> ModuleProtocol::readBlock(int block, AttemptLimit attempts) {
    for (int made = 0; attemptsLeft(attempts, made) && !m_link.failed(); ++made) {
        if (made == 0)
            settle();
        else
            settleForRetry(replyWait(polls::kReadBlock, kBlockSize));
        const int wait = replyWait(polls::kReadBlock, kBlockSize);
        const qint64 sentAt = now();
        if (!m_link.send(wire::readConfigBlock(block)))
            break;
        if (!m_link.waitForExactly(kBlockSize, wait)) {
            traceExchange({QStringLiteral("read block %1").arg(block),
                           wire::readConfigBlock(block),
                           {},
                           now() - sentAt,
                           made + 1,
                           WireExchange::End::TimedOut});
            owe(kBlockSize, late::kReadBlock, sentAt);
            continue;
        }
        const bool earlierOwed = !m_owed.empty();
        const bool whole = m_owed.wholeRepliesOf(kBlockSize);
        BlockBytes bytes{};
        bool complete = true;
        for (quint8 &byte : bytes) {
            const int b = m_link.receiveReplyByte();
            complete = complete && b >= 0;
            byte = static_cast<quint8>(std::max(b, 0));
        }
        // A byte right behind the sixteen means they were not this block's reply alone.
        const bool alone = nothingFollows(0);
        traceExchange({QStringLiteral("read block %1").arg(block), wire::readConfigBlock(block),
                       QByteArray(reinterpret_cast<const char *>(bytes.data()), kBlockSize),
                       now() - sentAt, made + 1,
                       !complete        ? WireExchange::End::TimedOut
                       : whole && alone ? WireExchange::End::Answered
                                        : WireExchange::End::MoreFollowed});
        tookReply(kBlockSize, earlierOwed, late::kReadBlock, sentAt);
        if (complete && whole && alone)
            return bytes;
        wentWrong();
    }
    return std::nullopt;
}

int ModuleProtocol::pollsToWatchAfter(qint64 tookMicros, bool lastOfStore) const {
    if (m_quickestConfirmation < 0)
        return pollsIn(std::max(tookMicros, kFirstConfirmationWatchMicros - tookMicros));
    // Much sooner than this module has ever confirmed a block: perhaps a stray byte that came
    // just before the real answer. Watch until the real answer would have come.
    if (lastOfStore || tookMicros * 4 < m_quickestConfirmation * 3)
        return pollsIn(m_quickestConfirmation * 3 / 2 - tookMicros);
    return 0;
}

StoreAnswer ModuleProtocol::writeBlock(int block, const BlockBytes &data, bool lastOfStore) {
    settle();
    const qint64 sentAt = now();
    const QByteArray command = wire::writeConfigBlock(block, data);
    if (!m_link.send(command))
        return StoreAnswer::Unanswered;
    const int answer = m_link.receive(replyWait(polls::kStoreConfirm, 1));
    const auto trace = [&](WireExchange::End end) {
        traceExchange({QStringLiteral("store block %1").arg(block), command, byteOrNothing(answer),
                       now() - sentAt, 1, end});
    };
    if (answer < 0) {
        trace(WireExchange::End::TimedOut);
        owe(1, late::kStore, sentAt);
        return StoreAnswer::Unanswered;
    }
    if (answer != wire::kAckByte) {
        trace(WireExchange::End::WrongReply);
        wentWrong();
        return StoreAnswer::WrongByte;
    }
    const qint64 took = now() - sentAt;
    const int watch = pollsToWatchAfter(took, lastOfStore);
    const bool alone = nothingFollows(watch);
    trace(alone ? WireExchange::End::Answered : WireExchange::End::MoreFollowed);
    if (!alone)
        return StoreAnswer::AnsweredTwice;
    // A confirmation that came much sooner than usual does not teach what the usual pace is.
    if (m_quickestConfirmation < 0)
        m_quickestConfirmation = took;
    else if (took * 4 >= m_quickestConfirmation * 3)
        m_quickestConfirmation = std::min(m_quickestConfirmation, took);
    return StoreAnswer::Confirmed;
}

int ModuleProtocol::readAnalog(int input) {
    if (input < 0 || input >= map::kAnalogInputs)
        return -1;
    settle();
    const qint64 sentAt = now();
    if (!m_link.send(wire::readAnalogInput(input)))
        return -1;
    const int level = m_link.receive(replyWait(polls::kAnalogLevel, 1));
    // Two bytes to one request: which of them is this input's level cannot be told.
    const bool alone = level >= 0 && nothingFollows(0);
    traceExchange({QStringLiteral("read analog %1").arg(input), wire::readAnalogInput(input),
                   byteOrNothing(level), now() - sentAt, 1,
                   level < 0 ? WireExchange::End::TimedOut
                   : alone   ? WireExchange::End::Answered
                             : WireExchange::End::MoreFollowed});
    if (level < 0) {
        owe(1, replyWait(late::kAnalog, 1), sentAt);
        return -1;
    }
    return alone ? level : -1;
}

} // namespace tessel
