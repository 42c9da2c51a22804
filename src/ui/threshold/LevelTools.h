// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"
#include "core/LevelHistory.h"
#include "session/LevelRecord.h"

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace tessel {

class TrendWindow;
class WindowHost;

// What the Threshold window does with the levels its monitor reads besides showing them on the
// meters: keeps the last hour of them for "Levels Over Time", records them to a CSV file while
// File > Record Levels runs (its rows counted on the status line), and turns a limit set from
// what was seen into an edit of the window's settings.
class LevelTools : public QObject {
    Q_OBJECT
public:
    LevelTools(EepromImage &image, WindowHost &host, QWidget &window);

    // Every pass the monitor reads.
    void take(const LevelPass &pass);
    void showTrend();

    [[nodiscard]] QAction *trendAction() const { return m_trendAction; }
    [[nodiscard]] QAction *recordAction() const { return m_recordAction; }
    [[nodiscard]] const LevelHistory &history() const { return m_history; }

Q_SIGNALS:
    void editWanted(const tessel::EepromImage &settings, const QString &what);
    void statusNote(const QString &text);

private:
    void toggleRecord();
    void showRecordState();

    EepromImage &m_image;
    WindowHost &m_host;
    QWidget &m_window;
    LevelHistory m_history;
    LevelRecord m_record;
    QPointer<TrendWindow> m_trend;
    QAction *m_trendAction;
    QAction *m_recordAction;
};

} // namespace tessel
