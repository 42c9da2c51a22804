// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Commands.h"
#include "link/protocol/ModuleLink.h"
#include "link/protocol/OwedReplies.h"

#include <functional>
#include <optional>

namespace tessel {

// How many attempts an exchange that retries may make; no value means "until it works or
// the operator gives up" (the windows, which offer Cancel), a number bounds the command line.
using AttemptLimit = std::optional<int>;

// How long, in polls after an attempt gave up, its reply may still come. The protocol has no
// way to tell whose reply a byte is, so before any other exchange the link waits until such a
// reply has come (and discards it) or its time has passed; a module later than that is taken
// to have lost the command. A retry of the same command waits one more wait at most, longer
// while the late reply's bytes keep coming.
namespace late {
// A module may answer 3 s late: its acknowledge must still be waited out before the next
// exchange, or it would be taken for that exchange's reply.
constexpr int kLinkTest = 35000;             // 3.5 s
constexpr int kIdentify = 100000;            // 10 s
constexpr int kReadBlock = 100000;           // 10 s
constexpr int kStore = 50000;                // 5 s
constexpr int kAnalog = polls::kAnalogLevel; // 0.35 s
} // namespace late

// How the module answered a block store.
enum class StoreAnswer {
    Confirmed,     // one byte 88, and nothing after it
    Unanswered,    // nothing within the wait, or the line failed
    WrongByte,     // the answer was not 88: the module refused the block
    AnsweredTwice, // 88 and more bytes: the 88 cannot be told to be this block's
};

// The five exchanges with their bytes, waits and retries. A reply counts only for the
// exchange that asked for it: before every command whose reply is counted, replies still owed
// to attempts that gave up are waited out and the queue is emptied, and a reply followed by
// more bytes than it should have is not taken.
class ModuleProtocol {
public:
    explicit ModuleProtocol(ModuleLink &link) : m_link(link) {}

    // Up to `attempts` link tests; the number of the attempt that succeeded, or 0.
    [[nodiscard]] int linkTestRepeated(int attempts,
                                       const std::function<void(int)> &beforeAttempt = {});
    // One link test for a module whose pace is known, where waiting out the usual late reply
    // would hide its arrival or its removal: it waits `waitMicros` for the answer, and an
    // answer later than twice that counts as lost. Replies still owed are not waited out
    // first (what is waiting is dropped), unless the check before went wrong: then they are,
    // and the line is realigned.
    [[nodiscard]] bool linkTestWithin(qint64 waitMicros);
    // The module that owed replies was taken out: none of them will come, and the next
    // module's exchanges do not wait for them.
    void forgetOwed();
    [[nodiscard]] std::optional<wire::IdentityReply> identify(AttemptLimit attempts);
    [[nodiscard]] std::optional<BlockBytes> readBlock(int block, AttemptLimit attempts);
    // The confirmation of a store's last block is watched a while for a byte behind it, as the
    // next block's command would otherwise show one.
    [[nodiscard]] StoreAnswer writeBlock(int block, const BlockBytes &data, bool lastOfStore);
    // The level 0..255 of an analog input, or -1 when none came in time.
    [[nodiscard]] int readAnalog(int input);

    // True when no byte has come since the last reply was taken, after waiting up to
    // `pollLimit` polls for one; whatever came is discarded.
    [[nodiscard]] bool nothingFollows(int pollLimit);

    // Link tests answered with another byte than 88 since the last one answered with 88, and
    // the last such byte: the module answers, but out of step.
    [[nodiscard]] int wrongAnswers() const { return m_wrongAnswers; }
    [[nodiscard]] int lastWrongAnswer() const { return m_lastWrongAnswer; }
    // How many times the module confirmed a store that a realignment ended: the line had
    // turned a command into the start of a block store.
    [[nodiscard]] int garbledStores() const { return m_garbledStores; }

    [[nodiscard]] ModuleLink &link() { return m_link; }
    // How late this module has shown it answers; every wait follows it.
    [[nodiscard]] ReplyPace &pace() { return m_pace; }
    [[nodiscard]] const ReplyPace &pace() const { return m_pace; }

private:
    // Before the first command of an exchange: waits until every owed reply has come or its
    // time has passed, discarding what arrives, then empties the queue.
    void settle();
    // Before a retry: the same, but for one more wait of `waitPolls` at most.
    void settleForRetry(int waitPolls);
    void waitOutOwed(qint64 until);
    // After an exchange that went wrong, before the next command: the module may have been
    // left in the middle of a command (a byte lost, or one changed into the start of another),
    // and would take the next command's bytes as that one's. Bytes that start no command end
    // it, and what it answers then is discarded. True when what it answered was a lone byte
    // that a reply still owed accounts for: that reply came late (a module that answers).
    bool realign();
    // An exchange did not end as it should: the next command is realigned first.
    void wentWrong() { m_outOfStep = true; }
    // Polls to wait for a reply of `length` bytes whose wait at the module's usual pace is
    // `basePolls`.
    [[nodiscard]] int replyWait(int basePolls, int length) const {
        return m_pace.waitPolls(basePolls, length);
    }
    // Empties the queue one byte at a time; the bytes pay what is owed.
    void discardWaiting();
    // An attempt sent at `sentAt` gave up: its `bytes` may still come, for `latePolls` polls
    // from now.
    void owe(int bytes, int latePolls, qint64 sentAt);
    // A reply of `length` bytes to a command sent at `sentAt` was taken. When earlier attempts'
    // replies were owed, it was the oldest of them (the module answers in order), and this
    // attempt's own is owed now.
    void tookReply(int length, bool earlierOwed, int latePolls, qint64 sentAt);
    // How long after a confirmation taken `tookMicros` after its command the line must stay
    // quiet before the confirmation counts.
    [[nodiscard]] int pollsToWatchAfter(qint64 tookMicros, bool lastOfStore) const;
    [[nodiscard]] qint64 now() const { return m_link.clock().nowMicros(); }

    ModuleLink &m_link;
    OwedReplies m_owed;
    ReplyPace m_pace;
    // The quickest clean store confirmation seen, in microseconds; -1 before the first.
    qint64 m_quickestConfirmation = -1;
    bool m_outOfStep = false;
    int m_wrongAnswers = 0;
    int m_lastWrongAnswer = -1;
    int m_garbledStores = 0;
};

} // namespace tessel
