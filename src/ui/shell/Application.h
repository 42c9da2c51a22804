#pragma once

#include "core/Commands.h"
#include "core/EepromImage.h"
#include "core/ModuleSimulator.h"
#include "session/BackupFolder.h"
#include "ui/dialogs/WindowHost.h"

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
    QString profile;      // a profile file the window opens once it has read the module
    BackupFolder backups; // where stores keep their backups; none: no store is made
};

// Owns the link and every window of a windowed run, and runs the start-up: splash, port
// selection, link test, identification, and the configuration window that fits the module.
// A port that cannot be opened, a Cancel while connecting, or a port where no module answers
// leads back to the port selection (or ends the program, if the operator says so). When the
// line is lost later, the window can be connected to a module of its kind again.
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
    int askChoice(const QString &text, const QStringList &answers, int onClose) override;
    // The port to try next, as the operator chose it in "Select Com Port"; `offered` is the
    // port offered at first (the remembered one when empty). Nothing when the operator
    // pressed Cancel.
    virtual std::optional<QString> choosePort(const QString &offered);
    // The window shown while connecting; null when no connection is under way.
    [[nodiscard]] ConnectingWindow *connectingWindow() const { return m_connecting.get(); }
    [[nodiscard]] ConfigWindow *configWindow() const { return m_window.get(); }
    [[nodiscard]] QWidget *startupWindow() const;
    ClosingChoice askStoreBeforeClosing() override;
    QString chooseFile(FileChoice purpose) override;
    ProgressWindow &progressWindow() override;
    [[nodiscard]] QString portName() const override { return m_portName; }
    void showReport(const QString &profile) override;
    void imageShown() override;
    void windowClosed() override;
    [[nodiscard]] QString backupsFolder() const override { return backups().path(); }
    void lineLost(const QString &text) override;

protected:
    // The line to the port named (a simulated module's when the run is simulated); null, with
    // the reason in `error`, when it cannot be opened.
    virtual std::unique_ptr<ModuleConnection> openConnection(const QString &port, QString &error);

private:
    enum class Outcome { Connected, ChooseAgain, Stop };
    // Opens the port named m_portName; why it could not be opened, or empty.
    [[nodiscard]] QString openLink();
    [[nodiscard]] Outcome connectToModule();
    void showStartupWindowBehind();
    // The start-up window was closed: the program ends once the configuration window closes.
    void startupWindowClosed();
    [[nodiscard]] QWidget *dialogParent() const;
    // Link test and identification on `connection` with the connecting window shown; the
    // module's answer, or nothing (m_cancelled tells whether the operator cancelled).
    [[nodiscard]] std::optional<wire::IdentityReply> identifyModule(ModuleConnection &connection,
                                                                    const QString &port);
    // Why no module identified itself on `port`.
    [[nodiscard]] static QString noIdentityText(ModuleConnection &connection, const QString &port);
    [[nodiscard]] int linkTest(ModuleConnection &connection);
    [[nodiscard]] std::unique_ptr<ModuleSession> makeSession(ModuleConnection &connection) const;
    // A simulated module's backups are practice, apart from a real module's.
    [[nodiscard]] BackupFolder backups() const {
        return m_options.simulate ? m_options.backups.practice() : m_options.backups;
    }
    // Watches `connection` for a line lost between exchanges.
    void watchLine(ModuleConnection &connection);
    // The line went while the window waited for the operator: no transfer is there to say so.
    void lineLostWhileIdle();
    // The reconnection the operator asked for, once the lost line is no longer in use.
    void reconnectWhenFree();
    // Port choice, link test, identification, kind check and read, until the window has a
    // line again or the operator gives up.
    void reconnect();
    // Why the window cannot take the module that answered a reconnection on `port` (nothing,
    // another kind, Cancel); empty when it can.
    [[nodiscard]] QString whyNotTaken(ModuleConnection &connection, const QString &port,
                                      const std::optional<wire::IdentityReply> &identity) const;
    // The window works over `connection` from now on; the old line and its session go.
    void adopt(std::unique_ptr<ModuleConnection> connection, const QString &port);
    // The name messages give the port of `connection`, opened as `port`.
    [[nodiscard]] QString portNameOf(const ModuleConnection &connection, const QString &port) const;
    // "Reconnect" or "Close" after `text`; true for Reconnect.
    [[nodiscard]] bool offerReconnect(const QString &text);
    // "Choose Another Port" or "Quit" after a failure explained by `text`.
    [[nodiscard]] Outcome offerAnotherPort(const QString &text);
    void endProgram(int exitCode);

    StartOptions m_options;
    QString m_portName;
    std::unique_ptr<ModuleConnection> m_connection;
    std::unique_ptr<ModuleSession> m_session;
    std::unique_ptr<StartupWindow> m_startupWindow;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<ProgressWindow> m_progress;
    std::unique_ptr<ReportWindow> m_report;
    std::unique_ptr<ConfigWindow> m_window;
    std::unique_ptr<ConnectingWindow> m_connecting;
    ModuleConnection *m_identifying = nullptr; // the line under test, also ended when ending
    bool m_reconnectAsked = false;
    bool m_cancelled = false;
    int m_exitCode = 0;
    bool m_ending = false;
};

} // namespace tessel
