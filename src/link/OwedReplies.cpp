#include "link/OwedReplies.h"

#include <algorithm>

namespace tessel {

void OwedReplies::add(int bytes, qint64 expiresAt) {
    if (bytes > 0)
        m_debts.push_back({bytes, expiresAt});
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
