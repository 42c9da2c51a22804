// SPDX-License-Identifier: Apache-2.0
#include "ui/shell/StartupWindows.h"

#include "ui/widgets/FormControls.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace tessel {

StartupWindow::StartupWindow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("startWindow"));
    setWindowTitle(tr("ZigBee Tessel Communications"));
    setFixedSize(px(4005), px(930));
}

void StartupWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    Q_EMIT closed();
}

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("splash"));
    setFixedSize(500, 300);
    setFocusPolicy(Qt::StrongFocus);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(24, 52, 92));
    sky.setColorAt(1, QColor(8, 20, 40));
    painter.fillRect(rect(), sky);
    // A few tiles as a mark: the module's inputs in banks of eight.
    painter.setPen(Qt::NoPen);
    for (int bank = 0; bank < 3; ++bank) {
        for (int input = 0; input < 8; ++input) {
            const QColor tile = QColor::fromHsv(190 + 12 * bank, 140, 120 + 15 * input);
            painter.setBrush(tile);
            painter.drawRoundedRect(QRectF(40 + input * 22, 40 + bank * 22, 18, 18), 3, 3);
        }
    }
    painter.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(40, 130, 440, 50), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("tessel-config"));
    QFont small = font();
    small.setPointSize(11);
    painter.setFont(small);
    painter.drawText(QRect(40, 180, 440, 60), Qt::AlignLeft | Qt::TextWordWrap,
                     tr("Configuration of Tessel and Threshold radio input modules\n"
                        "Version %1")
                         .arg(QStringLiteral(TESSEL_VERSION)));
}

void SplashWindow::keyPressEvent(QKeyEvent *) {
    hide();
}

} // namespace tessel
