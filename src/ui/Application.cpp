#include "ui/Application.h"

#include "link/ModuleConnection.h"
#include "link/PortSetting.h"
#include "link/PortSource.h"
#include "session/BackupFolder.h"
#include "session/ModuleSession.h"
#include "ui/ConfigWindow.h"
#include "ui/ConnectingWindow.h"
#include "ui/FormSelectSerialPort.h"
#include "ui/ProgressWindow.h"
#include "ui/Readability.h"
#include "ui/ReportWindow.h"
#include "ui/StartupWindows.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace tessel {

namespace {
QString noAnswerText(const QString &port) {
    return QStringLiteral("No module answered on %1.\n\nCheck that the module has power, that its "
                          "cable is plugged in at both ends, and that %1 is the port the cable "
                          "is on.")
        .arg(port);
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tessel-config-%1.png").arg(size), QSize(size, size));
    return icon;
}
} // namespace

Application::Application(StartOptions options)
    : m_options(std::move(options)), m_form1(std::make_unique<StartupWindow>()),
      m_splash(std::make_unique<SplashWindow>()), m_progress(std::make_unique<ProgressWindow>()) {
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tesselconfig.TesselConfig"));
    QApplication::setWindowIcon(applicationIcon());
    applyPaletteFromEnvironment();
    connect(m_form1.get(), &StartupWindow::closed, this, [this] { endProgram(0); });
    connect(m_progress.get(), &ProgressWindow::cancelRequested, this, [this] { endProgram(0); });
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
        if (choose)
            m_portName = choosePort();
        const QString error = openLink();
        m_splash->hide();
        const Outcome outcome = error.isEmpty() ? connectToModule() : offerAnotherPort(error);
        if (outcome == Outcome::Connected)
            m_form1->show();
        if (outcome != Outcome::ChooseAgain)
            return;
        m_connection.reset();
        choose = true;
    }
}

QString Application::choosePort() {
    const SystemPortSource ports;
    FormSelectSerialPort chooser(ports, PortSetting(), m_form1.get());
    chooser.exec();
    if (!chooser.settingError().isEmpty())
        showMessage(chooser.settingError());
    return chooser.portName();
}

QString Application::openLink() {
    QString error;
    if (m_options.simulate) {
        // The simulated module answers on whatever port the operator picks.
        m_connection =
            ModuleConnection::simulate(*m_options.simulate, m_options.faults, m_options.clock);
        m_portName = m_connection->where();
    } else {
        m_connection = ModuleConnection::openPort(m_portName, error, m_options.clock);
    }
    return error;
}

Application::Outcome Application::connectToModule() {
    m_cancelled = false;
    ControllerLink &link = m_connection->link();
    ModuleProtocol &protocol = m_connection->protocol();
    m_connecting = std::make_unique<ConnectingWindow>(m_portName, link.clock());
    connect(m_connecting.get(), &ConnectingWindow::cancelRequested, this, [this, &link] {
        m_cancelled = true;
        link.abort();
    });
    m_connecting->show();
    std::optional<wire::IdentityReply> identity;
    int answeredAttempt = 0;
    {
        auto session = link.tryBegin();
        answeredAttempt = linkTest();
        if (answeredAttempt > 0) {
            m_connecting->showStep(QStringLiteral("Identifying the module"));
            identity = protocol.identify(std::nullopt);
        }
    }
    m_connecting.reset();
    if (m_ending)
        return Outcome::Stop;
    if (m_cancelled)
        return Outcome::ChooseAgain;
    if (answeredAttempt == 0 || !identity) {
        const QString why = link.failure();
        return offerAnotherPort(why.isEmpty() ? noAnswerText(m_portName) : why);
    }
    const std::optional<ModuleKind> kind = identity->moduleKind();
    if (!kind) {
        showMessage(QStringLiteral("The module on %1 reports the kind %2, which this program "
                                   "cannot configure.")
                        .arg(m_portName)
                        .arg(identity->kind()));
        return Outcome::Connected;
    }
    m_session = std::make_unique<ModuleSession>(protocol);
    m_session->setBackup(BackupFolder().forSession());
    m_window = std::make_unique<ConfigWindow>(*kind, *m_session, *this);
    return m_window->loadFromModule() && !m_ending ? Outcome::Connected : Outcome::Stop;
}

int Application::linkTest() {
    constexpr int kAttempts = ModuleConnection::kLinkTestAttempts;
    return m_connection->protocol().linkTestRepeated(kAttempts, [this](int attempt) {
        m_connecting->showStep(QStringLiteral("Link test %1 of %2").arg(attempt).arg(kAttempts));
    });
}

Application::Outcome Application::offerAnotherPort(const QString &text) {
    const int answer =
        askChoice(text, {QStringLiteral("Choose Another Port"), QStringLiteral("Quit")});
    if (answer == 0 && !m_ending)
        return Outcome::ChooseAgain;
    endProgram(1);
    return Outcome::Stop;
}

int Application::askChoice(const QString &text, const QStringList &answers) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("tessel-config"), text);
    QList<QAbstractButton *> buttons;
    for (const QString &answer : answers)
        buttons << box.addButton(answer, QMessageBox::AcceptRole);
    box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
    box.setEscapeButton(buttons.last());
    box.exec();
    const auto picked = buttons.indexOf(box.clickedButton());
    return picked < 0 ? int(answers.size()) - 1 : int(picked);
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

bool Application::askQuestion(const QString &text) {
    QWidget *parent =
        m_window && m_window->isVisible() ? static_cast<QWidget *>(m_window.get()) : nullptr;
    return QMessageBox::question(parent, QStringLiteral("tessel-config"), text,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
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
