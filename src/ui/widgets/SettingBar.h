// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QScrollBar>

namespace tessel {

// A horizontal bar that sets one value of the module (device count, debounce, refresh). It
// shows when it has the keyboard focus, and its arrow keys move the value the way the
// operator reads it: Left and Down lower it, Right and Up raise it.
class SettingBar : public QScrollBar {
    Q_OBJECT
public:
    SettingBar(const QString &name, int maximum, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tessel
