#pragma once

class QWidget;

namespace tessel {

class WindowMenus;

// The Help menu of a configuration window: what the program is, its version, and where its
// help is found (the help box explains whatever the pointer or the keyboard focus is on); and,
// when the process keeps a wire trace, saving it.
void addHelpActions(WindowMenus &menus, QWidget &window);

} // namespace tessel
