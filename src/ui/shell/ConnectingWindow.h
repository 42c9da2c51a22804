// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

namespace tessel {

class LinkClock;

// Shown while the link test and the identification run: which attempt is under way and how
// long the program has waited, so that a silent module can be given up on (Cancel) instead
// of leaving the operator with nothing on the screen.
class ConnectingWindow : public QDialog {
    Q_OBJECT
public:
    ConnectingWindow(const QString &port, const LinkClock &clock, QWidget *parent = nullptr);

    // "Link test 12 of 100", "Identifying the module"...
    void showStep(const QString &step);
    // Brings the waited time up to date (also done twice a second while shown).
    void showWaited();

Q_SIGNALS:
    void cancelRequested();

public Q_SLOTS:
    void reject() override;

private:
    const LinkClock &m_clock;
    qint64 m_startedMicros;
    QLabel *m_step;
    QLabel *m_waited;
    QTimer m_tick;
};

} // namespace tessel
