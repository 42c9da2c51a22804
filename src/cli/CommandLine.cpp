#include "cli/CommandLine.h"

#include "core/FieldNames.h"
#include "core/ProfileText.h"
#include "link/ControllerLink.h"
#include "link/ModuleProtocol.h"
#include "link/PortSetting.h"
#include "link/SerialChannel.h"
#include "link/SettingsTransfer.h"
#include "link/SimulatedChannel.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>

namespace tessel {

namespace {

// Every wait is bounded so that no command hangs on a silent or confused module.
constexpr int kLinkTestAttempts = 100;
constexpr int kIdentifyAttempts = 10;
constexpr int kBlockReadAttempts = 3;
constexpr qint64 kSimulatedReplyDelayMicros = 2000;
constexpr qint64 kProfileFileLimit = 1 << 20;

const QStringList &commandNames() {
    static const QStringList names = {QStringLiteral("identify"), QStringLiteral("read"),
                                      QStringLiteral("write"), QStringLiteral("factory-reset"),
                                      QStringLiteral("diff")};
    return names;
}

void printLine(FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

int fail(int status, const QString &message) {
    printLine(stderr, QStringLiteral("tessel-config: ") + message);
    return status;
}

QString seconds(int polls) {
    return QString::number(static_cast<double>(polls) * LinkClock::kPollMicros / 1e6);
}

QString helpText() {
    return QStringLiteral(
        R"(Usage: tessel-config [--port NAME | --simulate KIND]
       tessel-config COMMAND (--port NAME | --simulate KIND) [OPTIONS]

Configures Tessel and Threshold radio input modules over a serial port (115200 baud, 8N1).

Without a command the configuration window opens:
  --port NAME         use this port without asking (COM3, ttyUSB0 or a device path)
  --simulate KIND     run against the built-in simulated module (tessel or threshold)

Commands:
  identify            link test (up to 100 attempts, 1.5 s each), then identification (up to
                      10 attempts, 1 s each); prints one line describing the module
  read [-o FILE]      reads the whole memory and writes it as production profile text (16
                      records "DATA" of 16 values, on one line) to FILE or standard output
  write FILE [--verify]
                      stores the profile in FILE, block by block, each confirmed by the
                      module; --verify reads the memory back and names every address that
                      differs
  factory-reset       stores the factory settings of the module's kind and reads them back
  diff FILE           lists field by field where the module's memory differs from the profile
                      in FILE, or prints "no differences"; the exit status is 0 either way

Options of the commands:
  --port NAME         the module's port (COM3, ttyUSB0 or a device path)
  --simulate KIND     use the built-in simulated module instead of a port
  -o, --output FILE   where read writes the profile (default: standard output)
  --verify            with write: read back and compare
  -h, --help          this text
  -v, --version       the program's version

A profile may be split over several lines, with blank space between records and values.
Anything but 16 records "DATA" of 16 whole numbers 0 to 255 is refused, naming the record and
the value, and nothing is sent to the module.

Every wait for the module is bounded: a block read is tried at most 3 times (5 s each), a
store waits at most 15 s for each block's confirmation. While a transfer runs, a progress
line is shown on standard error when it is a terminal.

Exit status:
  0  success
  1  no module answered, the module is of an unknown kind, or the line failed or vanished
  2  bad usage, a bad profile, or a port or file that cannot be opened
  3  a block store was not confirmed ("Error Storing Data"), or the memory read back
     differs from what was stored
)");
}

struct Request {
    QString command;
    QString port;
    std::optional<ModuleKind> simulate;
    QString output;
    QString file;
    bool verify = false;
    bool help = false;
    bool version = false;
};

struct ParsedRequest {
    Request request;
    QString error;
};

ParsedRequest parseRequest(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("help"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("version"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("port"),
                                  QStringLiteral("NAME"));
    const QCommandLineOption simulate(QStringLiteral("simulate"), QStringLiteral("simulate"),
                                      QStringLiteral("KIND"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("output"), QStringLiteral("FILE"));
    const QCommandLineOption verify(QStringLiteral("verify"), QStringLiteral("verify"));
    parser.addOptions({help, version, port, simulate, output, verify});

    ParsedRequest parsed;
    Request &r = parsed.request;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    r.help = parser.isSet(help);
    r.version = parser.isSet(version);
    if (r.help || r.version)
        return parsed;

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        parsed.error = QStringLiteral("no command given (try --help)");
        return parsed;
    }
    r.command = positional.first();
    if (!commandNames().contains(r.command)) {
        parsed.error = QStringLiteral("unknown command \"%1\"; the commands are %2")
                           .arg(r.command, commandNames().join(QStringLiteral(", ")));
        return parsed;
    }
    const bool takesFile =
        r.command == QLatin1String("write") || r.command == QLatin1String("diff");
    const qsizetype wanted = takesFile ? 2 : 1;
    if (positional.size() < wanted) {
        parsed.error = QStringLiteral("%1 needs the profile file to use").arg(r.command);
        return parsed;
    }
    if (positional.size() > wanted) {
        parsed.error = QStringLiteral("unexpected argument \"%1\"").arg(positional.at(wanted));
        return parsed;
    }
    if (takesFile)
        r.file = positional.at(1);

    if (parser.isSet(output) && r.command != QLatin1String("read")) {
        parsed.error = QStringLiteral("-o/--output belongs to read only");
        return parsed;
    }
    r.output = parser.value(output);
    r.verify = parser.isSet(verify);
    if (r.verify && r.command != QLatin1String("write")) {
        parsed.error = QStringLiteral("--verify belongs to write only");
        return parsed;
    }

    if (parser.isSet(simulate)) {
        r.simulate = moduleKindFromKey(parser.value(simulate));
        if (!r.simulate) {
            parsed.error = QStringLiteral("--simulate takes ") + moduleKindKeyChoices();
            return parsed;
        }
    }
    r.port = parser.value(port).trimmed();
    if (r.simulate && parser.isSet(port)) {
        parsed.error = QStringLiteral("give either --port or --simulate, not both");
        return parsed;
    }
    if (!r.simulate && r.port.isEmpty()) {
        parsed.error = QStringLiteral("%1 needs --port NAME (or --simulate KIND)").arg(r.command);
        return parsed;
    }
    return parsed;
}

// "Reading block 3 of 16" on standard error while a transfer runs, when that is a terminal.
class ProgressLine {
public:
    ProgressLine() : m_enabled(isatty(STDERR_FILENO) == 1) {}
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;
    ~ProgressLine() { finish(); }

    ProgressFn track(const QString &verb) {
        if (!m_enabled)
            return {};
        return [this, verb](int address) {
            if (address % kBlockSize != kBlockSize - 1)
                return;
            std::fprintf(stderr, "\r%s: block %2d of %d", qPrintable(verb),
                         address / kBlockSize + 1, kBlockCount);
            std::fflush(stderr);
            m_shown = true;
        };
    }
    void finish() {
        if (m_shown)
            std::fputs("\r\033[K", stderr);
        m_shown = false;
    }

private:
    bool m_enabled;
    bool m_shown = false;
};

// The open line to one module, built exactly as the windows build theirs.
class Connection {
public:
    // An exit status; kSuccess when the port is open.
    int open(const Request &request) {
        m_clock = std::make_unique<RealClock>();
        if (request.simulate) {
            m_simulator = std::make_unique<ModuleSimulator>(*request.simulate, SimulatorFaults{},
                                                            kSimulatedReplyDelayMicros);
            m_channel = std::make_unique<SimulatedChannel>(*m_simulator, *m_clock);
            m_where = m_channel->name();
        } else {
            const QString device = deviceForPortName(request.port);
            if (device.isEmpty())
                return fail(exitcode::kBadInput,
                            QStringLiteral("\"%1\" does not name a port").arg(request.port));
            auto serial = std::make_unique<SerialChannel>();
            const QString error = serial->open(device);
            if (!error.isEmpty())
                return fail(exitcode::kBadInput, error);
            m_channel = std::move(serial);
            m_where = device;
        }
        m_link = std::make_unique<ControllerLink>(*m_channel, *m_clock);
        m_protocol = std::make_unique<ModuleProtocol>(*m_link);
        return exitcode::kSuccess;
    }

    // Link test, then identification; an exit status.
    int identify() {
        if (m_protocol->linkTestRepeated(kLinkTestAttempts) == 0) {
            if (m_link->failed())
                return fail(exitcode::kNoModule, m_link->failure());
            return fail(exitcode::kNoModule,
                        QStringLiteral("no module answered on %1: %2 link tests each waited %3 s "
                                       "for the acknowledge byte %4")
                            .arg(m_where)
                            .arg(kLinkTestAttempts)
                            .arg(seconds(polls::kGetI))
                            .arg(wire::kAckByte));
        }
        m_identity = m_protocol->identify(kIdentifyAttempts);
        if (!m_identity) {
            if (m_link->failed())
                return fail(exitcode::kNoModule, m_link->failure());
            return fail(exitcode::kNoModule,
                        QStringLiteral("the module on %1 answered the link test but not the "
                                       "identification: %2 attempts each waited %3 s for a "
                                       "reply of exactly 6 bytes")
                            .arg(m_where)
                            .arg(kIdentifyAttempts)
                            .arg(seconds(polls::kIdentify)));
        }
        return exitcode::kSuccess;
    }

    // The identified kind, or a message and nothing when the module reports another.
    std::optional<ModuleKind> knownKind() {
        const std::optional<ModuleKind> kind = m_identity->moduleKind();
        if (!kind) {
            fail(exitcode::kNoModule,
                 QStringLiteral("the module on %1 reports the unknown kind %2; nothing was sent")
                     .arg(m_where)
                     .arg(m_identity->kind()));
        }
        return kind;
    }

    // Reads the whole memory; an exit status, the image in `image` on success.
    int readMemory(EepromImage &image) {
        ProgressLine progress;
        const TransferResult result = readWholeMemory(
            *m_protocol, progress.track(QStringLiteral("Reading")), kBlockReadAttempts);
        progress.finish();
        if (result.ok()) {
            image = result.image;
            return exitcode::kSuccess;
        }
        QString message = result.message;
        if (!m_link->failed()) {
            message += QStringLiteral(" %1 attempts each waited %2 s for exactly %3 bytes.")
                           .arg(kBlockReadAttempts)
                           .arg(seconds(polls::kReadBlock))
                           .arg(kBlockSize);
        }
        return fail(exitcode::kNoModule, message);
    }

    int storeMemory(const EepromImage &image) {
        ProgressLine progress;
        const TransferResult result =
            storeWholeMemory(*m_protocol, image, progress.track(QStringLiteral("Storing")));
        progress.finish();
        switch (result.status) {
        case TransferStatus::Done:
            return exitcode::kSuccess;
        case TransferStatus::Refused:
            return fail(exitcode::kBadInput, result.message);
        case TransferStatus::NotConfirmed:
            return fail(exitcode::kNotStored,
                        QStringLiteral("%1: the store of block %2 (addresses %3 to %4) was not "
                                       "confirmed; blocks before it are stored, it and the "
                                       "ones after it may not be")
                            .arg(result.message)
                            .arg(result.failedBlock)
                            .arg(result.failedBlock * kBlockSize)
                            .arg(result.failedBlock * kBlockSize + kBlockSize - 1));
        case TransferStatus::LinkFailed:
            break;
        }
        return fail(exitcode::kNoModule, QStringLiteral("%1: the store stopped at block %2. %3")
                                             .arg(QLatin1String(kErrorStoringData))
                                             .arg(result.failedBlock)
                                             .arg(m_link->failure()));
    }

    [[nodiscard]] const wire::IdentityReply &identity() const { return *m_identity; }
    [[nodiscard]] const QString &where() const { return m_where; }

private:
    std::unique_ptr<LinkClock> m_clock;
    std::unique_ptr<ModuleSimulator> m_simulator;
    std::unique_ptr<ByteChannel> m_channel;
    std::unique_ptr<ControllerLink> m_link;
    std::unique_ptr<ModuleProtocol> m_protocol;
    std::optional<wire::IdentityReply> m_identity;
    QString m_where;
};

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

struct Difference {
    int address;
    int module;
    int expected;
};

std::vector<Difference> differences(const EepromImage &module, const ModuleMemory &expected) {
    std::vector<Difference> found;
    for (int address = 0; address < kImageSize; ++address) {
        if (module.value(address) != expected[address])
            found.push_back({address, module.value(address), expected[address]});
    }
    return found;
}

QString describe(ModuleKind kind, const Difference &d, const QString &expectedName) {
    return QStringLiteral("address %1 (%2): module %3, %4 %5")
        .arg(d.address)
        .arg(fieldName(kind, d.address))
        .arg(d.module)
        .arg(expectedName)
        .arg(d.expected);
}

// Reads the memory back after a store and names every address that differs.
int verifyStored(Connection &connection, ModuleKind kind, const ModuleMemory &expected,
                 const QString &expectedName) {
    EepromImage readBack;
    if (const int status = connection.readMemory(readBack); status != exitcode::kSuccess)
        return status;
    const auto diffs = differences(readBack, expected);
    if (diffs.empty())
        return exitcode::kSuccess;
    for (const Difference &d : diffs)
        printLine(stderr, describe(kind, d, expectedName));
    return fail(exitcode::kNotStored,
                QStringLiteral("verification failed: %1 of %2 addresses differ after the store")
                    .arg(diffs.size())
                    .arg(kImageSize));
}

int runIdentify(Connection &connection) {
    printLine(stdout, wire::identityLine(connection.identity()));
    return exitcode::kSuccess;
}

int runRead(Connection &connection, QSaveFile *output) {
    EepromImage image;
    if (const int status = connection.readMemory(image); status != exitcode::kSuccess)
        return status;
    const QByteArray text = profileText(image).toLatin1() + '\n';
    if (!output) {
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
        std::fflush(stdout);
        return exitcode::kSuccess;
    }
    if (output->write(text) != text.size() || !output->commit()) {
        return fail(
            exitcode::kBadInput,
            QStringLiteral("cannot write %1: %2").arg(output->fileName(), output->errorString()));
    }
    return exitcode::kSuccess;
}

int runWrite(Connection &connection, ModuleKind kind, const ModuleMemory &profile, bool verify) {
    if (const int status = connection.storeMemory(EepromImage(profile));
        status != exitcode::kSuccess)
        return status;
    if (verify) {
        if (const int status = verifyStored(connection, kind, profile, QStringLiteral("profile"));
            status != exitcode::kSuccess)
            return status;
        printLine(stdout, QStringLiteral("Stored and verified all %1 bytes on %2.")
                              .arg(kImageSize)
                              .arg(connection.where()));
        return exitcode::kSuccess;
    }
    printLine(stdout,
              QStringLiteral("Stored all %1 bytes on %2.").arg(kImageSize).arg(connection.where()));
    return exitcode::kSuccess;
}

int runFactoryReset(Connection &connection, ModuleKind kind) {
    const EepromImage factory = factoryImage(kind);
    if (const int status = connection.storeMemory(factory); status != exitcode::kSuccess)
        return status;
    if (const int status =
            verifyStored(connection, kind, *factory.toMemory(), QStringLiteral("factory"));
        status != exitcode::kSuccess)
        return status;
    printLine(stdout, QStringLiteral("The %1 on %2 holds its factory settings.")
                          .arg(moduleKindName(kind), connection.where()));
    return exitcode::kSuccess;
}

int runDiff(Connection &connection, ModuleKind kind, const ModuleMemory &profile) {
    EepromImage image;
    if (const int status = connection.readMemory(image); status != exitcode::kSuccess)
        return status;
    const auto diffs = differences(image, profile);
    for (const Difference &d : diffs)
        printLine(stdout, describe(kind, d, QStringLiteral("profile")));
    if (diffs.empty())
        printLine(stdout, QStringLiteral("no differences"));
    else
        printLine(stdout,
                  QStringLiteral("%1 of %2 addresses differ").arg(diffs.size()).arg(kImageSize));
    return exitcode::kSuccess;
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
    const ParsedRequest parsed = parseRequest(arguments);
    if (!parsed.error.isEmpty())
        return fail(exitcode::kBadInput, parsed.error);
    const Request &request = parsed.request;
    if (request.help) {
        std::fputs(helpText().toLocal8Bit().constData(), stdout);
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

    Connection connection;
    if (const int status = connection.open(request); status != exitcode::kSuccess)
        return status;
    if (const int status = connection.identify(); status != exitcode::kSuccess)
        return status;
    if (request.command == QLatin1String("identify"))
        return runIdentify(connection);
    if (request.command == QLatin1String("read"))
        return runRead(connection, output.get());

    const std::optional<ModuleKind> kind = connection.knownKind();
    if (!kind)
        return exitcode::kNoModule;
    if (request.command == QLatin1String("write"))
        return runWrite(connection, *kind, *profile, request.verify);
    if (request.command == QLatin1String("factory-reset"))
        return runFactoryReset(connection, *kind);
    return runDiff(connection, *kind, *profile);
}

} // namespace tessel
