// SPDX-License-Identifier: Apache-2.0
#include "ui/desk/EditHistory.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace tessel {

class EditHistory::Step : public QUndoCommand {
public:
    Step(EditHistory &history, const QString &what, const QObject *control, EepromImage before,
         EepromImage after)
        : QUndoCommand(what), m_history(history), m_control(control), m_before(before),
          m_after(after) {}

    // The step has already happened when it is recorded: the first redo is QUndoStack's push.
    void redo() override {
        if (!std::exchange(m_recorded, true))
            return;
        m_history.showStep(m_after);
    }
    void undo() override { m_history.showStep(m_before); }
    [[nodiscard]] int id() const override { return m_control ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override {
        const auto *next = static_cast<const Step *>(other);
        if (next->m_control != m_control)
            return false;
        m_after = next->m_after;
        // Typed away and back again: nothing is left to undo.
        setObsolete(m_after == m_before);
        return true;
    }

private:
    EditHistory &m_history;
    const QObject *m_control;
    EepromImage m_before;
    EepromImage m_after;
    bool m_recorded = false;
};

EditHistory::EditHistory(std::function<EepromImage()> current,
                         std::function<void(const EepromImage &)> show, QObject *parent)
    : QObject(parent), m_current(std::move(current)), m_show(std::move(show)),
      m_stack(new QUndoStack(this)), m_last(m_current()) {}

void EditHistory::restart() {
    m_stack->clear();
    m_last = m_current();
    Q_EMIT settingsChanged();
}

void EditHistory::checkpoint(const QString &what, const QObject *control) {
    const EepromImage now = m_current();
    if (now == m_last)
        return;
    m_stack->push(new Step(*this, what, control, m_last, now));
    m_last = now;
    Q_EMIT settingsChanged();
}

void EditHistory::showStep(const EepromImage &settings) {
    m_show(settings);
    // What the window shows is where the next step starts, even should showing have tidied it.
    m_last = m_current();
    Q_EMIT settingsChanged();
}

} // namespace tessel
