// SPDX-License-Identifier: Apache-2.0
#include "link/protocol/OwedReplies.h"

#include <algorithm>

namespace tessel {

void OwedReplies::add(int bytes, qint64 expiresAt, qint64 sentAt) {
    if (bytes > 0)
        m_debts.push_back({bytes, bytes, expiresAt, sentAt, sentAt});
}

void OwedReplies::paidOneAt(qint64 now, bool awaited, ReplyPace &pace) {
    if (m_debts.empty())
        return;
    Debt &oldest = m_debts.front();
    if (awaited && oldest.bytes == oldest.length)
        pace.sawLatency(now - oldest.sentAt);
    else if (awaited)
        pace.sawPause(now - oldest.lastByteAt);
    oldest.lastByteAt = now;
    pay(1);
}

void OwedReplies::paidReplyAt(int length, qint64 now, ReplyPace &pace) {
    if (!m_debts.empty() && m_debts.front().bytes == m_debts.front().length)
        pace.sawLatency(now - m_debts.front().sentAt);
    pay(length);
}

void OwedReplies::pay(int bytes) {
    while (bytes > 0 && !m_debts.empty()) {
        const int paid = std::min(bytes, m_debts.front().bytes);
        m_debts.front().bytes -= paid;
        bytes -= paid;
        if (m_debts.front().bytes == 0)
            m_debts.pop_front();
    }
}

void OwedReplies::dropExpired(qint64 now) {
    std::erase_if(m_debts, [now](const Debt &d) { return d.expiresAt <= now; });
}

int OwedReplies::bytes() const {
    int total = 0;
    for (const Debt &d : m_debts)
        total += d.bytes;
    return total;
}

qint64 OwedReplies::lastExpiry() const {
    qint64 last = 0;
    for (const Debt &d : m_debts)
        last = std::max(last, d.expiresAt);
    return last;
}

bool OwedReplies::wholeRepliesOf(int length) const {
    return std::all_of(m_debts.begin(), m_debts.end(),
                       [length](const Debt &d) { return d.bytes == length; });
}

} // namespace tessel
