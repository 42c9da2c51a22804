#include "cli/commands/CommandLine.h"
#include "cli/commands/Terminal.h"
#include "cli/commands/WindowRequest.h"
#include "ui/shell/Application.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <pwd.h>
#include <unistd.h>

using namespace tessel;

namespace {

// The data and configuration folders (backups, the remembered port, the QSettings file
// ~/.config/tessel-config/tessel-config.conf) are named after the program, not after whatever
// name its executable was started by.
void nameTheApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("tessel-config"));
    QCoreApplication::setApplicationName(QStringLiteral("tessel-config"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSEL_VERSION));
}

// Where backups go, by the XDG rules: the one place the environment is asked.
BackupFolder userBackups() {
    const passwd *me = ::getpwuid(::getuid());
    const QString account = me && me->pw_dir ? QFile::decodeName(me->pw_dir) : QString();
    QString why;
    const QString data = BackupFolder::dataHome(qEnvironmentVariable("XDG_DATA_HOME"),
                                                qEnvironmentVariable("HOME"), account, &why);
    return data.isEmpty() ? BackupFolder({}, why)
                          : BackupFolder(data + QStringLiteral("/tessel-config/backups"));
}

QStringList argumentsOf(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int runWindow(int argc, char *argv[], const WindowRequest &request) {
    QApplication app(argc, argv);
    nameTheApplication();

    StartOptions options;
    options.simulate = request.simulate;
    if (!request.port.isEmpty())
        options.port = request.port;
    options.profile = request.profile;
    options.backups = userBackups();

    Application application(options);
    // Start once the event loop runs, so that Cancel and closing a window can end it.
    QTimer::singleShot(0, &application, &Application::start);
    const int status = QApplication::exec();
    return status != 0 ? status : application.exitCode();
}

} // namespace

int main(int argc, char *argv[]) {
    const QStringList arguments = argumentsOf(argc, argv);
    if (isCommandLineInvocation(arguments)) {
        QCoreApplication app(argc, argv);
        nameTheApplication();
        return runCommandLine(arguments, userBackups());
    }
    // Both refusals come before Qt starts: it would abort without a display.
    const ParsedWindowRequest parsed = parseWindowRequest(arguments);
    if (!parsed.error.isEmpty())
        return fail(exitcode::kBadInput, parsed.error + QStringLiteral(" (try --help)"));
    if (const QString why = missingDisplayMessage(parsed.request); !why.isEmpty())
        return fail(exitcode::kBadInput, why);
    return runWindow(argc, argv, parsed.request);
}
