// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

class QWidget;

namespace tessel {

class WindowMenus;

// The Help menu of a configuration window: the keyboard shortcuts, notes on working with a
// module on a real port, what the program is, its version and where its help is found (the
// help box explains whatever the pointer or the keyboard focus is on); and, when the process
// keeps a wire trace, saving it.
void addHelpActions(WindowMenus &menus, QWidget &window);

// Every key the window takes: each menu action's shortcut as the menus show it, then the keys
// of the form itself.
QString keyboardShortcutsText(const WindowMenus &menus);

} // namespace tessel
