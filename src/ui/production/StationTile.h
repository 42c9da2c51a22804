// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/production/ModuleRecord.h"
#include "session/production/ProductionStation.h"

#include <QFrame>

class QLabel;

namespace tessel {

// What one port's tile says: a word in large letters, a few words under it, and what the
// operator must do. The tone colours the tile, always beside a word that says the same.
struct TileView {
    enum class Tone { Idle, Working, Pass, Fail };
    QString word;
    QString detail;
    QString instruction;
    Tone tone = Tone::Idle;

    friend bool operator==(const TileView &, const TileView &) = default;
};

// The tile for a station's step; a module's end is shown from its record (tileFor below).
[[nodiscard]] TileView tileFor(const StationEvent &event);
// The tile once a module has ended: PASS with its unit, or FAIL with the reason in a few words
// and what became of its unit; either way the module is to be taken out.
[[nodiscard]] TileView tileFor(const ModuleRecord &record);
// The tile of a module that waits for its kit label.
[[nodiscard]] TileView scanTile();

// One port of the station window, readable from a couple of metres away.
class StationTile : public QFrame {
    Q_OBJECT
public:
    StationTile(const QString &port, QWidget *parent = nullptr);

    void display(const TileView &view);
    [[nodiscard]] const TileView &view() const { return m_view; }
    // The port and everything the tile says, one line each part, as a reader sees it.
    [[nodiscard]] QString text() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // The word as large as the tile lets it be, up to its usual size.
    void fitWord();

    QLabel *m_port;
    QLabel *m_word;
    QLabel *m_detail;
    QLabel *m_instruction;
    TileView m_view;
};

} // namespace tessel
