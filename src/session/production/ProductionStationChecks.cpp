// SPDX-License-Identifier: Apache-2.0
// A production station between modules: the link tests that find a module and those that
// watch it after its record until it is taken out, and what a garbled check means there.
#include "session/production/ProductionStation.h"

namespace tessel {

namespace {
// A module counts as removed after this many checks in a row went unanswered.
constexpr int kSilentTestsForRemoval = 2;
// A check waits this many times as long as the module has taken to answer one, and at least
// kLeastCheckWait (the system's latency on a busy computer), at most a link test's usual wait.
constexpr qint64 kCheckWaitFactor = 4;
constexpr qint64 kLeastCheckWaitMicros = 200'000;
constexpr qint64 kLongestCheckWaitMicros = polls::kReplyByte * LinkClock::kPollMicros;
// A link test that fails faster than this did not wait for the module (the line refused the
// command); the next one waits a little, so that a broken line never spins.
constexpr int kQuickFailureMs = 100;
} // namespace

bool ProductionStation::stoppedOrLineGone() {
    if (m_stop || m_session->aborted()) {
        end();
        return true;
    }
    if (m_session->lineGone()) {
        adapterGone();
        return true;
    }
    return false;
}

qint64 ProductionStation::checkWaitMicros() const {
    if (m_replyMicros == 0)
        return kLongestCheckWaitMicros;
    return std::clamp(m_replyMicros * kCheckWaitFactor, kLeastCheckWaitMicros,
                      kLongestCheckWaitMicros);
}

void ProductionStation::testLink() {
    if (m_stop) {
        end();
        return;
    }
    m_attempt.start();
    // The usual link test until a module has shown how long this line takes; from then on one
    // that is not held up by the answers the empty jig still owes.
    if (m_replyMicros == 0)
        m_session->testLink();
    else
        m_session->testLink(checkWaitMicros());
}

void ProductionStation::moduleAnswered(const SessionOutcome &outcome) {
    if (stoppedOrLineGone())
        return;
    if (!outcome.ok()) {
        m_pause.start(m_attempt.elapsed() < kQuickFailureMs ? kRemovalPollMs : 0);
        return;
    }
    // Its first answer sets its pace until its checks after the store show it better (the
    // first link test on a port may include waiting out replies owed to earlier ones).
    m_replyMicros = outcome.tookMicros;
    begin();
}

void ProductionStation::removalTested(const SessionOutcome &outcome) {
    if (stoppedOrLineGone())
        return;
    if (!outcome.warning.isEmpty()) {
        garbledAfterRecord(outcome.warning);
        return;
    }
    if (!outcome.ok()) {
        if (++m_silentTests >= kSilentTestsForRemoval)
            awaitModule(StationEvent::Type::Removed);
        else
            testLink();
        return;
    }
    if (m_silentTests > 0) {
        // Silent once, then answering: another module may have been put in within the gap.
        // Whichever it is, it is worked on as a new one (one that holds the profile already
        // is recorded so, and nothing is stored to it).
        report(StationEvent::Type::Removed,
               QStringLiteral("a check went unanswered, then the port answered again: the "
                              "module may have been swapped faster than the checks can tell, "
                              "so it is taken as a new module"));
        begin();
        return;
    }
    m_replyMicros =
        m_checksAnswered++ == 0 ? outcome.tookMicros : std::max(m_replyMicros, outcome.tookMicros);
    m_pause.start(kRemovalPollMs);
}

QString ProductionStation::afterRecord() const {
    return QStringLiteral("after the record of the module on this port (finished %1, %2): ")
        .arg(isoTimeWithOffset(m_record.finished),
             m_record.backup.isEmpty() ? QStringLiteral("no backup")
                                       : QStringLiteral("backup ") + m_record.backup);
}

void ProductionStation::garbledAfterRecord(const QString &warning) {
    // Only the module that took the garbled check can confirm its store: the check that went
    // unanswered was not a swap.
    m_silentTests = 0;
    if (!m_heldAtRecord) {
        report(StationEvent::Type::Warning,
               afterRecord() + warning +
                   QStringLiteral(" What it held then is not known, so it is not read again."));
        m_pause.start(kRemovalPollMs);
        return;
    }
    m_warningAfterRecord = warning;
    m_step = Step::Rereading;
    m_session->setSilenceLimit(kSwapMicros + checkWaitMicros());
    m_session->read();
}

void ProductionStation::reread(const SessionOutcome &outcome) {
    m_session->setSilenceLimit(0);
    QString held;
    if (!outcome.ok()) {
        held = QStringLiteral("It could not be read again: ") + outcome.message;
    } else {
        QStringList changed;
        for (int block = 0; block < kBlockCount; ++block) {
            if (outcome.received.block(block) != m_heldAtRecord->block(block))
                changed << QString::number(block);
        }
        held =
            changed.isEmpty()
                ? QStringLiteral("Read again, it still holds what it held when its record "
                                 "was written.")
                : QStringLiteral("Read again, %1 %2 may have changed: it no longer holds what "
                                 "it held when its record was written.")
                      .arg(changed.size() == 1 ? QStringLiteral("block") : QStringLiteral("blocks"),
                           changed.join(QStringLiteral(", ")));
    }
    report(StationEvent::Type::Warning,
           afterRecord() + m_warningAfterRecord + QLatin1Char(' ') + held);
    if (stoppedOrLineGone())
        return;
    if (moduleLeft(outcome)) {
        awaitModule(StationEvent::Type::Removed);
        return;
    }
    m_step = Step::AwaitingRemoval;
    m_pause.start(kRemovalPollMs);
}

} // namespace tessel
