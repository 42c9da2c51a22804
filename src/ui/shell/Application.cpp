// SPDX-License-Identifier: Apache-2.0
#include "ui/shell/Application.h"

#include "link/ports/PortSetting.h"
#include "link/ports/PortSource.h"
#include "link/protocol/ModuleConnection.h"
#include "session/BackupFolder.h"
#include "session/SessionClient.h"
#include "ui/config/ConfigWindow.h"
#include "ui/desk/ProfileActions.h"
#include "ui/desk/WindowDesk.h"
#include "ui/dialogs/ProgressWindow.h"
#include "ui/dialogs/ReportWindow.h"
#include "ui/shell/ConnectingWindow.h"
#include "ui/shell/PortChooser.h"
#include "ui/shell/StartupWindows.h"
#include "ui/shell/WindowAssembly.h"
#include "ui/widgets/Readability.h"
#include "ui/widgets/WindowPlace.h"

#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace tessel {

namespace {
// The first of the windows that is shown; null when none is.
QWidget *firstShown(std::initializer_list<QWidget *> windows) {
    for (QWidget *window : windows) {
        if (window && window->isVisible())
            return window;
    }
    return nullptr;
}

QString noAnswerText(const QString &port) {
    return Application::tr("No module answered on %1.\n\nCheck that the module has power, that its "
                           "cable is plugged in at both ends, and that %1 is the port the cable "
                           "is on.")
        .arg(port);
}

QString unknownKindText(const QString &port, const wire::IdentityReply &identity) {
    return Application::tr("The module on %1 reports the kind %2, which this program cannot "
                           "configure.")
        .arg(port)
        .arg(identity.kind());
}

// Why the module that answered a reconnection is not taken for a window of `windowKind`;
// empty when it is of that kind.
QString otherKindText(const QString &port, const wire::IdentityReply &identity,
                      ModuleKind windowKind) {
    const std::optional<ModuleKind> kind = identity.moduleKind();
    if (!kind)
        return unknownKindText(port, identity);
    if (*kind == windowKind)
        return {};
    return Application::tr("The module on %1 is a %2, but this window is for a %3, so nothing "
                           "was read from it.")
        .arg(port, shownModuleKindName(*kind), shownModuleKindName(windowKind));
}

// Drops a session once the signal under way has returned; its line closes with it.
void retire(std::unique_ptr<SessionClient> session) {
    if (!session)
        return;
    session->abort();
    session.release()->deleteLater();
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tessel-config-%1.png").arg(size), QSize(size, size));
    return icon;
}
} // namespace

Application::Application(StartOptions options)
    : m_options(std::move(options)), m_startupWindow(std::make_unique<StartupWindow>()),
      m_splash(std::make_unique<SplashWindow>()), m_progress(std::make_unique<ProgressWindow>()) {
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tesselconfig.TesselConfig"));
    QApplication::setWindowIcon(applicationIcon());
    applyPaletteFromEnvironment();
    connect(m_startupWindow.get(), &StartupWindow::closed, this, &Application::startupWindowClosed);
    connect(m_progress.get(), &ProgressWindow::cancelRequested, this, [this] {
        if (!m_window || !m_window->cancelTransfer())
            endProgram(0);
    });
}

Application::~Application() = default;

void Application::start() {
    m_splash->show();
    // A simulated run starts on its simulated module and a given port is tried first; only
    // when they fail is the operator asked.
    if (m_options.port)
        m_portName = *m_options.port;
    tryPort(!m_options.simulate && !m_options.port);
}

void Application::tryPort(bool choose) {
    if (choose) {
        const std::optional<QString> port = choosePort({});
        if (!port) {
            endProgram(0); // nothing is connected yet, so nothing is lost
            return;
        }
        m_portName = *port;
    }
    connectTo(m_portName);
}

std::optional<QString> Application::choosePort(const QString &offered) {
    const SystemPortSource ports;
    // Centred over the window it serves: the configuration window it reconnects, the splash
    // at start, else the screen (a dialog whose parent is hidden opens in a corner).
    QWidget *over = firstShown({m_window.get(), m_splash.get()});
    PortChooser chooser(ports, PortSetting(), over ? over : m_startupWindow.get());
    const QRect area = over ? over->frameGeometry() : chooser.screen()->availableGeometry();
    chooser.move(area.center() - chooser.rect().center());
    if (!offered.isEmpty())
        chooser.offer(offered);
    chooser.exec();
    if (chooser.cancelled())
        return std::nullopt;
    if (!chooser.settingError().isEmpty())
        showMessage(chooser.settingError());
    return chooser.portName();
}

QString Application::portNameOf(const SessionClient &session, const QString &port) const {
    // The simulated module answers on whatever port the operator picks.
    return m_options.simulate ? session.where() : port;
}

std::unique_ptr<SessionClient> Application::openSession(const QString &port) {
    // A clock handed in is the tests' virtual one: the session then runs in this thread.
    const auto make = m_options.clock ? &SessionClient::inCallerThread : &SessionClient::onThread;
    if (m_options.simulate) {
        return make(
            [kind = *m_options.simulate, faults = m_options.faults, clock = m_options.clock](
                QString &) { return ModuleConnection::simulate(kind, faults, clock); },
            {});
    }
    return make([port, clock = m_options.clock](
                    QString &error) { return ModuleConnection::openPort(port, error, clock); },
                {});
}

void Application::connectTo(const QString &port) {
    m_cancelled = false;
    m_tryingPort = port;
    retire(std::move(m_trying));
    m_trying = openSession(port);
    SessionClient &session = *m_trying;
    connect(&session, &SessionClient::opened, this,
            [this, &session, port](const QString &error) { opened(session, port, error); });
    // A command the line garbled into a store is told whichever job it happened in.
    connect(&session, &SessionClient::finished, this, &Application::tellWarning);
    session.open();
}

void Application::opened(SessionClient &session, const QString &port, const QString &error) {
    m_splash->hide();
    if (!error.isEmpty()) {
        retire(std::move(m_trying));
        if (m_reconnecting) {
            if (offerReconnect(error))
                reconnectNext();
            else
                reconnectEnded();
        } else if (offerAnotherPort(error)) {
            tryPort(true);
        }
        return;
    }
    if (!m_reconnecting)
        m_portName = portNameOf(session, port);
    session.setBackup(backups().forSession(session.where()));
    m_connecting = std::make_unique<ConnectingWindow>(port, *session.clock());
    connect(m_connecting.get(), &ConnectingWindow::cancelRequested, this, [this, &session] {
        m_cancelled = true;
        session.cancel();
    });
    connect(&session, &SessionClient::linkTestAttempt, m_connecting.get(),
            [this](int attempt, int attempts) {
                m_connecting->showStep(tr("Link test %1 of %2").arg(attempt).arg(attempts));
            });
    connect(&session, &SessionClient::phaseChanged, m_connecting.get(),
            [this] { m_connecting->showStep(tr("Identifying the module")); });
    connect(&session, &SessionClient::finished, this, &Application::identified,
            Qt::SingleShotConnection);
    m_connecting->show();
    session.identify(ModuleConnection::kLinkTestAttempts);
}

void Application::identified(const SessionOutcome &outcome) {
    m_connecting.reset();
    if (m_ending)
        return;
    if (m_reconnecting)
        reconnectWith(outcome);
    else
        startWith(outcome);
}

QString Application::noIdentityText(const SessionClient &session, const QString &port) {
    const QString why = session.lineFailure();
    return why.isEmpty() ? noAnswerText(port) : why;
}

void Application::startWith(const SessionOutcome &outcome) {
    if (m_cancelled || !outcome.identity) {
        const QString why = noIdentityText(*m_trying, m_portName);
        retire(std::move(m_trying));
        if (m_cancelled || offerAnotherPort(why))
            tryPort(true);
        return;
    }
    m_session = std::move(m_trying);
    const std::optional<ModuleKind> kind = outcome.identity->moduleKind();
    if (!kind) {
        showMessage(unknownKindText(m_portName, *outcome.identity));
        showStartupWindowBehind();
        return;
    }
    auto [window, desk] = assembleConfigWindow(*kind, *m_session, *this);
    m_window = std::move(window);
    m_desk = desk;
    watchLine(*m_session);
    connect(m_window.get(), &ConfigWindow::loaded, this, &Application::windowLoaded);
    m_window->loadFromModule();
}

void Application::windowLoaded(bool ok, const QString &why) {
    if (m_ending)
        return;
    if (ok) {
        if (!m_options.profile.isEmpty())
            m_desk->profiles().open(m_options.profile);
        showStartupWindowBehind();
        return;
    }
    // The window's own identification failed, so it never appeared: without a word the
    // operator would face a program with no window at all.
    const QString text = why.isEmpty() ? noIdentityText(*m_session, m_portName) : why;
    m_window.release()->deleteLater();
    retire(std::move(m_session));
    if (offerAnotherPort(text))
        tryPort(true);
}

bool Application::offerAnotherPort(const QString &text) {
    const int answer = askChoice(text, {tr("Choose Another Port"), tr("Quit")}, 1);
    if (answer == 0 && !m_ending)
        return true;
    endProgram(1);
    return false;
}

void Application::lineLost(const QString &text) {
    if (m_reconnecting)
        return; // the reconnection asked for is on its way
    if (offerReconnect(text))
        reconnect();
}

bool Application::offerReconnect(const QString &text) {
    const QString offer = text + tr("\n\nReconnect tests the link again, on this port or another, "
                                    "and reads the module. Close leaves this window open without a "
                                    "module.");
    return askChoice(offer, {tr("Reconnect"), tr("Close")}, 1) == 0 && !m_ending;
}

void Application::reconnect() {
    // Judged against what the lost line last told of the module.
    m_editedBeforeReconnect = m_window->hasUnsavedEdits();
    m_window->setEnabled(false);
    m_reconnecting = true;
    m_tryingPort = m_portName;
    reconnectNext();
}

void Application::reconnectNext() {
    const std::optional<QString> chosen = m_ending ? std::nullopt : choosePort(m_tryingPort);
    if (!chosen) {
        reconnectEnded(); // back to the window, its line still lost
        return;
    }
    connectTo(*chosen);
}

void Application::reconnectWith(const SessionOutcome &outcome) {
    const QString port = m_tryingPort;
    const QString refusal = whyNotTaken(*m_trying, port, outcome);
    if (!refusal.isEmpty()) {
        retire(std::move(m_trying));
        if (offerReconnect(refusal))
            reconnectNext();
        else
            reconnectEnded();
        return;
    }
    adopt(std::move(m_trying), port);
    reconnectEnded();
    const bool keep = m_editedBeforeReconnect &&
                      askChoice(tr("The window shows settings that the module did not hold "
                                   "when the line was lost. Keep them, to store them when "
                                   "you choose, or show what the module on %1 holds?")
                                    .arg(m_portName),
                                {tr("Keep My Settings"), tr("Show the Module's Settings")}, 0) == 0;
    m_window->loadAfterReconnect(keep);
}

void Application::reconnectEnded() {
    m_reconnecting = false;
    m_window->setEnabled(true);
}

QString Application::whyNotTaken(const SessionClient &session, const QString &port,
                                 const SessionOutcome &outcome) const {
    // Cancel leads to the choice again: back to the port choice, or to the window.
    if (m_cancelled)
        return tr("Connecting to %1 was cancelled.").arg(port);
    if (!outcome.identity)
        return noIdentityText(session, port);
    return otherKindText(port, *outcome.identity, m_window->kind());
}

void Application::adopt(std::unique_ptr<SessionClient> session, const QString &port) {
    m_window->attachSession(*session);
    retire(std::exchange(m_session, std::move(session)));
    m_portName = portNameOf(*m_session, port);
    watchLine(*m_session);
}

void Application::watchLine(SessionClient &session) {
    // Queued: the loss may be noticed inside a wait, and is then the exchange's to report.
    connect(&session, &SessionClient::lost, this, &Application::lineLostWhileIdle,
            Qt::QueuedConnection);
}

void Application::lineLostWhileIdle() {
    if (m_ending || !m_window || !m_window->isEnabled() || m_session->busy())
        return; // a transfer or a reconnection is under way and tells what happened
    const QString why = m_session->lineFailure();
    if (!why.isEmpty())
        lineLost(why + tr(" Nothing was being sent; the settings shown were kept."));
}

int Application::askChoice(const QString &text, const QStringList &answers, int onClose) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("tessel-config"), text);
    QList<QAbstractButton *> buttons;
    for (const QString &answer : answers)
        buttons << box.addButton(answer, QMessageBox::AcceptRole);
    box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
    box.setEscapeButton(buttons.at(onClose));
    box.exec();
    const auto picked = buttons.indexOf(box.clickedButton());
    return picked < 0 ? onClose : int(picked);
}

void Application::endProgram(int exitCode) {
    if (m_ending)
        return;
    m_ending = true;
    m_exitCode = exitCode;
    for (SessionClient *session : {m_session.get(), m_trying.get()}) {
        if (session)
            session->abort();
    }
    QCoreApplication::exit(exitCode);
}

QWidget *Application::dialogParent() const {
    return m_window && m_window->isVisible() ? static_cast<QWidget *>(m_window.get()) : nullptr;
}

void Application::tellWarning(const SessionOutcome &outcome) {
    if (!outcome.warning.isEmpty() && !m_ending)
        showMessage(outcome.warning);
}

void Application::showMessage(const QString &text) {
    QMessageBox::warning(dialogParent(), QStringLiteral("tessel-config"), text);
}

ClosingChoice Application::askStoreBeforeClosing(const QString &changes) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("tessel-config"),
                    tr("Store the changes into the module before closing?"), QMessageBox::NoButton,
                    dialogParent());
    box.setInformativeText(changes);
    QAbstractButton *store = box.addButton(tr("&Store"), QMessageBox::AcceptRole);
    QAbstractButton *discard = box.addButton(tr("&Discard"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == store)
        return ClosingChoice::Store;
    return box.clickedButton() == discard ? ClosingChoice::Discard : ClosingChoice::Cancel;
}

QString Application::chooseFile(FileChoice purpose) {
    const QString filter = purpose == FileChoice::RecordLevels
                               ? tr("Levels (*.csv);;All files (*)")
                               : tr("Production profiles (*.txt);;All files (*)");
    QFileDialog dialog(dialogParent(), {}, {}, filter);
    switch (purpose) {
    case FileChoice::OpenProfile:
        dialog.setWindowTitle(tr("Open Profile"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileChoice::CompareProfile:
        dialog.setWindowTitle(tr("Compare with Profile"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileChoice::SaveProfile:
        dialog.setWindowTitle(tr("Save Profile As"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        break;
    case FileChoice::RecordLevels:
        dialog.setWindowTitle(tr("Record Levels"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        break;
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool Application::askQuestion(const QString &text) {
    return QMessageBox::question(dialogParent(), QStringLiteral("tessel-config"), text,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

QWidget *Application::startupWindow() const {
    return m_startupWindow.get();
}

ProgressWindow &Application::progressWindow() {
    return *m_progress;
}

void Application::showReport(const QString &profile) {
    if (!m_report) {
        m_report = std::make_unique<ReportWindow>();
        rememberPlace(*m_report, QStringLiteral("profile"));
    }
    m_report->showProfile(profile);
}

void Application::showStartupWindowBehind() {
    // The empty start-up window appears once the configuration window stands, until the next
    // read; it must not cover the window the operator works in, nor take its focus.
    m_startupWindow->setAttribute(Qt::WA_ShowWithoutActivating);
    m_startupWindow->show();
    if (m_window) {
        m_window->raise();
        m_window->activateWindow();
    }
}

void Application::startupWindowClosed() {
    // Closing the configuration window asks about settings not stored, and ends the program.
    if (m_window)
        m_window->close();
    else
        endProgram(0);
}

void Application::imageShown() {
    m_startupWindow->hide();
}

void Application::windowClosed() {
    endProgram(0);
}

} // namespace tessel
