#pragma once

#include <QDialog>
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

// Shown while the link test and identification run, so that a silent module can be given
// up on instead of leaving the operator with nothing on the screen.
class ConnectingWindow : public QDialog {
    Q_OBJECT
public:
    explicit ConnectingWindow(const QString &port, QWidget *parent = nullptr);

Q_SIGNALS:
    void cancelRequested();

protected:
    void reject() override;
};

} // namespace tessel
