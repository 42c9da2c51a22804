// SPDX-License-Identifier: Apache-2.0
#include "ui/threshold/LevelTools.h"

#include "core/MemoryMap.h"
#include "ui/dialogs/WindowHost.h"
#include "ui/threshold/TrendWindow.h"

#include <QAction>
#include <QFileInfo>

namespace tessel {

LevelTools::LevelTools(EepromImage &image, WindowHost &host, QWidget &window)
    : QObject(&window), m_image(image), m_host(host), m_window(window),
      m_trendAction(new QAction(tr("Levels Over &Time..."), this)),
      m_recordAction(new QAction(tr("Record &Levels..."), this)) {
    m_trendAction->setObjectName(QStringLiteral("levelsOverTime"));
    m_recordAction->setObjectName(QStringLiteral("recordLevels"));
    connect(m_trendAction, &QAction::triggered, this, &LevelTools::showTrend);
    connect(m_recordAction, &QAction::triggered, this, &LevelTools::toggleRecord);
    connect(&m_record, &LevelRecord::rowAdded, this, &LevelTools::showRecordState);
    connect(&m_record, &LevelRecord::failed, this, [this] {
        showRecordState();
        m_host.showMessage(tr("The record of levels has stopped: %1. The rows "
                              "before that are in the file.")
                               .arg(m_record.error()));
    });
}

void LevelTools::take(const LevelPass &pass) {
    LevelHistory::Limits limits;
    for (int i = 0; i < map::kAnalogInputs; ++i)
        limits.at(i) = limitsOf(m_image, i);
    m_history.add(pass.endedMicros, pass.levels, limits);
    m_record.add(pass);
    if (m_trend)
        m_trend->historyGrew();
}

void LevelTools::showTrend() {
    if (!m_trend) {
        m_trend = new TrendWindow(
            m_history, [this](int input) { return limitsOf(m_image, input); }, &m_window);
        connect(m_trend, &TrendWindow::limitWanted, this,
                [this](int input, bool lower, int value, const QString &what) {
                    EepromImage settings = m_image;
                    settings.setValue(lower ? map::lowerLimitAddress(input)
                                            : map::upperLimitAddress(input),
                                      value);
                    Q_EMIT editWanted(settings, what);
                    // Showing the edit brings the configuration window forward; the installer
                    // is still at work in this one.
                    m_trend->raise();
                    m_trend->activateWindow();
                });
    }
    m_trend->show();
    m_trend->raise();
    m_trend->activateWindow();
    m_trend->historyGrew();
}

void LevelTools::toggleRecord() {
    if (m_record.recording()) {
        if (!m_record.stop())
            m_host.showMessage(m_record.error());
        showRecordState();
        return;
    }
    const QString path = m_host.chooseFile(FileChoice::RecordLevels);
    if (path.isEmpty())
        return;
    if (!m_record.start(path)) {
        m_host.showMessage(tr("The levels cannot be recorded: %1").arg(m_record.error()));
        return;
    }
    showRecordState();
}

void LevelTools::showRecordState() {
    const bool on = m_record.recording();
    m_recordAction->setText(on ? tr("Stop Recording &Levels") : tr("Record &Levels..."));
    Q_EMIT statusNote(on ? tr("Recording levels to %1: %2 rows")
                               .arg(QFileInfo(m_record.path()).fileName())
                               .arg(m_record.rows())
                         : QString());
}

} // namespace tessel
