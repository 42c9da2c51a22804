// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QWidget>

class QProgressBar;
class QPushButton;

namespace tessel {

// The transfer progress window: not modal, so the configuration window stays usable.
// Cancel is the way out of a module that stops answering: it ends the transfer (a store after
// the block in flight), or the program during the start-up reads.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget *parent = nullptr);

    // Shows the window with its caption, centred over the window that started the transfer.
    void begin(const QString &caption, const QWidget *over = nullptr);
    void setAddress(int address);

Q_SIGNALS:
    void cancelRequested();

private:
    QProgressBar *m_progress;
    QPushButton *m_cancel;
};

} // namespace tessel
