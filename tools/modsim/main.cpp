// tessel-modsim: a simulated module on a pseudo-terminal, for trying the program without
// hardware and for its end-to-end tests.

#include "PtyModule.h"
#include "TcpModule.h"
#include "core/ModuleSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <optional>

using namespace tessel;

namespace {

// A whole number option within [low, high]; nothing when it is not.
std::optional<qint64> numberOption(const QCommandLineParser &parser, const QString &name,
                                   qint64 low, qint64 high) {
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    if (!ok || value < low || value > high) {
        std::fprintf(stderr, "tessel-modsim: --%s takes a whole number %lld to %lld\n",
                     qPrintable(name), static_cast<long long>(low), static_cast<long long>(high));
        return std::nullopt;
    }
    return value;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessel-modsim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSEL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates a module on a pseudo-terminal. Prints the device to open (one line) and "
        "answers until it is killed, or until --drop-after makes the device vanish."));
    parser.addHelpOption();
    parser.addVersionOption();
    const auto number = [](const char *name, const char *help) {
        return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help),
                                  QStringLiteral("N"));
    };
    parser.addOptions({
        {QStringLiteral("kind"), QStringLiteral("Module kind: tessel (default) or threshold."),
         QStringLiteral("KIND"), moduleKindKey(ModuleKind::Tessel)},
        number("ignore-link-tests", "Stay silent to the first N link tests."),
        {QStringLiteral("never-identify"), QStringLiteral("Never answer the identification.")},
        {QStringLiteral("extra-identity-byte"),
         QStringLiteral("Answer the identification with seven bytes.")},
        number("fail-block", "Answer the store of block N with a wrong byte; store nothing."),
        number("silent-block", "Never confirm the store of block N; store nothing."),
        {QStringLiteral("reply-delay-us"),
         QStringLiteral("Microseconds between a command and its reply (default %1).")
             .arg(kModuleReplyDelayMicros),
         QStringLiteral("N")},
        {QStringLiteral("byte-at-a-time"),
         QStringLiteral("Send replies one byte at a time, a reply delay apart.")},
        number("analog-delay-us", "Extra microseconds before an analog level."),
        number("drop-after", "Close the device after N commands, as if unplugged."),
        number("report-kind", "Identify with kind byte N, a kind the program may not know."),
        {QStringLiteral("double-ack"), QStringLiteral("Confirm every stored block twice.")},
        {QStringLiteral("stray-byte-before-block"),
         QStringLiteral("Send one unasked byte 88 just before the store of block B arrives."),
         QStringLiteral("B")},
        {QStringLiteral("late-reply-ms"),
         QStringLiteral("Send block-read and identity replies X milliseconds after the command."),
         QStringLiteral("X")},
        {QStringLiteral("dump"),
         QStringLiteral("Write the memory as production profile text (one line) to FILE at "
                        "start and after every block-store command."),
         QStringLiteral("FILE")},
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

    SimulatorFaults faults;
    qint64 replyDelay = kModuleReplyDelayMicros;
    struct NumberSetting {
        const char *name;
        qint64 low;
        qint64 high;
        std::function<void(qint64)> apply;
    };
    const NumberSetting settings[] = {
        {"ignore-link-tests", 0, 1000000,
         [&](qint64 v) { faults.ignoreLinkTests = static_cast<int>(v); }},
        {"fail-block", 0, 255, [&](qint64 v) { faults.failBlock = static_cast<int>(v); }},
        {"silent-block", 0, 255, [&](qint64 v) { faults.silentBlock = static_cast<int>(v); }},
        {"reply-delay-us", 0, 60000000, [&](qint64 v) { replyDelay = v; }},
        {"analog-delay-us", 0, 60000000, [&](qint64 v) { faults.analogDelayMicros = v; }},
        {"drop-after", 0, 100000000,
         [&](qint64 v) { faults.dropAfterCommands = static_cast<int>(v); }},
        {"report-kind", 0, 255, [&](qint64 v) { faults.reportedKind = static_cast<int>(v); }},
        {"stray-byte-before-block", 0, 255,
         [&](qint64 v) { faults.strayByteBeforeBlock = static_cast<int>(v); }},
        {"late-reply-ms", 0, 600000, [&](qint64 v) { faults.lateReplyMicros = v * 1000; }},
    };
    for (const NumberSetting &setting : settings) {
        const QString name = QString::fromLatin1(setting.name);
        if (!parser.isSet(name))
            continue;
        const auto value = numberOption(parser, name, setting.low, setting.high);
        if (!value)
            return 2;
        setting.apply(*value);
    }
    faults.neverIdentify = parser.isSet(QStringLiteral("never-identify"));
    faults.extraIdentityByte = parser.isSet(QStringLiteral("extra-identity-byte"));
    faults.byteAtATime = parser.isSet(QStringLiteral("byte-at-a-time"));
    faults.doubleAck = parser.isSet(QStringLiteral("double-ack"));

    ModuleSimulator module(*kind, faults, replyDelay);
    PtyModule::Options options;
    options.pacing = !parser.isSet(QStringLiteral("no-pacing"));
    options.dumpPath = parser.value(QStringLiteral("dump"));
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
    std::printf("%s\n", qPrintable(pty.devicePath()));

    TcpModule tcp(module);
    if (parser.isSet(QStringLiteral("tcp"))) {
        const auto port = numberOption(parser, QStringLiteral("tcp"), 0, 65535);
        const QString tcpError = port ? tcp.listen(static_cast<quint16>(*port)) : QString();
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
