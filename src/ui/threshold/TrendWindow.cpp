// SPDX-License-Identifier: Apache-2.0
#include "ui/threshold/TrendWindow.h"

#include "ui/threshold/TrendPlot.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace tessel {

namespace {
// The statistics table's column heads.
QStringList columnHeads() {
    return {TrendWindow::tr("Input"),   TrendWindow::tr("Now"),  TrendWindow::tr("Minimum"),
            TrendWindow::tr("Maximum"), TrendWindow::tr("Mean"), TrendWindow::tr("Crossings")};
}
// Each way of setting a limit from the levels seen, as its button and as the edit it makes
// (the step Undo names, with the input's number).
const char *const kSourceTexts[] = {
    QT_TRANSLATE_NOOP("tessel::TrendWindow", "Set Lower Limit from Minimum Seen"),
    QT_TRANSLATE_NOOP("tessel::TrendWindow", "Set Upper Limit from Maximum Seen"),
    QT_TRANSLATE_NOOP("tessel::TrendWindow", "Set Lower Limit from Level Now"),
    QT_TRANSLATE_NOOP("tessel::TrendWindow", "Set Upper Limit from Level Now")};
const char *const kSourceSteps[] = {
    QT_TRANSLATE_NOOP("tessel::TrendWindow", "Set Lower Limit of Input %1 from Minimum Seen"),
    QT_TRANSLATE_NOOP("tessel::TrendWindow", "Set Upper Limit of Input %1 from Maximum Seen"),
    QT_TRANSLATE_NOOP("tessel::TrendWindow", "Set Lower Limit of Input %1 from Level Now"),
    QT_TRANSLATE_NOOP("tessel::TrendWindow", "Set Upper Limit of Input %1 from Level Now")};
} // namespace

TrendWindow::TrendWindow(LevelHistory &history, TrendPlot::LimitsOf limits, QWidget *parent)
    : QWidget(parent, Qt::Window), m_history(history),
      m_plot(new TrendPlot(history, std::move(limits), this)), m_minutes(new QSpinBox(this)),
      m_pause(new QPushButton(tr("&Pause"), this)),
      m_statistics(new QTableWidget(map::kAnalogInputs, int(columnHeads().size()), this)),
      m_margin(new QSpinBox(this)) {
    setObjectName(QStringLiteral("trendWindow"));
    setWindowTitle(tr("Levels Over Time"));
    m_plot->setObjectName(QStringLiteral("trendPlot"));
    m_plot->setAccessibleName(tr("Levels of the chosen inputs over time"));

    auto *choice = new QHBoxLayout;
    choice->addWidget(new QLabel(tr("Inputs:"), this));
    for (int i = 0; i < map::kAnalogInputs; ++i) {
        m_inputs[i] = new QCheckBox(QString::number(i), this);
        m_inputs[i]->setObjectName(QStringLiteral("trendInput_%1").arg(i));
        m_inputs[i]->setChecked(true);
        connect(m_inputs[i], &QCheckBox::toggled, this, &TrendWindow::chooseInputs);
        choice->addWidget(m_inputs[i]);
    }
    choice->addStretch();

    auto *view = new QHBoxLayout;
    auto *spanLabel = new QLabel(tr("&Last"), this);
    spanLabel->setBuddy(m_minutes);
    m_minutes->setObjectName(QStringLiteral("trendMinutes"));
    m_minutes->setRange(1, 60);
    m_minutes->setValue(5);
    m_minutes->setSuffix(tr(" min"));
    connect(m_minutes, &QSpinBox::valueChanged, m_plot, &TrendPlot::setSpanMinutes);
    m_pause->setObjectName(QStringLiteral("trendPause"));
    m_pause->setCheckable(true);
    connect(m_pause, &QPushButton::toggled, this, [this](bool paused) {
        m_plot->setPaused(paused);
        m_pause->setText(paused ? tr("&Resume") : tr("&Pause"));
    });
    auto *clear = new QPushButton(tr("&Clear"), this);
    clear->setObjectName(QStringLiteral("trendClear"));
    connect(clear, &QPushButton::clicked, this, [this] {
        m_history.clear();
        showStatistics();
        m_plot->historyCleared();
    });
    view->addWidget(spanLabel);
    view->addWidget(m_minutes);
    view->addWidget(m_pause);
    view->addWidget(clear);
    view->addStretch();

    m_statistics->setObjectName(QStringLiteral("trendStatistics"));
    m_statistics->setHorizontalHeaderLabels(columnHeads());
    m_statistics->verticalHeader()->hide();
    m_statistics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_statistics->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_statistics->setSelectionMode(QAbstractItemView::SingleSelection);
    m_statistics->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int i = 0; i < map::kAnalogInputs; ++i) {
        for (int c = 0; c < columnHeads().size(); ++c)
            m_statistics->setItem(i, c, new QTableWidgetItem);
        m_statistics->item(i, 0)->setText(QString::number(i));
        m_statistics->item(i, 0)->setForeground(
            TrendPlot::colourOf(i, m_statistics->palette().color(QPalette::Base)));
    }
    connect(m_statistics, &QTableWidget::itemSelectionChanged, this, &TrendWindow::showStatistics);

    auto *limitsBox = new QGridLayout;
    auto *marginLabel = new QLabel(tr("&Margin:"), this);
    marginLabel->setBuddy(m_margin);
    m_margin->setObjectName(QStringLiteral("trendMargin"));
    m_margin->setRange(0, 100);
    m_margin->setValue(kDefaultMargin);
    limitsBox->addWidget(marginLabel, 0, 0);
    limitsBox->addWidget(m_margin, 1, 0);
    for (int s = 0; s < 4; ++s) {
        m_fromSeen[s] = new QPushButton(tr(kSourceTexts[s]), this);
        m_fromSeen[s]->setObjectName(QStringLiteral("limitFromSeen_%1").arg(s));
        connect(m_fromSeen[s], &QPushButton::clicked, this,
                [this, s] { setLimitFromSeen(static_cast<LimitSource>(s)); });
        limitsBox->addWidget(m_fromSeen[s], s % 2, 1 + s / 2);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addLayout(view);
    layout->addWidget(m_plot, 3);
    layout->addWidget(m_statistics, 2);
    layout->addLayout(limitsBox);
    chooseInputs();
    m_statistics->selectRow(0);
    resize(900, 700);
}

void TrendWindow::historyGrew() {
    if (m_redrawDue || !isVisible())
        return;
    m_redrawDue = true;
    // Redrawn sooner the lines would not move, and the meters already show the levels now.
    const auto wait = std::clamp(static_cast<int>(m_plot->microsPerColumn() / 1000), kRedrawMillis,
                                 kRedrawMostMillis);
    QTimer::singleShot(wait, this, [this] {
        m_redrawDue = false;
        showStatistics();
        m_plot->update();
    });
}

void TrendWindow::chooseInputs() {
    std::vector<int> chosen;
    for (int i = 0; i < map::kAnalogInputs; ++i) {
        if (m_inputs[i]->isChecked())
            chosen.push_back(i);
        m_statistics->setRowHidden(i, !m_inputs[i]->isChecked());
    }
    m_plot->setInputs(chosen);
}

void TrendWindow::showStatistics() {
    for (int i = 0; i < map::kAnalogInputs; ++i) {
        const LevelStatistics &s = m_history.statistics(i);
        const bool seen = s.count() > 0;
        const auto cell = [&](int column, const QString &text) {
            m_statistics->item(i, column)->setText(seen ? text : QStringLiteral("-"));
        };
        cell(1, s.last() ? QString::number(*s.last()) : QString());
        cell(2, QString::number(s.minimum()));
        cell(3, QString::number(s.maximum()));
        cell(4, QString::number(s.mean(), 'f', 1));
        cell(5, QString::number(s.crossings()));
    }
    const int row = m_statistics->currentRow();
    const bool seen = row >= 0 && m_history.statistics(row).count() > 0;
    // Above and Below use the lower limit alone: an upper one set for them would do nothing.
    const bool twoLimits = seen && m_plot->limitsOf(row).type >= 2;
    for (int s = 0; s < int(m_fromSeen.size()); ++s) {
        const auto source = static_cast<LimitSource>(s);
        const bool upper =
            source == LimitSource::UpperFromMaximum || source == LimitSource::UpperFromNow;
        m_fromSeen[s]->setEnabled(upper ? twoLimits : seen);
    }
}

void TrendWindow::setLimitFromSeen(LimitSource source) {
    const int input = m_statistics->currentRow();
    if (input < 0 || m_history.statistics(input).count() == 0)
        return;
    const LevelStatistics &s = m_history.statistics(input);
    const bool lower =
        source == LimitSource::LowerFromMinimum || source == LimitSource::LowerFromNow;
    const int seen = source == LimitSource::LowerFromMinimum   ? s.minimum()
                     : source == LimitSource::UpperFromMaximum ? s.maximum()
                                                               : *s.last();
    const int value = limitFromSeen(seen, m_margin->value(), lower);
    Q_EMIT limitWanted(input, lower, value, tr(kSourceSteps[static_cast<int>(source)]).arg(input));
}

} // namespace tessel
