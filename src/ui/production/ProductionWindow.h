// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/BackupFolder.h"
#include "session/production/ProductionRun.h"
#include "ui/production/RunSetup.h"

#include <QWidget>
#include <deque>
#include <memory>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tessel {

class StationTile;

// The station window: a production run as program makes it, chosen and watched by the
// operator on the floor. One tile per port, readable from a couple of metres; the counters of
// this run and of today from the record; the last records; a sound for a pass and another for
// a failure. Space starts or stops, F11 fills the screen, and with scanning each port has a
// field that takes its kit labels.
class ProductionWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLastRecords = 20;

    explicit ProductionWindow(BackupFolder backups, QWidget *parent = nullptr);
    ~ProductionWindow() override;

    [[nodiscard]] RunSetup &setup() const { return *m_setup; }
    [[nodiscard]] bool running() const { return m_run != nullptr; }
    void setSoundOn(bool on);
    // Starts a run with the setup's choices, or stops the one running (a second stop ends the
    // stores under way after their block in flight).
    void startOrStop();
    // What the operator sees, one line each: the note, every tile, the counters and the last
    // records, newest first.
    [[nodiscard]] QString viewText() const;
    // The scan field of a port; none without scanning.
    [[nodiscard]] QLineEdit *scanField(const QString &port) const;

Q_SIGNALS:
    // A module ended: true when it passed. Sounded only while the sound is on.
    void sounded(bool pass);
    // The run has ended (every station finished its module).
    void runEnded();

protected:
    void closeEvent(class QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void start();
    void runEndedHere();
    void buildTiles(const QStringList &ports, bool scan);
    [[nodiscard]] StationTile &tileOf(const QString &port) const;
    void moduleFinished(const ModuleRecord &record);
    void refreshCounters();
    void refreshRecords();
    void say(const QString &text, bool trouble = false);
    void sound(bool pass);

    BackupFolder m_backups;
    RunSetup *m_setup;
    QPushButton *m_startStop;
    QLabel *m_note;
    QWidget *m_tileArea;
    QGridLayout *m_tiles;
    QList<QLabel *> m_counters;
    QTableWidget *m_records;
    class QCheckBox *m_soundOn;
    std::vector<StationTile *> m_stationTiles;
    std::vector<QLineEdit *> m_scanFields;
    std::unique_ptr<ProductionRun> m_run;
    std::deque<ModuleRecord> m_runRecords; // newest first, without a database
    bool m_closeWhenEnded = false;
};

} // namespace tessel
