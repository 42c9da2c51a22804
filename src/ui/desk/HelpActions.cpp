#include "ui/desk/HelpActions.h"

#include "link/protocol/WireTrace.h"
#include "session/OutputFile.h"
#include "ui/desk/WindowMenus.h"

#include <QAction>
#include <QFileDialog>
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
    if (!TraceLog::current())
        return;
    // For support: the exchanges with the module as they went, the last 10,000 of them.
    menus.add(WindowMenus::Menu::Help, QStringLiteral("Save Wire &Trace..."), {}, [&window] {
        const QString path = QFileDialog::getSaveFileName(
            &window, QStringLiteral("Save Wire Trace"), QStringLiteral("tessel-wire-trace.txt"),
            QStringLiteral("Text files (*.txt);;All files (*)"));
        const TraceLog *log = TraceLog::current();
        if (path.isEmpty() || !log)
            return;
        OutputFile file(path);
        const QStringList lines = log->kept();
        const QByteArray text =
            lines.isEmpty() ? QByteArray() : lines.join(QLatin1Char('\n')).toUtf8() + '\n';
        if (!file.open() || !file.commit(text))
            QMessageBox::warning(&window, QStringLiteral("Save Wire Trace"), file.error());
    });
}

} // namespace tessel
