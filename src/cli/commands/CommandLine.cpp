// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/CommandLine.h"

#include "cli/commands/CommandRequest.h"
#include "cli/commands/CommandTable.h"
#include "cli/commands/HelpText.h"
#include "cli/commands/InterruptWatch.h"
#include "cli/commands/LevelStream.h"
#include "cli/commands/ModuleCommands.h"
#include "cli/commands/PortListing.h"
#include "cli/commands/Terminal.h"
#include "cli/commands/WindowRequest.h"
#include "core/ProfileText.h"
#include "link/ports/PortSource.h"
#include "link/protocol/ModuleConnection.h"
#include "link/protocol/WireTrace.h"
#include "session/BackupFolder.h"
#include "session/OutputFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace tessel {

namespace {

// The line to the module the request names, in the session's thread; nothing, with the reason
// in `error`, when the port cannot be opened. `lineFailed` is set when the port was named right
// but its line could not be made (a refused or unreachable network port), which is a lost line
// rather than a bad port.
ConnectionOpener openerFor(const CommandRequest &request,
                           const std::shared_ptr<std::atomic<bool>> &lineFailed) {
    return [simulate = request.simulate, port = request.port,
            leastWait = request.replyWaitMs * 1000LL, lineFailed](QString &error) {
        bool failed = false;
        std::unique_ptr<ModuleConnection> connection =
            simulate ? ModuleConnection::simulate(*simulate)
                     : ModuleConnection::openPort(port, error, nullptr, &failed);
        *lineFailed = failed;
        if (connection)
            connection->protocol().pace().setLeastWait(leastWait);
        return connection;
    };
}

// A status of a diff run: "differs" is its own 1, so trouble is never reported as 1.
int diffStatus(const CommandRequest &request, int status) {
    const bool isDiff = request.command == QLatin1String("diff");
    return isDiff && status == exitcode::kNoModule ? exitcode::kDiffTrouble : status;
}

int runModuleCommand(const CommandRequest &request, ModuleCommands &commands,
                     const std::optional<ModuleMemory> &profile, OutputFile *output) {
    if (const int status = commands.identify(); status != exitcode::kSuccess)
        return diffStatus(request, status);
    if (request.command == QLatin1String("identify"))
        return commands.printIdentity();
    if (request.command == QLatin1String("monitor"))
        return streamLevels(commands.session(), commands.where(), request.monitor);
    // A module of a kind this program does not know is not read either: its memory map,
    // and so any profile made of it, would mean nothing here.
    const std::optional<ModuleKind> kind = commands.knownKind();
    if (!kind)
        return diffStatus(request, exitcode::kNoModule);
    if (request.command == QLatin1String("read"))
        return commands.read(output);
    if (request.command == QLatin1String("write"))
        return commands.write(*kind, *profile);
    if (request.command == QLatin1String("factory-reset"))
        return commands.factoryReset(*kind);
    return commands.diff(*kind, *profile);
}

// A run that would have been clean is not, when the module confirmed a store the line made of
// another command on the way; a worse status stands.
int runCommand(const CommandRequest &request, ModuleCommands &commands,
               const std::optional<ModuleMemory> &profile, OutputFile *output) {
    const int status = runModuleCommand(request, commands, profile, output);
    if (!commands.lineGarbledAStore())
        return status;
    // diff's statuses are diff(1)'s: a comparison that cannot be trusted is trouble, 2.
    if (request.command == QLatin1String("diff"))
        return status == exitcode::kSuccess || status == exitcode::kDiffers ? exitcode::kDiffTrouble
                                                                            : status;
    return status == exitcode::kSuccess ? exitcode::kGarbledStore : status;
}

} // namespace

std::optional<ModuleMemory> readProfileFile(const QString &argument, QString &error) {
    const bool standardInput = argument == QLatin1String("-");
    const QString path = standardInput ? QStringLiteral("standard input") : argument;
    QFile file(argument);
    const bool opened =
        standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const ProfileParse parsed = readProfile(file, path);
    if (!parsed.memory) {
        error = parsed.error + QStringLiteral("; nothing was sent");
        return std::nullopt;
    }
    return parsed.memory;
}

void tellPruning(const QString &note) {
    printLine(stderr, QStringLiteral("tessel-config: ") + note);
}

QStringList argumentsOf(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void nameTheApplication() {
    // The QSettings file is ~/.config/tessel-config/tessel-config.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("tessel-config"));
    QCoreApplication::setApplicationName(QStringLiteral("tessel-config"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSEL_VERSION));
}

BackupFolder userBackups() {
    const passwd *me = ::getpwuid(::getuid());
    const QString account = me && me->pw_dir ? QFile::decodeName(me->pw_dir) : QString();
    QString why;
    const QString data = BackupFolder::dataHome(qEnvironmentVariable("XDG_DATA_HOME"),
                                                qEnvironmentVariable("HOME"), account, &why);
    BackupFolder folder = data.isEmpty()
                              ? BackupFolder({}, why)
                              : BackupFolder(data + QStringLiteral("/tessel-config/backups"));
    folder.setRetention(BackupRetention::fromSettings());
    return folder;
}

bool isCommandLineInvocation(const QStringList &arguments) {
    static const QStringList actionOptions = {
        QStringLiteral("-h"),        QStringLiteral("--help"),     QStringLiteral("-help"),
        QStringLiteral("-?"),        QStringLiteral("--help-all"), QStringLiteral("-v"),
        QStringLiteral("--version"), QStringLiteral("-version")};
    static const QStringList optionsWithValue = [] {
        QStringList options;
        QStringList names = qtOptionsWithValue(); // "-style Fusion" opens the window in that style
        for (const commands::Option &option : commands::options()) {
            if (!option.value)
                continue;
            names << QLatin1String(option.longName);
            if (option.shortName != 0)
                options << QStringLiteral("-") + QLatin1Char(option.shortName);
        }
        for (const QString &name : names)
            options << QLatin1Char('-') + name << QStringLiteral("--") + name;
        return options;
    }();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--"))
            return i + 1 < arguments.size();
        if (actionOptions.contains(a))
            return true;
        if (optionsWithValue.contains(a)) {
            ++i; // its value
            continue;
        }
        // `production` opens the station window, unless its help is asked for.
        if (a == QLatin1String("production"))
            return std::any_of(arguments.begin() + i + 1, arguments.end(),
                               [](const QString &b) { return actionOptions.contains(b); });
        // A word is a command, unless it names a file (a profile the window opens).
        if (!a.startsWith(QLatin1Char('-')))
            return isCommandName(a) || !QFileInfo(a).isFile();
    }
    return false;
}

namespace {

bool isProductionCommand(const QString &command) {
    return command == QLatin1String("program") || command == QLatin1String("records");
}

int runRequest(const CommandRequest &request, const BackupFolder &backups,
               const ProductionHandler &production) {
    if (request.help) {
        const commands::Command *command = commands::find(request.helpCommand);
        printText((command ? commandHelp(*command, helpWidth()) : overviewHelp(helpWidth()))
                      .toLocal8Bit());
        return statusAfterOutput(exitcode::kSuccess);
    }
    if (request.version) {
        printLine(stdout, QStringLiteral("tessel-config %1").arg(QLatin1String(TESSEL_VERSION)));
        return statusAfterOutput(exitcode::kSuccess);
    }

    if (request.command == QLatin1String("list-ports"))
        return statusAfterOutput(listPorts(SystemPortSource(), request.json));
    // Before anything is read: a profile or the scanner on standard input is theirs.
    if (isProductionCommand(request.command))
        return production(request, backups);

    // Everything that can be refused without the module is refused before the port opens.
    std::optional<ModuleMemory> profile;
    if (!request.file.isEmpty()) {
        QString error;
        profile = readProfileFile(request.file, error);
        if (!profile)
            return fail(exitcode::kBadInput, error);
    }
    std::unique_ptr<OutputFile> output;
    if (request.command == QLatin1String("read") && !request.output.isEmpty() &&
        request.output != QLatin1String("-")) {
        output = std::make_unique<OutputFile>(request.output);
        if (!output->open())
            return fail(exitcode::kBadInput, output->error());
    }

    const auto lineFailed = std::make_shared<std::atomic<bool>>(false);
    const std::unique_ptr<SessionClient> session =
        SessionClient::onThread(openerFor(request, lineFailed), boundedLimits());
    session->setVerifyAfterStore(request.verify);
    session->open();
    session->waitUntilIdle();
    if (!session->isOpen())
        return diffStatus(request, fail(*lineFailed ? exitcode::kNoModule : exitcode::kBadInput,
                                        session->openError()));
    // Profile text written onto the module's own line would reach the module as commands.
    if (request.command == QLatin1String("read") && !request.simulate &&
        (output ? output->isSameFileAs(session->where())
                : sameFile(STDOUT_FILENO, session->where()))) {
        return fail(exitcode::kBadInput,
                    QStringLiteral("%1 is the module's own port: the profile is not written "
                                   "onto it; nothing was sent")
                        .arg(output ? output->path() : QStringLiteral("standard output")));
    }
    if (request.backup)
        session->setBackup((request.simulate ? backups.practice() : backups)
                               .forSession(session->where(), tellPruning));
    ModuleCommands commands(*session, session->where());
    commands.setJson(request.json);
    commands.setBytes(request.bytes);
    InterruptWatch interrupts;
    QObject::connect(&interrupts, &InterruptWatch::interrupted, &interrupts,
                     [&commands] { commands.interrupt(); });
    const int status = runCommand(request, commands, profile, output.get());
    // Whatever the command managed before it stopped has been said; the status says why.
    if (interrupts.received() != 0)
        return exitcode::kSignalled + interrupts.received();
    return statusAfterOutput(status);
}

} // namespace

int runCommandLine(const QStringList &arguments, const BackupFolder &backups,
                   const ProductionHandler &production) {
    ignoreClosedPipes();
    const ParsedRequest parsed = parseCommandRequest(arguments);
    if (!parsed.error.isEmpty())
        return fail(exitcode::kBadInput, parsed.error);
    TraceLog trace;
    if (!parsed.request.trace.isEmpty()) {
        if (const QString error = trace.writeTo(parsed.request.trace); !error.isEmpty())
            return fail(exitcode::kBadInput, error);
    }
    return closeStandardOutput(runRequest(parsed.request, backups, production),
                               parsed.request.command == QLatin1String("diff"));
}

} // namespace tessel
