// SPDX-License-Identifier: Apache-2.0
#pragma once

// A configuration window wired to a simulated module on a virtual clock, with a host that
// records what the window asks of the application instead of showing message boxes.

#include "core/MemoryMap.h"
#include "session/SessionClient.h"
#include "support/SimulatedLine.h"
#include "ui/config/ConfigWindow.h"
#include "ui/config/WindowStatusLine.h"
#include "ui/dialogs/ProgressWindow.h"
#include "ui/dialogs/WindowHost.h"
#include "ui/shell/WindowAssembly.h"
#include "ui/widgets/FormControls.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStringList>
#include <QtTest>
#include <functional>
#include <memory>

// Checks a text the program shows, as in VERIFY_TEXT(message, startsWith, "Nothing"), and
// prints the whole text when the check fails.
#define VERIFY_TEXT(text, check, part) QVERIFY2((text).check(part), qPrintable(text))

namespace tessel::testing {

// The window's action whose text, without its mnemonic, starts with `text`.
inline QAction *windowAction(const QWidget &window, const QString &text) {
    for (QAction *a : window.findChildren<QAction *>()) {
        if (a->text().remove(QLatin1Char('&')).startsWith(text))
            return a;
    }
    qFatal("no action %s", qPrintable(text));
}

// One entry of the module's memory changed, as another tool might have left it.
inline void setModuleEntry(ModuleSimulator &module, int address, int value) {
    ModuleMemory memory = module.memory();
    memory[address] = static_cast<quint8>(value);
    module.setMemory(memory);
}

// Runs `act` once, at the first progress step at or past `address` of the phase whose
// progress caption starts with `caption`, while the transfer waits for the module.
class DuringTransfer {
public:
    DuringTransfer(ProgressWindow &progress, const QString &caption, int address,
                   std::function<void()> act) {
        auto *bar = progress.findChild<QProgressBar *>(QStringLiteral("progress"));
        QObject::connect(bar, &QProgressBar::valueChanged, &m_context,
                         [&progress, caption, address, act, this](int at) {
                             if (acted || at < address ||
                                 !progress.windowTitle().startsWith(caption))
                                 return;
                             acted = true;
                             act();
                         });
    }
    bool acted = false;

private:
    QObject m_context; // the connection ends with it
};

// The operator's side of the boxes a host shows: messages and questions recorded, the answers
// given from a script.
template <typename Host> class RecordingOperator : public Host {
public:
    using Host::Host;
    void showMessage(const QString &text) override { messages << text; }
    bool askQuestion(const QString &text) override {
        questions << text;
        return answer;
    }
    // With no choice left to make, the operator closes the box.
    int askChoice(const QString &text, const QStringList &answers, int onClose) override {
        questions << text;
        offered = answers;
        return choices.isEmpty() ? onClose : choices.takeFirst();
    }
    ClosingChoice askStoreBeforeClosing(const QString &changes) override {
        questions << QStringLiteral("Store the changes into the module before closing?\n") +
                         changes;
        return closing;
    }

    QStringList messages;
    QStringList questions;
    QStringList offered;
    bool answer = true; // what the operator answers every question
    QList<int> choices; // the answers picked, in order
    ClosingChoice closing = ClosingChoice::Cancel;
};

class RecordingHost : public RecordingOperator<WindowHost> {
public:
    // Recorded as a message too: the operator reads it like any other.
    void lineLost(const QString &text) override { messages << text; }
    QString chooseFile(FileChoice) override { return fileToChoose; }
    ProgressWindow &progressWindow() override { return progress; }
    [[nodiscard]] QString portName() const override { return QStringLiteral("/dev/ttyUSB0"); }
    void showReport(const QString &) override {}
    void imageShown() override {}
    void windowClosed() override { closed = true; }
    // No store on this bench makes a backup: its session is given none.
    [[nodiscard]] QString backupsFolder() const override { return {}; }

    QString fileToChoose;
    ProgressWindow progress;
    bool closed = false;
};

struct WindowBench : SimulatedLine {
    explicit WindowBench(ModuleKind kind, SimulatorFaults faults = {})
        : SimulatedLine(kind, faults, 500), engine(protocol), session(engine) {
        auto [made, itsDesk] = assembleConfigWindow(kind, session, host);
        window = std::move(made);
        desk = itsDesk;
    }

    template <typename T = QWidget> T *child(const QString &name) const {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    // The form the controls stand on; the window may show only part of it, scrolled.
    QWidget *form() const { return child(QStringLiteral("form")); }
    QString caption(const QString &name) const { return child<QLabel>(name)->text(); }
    QColor background(const QString &name) const { return backgroundOf(child(name)); }
    QString helpText() const {
        return child<QPlainTextEdit>(QStringLiteral("help"))->toPlainText();
    }

    // A bench whose window has run its whole load sequence against the simulated module.
    static std::unique_ptr<WindowBench> loaded(ModuleKind kind, SimulatorFaults faults = {}) {
        auto bench = std::make_unique<WindowBench>(kind, faults);
        if (!bench->load())
            qFatal("the window did not load");
        return bench;
    }

    // Runs the window's load sequence (in this thread); whether it loaded the module.
    bool load() {
        bool loaded = false;
        const auto watch = QObject::connect(window.get(), &ConfigWindow::loaded,
                                            [&loaded](bool ok) { loaded = ok; });
        window->loadFromModule();
        QObject::disconnect(watch);
        return loaded;
    }

    ModuleSession engine;
    SessionClient session; // runs each job in the test's thread, on the virtual clock
    RecordingHost host;
    std::unique_ptr<ConfigWindow> window;
    WindowDesk *desk = nullptr;
};

// Mouse events delivered directly, so that no real cursor is needed.
inline void sendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void hover(QWidget *widget, QPoint at = {2, 2}) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

inline void click(QWidget *widget) {
    const QPoint at(widget->width() / 2, widget->height() / 2);
    sendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// The operator's ways through the windows, and the Threshold window's analog panel.

constexpr qint64 kMillis = 1000;

inline std::unique_ptr<WindowBench> loadedTessel(SimulatorFaults faults = {}) {
    return WindowBench::loaded(ModuleKind::Tessel, faults);
}

inline std::unique_ptr<WindowBench> loadedThreshold() {
    return WindowBench::loaded(ModuleKind::Threshold);
}

inline QString name(const char *array, int index) {
    return elementName(QString::fromLatin1(array), index);
}

inline bool panelOpen(WindowBench &bench) {
    return !bench.child("analogPanel")->isHidden() && !bench.child("limitsArea")->isHidden();
}

// The factory set's first row alone takes 32 inputs, more than the module has, so a store
// is not offered for it; two rows of 8 inputs fit exactly.
inline void showTableWithinCapacity(WindowBench &bench) {
    EepromImage image = bench.window->image();
    image.setValue(map::kLastDeviceIndex, 1);
    image.setValue(map::typeAddress(0), 4);
    image.setValue(map::typeAddress(1), 4);
    bench.window->showImage(image);
}

// Click a type label until the row shows the type.
inline void chooseType(WindowBench &bench, int input, int type) {
    for (int clicks = 0; clicks < 4; ++clicks) {
        if (bench.window->image().value(map::limitTypeAddress(input)) == type)
            return;
        click(bench.child(name("limitType", input)));
    }
    QFAIL("the type label never showed the type");
}

// The pointer over the panel's background, which copies the limits into the image.
inline void moveOverPanel(WindowBench &bench) {
    hover(bench.child("limitsArea"), {3, 3});
}

// A click on a limit label, typing into its box, and on over the panel, as the operator's
// pointer goes.
inline void enterLimit(WindowBench &bench, int box, const QString &text) {
    click(bench.child(name("limit", box)));
    auto *editor = bench.child<QLineEdit>(name("limitEditor", box));
    QVERIFY(!editor->isHidden());
    editor->setText(text);
    moveOverPanel(bench);
    // The desk takes the edit as a step once the event loop runs again.
    QCoreApplication::processEvents();
}

// The inputs of the ReadAnalogInput commands the module received from `from` on.
inline QList<int> analogRequests(const WindowBench &bench, std::size_t from = 0) {
    QList<int> inputs;
    const auto &commands = bench.module.commands();
    for (std::size_t i = from; i < commands.size(); ++i) {
        if (commands[i].size() == 2 && commands[i][0] == char(2))
            inputs << static_cast<quint8>(commands[i][1]);
    }
    return inputs;
}

} // namespace tessel::testing
