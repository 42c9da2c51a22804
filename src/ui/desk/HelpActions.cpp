#include "ui/desk/HelpActions.h"

#include "ui/desk/WindowMenus.h"

#include <QAction>
#include <QMessageBox>
#include <QWidget>

namespace tessel {

void addHelpActions(WindowMenus &menus, QWidget &window) {
    menus.add(WindowMenus::Menu::Help, QStringLiteral("&About tessel-config"), {}, [&window] {
        QMessageBox::about(
            &window, QStringLiteral("About tessel-config"),
            QStringLiteral("<p><b>tessel-config %1</b></p>"
                           "<p>Configures Tessel and Threshold radio input modules over a serial "
                           "port.</p>"
                           "<p>Help: point at any control, or move to it with Tab, and the box "
                           "at the bottom left of the window explains it. On the command line, "
                           "<tt>tessel-config --help</tt> lists the commands.</p>")
                .arg(QStringLiteral(TESSEL_VERSION)));
    });
}

} // namespace tessel
