// SPDX-License-Identifier: Apache-2.0
// Whole-memory read and store over a pseudo-terminal against tessel-modsim (paced at 115200
// baud), beside the time the same bytes take on the wire, and the CPU time spent waiting on a
// module that never answers.

#include "LevelsBench.h"
#include "ProductionBench.h"
#include "RecordBench.h"
#include "core/ModuleSimulator.h"
#include "link/protocol/ModuleConnection.h"
#include "link/protocol/SettingsTransfer.h"
#include "support/ModsimProcess.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

using namespace tessel;

namespace {

constexpr double kByteMillis = 10.0 * 1000.0 / 115200.0;
constexpr double kReplyDelayMillis = kModuleReplyDelayMicros / 1000.0; // tessel-modsim's default

double cpuMillis(const rusage &r) {
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000.0 +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1000.0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The program's own connection to a simulated module's pseudo-terminal; nothing when it does
// not open.
std::unique_ptr<ModuleConnection> openLink(const QString &device) {
    QString error;
    auto connection = ModuleConnection::openPort(device, error);
    if (!connection)
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return connection;
}

// The benchmark's module is always a Tessel.
class Module : public ModsimProcess {
public:
    Module(const QString &program, QStringList options)
        : ModsimProcess(program,
                        options << QStringLiteral("--kind") << moduleKindKey(ModuleKind::Tessel)) {}
};

// Runs a program to its end; its wall time and the CPU time it used, in milliseconds.
bool runMeasured(const QStringList &command, double &wallMs, double &cpuMs, int &status) {
    std::vector<QByteArray> storage;
    std::vector<char *> argv;
    for (const QString &arg : command)
        storage.push_back(arg.toLocal8Bit());
    for (QByteArray &arg : storage)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer wall;
    wall.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int wstatus = 0;
    rusage usage{};
    if (wait4(pid, &wstatus, 0, &usage) != pid)
        return false;
    wallMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
    cpuMs = cpuMillis(usage);
    status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return true;
}

// The share of one core a wait used: the goal is that waiting costs next to nothing.
void reportWaiting(const char *what, double wallMs, double cpuMs, const char *note) {
    constexpr double kTargetShare = 0.005;
    std::printf("%-22s %7.0f ms waited, %6.1f ms CPU = %5.2f%% of one core (target < %.1f%%)%s "
                "%s\n",
                what, wallMs, cpuMs, 100.0 * cpuMs / wallMs, 100.0 * kTargetShare, note,
                cpuMs < kTargetShare * wallMs ? "ok" : "HIGH");
}

// `tessel-config identify` against a module started with `options`; false unless it ran and
// ended with the expected exit status.
bool identifyMeasured(const QString &config, const QString &modsim, const QStringList &options,
                      int expectedStatus, double &wallMs, double &cpuMs) {
    Module module(modsim, options);
    int status = -1;
    const QStringList command = {config, QStringLiteral("identify"), QStringLiteral("--port"),
                                 module.device()};
    if (!runMeasured(command, wallMs, cpuMs, status) || status != expectedStatus) {
        std::fprintf(stderr, "%s ended with status %d, not %d\n",
                     qPrintable(command.join(QLatin1Char(' '))), status, expectedStatus);
        return false;
    }
    return true;
}

// The command line's own cost: the whole `tessel-config read` process beside the same exchanges
// made in process (target: within 10% plus 5 ms, what a minimal C program needs to start and
// open the port), and `--version` alone (target: under 8 ms). False when a run failed.
bool benchCommandStart(const QString &config, const QString &modsim, int runs, double commandedMs) {
    Module module(modsim, {});
    std::vector<double> reads;
    std::vector<double> versions;
    for (int i = 0; i < runs; ++i) {
        for (const auto &[command, times] :
             {std::pair{QStringList{config, QStringLiteral("read"), QStringLiteral("--port"),
                                    module.device()},
                        &reads},
              std::pair{QStringList{config, QStringLiteral("--version")}, &versions}}) {
            double wall = 0;
            double cpu = 0;
            int status = -1;
            if (!runMeasured(command, wall, cpu, status) || status != 0) {
                std::fprintf(stderr, "%s ended with status %d\n",
                             qPrintable(command.join(QLatin1Char(' '))), status);
                return false;
            }
            times->push_back(wall);
        }
    }
    const double readTarget = 1.1 * commandedMs + 5.0;
    std::printf("%-22s median %7.1f ms   same exchanges in process %6.1f ms   target <= %6.1f ms"
                "   %s\n",
                "tessel-config read", median(reads), commandedMs, readTarget,
                median(reads) <= readTarget ? "ok" : "SLOW");
    std::printf("%-22s median %7.1f ms   target < 8.0 ms   %s\n", "tessel-config --version",
                median(versions), median(versions) < 8.0 ? "ok" : "SLOW");
    return true;
}

void report(const char *what, double measured, double wire, double delays) {
    const double target = 1.5 * wire + delays;
    std::printf("%-22s median %7.1f ms   wire %6.1f ms   reply delays %5.1f ms   target <= %6.1f "
                "ms   %s\n",
                what, measured, wire, delays, target, measured <= target ? "ok" : "SLOW");
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("modsim"), QStringLiteral("tessel-modsim executable"),
         QStringLiteral("PATH")},
        {QStringLiteral("config"), QStringLiteral("tessel-config executable"),
         QStringLiteral("PATH")},
        {QStringLiteral("runs"), QStringLiteral("repetitions (default 21)"), QStringLiteral("N"),
         QStringLiteral("21")},
    });
    parser.process(app);
    const QString modsim = parser.value(QStringLiteral("modsim"));
    const QString config = parser.value(QStringLiteral("config"));
    const int runs = std::max(1, parser.value(QStringLiteral("runs")).toInt());

    // Transfers, in process, through the same serial channel and link code the program uses.
    double commandedMs = 0;
    {
        Module module(modsim, {});
        const auto connection = openLink(module.device());
        if (!connection)
            return 1;
        ModuleProtocol &protocol = connection->protocol();
        if (protocol.linkTestRepeated(3) == 0 || !protocol.identify(3)) {
            std::fprintf(stderr, "the simulated module on %s did not answer\n",
                         qPrintable(module.device()));
            return 1;
        }
        std::vector<double> singles;
        std::vector<double> reads;
        std::vector<double> asCommanded;
        std::vector<double> stores;
        const EepromImage image = factoryImage(ModuleKind::Tessel);
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            bool single = true;
            for (int block = 0; block < kBlockCount; ++block)
                single = single && protocol.readBlock(block, 3).has_value();
            singles.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            t.restart();
            const TransferResult read = readWholeMemory(protocol, {}, 3);
            reads.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            // What `tessel-config read` asks of the module: a link test, the identity until two
            // replies agree, then the checked read.
            t.restart();
            const bool asked = protocol.linkTestRepeated(1) > 0 &&
                               identifyChecked(protocol, 3).reply.has_value() &&
                               readWholeMemory(protocol, {}, 3).ok();
            asCommanded.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            t.restart();
            const TransferResult store = storeWholeMemory(protocol, image, {});
            stores.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            if (!single || !read.ok() || !asked || !store.ok()) {
                std::fprintf(stderr, "transfer failed:%s%s%s%s %s %s\n",
                             single ? "" : " a pass of single reads", read.ok() ? "" : " the read",
                             asked ? "" : " the read as the command makes it",
                             store.ok() ? "" : " the store", qPrintable(read.message),
                             qPrintable(store.message));
                return 1;
            }
        }
        std::printf("%d runs against tessel-modsim, paced at 115200 baud, 10 bits a byte\n", runs);
        // Read: 3 command bytes out, 16 back, per block; checked, every block twice. Store: 19
        // out, 1 back.
        report("one pass of reads", median(singles), 16 * (3 + 16) * kByteMillis,
               16 * kReplyDelayMillis);
        report("whole-memory read", median(reads), 2 * 16 * (3 + 16) * kByteMillis,
               2 * 16 * kReplyDelayMillis);
        commandedMs = median(asCommanded);
        std::printf("%-22s %+7.1f ms for reading every block twice (wire %+.1f ms)\n",
                    "checked read costs", median(reads) - median(singles),
                    16 * (3 + 16) * kByteMillis);
        report("whole-memory store", median(stores), 16 * (19 + 1) * kByteMillis,
               16 * kReplyDelayMillis);
    }

    if (!benchLevels(modsim, runs))
        return 1;

    // Waiting: identify against a module that never identifies itself.
    {
        Module module(modsim, {QStringLiteral("--never-identify")});
        const auto connection = openLink(module.device());
        if (!connection)
            return 1;
        ModuleProtocol &protocol = connection->protocol();
        rusage before{};
        rusage after{};
        getrusage(RUSAGE_SELF, &before);
        QElapsedTimer t;
        t.start();
        const bool answered = protocol.identify(5).has_value(); // 5 attempts of 1 s
        const double wall = static_cast<double>(t.nsecsElapsed()) / 1e6;
        getrusage(RUSAGE_SELF, &after);
        const double cpu = cpuMillis(after) - cpuMillis(before);
        if (answered) {
            std::fprintf(stderr, "a module started with --never-identify identified itself\n");
            return 1;
        }
        reportWaiting("waiting (in process)", wall, cpu, "");
    }
    if (!config.isEmpty()) {
        // The whole program against a module that answers at once, then against one that never
        // identifies itself: the difference is the waiting, without start-up and shut-down.
        double promptWall = 0;
        double promptCpu = 0;
        double silentWall = 0;
        double silentCpu = 0;
        if (!identifyMeasured(config, modsim, {}, 0, promptWall, promptCpu) ||
            !identifyMeasured(config, modsim, {QStringLiteral("--never-identify")}, 1, silentWall,
                              silentCpu))
            return 1;
        const QByteArray note =
            QStringLiteral(", start-up %1 ms CPU taken out").arg(promptCpu, 0, 'f', 1).toLatin1();
        reportWaiting("waiting (tessel-config)", silentWall - promptWall, silentCpu - promptCpu,
                      note.constData());
    }
    if (!config.isEmpty() && !benchCommandStart(config, modsim, runs, commandedMs))
        return 1;
    double moduleMs = 0;
    if (!config.isEmpty() && !benchProduction(config, modsim, runs, moduleMs))
        return 1;
    if (!config.isEmpty() && !benchRecord(moduleMs, runs))
        return 1;
    return 0;
}
