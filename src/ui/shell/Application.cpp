#include "ui/shell/Application.h"

#include "link/ports/PortSetting.h"
#include "link/ports/PortSource.h"
#include "link/protocol/ModuleConnection.h"
#include "session/BackupFolder.h"
#include "session/ModuleSession.h"
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

#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

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
    return QStringLiteral("No module answered on %1.\n\nCheck that the module has power, that its "
                          "cable is plugged in at both ends, and that %1 is the port the cable "
                          "is on.")
        .arg(port);
}

QString unknownKindText(const QString &port, const wire::IdentityReply &identity) {
    return QStringLiteral("The module on %1 reports the kind %2, which this program cannot "
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
    return QStringLiteral("The module on %1 is a %2, but this window is for a %3, so nothing "
                          "was read from it.")
        .arg(port, moduleKindName(*kind), moduleKindName(windowKind));
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
    bool choose = !m_options.simulate && !m_options.port;
    if (m_options.port)
        m_portName = *m_options.port;
    for (;;) {
        if (choose) {
            const std::optional<QString> port = choosePort({});
            if (!port) {
                endProgram(0); // nothing is connected yet, so nothing is lost
                return;
            }
            m_portName = *port;
        }
        const QString error = openLink();
        m_splash->hide();
        const Outcome outcome = error.isEmpty() ? connectToModule() : offerAnotherPort(error);
        if (outcome == Outcome::Connected)
            showStartupWindowBehind();
        if (outcome != Outcome::ChooseAgain)
            return;
        m_connection.reset();
        choose = true;
    }
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

QString Application::openLink() {
    QString error;
    m_connection = openConnection(m_portName, error);
    if (m_connection)
        m_portName = portNameOf(*m_connection, m_portName);
    return error;
}

QString Application::portNameOf(const ModuleConnection &connection, const QString &port) const {
    // The simulated module answers on whatever port the operator picks.
    return m_options.simulate ? connection.where() : port;
}

std::unique_ptr<ModuleConnection> Application::openConnection(const QString &port, QString &error) {
    if (m_options.simulate)
        return ModuleConnection::simulate(*m_options.simulate, m_options.faults, m_options.clock);
    return ModuleConnection::openPort(port, error, m_options.clock);
}

Application::Outcome Application::connectToModule() {
    const std::optional<wire::IdentityReply> identity = identifyModule(*m_connection, m_portName);
    if (m_ending)
        return Outcome::Stop;
    if (m_cancelled)
        return Outcome::ChooseAgain;
    if (!identity)
        return offerAnotherPort(noIdentityText(*m_connection, m_portName));
    const std::optional<ModuleKind> kind = identity->moduleKind();
    if (!kind) {
        showMessage(unknownKindText(m_portName, *identity));
        return Outcome::Connected;
    }
    m_session = makeSession(*m_connection);
    auto [window, desk] = assembleConfigWindow(*kind, *m_session, *this);
    m_window = std::move(window);
    watchLine(*m_connection);
    if (m_window->loadFromModule()) {
        if (m_ending)
            return Outcome::Stop;
        if (!m_options.profile.isEmpty())
            desk->profiles().open(m_options.profile);
        return Outcome::Connected;
    }
    if (m_ending)
        return Outcome::Stop;
    // The window's own identification failed, so it never appeared: without a word the
    // operator would face a program with no window at all.
    const QString why = m_session->lastOutcome().message;
    m_window.reset();
    m_session.reset();
    return offerAnotherPort(why.isEmpty() ? noIdentityText(*m_connection, m_portName) : why);
}

std::optional<wire::IdentityReply> Application::identifyModule(ModuleConnection &connection,
                                                               const QString &port) {
    m_cancelled = false;
    m_identifying = &connection;
    ControllerLink &link = connection.link();
    m_connecting = std::make_unique<ConnectingWindow>(port, link.clock());
    connect(m_connecting.get(), &ConnectingWindow::cancelRequested, this, [this, &link] {
        m_cancelled = true;
        link.abort();
    });
    m_connecting->show();
    std::optional<wire::IdentityReply> identity;
    {
        auto session = link.tryBegin();
        if (linkTest(connection) > 0) {
            m_connecting->showStep(QStringLiteral("Identifying the module"));
            identity = connection.protocol().identify(std::nullopt);
        }
    }
    m_connecting.reset();
    m_identifying = nullptr;
    return identity;
}

QString Application::noIdentityText(ModuleConnection &connection, const QString &port) {
    const QString why = connection.link().failure();
    return why.isEmpty() ? noAnswerText(port) : why;
}

int Application::linkTest(ModuleConnection &connection) {
    constexpr int kAttempts = ModuleConnection::kLinkTestAttempts;
    return connection.protocol().linkTestRepeated(kAttempts, [this](int attempt) {
        m_connecting->showStep(QStringLiteral("Link test %1 of %2").arg(attempt).arg(kAttempts));
    });
}

std::unique_ptr<ModuleSession> Application::makeSession(ModuleConnection &connection) const {
    auto session = std::make_unique<ModuleSession>(connection.protocol());
    session->setBackup(backups().forSession(connection.where()));
    return session;
}

Application::Outcome Application::offerAnotherPort(const QString &text) {
    const int answer =
        askChoice(text, {QStringLiteral("Choose Another Port"), QStringLiteral("Quit")}, 1);
    if (answer == 0 && !m_ending)
        return Outcome::ChooseAgain;
    endProgram(1);
    return Outcome::Stop;
}

void Application::lineLost(const QString &text) {
    if (m_reconnectAsked)
        return; // the reconnection asked for is on its way
    if (!offerReconnect(text))
        return;
    m_reconnectAsked = true;
    // The exchange that found the line gone still runs below this call; the line and the
    // session it uses are replaced only after it has returned.
    QMetaObject::invokeMethod(this, &Application::reconnectWhenFree, Qt::QueuedConnection);
}

bool Application::offerReconnect(const QString &text) {
    const QString offer =
        text + QStringLiteral("\n\nReconnect tests the link again, on this port or another, "
                              "and reads the module. Close leaves this window open without a "
                              "module.");
    return askChoice(offer, {QStringLiteral("Reconnect"), QStringLiteral("Close")}, 1) == 0 &&
           !m_ending;
}

void Application::reconnectWhenFree() {
    if (m_ending)
        return;
    if (!m_connection->link().tryBegin()) {
        // Run from a wait of the exchange that is ending: once it has let go of the line.
        QTimer::singleShot(0, this, &Application::reconnectWhenFree);
        return;
    }
    m_reconnectAsked = false;
    reconnect();
}

void Application::reconnect() {
    // Judged against what the lost line last told of the module.
    const bool edited = m_window->hasUnsavedEdits();
    m_window->setEnabled(false);
    QString port = m_portName;
    for (bool again = true; again && !m_ending;) {
        const std::optional<QString> chosen = choosePort(port);
        if (!chosen)
            break; // back to the window, its line still lost
        port = *chosen;
        QString error;
        std::unique_ptr<ModuleConnection> connection = openConnection(port, error);
        if (!connection) {
            again = offerReconnect(error);
            continue;
        }
        const auto identity = identifyModule(*connection, port);
        if (m_ending)
            break;
        const QString refusal = whyNotTaken(*connection, port, identity);
        if (!refusal.isEmpty()) {
            again = offerReconnect(refusal);
            continue;
        }
        adopt(std::move(connection), port);
        m_window->setEnabled(true);
        const bool keep =
            edited &&
            askChoice(
                QStringLiteral("The window shows settings that the module did not hold "
                               "when the line was lost. Keep them, to store them when "
                               "you choose, or show what the module on %1 holds?")
                    .arg(m_portName),
                {QStringLiteral("Keep My Settings"), QStringLiteral("Show the Module's Settings")},
                0) == 0;
        m_window->loadAfterReconnect(keep);
        return;
    }
    m_window->setEnabled(true);
}

QString Application::whyNotTaken(ModuleConnection &connection, const QString &port,
                                 const std::optional<wire::IdentityReply> &identity) const {
    // Cancel leads to the choice again: back to the port choice, or to the window.
    if (m_cancelled)
        return QStringLiteral("Connecting to %1 was cancelled.").arg(port);
    if (!identity)
        return noIdentityText(connection, port);
    return otherKindText(port, *identity, m_window->kind());
}

void Application::adopt(std::unique_ptr<ModuleConnection> connection, const QString &port) {
    std::unique_ptr<ModuleSession> session = makeSession(*connection);
    m_window->attachSession(*session);
    // The old session talks over the old line, so it goes first.
    m_session = std::move(session);
    m_connection = std::move(connection);
    m_portName = portNameOf(*m_connection, port);
    watchLine(*m_connection);
}

void Application::watchLine(ModuleConnection &connection) {
    // Queued: the loss may be noticed inside a wait, and is then the exchange's to report.
    connect(&connection.link().channel(), &ByteChannel::lost, this, &Application::lineLostWhileIdle,
            Qt::QueuedConnection);
}

void Application::lineLostWhileIdle() {
    if (m_ending || !m_window || !m_window->isEnabled() || !m_connection->link().tryBegin())
        return; // a transfer or a reconnection is under way and tells what happened
    const QString why = m_connection->link().failure();
    if (!why.isEmpty())
        lineLost(why + QStringLiteral(" Nothing was being sent; the settings shown were kept."));
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
    if (m_connection)
        m_connection->link().abort();
    if (m_identifying)
        m_identifying->link().abort();
    QCoreApplication::exit(exitCode);
}

QWidget *Application::dialogParent() const {
    return m_window && m_window->isVisible() ? static_cast<QWidget *>(m_window.get()) : nullptr;
}

void Application::showMessage(const QString &text) {
    QMessageBox::warning(dialogParent(), QStringLiteral("tessel-config"), text);
}

ClosingChoice Application::askStoreBeforeClosing() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("tessel-config"),
                    QStringLiteral("Store the changes into the module before closing?"),
                    QMessageBox::NoButton, dialogParent());
    QAbstractButton *store = box.addButton(QStringLiteral("&Store"), QMessageBox::AcceptRole);
    QAbstractButton *discard =
        box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == store)
        return ClosingChoice::Store;
    return box.clickedButton() == discard ? ClosingChoice::Discard : ClosingChoice::Cancel;
}

QString Application::chooseFile(FileChoice purpose) {
    const QString filter = QStringLiteral("Production profiles (*.txt);;All files (*)");
    QFileDialog dialog(dialogParent(), {}, {}, filter);
    switch (purpose) {
    case FileChoice::OpenProfile:
        dialog.setWindowTitle(QStringLiteral("Open Profile"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileChoice::CompareProfile:
        dialog.setWindowTitle(QStringLiteral("Compare with Profile"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileChoice::SaveProfile:
        dialog.setWindowTitle(QStringLiteral("Save Profile As"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
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
    if (!m_report)
        m_report = std::make_unique<ReportWindow>();
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
