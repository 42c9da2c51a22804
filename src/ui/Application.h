#pragma once

#include "core/EepromImage.h"
#include "core/ModuleSimulator.h"
#include "ui/WindowHost.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

namespace tessel {

class ConfigWindow;
class ConnectingWindow;
class LinkClock;
class ModuleConnection;
class ModuleSession;
class ProgressWindow;
class ReportWindow;
class SplashWindow;
class StartupWindow;

struct StartOptions {
    std::optional<ModuleKind> simulate; // run against the built-in simulated module
    std::optional<QString> port;        // skip the port selection, do not remember the port
    SimulatorFaults faults;             // what the simulated module gets wrong (tests)
    LinkClock *clock = nullptr;         // time base of the simulated run; the wall clock if none
};

// Owns the link and every window of a windowed run, and runs the start-up: splash, port
// selection, link test, identification, and the configuration window that fits the module.
// A port that cannot be opened, a Cancel while connecting, or a port where no module answers
// leads back to the port selection (or ends the program, if the operator says so).
class Application : public QObject, public WindowHost {
    Q_OBJECT
public:
    explicit Application(StartOptions options);
    ~Application() override;

    // Runs the start-up; call once the event loop runs, so that ending the program works.
    void start();
    [[nodiscard]] int exitCode() const { return m_exitCode; }
    [[nodiscard]] bool ending() const { return m_ending; }

    void showMessage(const QString &text) override;
    bool askQuestion(const QString &text) override;
    // Asks the operator to pick one of the answers (buttons); the index of the one picked.
    // Closing the box picks the last answer.
    virtual int askChoice(const QString &text, const QStringList &answers);
    // The port to try next, as the operator chose it in "Select Com Port".
    virtual QString choosePort();
    // The window shown while connecting; null when no connection is under way.
    [[nodiscard]] ConnectingWindow *connectingWindow() const { return m_connecting.get(); }
    [[nodiscard]] ConfigWindow *configWindow() const { return m_window.get(); }
    [[nodiscard]] QWidget *startupWindow() const;
    ProgressWindow &progressWindow() override;
    [[nodiscard]] QString portName() const override { return m_portName; }
    void showReport(const QString &profile) override;
    void imageShown() override;
    void windowClosed() override;

private:
    enum class Outcome { Connected, ChooseAgain, Stop };
    // Opens the port named m_portName; why it could not be opened, or empty.
    [[nodiscard]] QString openLink();
    [[nodiscard]] Outcome connectToModule();
    [[nodiscard]] int linkTest();
    // "Choose Another Port" or "Quit" after a failure explained by `text`.
    [[nodiscard]] Outcome offerAnotherPort(const QString &text);
    void endProgram(int exitCode);

    StartOptions m_options;
    QString m_portName;
    std::unique_ptr<ModuleConnection> m_connection;
    std::unique_ptr<ModuleSession> m_session;
    std::unique_ptr<StartupWindow> m_form1;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<ProgressWindow> m_progress;
    std::unique_ptr<ReportWindow> m_report;
    std::unique_ptr<ConfigWindow> m_window;
    std::unique_ptr<ConnectingWindow> m_connecting;
    bool m_cancelled = false;
    int m_exitCode = 0;
    bool m_ending = false;
};

} // namespace tessel
