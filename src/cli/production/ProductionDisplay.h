// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/production/ProductionRun.h"

#include <QStringList>
#include <cstdio>

namespace tessel {

// What the staff see of a production run. On a terminal: one status line per port, redrawn in
// place, a bell when a module is done, and the totals below. Elsewhere: one line per module
// that ended and per port that failed. With JSON: one object per event on standard output.
class ProductionDisplay {
public:
    enum class Mode { Live, Plain, Json };

    ProductionDisplay(Mode mode, const QStringList &ports);

    void show(const StationEvent &event, const ProductionTotals &totals);
    void moduleFinished(const ModuleRecord &record, const ProductionTotals &totals);
    // Ctrl-C or --count: no new module is started.
    void stopping(const QString &why);
    // A word for the operator that stays, such as a scanned label taken.
    void note(const QString &text);
    void finished(const ProductionTotals &totals);

private:
    void redraw(const ProductionTotals &totals);
    // A message that stays: printed where the status lines stood, which follow below it.
    void printAbove(FILE *stream, const QString &text);
    void emitJson(const class QJsonObject &object);

    Mode m_mode;
    QStringList m_ports;
    QStringList m_status;
    bool m_drawn = false;
};

// The mode for these options: JSON when asked for, live when standard output is a terminal.
ProductionDisplay::Mode displayModeFor(bool json);

} // namespace tessel
