// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/LevelHistory.h"

#include <QWidget>
#include <functional>

namespace tessel {

// The chosen inputs' levels over the last minutes, drawn by hand rather than with a chart
// library: each redraw takes the samples of one pixel column as their least and most level, so
// an hour of passes costs no more to draw than a minute, and a redraw of all 16 inputs stays a
// few milliseconds. Each input has its colour and its number at the end of its line; its
// limits are dashed lines named at the right edge, its crossings marks of their own shape (a
// triangle into the trigger range, a ring out of it).
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
    [[nodiscard]] InputLimits limitsOf(int input) const { return m_limits(input); }

    // The colour of an input's line, its number and its limits over `background`.
    static QColor colourOf(int input, const QColor &background);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    [[nodiscard]] QRectF plotArea() const;
    void drawAxes(QPainter &p, const QRectF &area) const;
    void drawInput(QPainter &p, const QRectF &area, int input, std::vector<QRectF> &labels) const;
    static void drawLabel(QPainter &p, QPointF leftMiddle, const QString &text,
                          std::vector<QRectF> &taken);

    const LevelHistory &m_history;
    LimitsOf m_limits;
    std::vector<int> m_inputs;
    int m_minutes = 5;
    std::optional<qint64> m_pausedAt;
};

} // namespace tessel
