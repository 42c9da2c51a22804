// SPDX-License-Identifier: Apache-2.0
#include "ui/shell/ConnectingWindow.h"

#include "link/protocol/LinkClock.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessel {

namespace {
constexpr int kTickMs = 500;
}

ConnectingWindow::ConnectingWindow(const QString &port, const LinkClock &clock, QWidget *parent)
    : QDialog(parent), m_clock(clock), m_startedMicros(clock.nowMicros()), m_step(new QLabel(this)),
      m_waited(new QLabel(this)) {
    setObjectName(QStringLiteral("connecting"));
    setWindowTitle(QStringLiteral("tessel-config"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(tr("Connecting to %1…").arg(port), this);
    label->setObjectName(QStringLiteral("connectingLabel"));
    layout->addWidget(label);
    m_step->setObjectName(QStringLiteral("connectingStep"));
    m_step->setAccessibleDescription(tr("What is being tried"));
    layout->addWidget(m_step);
    m_waited->setObjectName(QStringLiteral("connectingWaited"));
    m_waited->setAccessibleDescription(tr("Time waited for the module"));
    layout->addWidget(m_waited);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("connectingCancel"));
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, &ConnectingWindow::reject);
    setMinimumWidth(320);
    showWaited();
    connect(&m_tick, &QTimer::timeout, this, &ConnectingWindow::showWaited);
    m_tick.start(kTickMs);
}

void ConnectingWindow::showStep(const QString &step) {
    m_step->setText(step);
    showWaited();
}

void ConnectingWindow::showWaited() {
    const qint64 seconds = (m_clock.nowMicros() - m_startedMicros) / 1'000'000;
    m_waited->setText(tr("Waited %1 s").arg(seconds));
}

void ConnectingWindow::reject() {
    hide();
    Q_EMIT cancelRequested();
}

} // namespace tessel
