// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/LevelHistory.h"
#include "ui/threshold/TrendPlot.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tessel {

// "Levels Over Time": the chosen inputs over the last 1 to 60 minutes with their limits and
// crossings, each input's least, most and mean level and crossings since the last clear, and
// the limits of one input set from what was seen, with a margin, as an ordinary edit.
class TrendWindow : public QWidget {
    Q_OBJECT
public:
    // Which limit a "Set ... Limit from ..." button sets, and from what.
    enum class LimitSource { LowerFromMinimum, UpperFromMaximum, LowerFromNow, UpperFromNow };
    static constexpr int kDefaultMargin = 5;
    // How often the view redraws while levels come in: as often as its lines move by a pixel
    // column, but never more often than the first nor less often than the second.
    static constexpr int kRedrawMillis = 200;
    static constexpr int kRedrawMostMillis = 1000;

    TrendWindow(LevelHistory &history, TrendPlot::LimitsOf limits, QWidget *parent);

    // A pass has been added to the history: the view follows, at most every kRedrawMillis.
    void historyGrew();
    [[nodiscard]] TrendPlot &plot() const { return *m_plot; }

Q_SIGNALS:
    // Asks for `input`'s lower or upper limit to become `value` (already within 0..255).
    void limitWanted(int input, bool lower, int value, const QString &what);

private:
    void chooseInputs();
    void showStatistics();
    void setLimitFromSeen(LimitSource source);

    LevelHistory &m_history;
    TrendPlot *m_plot;
    std::array<QCheckBox *, map::kAnalogInputs> m_inputs{};
    QSpinBox *m_minutes;
    QPushButton *m_pause;
    QTableWidget *m_statistics;
    QSpinBox *m_margin;
    std::array<QPushButton *, 4> m_fromSeen{};
    bool m_redrawDue = false;
};

} // namespace tessel
