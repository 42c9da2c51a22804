// SPDX-License-Identifier: Apache-2.0
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
class SessionClient;
struct SessionOutcome;
class ProgressWindow;
class ReportWindow;
class SplashWindow;
class StartupWindow;
class WindowDesk;

struct StartOptions {
    std::optional<ModuleKind> simulate; // run against the built-in simulated module
    std::optional<QString> port;        // skip the port selection, do not remember the port
    SimulatorFaults faults;             // what the simulated module gets wrong (tests)
    // Time base of the run, whose sessions then run in the caller's thread (tests); none for
    // the wall clock, with each session on a thread of its own.
    LinkClock *clock = nullptr;
    QString profile;      // a profile file the window opens once it has read the module
    BackupFolder backups; // where stores keep their backups; none: no store is made
};

// Owns the session and every window of a windowed run, and runs the start-up: splash, port
// selection, link test, identification, and the configuration window that fits the module.
// Each step that waits for the module is a job of the session, on the session's thread; the
// next step follows when its job has ended, so the windows stay responsive throughout.
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
    // The session of the window's line; null before a module answered.
    [[nodiscard]] SessionClient *session() const { return m_session.get(); }
    [[nodiscard]] QWidget *startupWindow() const;
    ClosingChoice askStoreBeforeClosing(const QString &changes) override;
    QString chooseFile(FileChoice purpose) override;
    ProgressWindow &progressWindow() override;
    [[nodiscard]] QString portName() const override { return m_portName; }
    void showReport(const QString &profile) override;
    void imageShown() override;
    void windowClosed() override;
    [[nodiscard]] QString backupsFolder() const override { return backups().path(); }
    void lineLost(const QString &text) override;

protected:
    // The session of the port named (a simulated module's when the run is simulated), not yet
    // opened.
    virtual std::unique_ptr<SessionClient> openSession(const QString &port);

private:
    // Opens the port, chosen first when `choose`, and connects to its module.
    void tryPort(bool choose);
    // Opens `port` and runs the link test and identification on it with the connecting window
    // shown; identified() follows.
    void connectTo(const QString &port);
    void opened(SessionClient &session, const QString &port, const QString &error);
    // The link test and identification on the session being connected have ended.
    void identified(const SessionOutcome &outcome);
    // Any job of a session has ended: what the operator must know however it ended is told.
    void tellWarning(const SessionOutcome &outcome);
    // At start-up: the module that answered gets its window, or another port is offered.
    void startWith(const SessionOutcome &outcome);
    // The window has loaded its module, or could not identify it (`why`).
    void windowLoaded(bool ok, const QString &why);
    void showStartupWindowBehind();
    // The start-up window was closed: the program ends once the configuration window closes.
    void startupWindowClosed();
    [[nodiscard]] QWidget *dialogParent() const;
    // Why no module identified itself on `port`.
    [[nodiscard]] static QString noIdentityText(const SessionClient &session, const QString &port);
    // A simulated module's backups are practice, apart from a real module's.
    [[nodiscard]] BackupFolder backups() const {
        return m_options.simulate ? m_options.backups.practice() : m_options.backups;
    }
    // Watches `session` for a line lost between exchanges.
    void watchLine(SessionClient &session);
    // The line went while the window waited for the operator: no transfer is there to say so.
    void lineLostWhileIdle();
    // Port choice, link test, identification, kind check and read, until the window has a
    // line again or the operator gives up.
    void reconnect();
    void reconnectNext();
    void reconnectWith(const SessionOutcome &outcome);
    void reconnectEnded();
    // Why the window cannot take the module that answered a reconnection on `port` (nothing,
    // another kind, Cancel); empty when it can.
    [[nodiscard]] QString whyNotTaken(const SessionClient &session, const QString &port,
                                      const SessionOutcome &outcome) const;
    // The window works over `session` from now on; the old line and its session go.
    void adopt(std::unique_ptr<SessionClient> session, const QString &port);
    // The name messages give the port of `session`, opened as `port`.
    [[nodiscard]] QString portNameOf(const SessionClient &session, const QString &port) const;
    // "Reconnect" or "Close" after `text`; true for Reconnect.
    [[nodiscard]] bool offerReconnect(const QString &text);
    // "Choose Another Port" or "Quit" after a failure explained by `text`; true for another
    // port.
    [[nodiscard]] bool offerAnotherPort(const QString &text);
    void endProgram(int exitCode);

    StartOptions m_options;
    QString m_portName;
    std::unique_ptr<SessionClient> m_session;
    std::unique_ptr<SessionClient> m_trying; // the session being connected
    std::unique_ptr<StartupWindow> m_startupWindow;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<ProgressWindow> m_progress;
    std::unique_ptr<ReportWindow> m_report;
    std::unique_ptr<ConfigWindow> m_window;
    WindowDesk *m_desk = nullptr; // the window's
    std::unique_ptr<ConnectingWindow> m_connecting;
    QString m_tryingPort;
    bool m_reconnecting = false;
    bool m_editedBeforeReconnect = false;
    bool m_cancelled = false;
    int m_exitCode = 0;
    bool m_ending = false;
};

} // namespace tessel
