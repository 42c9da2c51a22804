// SPDX-License-Identifier: Apache-2.0
#include "ui/threshold/TrendPlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tessel {

namespace {
constexpr qint64 kMinuteMicros = 60'000'000;
constexpr int kTop = 255;
} // namespace

TrendPlot::TrendPlot(const LevelHistory &history, LimitsOf limits, QWidget *parent)
    : QWidget(parent), m_history(history), m_limits(std::move(limits)) {
    setMinimumSize(360, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrendPlot::setInputs(const std::vector<int> &inputs) {
    m_inputs = inputs;
    update();
}

void TrendPlot::setSpanMinutes(int minutes) {
    m_minutes = std::clamp(minutes, 1, 60);
    update();
}

void TrendPlot::setPaused(bool paused) {
    m_pausedAt = paused ? std::optional(endMicros()) : std::nullopt;
    update();
}

qint64 TrendPlot::endMicros() const {
    if (m_pausedAt)
        return *m_pausedAt;
    return m_history.samples().empty() ? 0 : m_history.samples().back().atMicros;
}

qint64 TrendPlot::spanMicros() const {
    return m_minutes * kMinuteMicros;
}

QColor TrendPlot::colourOf(int input, const QColor &background) {
    // Sixteen hues around the wheel, neighbours apart: full and darker on a light background,
    // paler and brighter on a dark one, where a deep blue or violet would hardly show.
    const int hue = (input * 7 % 16) * 360 / 16;
    return background.lightness() < 128 ? QColor::fromHsv(hue, 140, 255)
                                        : QColor::fromHsv(hue, 200, 200);
}

QRectF TrendPlot::plotArea() const {
    const QFontMetrics fm(font());
    const double left = fm.horizontalAdvance(QStringLiteral("255")) + 8;
    const double right = fm.horizontalAdvance(QStringLiteral("15 upper")) + 10;
    return QRectF(left, fm.height() / 2.0, width() - left - right, height() - fm.height() * 2.0);
}

void TrendPlot::paintEvent(QPaintEvent * /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const QRectF area = plotArea();
    drawAxes(p, area);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area.adjusted(-8, -8, 200, 8));
    std::vector<QRectF> labels;
    for (const int input : m_inputs)
        drawInput(p, area, input, labels);
}

void TrendPlot::drawLabel(QPainter &p, QPointF leftMiddle, const QString &text,
                          std::vector<QRectF> &taken) {
    // With many inputs chosen their names at the right edge would pile up: a name that would
    // cover one already drawn is left out, the line's colour still telling it.
    const QFontMetricsF metrics(p.font());
    const QRectF box(leftMiddle - QPointF(0, metrics.height() / 2),
                     QSizeF(metrics.horizontalAdvance(text), metrics.height()));
    if (std::any_of(taken.begin(), taken.end(),
                    [&box](const QRectF &other) { return other.intersects(box); }))
        return;
    taken.push_back(box);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

void TrendPlot::drawAxes(QPainter &p, const QRectF &area) const {
    const QColor text = palette().color(QPalette::Text);
    QColor grid = text;
    grid.setAlphaF(0.2f);
    p.setPen(text);
    for (const int level : {0, 64, 128, 192, 255}) {
        const double y = area.bottom() - area.height() * level / kTop;
        p.setPen(grid);
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p.setPen(text);
        p.drawText(QRectF(0, y - 10, area.left() - 4, 20), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(level));
    }
    // Minutes back from the right edge.
    const int step = m_minutes <= 5 ? 1 : m_minutes <= 20 ? 5 : 10;
    for (int m = 0; m <= m_minutes; m += step) {
        const double x = area.right() - area.width() * m / m_minutes;
        p.setPen(grid);
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        p.setPen(text);
        const QString label = m == 0 ? tr("now") : tr("-%1 min").arg(m);
        p.drawText(QRectF(x - 40, area.bottom() + 2, 80, height() - area.bottom()),
                   Qt::AlignHCenter | Qt::AlignTop, label);
    }
    p.drawRect(area);
}

void TrendPlot::drawInput(QPainter &p, const QRectF &area, int input,
                          std::vector<QRectF> &labels) const {
    const qint64 end = endMicros();
    const qint64 begin = end - spanMicros();
    const auto xOf = [&](qint64 at) {
        return area.left() + area.width() * double(at - begin) / double(spanMicros());
    };
    const auto yOf = [&](double level) { return area.bottom() - area.height() * level / kTop; };
    const QColor colour = colourOf(input, palette().color(QPalette::Base));

    // One pixel column at a time: its least and most level, joined to the next.
    QPolygonF line;
    const auto &samples = m_history.samples();
    auto it =
        std::lower_bound(samples.begin(), samples.end(), begin,
                         [](const LevelHistory::Sample &s, qint64 t) { return s.atMicros < t; });
    int column = -1;
    int low = 0;
    int high = 0;
    const auto flush = [&] {
        if (column < 0)
            return;
        line << QPointF(area.left() + column, yOf(high));
        if (low != high)
            line << QPointF(area.left() + column, yOf(low));
    };
    for (; it != samples.end() && it->atMicros <= end; ++it) {
        const int level = it->levels.at(input);
        if (level < 0)
            continue;
        const int c = static_cast<int>(xOf(it->atMicros) - area.left());
        if (c != column) {
            flush();
            column = c;
            low = high = level;
        } else {
            low = std::min(low, level);
            high = std::max(high, level);
        }
    }
    flush();

    // The limits the input has now, dashed in its colour and named at the right edge.
    const InputLimits limits = m_limits(input);
    p.setPen(QPen(colour, 1.2, Qt::DashLine));
    const auto limitLine = [&](int value, const QString &name) {
        const double y = yOf(value + 0.5);
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        drawLabel(p, QPointF(area.right() + 4, y), QStringLiteral("%1 %2").arg(input).arg(name),
                  labels);
    };
    limitLine(limits.lower, limits.type >= 2 ? tr("lower") : tr("limit"));
    if (limits.type >= 2)
        limitLine(limits.upper, tr("upper"));

    p.setPen(QPen(colour, 2));
    p.drawPolyline(line);
    if (!line.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        drawLabel(p, line.last() + QPointF(4, 0), QString::number(input), labels);
        p.setFont(font());
    }

    // Crossings: into the trigger range a filled triangle, out of it a ring.
    for (const LevelHistory::Mark &mark : m_history.marks()) {
        if (mark.input != input || mark.crossing.atMicros < begin || mark.crossing.atMicros > end)
            continue;
        const QPointF at(xOf(mark.crossing.atMicros), yOf(mark.crossing.level));
        p.setPen(QPen(palette().color(QPalette::Text), 1));
        if (mark.crossing.entered) {
            QPainterPath triangle;
            triangle.moveTo(at + QPointF(0, -6));
            triangle.lineTo(at + QPointF(5, 4));
            triangle.lineTo(at + QPointF(-5, 4));
            triangle.closeSubpath();
            p.fillPath(triangle, colour);
            p.drawPath(triangle);
        } else {
            p.setBrush(palette().color(QPalette::Base));
            p.drawEllipse(at, 4.5, 4.5);
            p.setBrush(Qt::NoBrush);
        }
    }
}

} // namespace tessel
