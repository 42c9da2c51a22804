// SPDX-License-Identifier: Apache-2.0
#include "LevelsBench.h"

#include "core/ModuleSimulator.h"
#include "link/protocol/ModuleConnection.h"
#include "session/SessionClient.h"
#include "support/ModsimProcess.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <sys/resource.h>
#include <vector>

namespace tessel {

namespace {

constexpr double kByteMillis = 10.0 * 1000.0 / 115200.0;
constexpr qint64 kCpuRunMicros = 10'000'000;

double cpuMillisNow() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000.0 +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1000.0;
}

} // namespace

bool benchLevels(const QString &modsim, int runs) {
    ModsimProcess module(modsim, {QStringLiteral("--kind"), moduleKindKey(ModuleKind::Threshold),
                                  QStringLiteral("--levels"), QStringLiteral("sine:50")});
    // As the window and the command line read levels: a session in a thread of its own, its
    // passes coming to this thread as signals.
    const auto session = SessionClient::onThread([device = module.device()](QString &error) {
        return ModuleConnection::openPort(device, error);
    });
    session->open();
    session->waitUntilIdle();
    if (!session->isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(session->openError()));
        return false;
    }
    std::vector<int> all(map::kAnalogInputs);
    std::iota(all.begin(), all.end(), 0);
    std::vector<double> passes;
    int unanswered = 0;
    QObject counter;
    QObject::connect(session.get(), &SessionClient::passRead, &counter, [&](const LevelPass &pass) {
        passes.push_back(static_cast<double>(pass.endedMicros - pass.startedMicros) / 1000.0);
        unanswered += static_cast<int>(std::count(pass.levels.begin(), pass.levels.end(), -1));
        if (std::ssize(passes) >= 10 * runs)
            session->setInputsLooping(false);
    });
    // Back to back, as fast as the line allows.
    QElapsedTimer wall;
    wall.start();
    session->setInputsLooping(true);
    session->readInputs({all, 0, std::nullopt});
    session->waitUntilIdle();
    const double seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    if (unanswered > 0 || passes.empty()) {
        std::fprintf(stderr, "%d analog readings went unanswered\n", unanswered);
        return false;
    }
    // Each exchange: 2 command bytes out, 1 level back, and the module's reply delay.
    const double wire = 16 * 3 * kByteMillis;
    const double delays = 16 * kModuleReplyDelayMicros / 1000.0;
    std::sort(passes.begin(), passes.end());
    const double median = passes[passes.size() / 2];
    const double target = 1.1 * (wire + delays);
    std::printf("%-22s median %7.1f ms   wire %6.1f ms   reply delays %5.1f ms   target <= %6.1f "
                "ms   %s\n",
                "16 analog levels", median, wire, delays, target, median <= target ? "ok" : "SLOW");
    std::printf("%-22s %7.1f passes/s back to back; the line allows %.1f\n", "monitoring",
                static_cast<double>(passes.size()) / seconds, 1000.0 / (wire + delays));

    // At the window's pace, for a while: what monitoring costs while the module is watched.
    QObject::disconnect(session.get(), nullptr, &counter, nullptr);
    const double cpuBefore = cpuMillisNow();
    wall.restart();
    session->setInputsLooping(true);
    session->readInputs({all, LevelRun::kWindowIntervalMicros, kCpuRunMicros});
    session->waitUntilIdle();
    const double wallMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
    const double cpuMs = cpuMillisNow() - cpuBefore;
    constexpr double kTargetShare = 0.05;
    std::printf("%-22s %7.0f ms at 20 passes/s, %6.1f ms CPU = %5.2f%% of one core (target < "
                "%.0f%%) %s\n",
                "monitoring CPU", wallMs, cpuMs, 100.0 * cpuMs / wallMs, 100.0 * kTargetShare,
                cpuMs < kTargetShare * wallMs ? "ok" : "HIGH");
    return true;
}

} // namespace tessel
