// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/ports/PortFacts.h"
#include "link/ports/PortSetting.h"
#include "link/ports/PortWatcher.h"

#include <QDialog>

class QComboBox;
class QFontMetrics;
class QLabel;

namespace tessel {

class PortSource;

// The port chooser. It lists the ports present with what the system knows of each, keeps the
// list current while it is open (a port plugged in appears, one pulled out disappears),
// offers the port remembered last time (or the only USB adapter), and remembers the choice
// when OK is pressed. Closing it or pressing Escape takes the port it offered, not whatever
// was typed meanwhile; Cancel chooses no port at all.
class PortChooser : public QDialog {
    Q_OBJECT
public:
    explicit PortChooser(const PortSource &source, PortSetting setting = {},
                         QWidget *parent = nullptr);

    // The port chosen with OK; the port offered at opening when the window was closed.
    [[nodiscard]] QString portName() const;
    // Offers `port` instead of the remembered one (the port a lost line was on).
    void offer(const QString &port);
    // Whether the operator pressed Cancel: no port was chosen.
    [[nodiscard]] bool cancelled() const { return m_cancelled; }
    // Why the choice could not be remembered; empty when it was written (or OK not pressed).
    [[nodiscard]] QString settingError() const { return m_settingError; }

public Q_SLOTS:
    void reject() override;

private:
    void acceptChoice();
    void cancelChoice();
    void showOffered();
    void showPorts(const QList<PortFacts> &ports);
    void showDetails();

    PortSetting m_setting;
    PortWatcher m_watcher;
    QComboBox *m_ports;
    QLabel *m_details;
    QString m_offered;
    QString m_settingError;
    bool m_cancelled = false;
};

// Everything the system knows of a port, one fact a line ("Manufacturer: ...").
[[nodiscard]] QString portDetailsText(const PortFacts &port);

// Each line of `text` that is wider than `width` shortened in its middle with an ellipsis.
[[nodiscard]] QString elidedLines(const QString &text, const QFontMetrics &metrics, int width);

} // namespace tessel
