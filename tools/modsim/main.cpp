// SPDX-License-Identifier: Apache-2.0
// tessel-modsim: a simulated module on a pseudo-terminal, for trying the program without
// hardware and for its end-to-end tests.

#include "FaultOptions.h"
#include "PtyModule.h"
#include "TcpModule.h"
#include "core/ModuleSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <optional>

using namespace tessel;

namespace {

// The TCP port to serve on, or nothing when the value is not one.
std::optional<quint16> tcpPort(const QString &value) {
    bool ok = false;
    const int port = value.toInt(&ok);
    if (!ok || port < 0 || port > 65535)
        return std::nullopt;
    return static_cast<quint16>(port);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessel-modsim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSEL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Simulates a module on a pseudo-terminal. Prints the device to open (one line) and "
            "answers until it is killed, or until --drop-after makes the device vanish.\n\n") +
        faultPositionHelp());
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("kind"),
                      QStringLiteral("Module kind: tessel (default) or threshold."),
                      QStringLiteral("KIND"), moduleKindKey(ModuleKind::Tessel)});
    addFaultOptions(parser);
    parser.addOptions({
        {QStringLiteral("dump"),
         QStringLiteral("Write the memory as production profile text (one line) to FILE at "
                        "start and after every block-store command."),
         QStringLiteral("FILE")},
        {QStringLiteral("log-commands"),
         QStringLiteral("Print the name of each command received (link-test, identify, readN, "
                        "storeN, analogN) on a line of its own.")},
        {QStringLiteral("link"),
         QStringLiteral("Keep PATH a symbolic link to the device, as a stable by-id name, and "
                        "print it instead of the device."),
         QStringLiteral("PATH")},
        {QStringLiteral("unplug"),
         QStringLiteral("Each module of a swapping jig brings its own adapter: the device (and "
                        "the --link) goes when the module is taken out and comes back with the "
                        "next one. --log-commands prints module-out and module-in.")},
        {QStringLiteral("no-pacing"),
         QStringLiteral("Do not pace bytes at 115200 baud (10 bits a byte).")},
        {QStringLiteral("tcp"),
         QStringLiteral("Also serve the module on this TCP port of the loopback interface (0: "
                        "any free one), as a serial device server would; its port name "
                        "(tcp://127.0.0.1:PORT) is printed on a second line."),
         QStringLiteral("PORT")},
    });
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "tessel-modsim: unexpected argument %s\n",
                     qPrintable(parser.positionalArguments().first()));
        return 2;
    }

    const std::optional<ModuleKind> kind = moduleKindFromKey(parser.value(QStringLiteral("kind")));
    if (!kind) {
        std::fprintf(stderr, "tessel-modsim: --kind takes %s\n",
                     qPrintable(moduleKindKeyChoices()));
        return 2;
    }

    ModuleSetup setup;
    if (const QString error = takeFaultOptions(parser, setup); !error.isEmpty()) {
        std::fprintf(stderr, "tessel-modsim: %s\n", qPrintable(error));
        return 2;
    }

    ModuleSimulator module(*kind, setup.faults, setup.replyDelayMicros);
    module.setLevelPattern(setup.levels);
    PtyModule::Options options;
    options.pacing = !parser.isSet(QStringLiteral("no-pacing"));
    options.dumpPath = parser.value(QStringLiteral("dump"));
    options.logCommands = parser.isSet(QStringLiteral("log-commands"));
    options.linkPath = parser.value(QStringLiteral("link"));
    options.unplug = parser.isSet(QStringLiteral("unplug"));
    PtyModule pty(module, options);
    QObject::connect(&pty, &PtyModule::lineDropped, &app, [] { QCoreApplication::exit(0); });
    QObject::connect(&pty, &PtyModule::dumpFailed, &app, [](const QString &message) {
        std::fprintf(stderr, "tessel-modsim: %s\n", qPrintable(message));
    });
    const QString error = pty.open();
    if (!error.isEmpty()) {
        std::fprintf(stderr, "tessel-modsim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(pty.portPath()));

    TcpModule tcp(module);
    if (parser.isSet(QStringLiteral("tcp"))) {
        const auto port = tcpPort(parser.value(QStringLiteral("tcp")));
        const QString tcpError =
            port ? tcp.listen(*port) : QStringLiteral("--tcp takes a whole number 0 to 65535");
        if (!port || !tcpError.isEmpty()) {
            std::fprintf(stderr, "tessel-modsim: %s\n", qPrintable(tcpError));
            return 2;
        }
        QObject::connect(&tcp, &TcpModule::memoryChanged, &pty, &PtyModule::writeDump);
        QObject::connect(&tcp, &TcpModule::lineDropped, &app, [] { QCoreApplication::exit(0); });
        std::printf("%s\n", qPrintable(tcp.portName()));
    }
    std::fflush(stdout);
    return QCoreApplication::exec();
}
