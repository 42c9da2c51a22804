// SPDX-License-Identifier: Apache-2.0
#include "ui/widgets/SettingBar.h"

#include <QPainter>

namespace tessel {

SettingBar::SettingBar(const QString &name, int maximum, QWidget *parent)
    : QScrollBar(Qt::Horizontal, parent) {
    setObjectName(name);
    setRange(0, maximum);
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    // A scroll bar inverts its keys so that Down scrolls a page down, towards larger values;
    // on a horizontal bar that also turns Left into "more". A value bar wants neither.
    setInvertedControls(false);
}

void SettingBar::paintEvent(QPaintEvent *event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    // Styles draw no focus on a scroll bar, or only after a Tab; the operator must see which
    // bar the arrow keys will move, however it got the focus.
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

} // namespace tessel
