// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QScrollArea>
#include <QSize>

namespace tessel {

// A form laid out at a fixed size, in a scroll area that fills its window. On a screen that
// holds the whole form the window looks as if the form were the window itself; on a smaller
// screen, or at a large scale factor, the window opens as large as the screen allows and the
// form scrolls, and whichever control takes the keyboard focus is scrolled into view. A band
// at the foot of the form may be kept in view whatever the form's height.
class ScrollingForm : public QScrollArea {
    Q_OBJECT
public:
    // Puts the scroll area into `window`, filling it; the form's controls go on form().
    explicit ScrollingForm(QWidget &window);

    [[nodiscard]] QWidget *form() const { return widget(); }
    // The band under the form, as wide as it, that stays in view however far the form scrolls
    // up or down, and scrolls sideways with it. Hidden while it has no height.
    [[nodiscard]] QWidget *footer() const { return m_footer->widget(); }
    // Gives the form its size, the lowest `footerHeight` of it being the band, and fits the
    // window around them.
    void setFormSize(QSize size, int footerHeight = 0);
    // Fits the window to the form again, on the screen it is on now.
    void fitWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusChanged(QWidget *now);

    QWidget &m_window;
    QScrollArea *m_footer;
};

// Sizes a top-level window to `natural`, or to as much of it as the available area of its
// screen holds with the window's frame, and keeps the frame inside that area. A form that no
// longer fits whole needs room for the scroll bars that appear: `scrollBars` is the extent of
// one, given to the other direction where the screen has the room.
void fitToScreen(QWidget &window, QSize natural, int scrollBars = 0);

} // namespace tessel
