// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/protocol/ReplyPace.h"

#include <QtGlobal>
#include <deque>

namespace tessel {

// Replies the module may still send to attempts that gave up waiting for them. The module
// answers in order, so whatever arrives pays the oldest first; a reply that has not come by
// its time is taken to be lost.
class OwedReplies {
public:
    // `bytes` more may come, until `expiresAt`, in answer to a command sent at `sentAt`
    // (microseconds on the link clock).
    void add(int bytes, qint64 expiresAt, qint64 sentAt);
    // `bytes` arrived (discarded, or taken for a reply).
    void pay(int bytes);
    // One byte arrived by `now`. When it came while it was awaited, `now` is when it came, and
    // it shows the module's pace.
    void paidOneAt(qint64 now, bool awaited, ReplyPace &pace);
    // A whole reply was taken at `now` in place of the oldest owed one: that one came this late.
    void paidReplyAt(int length, qint64 now, ReplyPace &pace);
    void dropExpired(qint64 now);
    // The last command that owes a reply will not send it (the module took it for another).
    void dropNewest() {
        if (!m_debts.empty())
            m_debts.pop_back();
    }

    [[nodiscard]] bool empty() const { return m_debts.empty(); }
    [[nodiscard]] int bytes() const;
    // When the last of them may still come.
    [[nodiscard]] qint64 lastExpiry() const;
    // True when what is owed is whole replies of `length` bytes: a reply taken now cannot be
    // made of the tail of one and the head of another.
    [[nodiscard]] bool wholeRepliesOf(int length) const;
    // True when the next byte the module sends would end the oldest of them: a lone byte that
    // comes now may be that reply, late.
    [[nodiscard]] bool oneByteEndsOldest() const {
        return !m_debts.empty() && m_debts.front().bytes == 1;
    }

private:
    struct Debt {
        int bytes;
        int length; // of the whole reply
        qint64 expiresAt;
        qint64 sentAt;
        qint64 lastByteAt; // when its latest byte came
    };
    std::deque<Debt> m_debts;
};

} // namespace tessel
