// SPDX-License-Identifier: Apache-2.0
#include "ui/desk/HelpActions.h"

#include "link/protocol/WireTrace.h"
#include "session/OutputFile.h"
#include "ui/desk/WindowMenus.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>

namespace tessel {

namespace {

// The keys of the form, which no menu shows.
const char *const kFormKeys = QT_TRANSLATE_NOOP(
    "tessel::WindowMenus",
    "Tab and Shift+Tab\tmove through the controls in reading order\n"
    "Space or Enter\tclicks the cell or button with the focus (Active, Serial, \"<\", \">\")\n"
    "Left, Down / Right, Up\tlower / raise the setting bar with the focus\n"
    "Alt+R, Alt+S, Alt+G\tread, store, production profile\n"
    "Alt+D\trestore the factory settings (with the advanced area open)\n"
    "Escape\tcloses a question with the answer that loses nothing");

const char *const kRealPortNotes = QT_TRANSLATE_NOOP(
    "tessel::WindowMenus",
    "<p><b>Port names.</b> <tt>COMn</tt> keeps its old meaning (on Linux "
    "<tt>/dev/ttyS(n-1)</tt>); any other name is a device name as listed (<tt>ttyUSB0</tt> is "
    "<tt>/dev/ttyUSB0</tt>), a full path, or <tt>tcp://HOST:PORT</tt> for a serial device "
    "server. <tt>--port NAME</tt> skips the choice and does not remember it.</p>"
    "<p><b>The chosen port</b> is remembered in <tt>tessel.cfg</tt> in the working directory, "
    "or in <tt>~/.config/tessel-config/tessel.cfg</tt> where that cannot be written.</p>"
    "<p><b>Permission.</b> On Linux your user must belong to the group that owns the device, "
    "usually <tt>dialout</tt>; log in again after joining it.</p>"
    "<p><b>The line</b> runs at 115200 baud, 8 data bits, no parity, 1 stop bit, no flow "
    "control. Every store first reads the module's memory and saves it as a backup.</p>");

} // namespace

QString keyboardShortcutsText(const WindowMenus &menus) {
    QStringList lines;
    for (const auto which : {WindowMenus::Menu::File, WindowMenus::Menu::Edit,
                             WindowMenus::Menu::Module, WindowMenus::Menu::Help}) {
        for (const QAction *action : menus.menu(which)->actions()) {
            if (!action->shortcut().isEmpty()) {
                lines << action->shortcut().toString(QKeySequence::NativeText) + QLatin1Char('\t') +
                             QString(action->text()).remove(QLatin1Char('&'));
            }
        }
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + WindowMenus::tr(kFormKeys);
}

void addHelpActions(WindowMenus &menus, QWidget &window) {
    using Menu = WindowMenus::Menu;
    menus.add(Menu::Help, WindowMenus::tr("&Keyboard Shortcuts"), QKeySequence::HelpContents,
              [&menus, &window] {
                  QMessageBox::information(&window, WindowMenus::tr("Keyboard Shortcuts"),
                                           keyboardShortcutsText(menus));
              });
    menus.add(Menu::Help, WindowMenus::tr("On a &Real Port"), {}, [&window] {
        QMessageBox::information(&window, WindowMenus::tr("On a Real Port"),
                                 WindowMenus::tr(kRealPortNotes));
    });
    menus.add(Menu::Help, WindowMenus::tr("&About tessel-config"), {}, [&window] {
        QMessageBox::about(
            &window, WindowMenus::tr("About tessel-config"),
            WindowMenus::tr("<p><b>tessel-config %1</b></p>"
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
    menus.add(WindowMenus::Menu::Help, WindowMenus::tr("Save Wire &Trace..."), {}, [&window] {
        const QString path = QFileDialog::getSaveFileName(
            &window, WindowMenus::tr("Save Wire Trace"), QStringLiteral("tessel-wire-trace.txt"),
            WindowMenus::tr("Text files (*.txt);;All files (*)"));
        const TraceLog *log = TraceLog::current();
        if (path.isEmpty() || !log)
            return;
        OutputFile file(path);
        const QStringList lines = log->kept();
        const QByteArray text =
            lines.isEmpty() ? QByteArray() : lines.join(QLatin1Char('\n')).toUtf8() + '\n';
        if (!file.open() || !file.commit(text))
            QMessageBox::warning(&window, WindowMenus::tr("Save Wire Trace"), file.error());
    });
}

} // namespace tessel
