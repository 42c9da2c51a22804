#pragma once

#include <QScrollArea>
#include <QSize>

namespace tessel {

// A form laid out at a fixed size, in a scroll area that fills its window. On a screen that
// holds the whole form the window looks as if the form were the window itself; on a smaller
// screen, or at a large scale factor, the window opens as large as the screen allows and the
// form scrolls, and whichever control takes the keyboard focus is scrolled into view.
class ScrollingForm : public QScrollArea {
    Q_OBJECT
public:
    // Puts the scroll area into `window`, filling it; the form's controls go on form().
    explicit ScrollingForm(QWidget &window);

    [[nodiscard]] QWidget *form() const { return widget(); }
    // Gives the form its size and fits the window around it.
    void setFormSize(QSize size);
    // Fits the window to the form again, on the screen it is on now.
    void fitWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusChanged(QWidget *now);

    QWidget &m_window;
};

// Sizes a top-level window to `natural`, or to as much of it as the available area of its
// screen holds with the window's frame, and keeps the frame inside that area. A form that no
// longer fits whole needs room for the scroll bars that appear: `scrollBars` is the extent of
// one, given to the other direction where the screen has the room.
void fitToScreen(QWidget &window, QSize natural, int scrollBars = 0);

} // namespace tessel
