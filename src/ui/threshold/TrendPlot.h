// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/LevelHistory.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <utility>

namespace tessel {

// The chosen inputs' levels over the last minutes, drawn by hand rather than with a chart
// library: each pixel column shows its samples' least and most level, so an hour of passes costs
// no more to draw than a minute. The lines are kept between redraws and moved left as time goes
// on; a redraw draws only the columns that changed, so it stays cheap however wide the view.
// Each input has its colour and its number at the end of its line; its limits are dashed lines
// named at the right edge, its crossings marks of their own shape (a triangle into the trigger
// range, a ring out of it).
class TrendPlot : public QWidget {
    Q_OBJECT
public:
    using LimitsOf = std::function<InputLimits(int input)>;

    TrendPlot(const LevelHistory &history, LimitsOf limits, QWidget *parent = nullptr);

    void setInputs(const std::vector<int> &inputs);
    void setSpanMinutes(int minutes);
    // Held: the view stays on the moment it was paused; the history goes on filling.
    void setPaused(bool paused);
    [[nodiscard]] bool paused() const { return m_pausedAt.has_value(); }
    // The right edge of the view on the readings' clock.
    [[nodiscard]] qint64 endMicros() const;
    [[nodiscard]] qint64 spanMicros() const;
    // How long one pixel column of the plot spans.
    [[nodiscard]] qint64 microsPerColumn() const;
    // The history was cleared: the lines drawn so far go too.
    void historyCleared();
    [[nodiscard]] InputLimits limitsOf(int input) const { return m_limits(input); }

    // The colour of an input's line, its number and its limits over `background`.
    static QColor colourOf(int input, const QColor &background);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The lines as last drawn, in the plot area's pixels, with what they were drawn for.
    struct DrawnLines {
        QImage image;
        QSize size;
        qint64 columnMicros = 0;
        std::vector<int> inputs;
        std::pair<QRgb, QRgb> colours; // the palette's base and text
        qint64 rightColumn = 0;        // on the readings' clock, in columns
        qint64 end = 0;
        std::array<std::optional<QPointF>, map::kAnalogInputs> lineEnds; // each line's last point
        // Each input's crossing marks, out of and into the trigger range, drawn once: hundreds
        // of marks painted as shapes at each redraw would cost more than all the rest.
        std::array<std::array<QImage, 2>, map::kAnalogInputs> marks;
    };

    [[nodiscard]] QRect plotArea() const;
    [[nodiscard]] QPen hairline(const QColor &colour, Qt::PenStyle style) const;
    void updateLines(const QRect &area);
    void moveLinesLeft(qint64 columns);
    void drawLine(QPainter &p, int input, qint64 fromColumn, qint64 leftColumn, int height);
    void drawAxes(QPainter &p, const QRectF &area) const;
    void drawMarkings(QPainter &p, const QRect &area, int input, std::vector<QRectF> &labels);
    [[nodiscard]] const QImage &markImage(int input, bool entered);
    static void drawLabel(QPainter &p, QPointF leftMiddle, const QString &text,
                          std::vector<QRectF> &taken);

    const LevelHistory &m_history;
    LimitsOf m_limits;
    std::vector<int> m_inputs;
    int m_minutes = 5;
    std::optional<qint64> m_pausedAt;
    std::optional<DrawnLines> m_lines;
};

} // namespace tessel
