// SPDX-License-Identifier: Apache-2.0
#include "ui/config/ScrollingForm.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace tessel {

namespace {

// Before a window manager has framed a window its frame is unknown; a title bar and thin
// borders are what most desktops add.
constexpr QSize kUsualFrame{12, 40};

QSize frameOf(const QWidget &window) {
    const QSize frame = window.frameGeometry().size() - window.size();
    return window.isVisible() && !frame.isEmpty() ? frame : kUsualFrame;
}

// The smallest a window with a scrolling form is offered, still usable with its scroll bars.
constexpr QSize kSmallest{240, 160};

// How much of its surroundings a control brought into view shows with it.
constexpr int kAround = 8;

} // namespace

ScrollingForm::ScrollingForm(QWidget &window)
    : QScrollArea(&window), m_window(window), m_footer(new QScrollArea(&window)) {
    setObjectName(QStringLiteral("formScroll"));
    setFrameShape(QFrame::NoFrame);
    // The keyboard goes from control to control as before; the area itself is no stop.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    setWidget(new QWidget);
    form()->setObjectName(QStringLiteral("form"));
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(this);
    // The band scrolls sideways only, and only with the form.
    m_footer->setObjectName(QStringLiteral("footerScroll"));
    m_footer->setFrameShape(QFrame::NoFrame);
    m_footer->setFocusPolicy(Qt::NoFocus);
    m_footer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setWidget(new QWidget);
    footer()->setObjectName(QStringLiteral("footer"));
    m_footer->hide();
    layout->addWidget(m_footer);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_footer->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(m_footer->horizontalScrollBar(), &QScrollBar::valueChanged, horizontalScrollBar(),
            &QScrollBar::setValue);
    window.setMinimumSize(kSmallest);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { focusChanged(now); });
    window.installEventFilter(this);
}

bool ScrollingForm::eventFilter(QObject *watched, QEvent *event) {
    // The screen a window shows on, and the frame it gets there, are known once it shows; a
    // window taken to another screen fits that one.
    if (watched == &m_window && event->type() == QEvent::Show && !event->spontaneous()) {
        fitWindow();
        connect(m_window.windowHandle(), &QWindow::screenChanged, this, &ScrollingForm::fitWindow,
                Qt::UniqueConnection);
    }
    return QScrollArea::eventFilter(watched, event);
}

void ScrollingForm::setFormSize(QSize size, int footerHeight) {
    form()->setFixedSize(size.width(), size.height() - footerHeight);
    footer()->setFixedSize(size.width(), footerHeight);
    m_footer->setFixedHeight(footerHeight);
    m_footer->setVisible(footerHeight > 0);
    fitWindow();
}

void ScrollingForm::fitWindow() {
    // A menu bar above the form and a status line below it take their own height.
    QSize natural = form()->size() + QSize(0, footer()->height());
    const QLayout *layout = m_window.layout();
    if (const QWidget *bar = layout->menuBar())
        natural.rheight() += bar->sizeHint().height();
    for (int i = 0; i < layout->count(); ++i) {
        const QWidget *other = layout->itemAt(i)->widget();
        if (other && other != this && other != m_footer && !other->isHidden())
            natural.rheight() += other->sizeHint().height();
    }
    fitToScreen(m_window, natural, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void ScrollingForm::focusChanged(QWidget *now) {
    if (now && footer()->isAncestorOf(now))
        m_footer->ensureWidgetVisible(now, kAround, 0);
    if (!now || !form()->isAncestorOf(now))
        return;
    // The whole control, with a little of what surrounds it; ensureWidgetVisible would show no
    // more of a text box than its cursor.
    const QRect control(now->mapTo(form(), QPoint(0, 0)), now->size());
    ensureVisible(control.center().x(), control.center().y(), control.width() / 2 + kAround,
                  control.height() / 2 + kAround);
}

void fitToScreen(QWidget &window, QSize natural, int scrollBars) {
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize frame = frameOf(window);
    const QSize room = available.size() - frame;
    QSize size = natural.boundedTo(room);
    // A cut in one direction brings a scroll bar that takes room from the other.
    if (size.height() < natural.height())
        size.setWidth(std::min(natural.width() + scrollBars, room.width()));
    if (size.width() < natural.width())
        size.setHeight(std::min(natural.height() + scrollBars, room.height()));
    window.setMaximumSize(size.width() < natural.width() || size.height() < natural.height()
                              ? natural + QSize(scrollBars, scrollBars)
                              : natural);
    window.resize(size);
    const QRect frameRect(window.pos(), size + frame);
    if (!available.contains(frameRect)) {
        const QPoint inside(std::clamp(frameRect.left(), available.left(),
                                       available.right() + 1 - frameRect.width()),
                            std::clamp(frameRect.top(), available.top(),
                                       available.bottom() + 1 - frameRect.height()));
        window.move(inside);
    }
}

} // namespace tessel
