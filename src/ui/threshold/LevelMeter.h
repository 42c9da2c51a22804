// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/TriggerRange.h"

#include <QProgressBar>

namespace tessel {

// The level meter of one analog input. Besides the level it draws where the input's limits lie
// (a line with a notch for each limit the type uses) and the part of the range that triggers
// the relay (hatched). A level in that part is told by a word ("ON") and a shape (the bar
// cross-hatched), never by colour alone, and a screen reader hears it with the level. Pressing
// the meter (or Space or Enter while it has the focus) asks for a reading of its input.
class LevelMeter : public QProgressBar {
    Q_OBJECT
public:
    explicit LevelMeter(QWidget *parent = nullptr);
    // No level known: an empty bar, and "???" for a screen reader as on the value beside it.
    void showUnknown();
    void showLevel(int level);
    void setLimits(const InputLimits &limits);
    [[nodiscard]] const InputLimits &limits() const { return m_limits; }
    // Whether the level shown lies in the trigger range; false while no level is known.
    [[nodiscard]] bool triggered() const;

Q_SIGNALS:
    void pressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void describe();

    InputLimits m_limits;
    bool m_known = false;
};

} // namespace tessel
