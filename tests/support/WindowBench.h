#pragma once

// A configuration window wired to a simulated module on a virtual clock, with a host that
// records what the window asks of the application instead of showing message boxes.

#include "session/ModuleSession.h"
#include "support/SimulatedLine.h"
#include "ui/ConfigWindow.h"
#include "ui/FormControls.h"
#include "ui/ProgressWindow.h"
#include "ui/WindowHost.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStringList>
#include <memory>

namespace tessel::testing {

class RecordingHost : public WindowHost {
public:
    void showMessage(const QString &text) override { messages << text; }
    bool askQuestion(const QString &text) override {
        questions << text;
        return answer;
    }
    // Recorded as a message too: the operator reads it like any other.
    void lineLost(const QString &text) override {
        messages << text;
        ++linesLost;
    }
    ProgressWindow &progressWindow() override { return progress; }
    [[nodiscard]] QString portName() const override { return QStringLiteral("/dev/ttyUSB0"); }
    void showReport(const QString &profile) override {
        report = profile;
        ++reports;
    }
    void imageShown() override { ++imagesShown; }
    void windowClosed() override { closed = true; }

    QStringList messages;
    QStringList questions;
    bool answer = true; // what the operator answers every question
    ProgressWindow progress;
    QString report;
    int reports = 0;
    int imagesShown = 0;
    int linesLost = 0;
    bool closed = false;
};

struct WindowBench : SimulatedLine {
    explicit WindowBench(ModuleKind kind, SimulatorFaults faults = {})
        : SimulatedLine(kind, faults, 500), session(protocol),
          window(std::make_unique<ConfigWindow>(kind, session, host)) {}

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

    // Number of commands the module received that start with these two bytes.
    int commands(int first, int second) const { return module.countCommands(first, second); }

    // A bench whose window has run its whole load sequence against the simulated module.
    static std::unique_ptr<WindowBench> loaded(ModuleKind kind, SimulatorFaults faults = {}) {
        auto bench = std::make_unique<WindowBench>(kind, faults);
        if (!bench->window->loadFromModule())
            qFatal("the window did not load");
        return bench;
    }

    ModuleSession session;
    RecordingHost host;
    std::unique_ptr<ConfigWindow> window;
};

// The pointer moving over a widget, delivered directly so that no real cursor is needed.
inline void hover(QWidget *widget, QPoint at = {2, 2}) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

inline void click(QWidget *widget) {
    const QPoint at(widget->width() / 2, widget->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

} // namespace tessel::testing
