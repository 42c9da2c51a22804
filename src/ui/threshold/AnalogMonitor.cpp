// SPDX-License-Identifier: Apache-2.0
#include "ui/threshold/AnalogMonitor.h"

#include "core/LimitCheck.h"
#include "session/SessionClient.h"
#include "ui/threshold/AnalogPanel.h"

#include <QCheckBox>
#include <QPushButton>
#include <algorithm>
#include <numeric>
#include <utility>

namespace tessel {

AnalogMonitor::AnalogMonitor(SessionClient &session, AnalogPanel &panel, QObject *parent)
    : QObject(parent), m_panel(panel) {
    m_pace.setSingleShot(true);
    m_pace.setInterval(kShowEveryMillis);
    connect(&m_pace, &QTimer::timeout, this, [this] {
        if (std::any_of(m_waiting.begin(), m_waiting.end(),
                        [](const std::optional<int> &level) { return level.has_value(); }))
            showWaiting();
    });
    connect(panel.readAllButton(), &QPushButton::clicked, this, &AnalogMonitor::readAllInputs);
    for (int i = 0; i < kAnalogRows; ++i)
        connect(panel.meter(i), &LevelMeter::pressed, this, [this, i] { readInput(i); });
    connect(panel.loopReadBox(), &QCheckBox::toggled, this,
            [this](bool checked) { m_session->setInputsLooping(checked); });
    // Ticking the box is asking for readings: they start at once, of every input. (A box
    // checked by the program, as when a loop is set up before a click, starts nothing.)
    connect(panel.loopReadBox(), &QCheckBox::clicked, this, [this](bool checked) {
        if (checked)
            readAllInputs();
    });
    useSession(session);
}

void AnalogMonitor::useSession(SessionClient &session) {
    forgetHeldBack();
    if (m_session)
        disconnect(m_session, nullptr, this, nullptr);
    m_session = &session;
    connect(m_session, &SessionClient::passRead, this, &AnalogMonitor::take);
    // A transfer ends the loop, as the box then shows: asked for during the loop, it follows
    // the loop's last pass.
    const auto endLoop = [this] { m_panel.loopReadBox()->setChecked(false); };
    connect(m_session, &SessionClient::queued, this, endLoop);
    connect(m_session, &SessionClient::started, this, [endLoop](SessionJob job) {
        if (job != SessionJob::ReadInputs)
            endLoop();
    });
    m_session->setInputsLooping(m_panel.loopReadBox()->isChecked());
}

void AnalogMonitor::take(const LevelPass &pass) {
    for (const int input : pass.inputs) {
        if (const int level = pass.levels.at(input); level >= 0)
            m_waiting.at(input) = level;
    }
    if (!m_pace.isActive())
        showWaiting();
    Q_EMIT passTaken(pass);
}

void AnalogMonitor::forgetHeldBack() {
    m_waiting.fill(std::nullopt);
    m_pace.stop();
}

void AnalogMonitor::showWaiting() {
    for (int input = 0; input < map::kAnalogInputs; ++input) {
        if (const std::optional<int> level = std::exchange(m_waiting.at(input), std::nullopt))
            m_panel.showLevel(input, *level);
    }
    m_pace.start();
}

void AnalogMonitor::readAllInputs() {
    std::vector<int> inputs(kAnalogRows);
    std::iota(inputs.begin(), inputs.end(), 0);
    read(std::move(inputs));
}

void AnalogMonitor::readInput(int index) {
    read({index});
}

void AnalogMonitor::read(std::vector<int> inputs) {
    LevelRun run;
    run.inputs = std::move(inputs);
    m_session->readInputs(std::move(run));
}

} // namespace tessel
