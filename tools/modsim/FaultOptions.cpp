// SPDX-License-Identifier: Apache-2.0
#include "FaultOptions.h"

#include <functional>
#include <vector>

namespace tessel {

namespace {

using Apply = std::function<QString(const QString &value, ModuleSetup &setup)>;

struct FaultOption {
    const char *name;
    const char *valueName; // nullptr for a switch
    QString help;
    Apply apply;
};

// A whole number within [low, high], handed to `set`.
Apply whole(qint64 low, qint64 high, std::function<void(ModuleSetup &, qint64)> set) {
    return [=](const QString &value, ModuleSetup &setup) {
        bool ok = false;
        const qint64 number = value.toLongLong(&ok);
        if (!ok || number < low || number > high)
            return QStringLiteral("takes a whole number %1 to %2").arg(low).arg(high);
        set(setup, number);
        return QString();
    };
}

Apply spots(LineFault fault, LineDirection direction) {
    return [=](const QString &value, ModuleSetup &setup) {
        return parseFaultSpots(value, fault, direction, setup.faults.spots);
    };
}

Apply flag(std::function<void(SimulatorFaults &)> set) {
    return [=](const QString &, ModuleSetup &setup) {
        set(setup.faults);
        return QString();
    };
}

int asInt(qint64 v) {
    return static_cast<int>(v);
}

const std::vector<FaultOption> &faultOptions() {
    constexpr qint64 kMinute = 60000;
    static const std::vector<FaultOption> options = {
        {"ignore-link-tests", "N", QStringLiteral("Stay silent to the first N link tests."),
         whole(0, 1000000, [](ModuleSetup &s, qint64 v) { s.faults.ignoreLinkTests = asInt(v); })},
        {"never-identify", nullptr, QStringLiteral("Never answer the identification."),
         flag([](SimulatorFaults &f) { f.neverIdentify = true; })},
        {"extra-identity-byte", nullptr,
         QStringLiteral("Answer the identification with seven bytes."),
         flag([](SimulatorFaults &f) { f.extraIdentityByte = true; })},
        {"fail-block", "N",
         QStringLiteral("Answer the store of block N with a wrong byte; store nothing."),
         whole(0, 255, [](ModuleSetup &s, qint64 v) { s.faults.failBlock = asInt(v); })},
        {"silent-block", "N", QStringLiteral("Never confirm the store of block N; store nothing."),
         whole(0, 255, [](ModuleSetup &s, qint64 v) { s.faults.silentBlock = asInt(v); })},
        {"reply-delay-us", "N",
         QStringLiteral("Microseconds between a command and its reply (default %1).")
             .arg(kModuleReplyDelayMicros),
         whole(0, kMinute * 1000, [](ModuleSetup &s, qint64 v) { s.replyDelayMicros = v; })},
        {"byte-at-a-time", nullptr,
         QStringLiteral("Send replies one byte at a time, a reply delay apart."),
         flag([](SimulatorFaults &f) { f.byteAtATime = true; })},
        {"analog-delay-us", "N", QStringLiteral("Extra microseconds before an analog level."),
         whole(0, kMinute * 1000,
               [](ModuleSetup &s, qint64 v) { s.faults.analogDelayMicros = v; })},
        {"levels", "PATTERN",
         QStringLiteral("How the analog levels move: drift (default; slowly, with the clock), "
                        "ramp[:STEP] (input N answers 16N at its first reading, then STEP "
                        "more at each, wrapping at 256; STEP 1 unless given) or sine[:PERIOD] "
                        "(a wave of PERIOD readings, 64 unless given, input N a sixteenth of a "
                        "wave ahead of input N-1)."),
         [](const QString &value, ModuleSetup &setup) {
             QString error;
             const auto pattern = parseLevelPattern(value, error);
             if (pattern)
                 setup.levels = *pattern;
             return error;
         }},
        {"drop-after", "N", QStringLiteral("Close the device after N commands, as if unplugged."),
         whole(0, 100000000,
               [](ModuleSetup &s, qint64 v) { s.faults.dropAfterCommands = asInt(v); })},
        {"report-kind", "N",
         QStringLiteral("Identify with kind byte N, a kind the program may not know."),
         whole(0, 255, [](ModuleSetup &s, qint64 v) { s.faults.reportedKind = asInt(v); })},
        {"double-ack", nullptr, QStringLiteral("Confirm every stored block twice."),
         flag([](SimulatorFaults &f) { f.doubleAck = true; })},
        {"stray-byte-before-block", "B",
         QStringLiteral("Send one unasked byte 88 just before the store of block B arrives."),
         whole(0, 255, [](ModuleSetup &s, qint64 v) { s.faults.strayByteBeforeBlock = asInt(v); })},
        {"late-reply-ms", "X",
         QStringLiteral("Send block-read and identity replies X milliseconds after the command."),
         whole(0, 10 * kMinute,
               [](ModuleSetup &s, qint64 v) { s.faults.lateReplyMicros = v * 1000; })},
        {"latency-ms", "X", QStringLiteral("The line delays every reply by X milliseconds more."),
         whole(0, 10 * kMinute,
               [](ModuleSetup &s, qint64 v) { s.faults.latencyMicros = v * 1000; })},
        {"byte-gap-ms", "X", QStringLiteral("X milliseconds between the bytes of every reply."),
         whole(0, kMinute, [](ModuleSetup &s, qint64 v) { s.faults.byteGapMicros = v * 1000; })},
        {"flip-in", "POS,...",
         QStringLiteral("Invert a bit of the bytes the module receives at these positions."),
         spots(LineFault::Flip, LineDirection::ToModule)},
        {"flip-out", "POS,...",
         QStringLiteral("Invert a bit of the reply bytes at these positions."),
         spots(LineFault::Flip, LineDirection::FromModule)},
        {"double-in", "POS,...",
         QStringLiteral("The module receives the bytes at these positions twice."),
         spots(LineFault::Double, LineDirection::ToModule)},
        {"double-out", "POS,...",
         QStringLiteral("The reply bytes at these positions arrive twice."),
         spots(LineFault::Double, LineDirection::FromModule)},
        {"drop-in", "POS,...",
         QStringLiteral("The module never receives the bytes at these positions."),
         spots(LineFault::Drop, LineDirection::ToModule)},
        {"drop-out", "POS,...", QStringLiteral("The reply bytes at these positions never arrive."),
         spots(LineFault::Drop, LineDirection::FromModule)},
        {"stall-after", "N",
         QStringLiteral("After N commands, ignore every command for --stall-ms, then answer "
                        "again."),
         whole(1, 100000000,
               [](ModuleSetup &s, qint64 v) { s.faults.stallAfterCommands = asInt(v); })},
        {"swap-after", "N",
         QStringLiteral("A jig where modules are swapped: after a store's last block, answer N "
                        "link tests, then go (--swap-silent link tests unanswered) and come "
                        "back as a fresh module with the factory settings. Each module taken "
                        "out leaves its memory in the --dump file's name with .1, .2, ..."),
         whole(1, 1000000,
               [](ModuleSetup &s, qint64 v) { s.faults.swapAfterLinkTests = asInt(v); })},
        {"swap-silent", "N",
         QStringLiteral("The link tests the empty jig of --swap-after leaves unanswered "
                        "(default 2)."),
         whole(1, 1000, [](ModuleSetup &s, qint64 v) { s.faults.swapSilentLinkTests = asInt(v); })},
        {"swap-after-ms", "X",
         QStringLiteral("A jig on the clock: X milliseconds after the first link test that "
                        "follows a store's last block the module is taken out, the jig stays "
                        "empty for --swap-gap-ms, then holds a fresh module with the factory "
                        "settings (memories kept as with --swap-after)."),
         whole(0, 10 * kMinute,
               [](ModuleSetup &s, qint64 v) { s.faults.swapHoldMicros = v * 1000; })},
        {"pull-out-at", "B",
         QStringLiteral("Take the module out as the store of block B comes in: it keeps the "
                        "block but never confirms it; the jig stays empty for --swap-gap-ms, "
                        "then holds a fresh module."),
         whole(0, 255, [](ModuleSetup &s, qint64 v) { s.faults.pullOutAtBlock = asInt(v); })},
        {"swap-gap-ms", "X",
         QStringLiteral("How long the jig of --swap-after-ms or --pull-out-at stays empty "
                        "(default 0)."),
         whole(0, 10 * kMinute,
               [](ModuleSetup &s, qint64 v) { s.faults.swapGapMicros = v * 1000; })},
        {"stall-ms", "X",
         QStringLiteral("How long the stall of --stall-after lasts (default 8000)."),
         whole(0, 10 * kMinute, [](ModuleSetup &s, qint64 v) { s.faults.stallMicros = v * 1000; })},
    };
    return options;
}

} // namespace

void addFaultOptions(QCommandLineParser &parser) {
    for (const FaultOption &option : faultOptions()) {
        parser.addOption(option.valueName
                             ? QCommandLineOption(QString::fromLatin1(option.name), option.help,
                                                  QString::fromLatin1(option.valueName))
                             : QCommandLineOption(QString::fromLatin1(option.name), option.help));
    }
}

QString faultPositionHelp() {
    return QStringLiteral(
        "A line fault's position POS is a byte counted from 0 in its direction, as sent; or "
        "COMMAND[#K]+N, byte N of the K-th (first if not given) such command as the program sent "
        "it (-in), or of the module's reply to it (-out), where COMMAND is link-test, identify, "
        "readB, storeB or analogI. A flip inverts bit 0 unless the position ends in :BIT (0 to "
        "7). Example: --double-in store7+9 --flip-out read0#2+13:2");
}

QString takeFaultOptions(const QCommandLineParser &parser, ModuleSetup &setup) {
    setup.faults.stallMicros = 8000 * 1000;
    for (const FaultOption &option : faultOptions()) {
        const QString name = QString::fromLatin1(option.name);
        if (!parser.isSet(name))
            continue;
        const QString error =
            option.apply(option.valueName ? parser.value(name) : QString(), setup);
        if (!error.isEmpty())
            return QStringLiteral("--%1 %2").arg(name, error);
    }
    return {};
}

} // namespace tessel
