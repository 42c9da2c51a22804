// SPDX-License-Identifier: Apache-2.0
#include "ui/threshold/LevelMeter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace tessel {

namespace {
constexpr int kTop = 255;
const QString kUnknownLevel = QStringLiteral("???");
} // namespace

LevelMeter::LevelMeter(QWidget *parent) : QProgressBar(parent) {
    setRange(0, kTop);
    setTextVisible(false);
    setFocusPolicy(Qt::StrongFocus);
    showUnknown();
}

void LevelMeter::showUnknown() {
    m_known = false;
    setValue(0);
    describe();
}

void LevelMeter::showLevel(int level) {
    if (m_known && level == value())
        return;
    m_known = true;
    // A progress bar repaints at once for each new value. Sixteen meters, many times a second,
    // would each paint (and the panel behind them) alone; asked for, their paints are one.
    setUpdatesEnabled(false);
    setValue(level);
    setUpdatesEnabled(true);
    describe();
}

void LevelMeter::setLimits(const InputLimits &limits) {
    if (limits == m_limits)
        return;
    m_limits = limits;
    describe();
    update();
}

bool LevelMeter::triggered() const {
    return m_known && triggers(m_limits, value());
}

void LevelMeter::describe() {
    // The level is what a screen reader speaks, as for the value labels beside it.
    setAccessibleName(!m_known      ? kUnknownLevel
                      : triggered() ? tr("%1, relay on").arg(value())
                                    : QString::number(value()));
}

void LevelMeter::paintEvent(QPaintEvent * /*event*/) {
    QPainter p(this);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const auto xOf = [&r](double level) { return r.left() + r.width() * level / (kTop + 1); };
    const QColor text = palette().color(QPalette::Text);
    p.fillRect(r, palette().color(QPalette::Base));

    // The trigger range, hatched in the text colour: readable under any palette.
    QColor hatch = text;
    hatch.setAlphaF(0.45f);
    for (const LevelSpan &span : triggerSpans(m_limits))
        p.fillRect(
            QRectF(QPointF(xOf(span.first), r.top()), QPointF(xOf(span.last + 1), r.bottom())),
            QBrush(hatch, Qt::BDiagPattern));

    if (m_known) {
        const QRectF bar(r.topLeft(), QPointF(xOf(value() + 1), r.bottom()));
        const QRectF inner = bar.adjusted(0, r.height() / 4, 0, -r.height() / 4);
        p.fillRect(inner, palette().color(QPalette::Highlight));
        if (triggered())
            p.fillRect(inner,
                       QBrush(palette().color(QPalette::HighlightedText), Qt::DiagCrossPattern));
    }

    // Each limit the type uses: a line across the bar with a notch above it.
    p.setRenderHint(QPainter::Antialiasing);
    const bool twoLimits = m_limits.type >= 2;
    for (const int limit : {m_limits.lower, m_limits.upper}) {
        if (limit == m_limits.upper && !twoLimits)
            break;
        const double x = xOf(limit + 0.5);
        p.setPen(QPen(text, 1.5));
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        const double notch = std::max(3.0, r.height() / 4);
        QPainterPath triangle;
        triangle.moveTo(x - notch, r.top());
        triangle.lineTo(x + notch, r.top());
        triangle.lineTo(x, r.top() + notch);
        triangle.closeSubpath();
        p.fillPath(triangle, text);
    }

    if (triggered()) {
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        const QString word = triggerWord(true);
        const QRectF box = QRectF(QFontMetricsF(bold).boundingRect(word)).adjusted(-3, 0, 3, 0);
        QRectF place(QPointF(r.right() - box.width() - 2, r.center().y() - box.height() / 2),
                     box.size());
        p.fillRect(place, palette().color(QPalette::Base));
        p.setPen(text);
        p.drawRect(place);
        p.drawText(place, Qt::AlignCenter, word);
    }
    p.setPen(palette().color(QPalette::Mid));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void LevelMeter::mousePressEvent(QMouseEvent *event) {
    event->accept();
    Q_EMIT pressed();
}

void LevelMeter::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT pressed();
        return;
    }
    QProgressBar::keyPressEvent(event);
}

} // namespace tessel
