// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/SessionOutcome.h"

#include <QString>

class QPushButton;
class QWidget;

namespace tessel {

// The window's form, and the buttons on it that the menus offer too.
struct DeskParts {
    QWidget *form;
    QPushButton *report;
    QPushButton *read;
    QPushButton *store;
    QPushButton *factory;
};

// What the configuration window tells the desk around it (the menus, the history of edits,
// the marks of what differs from the module) at the turns of its work. The desk lives a room
// above the window and implements this; a window without a desk keeps these defaults.
class DeskHooks {
public:
    virtual ~DeskHooks() = default;

    // Before a transfer takes the image, after it has ended, and once the start-up reads have
    // shown the module (what was shown before is no step to go back to).
    virtual void transferStarting() {}
    virtual void transferEnded(SessionJob) {}
    virtual void restart() {}
    // The window shows settings the operator chose in a question: one step named `what`.
    virtual void checkpoint(const QString &) {}
    // The window's checks ran: a field may have turned red or back.
    virtual void fieldsChecked() {}
    // Asks before closing a window whose settings differ from the module; false when it stays
    // open.
    [[nodiscard]] virtual bool mayClose() { return true; }
};

} // namespace tessel
