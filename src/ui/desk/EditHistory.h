// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QObject>
#include <functional>

class QUndoStack;

namespace tessel {

// The window's settings as a history the operator steps back and forth through: every edit,
// every profile opened and every read is one step. A step holds the whole settings before and
// after it, so that stepping back shows exactly what the window showed then, whatever the
// change was made by.
class EditHistory : public QObject {
    Q_OBJECT
public:
    // `current` gives the window's settings as a store would send them; `show` puts settings
    // into the window's controls.
    EditHistory(std::function<EepromImage()> current, std::function<void(const EepromImage &)> show,
                QObject *parent = nullptr);

    [[nodiscard]] QUndoStack &stack() const { return *m_stack; }

    // Forgets every step: the settings shown now are where the history starts.
    void restart();
    // Records a step named `what` when the settings differ from the last step's. Steps that
    // follow one another in the same `control` (typing in one box, moving one bar) are one.
    void checkpoint(const QString &what, const QObject *control = nullptr);

Q_SIGNALS:
    // The settings were recorded or replaced by stepping through the history.
    void settingsChanged();

private:
    class Step;
    void showStep(const EepromImage &settings);

    std::function<EepromImage()> m_current;
    std::function<void(const EepromImage &)> m_show;
    QUndoStack *m_stack;
    EepromImage m_last; // the settings after the newest step
};

} // namespace tessel
