// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStatusBar>

class QLabel;

namespace tessel {

// The one line at the bottom of a configuration window: where the module is (its port, or the
// simulated module), whether the line to it works, and the last transfer with its result and
// time; other parts of the window add their own counts on its right (addPermanentWidget), and
// short notes pass over it (showMessage). Each segment is a label whose text is also its
// accessible name; what the segment is goes in its accessible description.
class WindowStatusLine : public QStatusBar {
    Q_OBJECT
public:
    explicit WindowStatusLine(QWidget *parent = nullptr);

    void showPort(const QString &port);
    void showConnection(const QString &state);
    // `detail` is the tool tip: what the sentence shortens (the backup's whole path).
    void showLastTransfer(const QString &summary, const QString &detail = {});

    [[nodiscard]] QString port() const;
    [[nodiscard]] QString connection() const;
    [[nodiscard]] QString lastTransfer() const;

private:
    QLabel *addLabel(const QString &name, const QString &description, int stretch = 0);

    QLabel *m_port;
    QLabel *m_connection;
    QLabel *m_lastTransfer;
};

} // namespace tessel
