#include "ui/Application.h"

#include "link/ControllerLink.h"
#include "link/ModuleProtocol.h"
#include "link/PortSetting.h"
#include "link/SerialChannel.h"
#include "link/SimulatedChannel.h"
#include "ui/ConfigWindow.h"
#include "ui/FormSelectSerialPort.h"
#include "ui/ProgressWindow.h"
#include "ui/ReportWindow.h"
#include "ui/StartupWindows.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace tessel {

namespace {
constexpr int kLinkTestAttempts = 100;
constexpr qint64 kSimulatedReplyDelayMicros = 2000;
} // namespace

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
        m_simulator = std::make_unique<ModuleSimulator>(*m_options.simulate, m_options.faults,
                                                        kSimulatedReplyDelayMicros);
        m_channel = std::make_unique<SimulatedChannel>(*m_simulator, clock());
        m_portName = m_channel->name();
    } else {
        if (m_options.port) {
            m_portName = *m_options.port;
        } else {
            FormSelectSerialPort chooser(ListSerialPorts(), m_form1.get());
            chooser.exec();
            m_portName = chooser.portName();
            if (!chooser.settingError().isEmpty())
                showMessage(chooser.settingError());
        }
        const QString device = deviceForPortName(m_portName);
        auto serial = std::make_unique<SerialChannel>();
        const QString error =
            device.isEmpty() ? QStringLiteral("No port was chosen.") : serial->open(m_portName);
        if (!error.isEmpty()) {
            m_splash->hide();
            showMessage(error);
            endProgram(1);
            return false;
        }
        m_channel = std::move(serial);
    }
    m_link = std::make_unique<ControllerLink>(*m_channel, clock());
    m_protocol = std::make_unique<ModuleProtocol>(*m_link);
    return true;
}

bool Application::connectToModule() {
    ConnectingWindow connecting(m_portName);
    connect(&connecting, &ConnectingWindow::cancelRequested, this, [this] { endProgram(0); });
    connecting.show();
    std::optional<wire::IdentityReply> identity;
    int answeredAttempt = 0;
    {
        auto session = m_link->tryBegin();
        answeredAttempt = m_protocol->linkTestRepeated(kLinkTestAttempts);
        if (answeredAttempt > 0)
            identity = m_protocol->identify(std::nullopt);
    }
    connecting.hide();
    if (m_ending)
        return false;
    if (answeredAttempt == 0 || !identity) {
        const QString why = m_link->failure();
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
    m_window = std::make_unique<ConfigWindow>(*kind, *m_protocol, *this);
    return m_window->loadFromModule() && !m_ending;
}

LinkClock &Application::clock() {
    if (m_options.clock)
        return *m_options.clock;
    if (!m_ownClock)
        m_ownClock = std::make_unique<RealClock>();
    return *m_ownClock;
}

void Application::endProgram(int exitCode) {
    if (m_ending)
        return;
    m_ending = true;
    m_exitCode = exitCode;
    if (m_link)
        m_link->abort();
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
