#include "ui/Application.h"

#include "link/ModuleConnection.h"
#include "link/PortSetting.h"
#include "ui/ConfigWindow.h"
#include "ui/FormSelectSerialPort.h"
#include "ui/ProgressWindow.h"
#include "ui/ReportWindow.h"
#include "ui/StartupWindows.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace tessel {

Application::Application(StartOptions options)
    : m_options(std::move(options)), m_form1(std::make_unique<StartupWindow>()),
      m_splash(std::make_unique<SplashWindow>()), m_progress(std::make_unique<ProgressWindow>()) {
    connect(m_form1.get(), &StartupWindow::closed, this, [this] { endProgram(0); });
    connect(m_progress.get(), &ProgressWindow::cancelRequested, this, [this] { endProgram(0); });
}

Application::~Application() = default;

void Application::start() {
    m_splash->show();
    if (!openLink())
        return;
    m_splash->hide();
    if (!connectToModule())
        return;
    m_form1->show();
}

bool Application::openLink() {
    if (m_options.simulate) {
        m_connection =
            ModuleConnection::simulate(*m_options.simulate, m_options.faults, m_options.clock);
        m_portName = m_connection->where();
        return true;
    }
    if (m_options.port) {
        m_portName = *m_options.port;
    } else {
        FormSelectSerialPort chooser(ListSerialPorts(), m_form1.get());
        chooser.exec();
        m_portName = chooser.portName();
        if (!chooser.settingError().isEmpty())
            showMessage(chooser.settingError());
    }
    QString error;
    m_connection = ModuleConnection::openPort(m_portName, error, m_options.clock);
    if (!m_connection) {
        m_splash->hide();
        showMessage(error);
        endProgram(1);
        return false;
    }
    return true;
}

bool Application::connectToModule() {
    ConnectingWindow connecting(m_portName);
    connect(&connecting, &ConnectingWindow::cancelRequested, this, [this] { endProgram(0); });
    connecting.show();
    ControllerLink &link = m_connection->link();
    ModuleProtocol &protocol = m_connection->protocol();
    std::optional<wire::IdentityReply> identity;
    int answeredAttempt = 0;
    {
        auto session = link.tryBegin();
        answeredAttempt = protocol.linkTestRepeated(ModuleConnection::kLinkTestAttempts);
        if (answeredAttempt > 0)
            identity = protocol.identify(std::nullopt);
    }
    connecting.hide();
    if (m_ending)
        return false;
    if (answeredAttempt == 0 || !identity) {
        const QString why = link.failure();
        showMessage(why.isEmpty() ? QStringLiteral("No module answered on %1.").arg(m_portName)
                                  : why);
        endProgram(1);
        return false;
    }
    const std::optional<ModuleKind> kind = identity->moduleKind();
    if (!kind) {
        showMessage(QStringLiteral("The module on %1 reports the kind %2, which this program "
                                   "cannot configure.")
                        .arg(m_portName)
                        .arg(identity->kind()));
        return true;
    }
    m_window = std::make_unique<ConfigWindow>(*kind, protocol, *this);
    return m_window->loadFromModule() && !m_ending;
}

void Application::endProgram(int exitCode) {
    if (m_ending)
        return;
    m_ending = true;
    m_exitCode = exitCode;
    if (m_connection)
        m_connection->link().abort();
    QCoreApplication::exit(exitCode);
}

void Application::showMessage(const QString &text) {
    QWidget *parent =
        m_window && m_window->isVisible() ? static_cast<QWidget *>(m_window.get()) : nullptr;
    QMessageBox::warning(parent, QStringLiteral("tessel-config"), text);
}

QWidget *Application::startupWindow() const {
    return m_form1.get();
}

ProgressWindow &Application::progressWindow() {
    return *m_progress;
}

void Application::showReport(const QString &profile) {
    if (!m_report)
        m_report = std::make_unique<ReportWindow>();
    m_report->showProfile(profile);
}

void Application::imageShown() {
    m_form1->hide();
}

void Application::windowClosed() {
    endProgram(0);
}

} // namespace tessel
