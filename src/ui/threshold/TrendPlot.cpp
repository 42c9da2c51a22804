// SPDX-License-Identifier: Apache-2.0
#include "ui/threshold/TrendPlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tessel {

namespace {
constexpr qint64 kMinuteMicros = 60'000'000;
constexpr int kTop = 255;
// A crossing's mark is drawn on a square this many pixels either side of its middle one.
constexpr int kMarkMiddle = 7;

// The pixel column, counted from the clock's zero, that a moment falls in.
qint64 columnOf(qint64 atMicros, qint64 columnMicros) {
    return atMicros / columnMicros - (atMicros % columnMicros < 0 ? 1 : 0);
}
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

qint64 TrendPlot::microsPerColumn() const {
    return std::max<qint64>(1, spanMicros() / std::max(1, plotArea().width()));
}

void TrendPlot::historyCleared() {
    m_lines.reset();
    update();
}

QColor TrendPlot::colourOf(int input, const QColor &background) {
    // Sixteen hues around the wheel, neighbours apart: full and darker on a light background,
    // paler and brighter on a dark one, where a deep blue or violet would hardly show.
    const int hue = (input * 7 % 16) * 360 / 16;
    return background.lightness() < 128 ? QColor::fromHsv(hue, 140, 255)
                                        : QColor::fromHsv(hue, 200, 200);
}

QPen TrendPlot::hairline(const QColor &colour, Qt::PenStyle style) const {
    // One pixel of the screen at 100%: the painter draws such lines several times faster than
    // wider ones, and a full view of sixteen inputs is thousands of segments a redraw.
    QPen pen(colour, devicePixelRatioF(), style);
    pen.setCosmetic(true);
    return pen;
}

QRect TrendPlot::plotArea() const {
    const QFontMetrics fm(font());
    const int left = fm.horizontalAdvance(QStringLiteral("255")) + 8;
    const int right = fm.horizontalAdvance(QStringLiteral("15 upper")) + 10;
    return {left, fm.height() / 2, width() - left - right, height() - fm.height() * 2};
}

void TrendPlot::paintEvent(QPaintEvent * /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const QRect area = plotArea();
    drawAxes(p, area);
    if (area.isEmpty())
        return;
    updateLines(area);
    p.drawImage(area.topLeft(), m_lines->image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRectF(area).adjusted(-8, -8, 200, 8));
    std::vector<QRectF> labels;
    for (const int input : m_inputs)
        drawMarkings(p, area, input, labels);
}

void TrendPlot::updateLines(const QRect &area) {
    const qint64 end = endMicros();
    const qint64 columnMicros = microsPerColumn();
    const qint64 rightColumn = columnOf(end, columnMicros);
    const std::pair colours(palette().color(QPalette::Base).rgba(),
                            palette().color(QPalette::Text).rgba());
    // Kept lines move by whole screen pixels only: at a scale such as 1.25 a column is not one.
    const double ratio = devicePixelRatioF();
    const bool same = m_lines && m_lines->size == area.size() &&
                      m_lines->columnMicros == columnMicros && m_lines->inputs == m_inputs &&
                      m_lines->colours == colours && m_lines->image.devicePixelRatio() == ratio &&
                      ratio == std::floor(ratio) && end >= m_lines->end;
    if (same && end == m_lines->end)
        return;
    const qint64 moved = same ? rightColumn - m_lines->rightColumn : area.width();
    qint64 fromColumn = rightColumn - area.width() + 1;
    if (moved < area.width() - 1) {
        moveLinesLeft(moved);
        // The last column drawn may have had only some of its samples. The segment that joins
        // it to the column before shades that column and, faintly, the one before that: from
        // there on the lines are drawn again.
        fromColumn = m_lines->rightColumn - 2;
    } else {
        m_lines.emplace();
        m_lines->image =
            QImage(area.size() * devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
        m_lines->image.setDevicePixelRatio(devicePixelRatioF());
        m_lines->image.fill(Qt::transparent);
    }
    m_lines->size = area.size();
    m_lines->columnMicros = columnMicros;
    m_lines->inputs = m_inputs;
    m_lines->colours = colours;
    m_lines->rightColumn = rightColumn;
    m_lines->end = end;

    const qint64 leftColumn = rightColumn - area.width() + 1;
    const QRectF redrawn(QPointF(double(fromColumn - leftColumn), 0), QSizeF(area.size()));
    QPainter p(&m_lines->image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(redrawn, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setClipRect(redrawn);
    p.setRenderHint(QPainter::Antialiasing);
    for (const int input : m_inputs)
        drawLine(p, input, fromColumn, leftColumn, area.height());
}

void TrendPlot::moveLinesLeft(qint64 columns) {
    if (columns <= 0)
        return;
    // Row by row in place: a new image for each redraw would be megabytes at a high scale.
    QImage &image = m_lines->image;
    const auto shift = static_cast<std::size_t>(columns * qRound(image.devicePixelRatio()));
    const auto width = static_cast<std::size_t>(image.width());
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::move(row + shift, row + width, row);
        std::fill(row + width - shift, row + width, QRgb(0));
    }
    for (std::optional<QPointF> &lineEnd : m_lines->lineEnds) {
        if (lineEnd)
            *lineEnd -= QPointF(double(columns), 0);
    }
}

void TrendPlot::drawLine(QPainter &p, int input, qint64 fromColumn, qint64 leftColumn, int height) {
    const auto yOf = [height](int level) { return height - double(height) * level / kTop; };
    // One pixel column at a time: its least and most level, joined to the next. The line
    // starts two columns before the first one drawn: each segment that shades that column,
    // however faintly, is drawn again as it was.
    QPolygonF line;
    const auto &samples = m_history.samples();
    auto it =
        std::lower_bound(samples.begin(), samples.end(), (fromColumn - 2) * m_lines->columnMicros,
                         [](const LevelHistory::Sample &s, qint64 t) { return s.atMicros < t; });
    std::optional<qint64> column;
    int low = 0;
    int high = 0;
    const auto flush = [&] {
        if (!column)
            return;
        const double x = double(*column - leftColumn) + 0.5; // the pixel's middle
        line << QPointF(x, yOf(high));
        if (low != high)
            line << QPointF(x, yOf(low));
    };
    for (; it != samples.end() && it->atMicros <= m_lines->end; ++it) {
        const int level = it->levels.at(input);
        if (level < 0)
            continue;
        const qint64 c = columnOf(it->atMicros, m_lines->columnMicros);
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
    if (line.isEmpty())
        return;
    p.setPen(hairline(colourOf(input, palette().color(QPalette::Base)), Qt::SolidLine));
    p.drawPolyline(line);
    m_lines->lineEnds.at(input) = line.last();
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

void TrendPlot::drawMarkings(QPainter &p, const QRect &area, int input,
                             std::vector<QRectF> &labels) {
    const qint64 leftColumn = m_lines->rightColumn - area.width() + 1;
    const auto yOf = [&](double level) { return area.bottom() + 1 - area.height() * level / kTop; };
    const QColor colour = colourOf(input, palette().color(QPalette::Base));

    // The limits the input has now, dashed in its colour and named at the right edge.
    const InputLimits limits = m_limits(input);
    p.setPen(hairline(colour, Qt::DashLine));
    const auto limitLine = [&](int value, const QString &name) {
        const double y = yOf(value + 0.5);
        p.drawLine(QPointF(area.left(), y), QPointF(area.right() + 1, y));
        drawLabel(p, QPointF(area.right() + 5, y), QStringLiteral("%1 %2").arg(input).arg(name),
                  labels);
    };
    limitLine(limits.lower, limits.type >= 2 ? tr("lower") : tr("limit"));
    if (limits.type >= 2)
        limitLine(limits.upper, tr("upper"));

    if (const std::optional<QPointF> &lineEnd = m_lines->lineEnds.at(input);
        lineEnd && lineEnd->x() >= 0) {
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.setPen(colour);
        drawLabel(p, *lineEnd + area.topLeft() + QPointF(4, 0), QString::number(input), labels);
        p.setFont(font());
    }

    // Crossings: into the trigger range a filled triangle, out of it a ring.
    for (const LevelHistory::Mark &mark : m_history.marks()) {
        if (mark.input != input)
            continue;
        const qint64 column = columnOf(mark.crossing.atMicros, m_lines->columnMicros);
        if (column < leftColumn || mark.crossing.atMicros > m_lines->end)
            continue;
        const QPoint pixel(area.left() + int(column - leftColumn), int(yOf(mark.crossing.level)));
        p.drawImage(pixel - QPoint(kMarkMiddle, kMarkMiddle),
                    markImage(input, mark.crossing.entered));
    }
}

const QImage &TrendPlot::markImage(int input, bool entered) {
    QImage &image = m_lines->marks.at(input).at(entered ? 1 : 0);
    if (!image.isNull())
        return image;
    const double ratio = devicePixelRatioF();
    const int side = 2 * kMarkMiddle + 1;
    image = QImage(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::Text), 1));
    const QPointF at(kMarkMiddle + 0.5, kMarkMiddle + 0.5);
    if (entered) {
        QPainterPath triangle;
        triangle.moveTo(at + QPointF(0, -6));
        triangle.lineTo(at + QPointF(5, 4));
        triangle.lineTo(at + QPointF(-5, 4));
        triangle.closeSubpath();
        p.fillPath(triangle, colourOf(input, palette().color(QPalette::Base)));
        p.drawPath(triangle);
    } else {
        p.setBrush(palette().color(QPalette::Base));
        p.drawEllipse(at, 4.5, 4.5);
    }
    return image;
}

} // namespace tessel
