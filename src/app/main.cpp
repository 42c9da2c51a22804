#include "cli/CommandLine.h"
#include "ui/Application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

using namespace tessel;

namespace {

QStringList argumentsOf(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int runWindow(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessel-config"));
    QApplication::setApplicationVersion(QStringLiteral(TESSEL_VERSION));

    QCommandLineParser parser;
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Run against the built-in simulated module."),
                                      QStringLiteral("tessel|threshold"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Use this port without asking."),
                                  QStringLiteral("NAME"));
    parser.addOptions({simulate, port});
    parser.process(app);

    StartOptions options;
    if (parser.isSet(simulate)) {
        options.simulate = moduleKindFromKey(parser.value(simulate));
        if (!options.simulate) {
            std::fprintf(stderr, "--simulate takes %s\n", qPrintable(moduleKindKeyChoices()));
            return exitcode::kBadInput;
        }
    }
    if (parser.isSet(port))
        options.port = parser.value(port);

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
        return runCommandLine(arguments);
    }
    return runWindow(argc, argv);
}
