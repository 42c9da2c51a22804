// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QWidget;

namespace tessel {

// Marks every control whose value differs from the module's memory, and the cells that change
// with it (rows coming into use, input assignments): an amber corner and underline drawn over
// it, unlike the focus frame in shape and colour on light and dark palettes alike, leaving the
// control's own background (red for a rejected value, grey for a computed one) to say what it
// says; and "changed" at the front of its accessible description.
class ChangeMarks : public QObject {
    Q_OBJECT
public:
    ChangeMarks(QWidget &form, ModuleKind kind);

    // Marks the controls that show a setting where `shown` differs from `module`, and only
    // those.
    void show(const EepromImage &module, const EepromImage &shown);
    [[nodiscard]] QList<QWidget *> marked() const;

private:
    void mark(QWidget *control);
    void unmarkAll();

    QWidget &m_form;
    ModuleKind m_kind;
    // Each marked control with its frame and the description it had before.
    struct Mark {
        QPointer<QWidget> control;
        QPointer<QWidget> frame;
        QString description;
    };
    std::vector<Mark> m_marks;
};

// The names of the controls that show the setting at `address`, where its value differs
// between `a` and `b` (a mask or the mode byte: only the bits that differ).
QStringList controlsShowing(ModuleKind kind, int address, int a, int b);

} // namespace tessel
