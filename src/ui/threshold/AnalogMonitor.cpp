#include "ui/threshold/AnalogMonitor.h"

#include "core/LimitCheck.h"
#include "link/protocol/ModuleProtocol.h"
#include "ui/threshold/AnalogPanel.h"

#include <QCheckBox>
#include <QPushButton>
#include <utility>

namespace tessel {

AnalogMonitor::AnalogMonitor(ModuleProtocol &protocol, AnalogPanel &panel, QObject *parent)
    : QObject(parent), m_protocol(&protocol), m_panel(panel) {
    connect(panel.readAllButton(), &QPushButton::clicked, this, &AnalogMonitor::readAllInputs);
    for (int i = 0; i < kAnalogRows; ++i)
        connect(panel.meter(i), &LevelMeter::pressed, this, [this, i] { readInput(i); });
    connect(panel.loopReadBox(), &QCheckBox::toggled, this, [this](bool checked) {
        if (!checked)
            m_uncheckedAt = m_protocol->link().clock().nowMicros();
    });
}

void AnalogMonitor::readAllInputs() {
    readRepeatedly([this] {
        for (int n = 0; n < kAnalogRows; ++n) {
            m_panel.showLevel(n, m_protocol->readAnalog(n));
            if (m_protocol->link().failed())
                return;
        }
    });
}

void AnalogMonitor::readInput(int index) {
    readRepeatedly([this, index] { m_panel.showLevel(index, m_protocol->readAnalog(index)); });
}

void AnalogMonitor::readRepeatedly(const std::function<void()> &pass) {
    if (m_preparing)
        return; // a transfer is about to take the link
    ControllerLink &link = m_protocol->link();
    {
        auto session = link.tryBegin();
        if (!session)
            return; // a loop or a transfer waits for the module; never interleave
        m_running = true;
        // The box is looked at after each full pass. A link that has failed for good (the
        // program ending, the line gone) answers at once, so it ends the loop instead of
        // leaving it spinning without ever yielding.
        // Passes are paced: at most kPassesPerSecond, which the eye cannot tell from more,
        // and between them the program sleeps instead of keeping the line and a core busy.
        const auto looping = [&] { return m_panel.loopReadBox()->isChecked() && !link.failed(); };
        for (;;) {
            const qint64 started = link.clock().nowMicros();
            pass();
            if (!looping())
                break;
            restUntil(started + kPassMicros, looping);
        }
        m_running = false;
    }
    runKeptTransfers();
}

void AnalogMonitor::useProtocol(ModuleProtocol &protocol) {
    m_protocol = &protocol;
    // A time of the old line's clock means nothing on the new one.
    m_uncheckedAt.reset();
}

bool AnalogMonitor::prepareTransfer(const std::function<void()> &transfer) {
    if (m_preparing)
        return false; // another transfer is already on its way; this click is ignored
    QCheckBox *loopRead = m_panel.loopReadBox();
    bool settleFirst = loopRead->isChecked();
    if (settleFirst)
        loopRead->setChecked(false);
    if (m_running) {
        // The loop lies below this click on the call stack and can end only once the click
        // has returned: the transfer follows its last pass.
        m_kept.push_back(transfer);
        m_settleKept = true;
        return false;
    }
    settleFirst = settleFirst || std::exchange(m_settleKept, false);
    m_preparing = true;
    if (settleFirst) {
        settle();
        m_protocol->link().discardInput();
    }
    m_protocol->link().discardInput();
    m_preparing = false;
    return !m_protocol->link().aborted();
}

void AnalogMonitor::settle() {
    // Gives a late answer to the last request time to arrive, so that the queue is emptied of
    // it and the transfer does not read it as the start of its own reply.
    ControllerLink &link = m_protocol->link();
    const qint64 until = m_uncheckedAt.value_or(link.clock().nowMicros()) + kSettleMicros;
    restUntil(until + 1, [&link] { return !link.aborted(); });
}

void AnalogMonitor::restUntil(qint64 dueMicros, const std::function<bool()> &goOn) {
    LinkClock &clock = m_protocol->link().clock();
    while (clock.nowMicros() < dueMicros && goOn()) {
        clock.processEvents();
        clock.idle(dueMicros - clock.nowMicros());
    }
}

void AnalogMonitor::runKeptTransfers() {
    const auto kept = std::exchange(m_kept, {});
    if (m_protocol->link().aborted())
        return;
    for (const auto &transfer : kept)
        transfer();
}

} // namespace tessel
