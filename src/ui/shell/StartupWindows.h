// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QWidget>

namespace tessel {

// The start-up window: it owns nothing visible; it stands beside the configuration window
// after start-up until the next read hides it. Closing it ends the program.
class StartupWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartupWindow(QWidget *parent = nullptr);

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
};

// Product name and version while the program starts; any key closes it.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace tessel
