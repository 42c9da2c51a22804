#include "cli/CommandLine.h"

#include "cli/CommandRequest.h"
#include "cli/ModuleCommands.h"
#include "cli/Terminal.h"
#include "core/ProfileText.h"
#include "link/ModuleConnection.h"

#include <QFile>
#include <QSaveFile>
#include <memory>

namespace tessel {

namespace {

constexpr qint64 kProfileFileLimit = 1 << 20;

// The line to the module the request names; nothing, with the reason on standard error, when
// the port cannot be opened.
std::unique_ptr<ModuleConnection> openConnection(const CommandRequest &request) {
    if (request.simulate)
        return ModuleConnection::simulate(*request.simulate);
    QString error;
    auto connection = ModuleConnection::openPort(request.port, error);
    if (!connection)
        fail(exitcode::kBadInput, error);
    return connection;
}

// The profile in a file as memory; a message when it cannot be read or is not a profile.
std::optional<ModuleMemory> readProfileFile(const QString &path, QString &error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kProfileFileLimit + 1);
    if (bytes.size() > kProfileFileLimit) {
        error = QStringLiteral("%1 is far too large to be a profile").arg(path);
        return std::nullopt;
    }
    const ProfileParse parsed = parseProfileText(QString::fromUtf8(bytes));
    if (!parsed.memory) {
        error = QStringLiteral("%1 is not a profile: %2; nothing was sent").arg(path, parsed.error);
        return std::nullopt;
    }
    return parsed.memory;
}

int runCommand(const CommandRequest &request, ModuleCommands &commands,
               const std::optional<ModuleMemory> &profile, QSaveFile *output) {
    if (const int status = commands.identify(); status != exitcode::kSuccess)
        return status;
    if (request.command == QLatin1String("identify"))
        return commands.printIdentity();
    if (request.command == QLatin1String("read"))
        return commands.read(output);

    const std::optional<ModuleKind> kind = commands.knownKind();
    if (!kind)
        return exitcode::kNoModule;
    if (request.command == QLatin1String("write"))
        return commands.write(*kind, *profile, request.verify);
    if (request.command == QLatin1String("factory-reset"))
        return commands.factoryReset(*kind);
    return commands.diff(*kind, *profile);
}

} // namespace

bool isCommandLineInvocation(const QStringList &arguments) {
    static const QStringList actionOptions = {
        QStringLiteral("-h"),        QStringLiteral("--help"),     QStringLiteral("-help"),
        QStringLiteral("-?"),        QStringLiteral("--help-all"), QStringLiteral("-v"),
        QStringLiteral("--version"), QStringLiteral("-version")};
    static const QStringList optionsWithValue = {
        QStringLiteral("--port"),    QStringLiteral("-port"), QStringLiteral("--simulate"),
        QStringLiteral("-simulate"), QStringLiteral("-o"),    QStringLiteral("--output"),
        QStringLiteral("-output")};
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
        if (!a.startsWith(QLatin1Char('-')))
            return true;
    }
    return false;
}

int runCommandLine(const QStringList &arguments) {
    const ParsedRequest parsed = parseCommandRequest(arguments);
    if (!parsed.error.isEmpty())
        return fail(exitcode::kBadInput, parsed.error);
    const CommandRequest &request = parsed.request;
    if (request.help) {
        std::fputs(commandLineHelp().toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
        return exitcode::kSuccess;
    }
    if (request.version) {
        printLine(stdout, QStringLiteral("tessel-config %1").arg(QLatin1String(TESSEL_VERSION)));
        return exitcode::kSuccess;
    }

    // Everything that can be refused without the module is refused before the port opens.
    std::optional<ModuleMemory> profile;
    if (!request.file.isEmpty()) {
        QString error;
        profile = readProfileFile(request.file, error);
        if (!profile)
            return fail(exitcode::kBadInput, error);
    }
    std::unique_ptr<QSaveFile> output;
    if (!request.output.isEmpty()) {
        output = std::make_unique<QSaveFile>(request.output);
        if (!output->open(QIODevice::WriteOnly))
            return fail(
                exitcode::kBadInput,
                QStringLiteral("cannot write %1: %2").arg(request.output, output->errorString()));
    }

    const std::unique_ptr<ModuleConnection> connection = openConnection(request);
    if (!connection)
        return exitcode::kBadInput;
    ModuleSession session(connection->protocol(), commandLineLimits());
    ModuleCommands commands(session, connection->where());
    return runCommand(request, commands, profile, output.get());
}

} // namespace tessel
