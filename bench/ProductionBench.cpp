// SPDX-License-Identifier: Apache-2.0
#include "ProductionBench.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace tessel {

namespace {

constexpr int kRunBoundMs = 60000;

// A module that already holds the profile is left alone, so the profile programmed differs from
// the simulator's factory memory in one setting: the debounce (address 7 of the first line).
bool changeDebounce(const QString &profile) {
    QFile file(profile);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression debounce(QStringLiteral(R"(^DATA(?: \d+,){7} (\d+))"));
    const QRegularExpressionMatch match = debounce.match(text);
    if (!match.hasMatch())
        return false;
    text.replace(match.capturedStart(1), match.capturedLength(1),
                 QString::number(match.captured(1).toInt() == 0 ? 1 : 0));
    return file.resize(0) && file.write(text.toLatin1()) == text.size();
}

// Milliseconds from the first "waiting" event to the last module's end, or -1 on failure.
double programOnce(const QString &config, const QString &modsim, const QString &profile,
                   const QString &dataHome, int ports) {
    std::vector<std::unique_ptr<QProcess>> modules;
    QStringList arguments = {QStringLiteral("program"), profile,
                             QStringLiteral("--kind"),  QStringLiteral("tessel"),
                             QStringLiteral("--json"),  QStringLiteral("--count"),
                             QString::number(ports)};
    for (int i = 0; i < ports; ++i) {
        auto module = std::make_unique<QProcess>();
        module->start(modsim, {QStringLiteral("--kind"), QStringLiteral("tessel")});
        if (!module->waitForReadyRead(5000))
            return -1;
        arguments << QStringLiteral("--port")
                  << QString::fromLocal8Bit(module->readLine()).trimmed();
        modules.push_back(std::move(module));
    }
    QProcess run;
    // The backup made of every module goes beside the profile, not to the user's own folder.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    run.setProcessEnvironment(environment);
    run.start(config, arguments);
    QElapsedTimer clock;
    clock.start();
    qint64 first = -1;
    qint64 last = -1;
    int done = 0;
    while (done < ports && clock.elapsed() < kRunBoundMs) {
        if (!run.canReadLine() && !run.waitForReadyRead(1000) &&
            run.state() == QProcess::NotRunning)
            break;
        while (run.canReadLine()) {
            const QByteArray line = run.readLine();
            if (first < 0 && line.contains("\"waiting\""))
                first = clock.elapsed();
            if (line.contains("\"event\":\"module\"") && line.contains("\"result\":\"ok\"")) {
                last = clock.elapsed();
                ++done;
            }
        }
    }
    run.waitForFinished(10000);
    for (auto &module : modules)
        module->kill();
    for (auto &module : modules)
        module->waitForFinished(3000);
    return done == ports && first >= 0 ? static_cast<double>(last - first) : -1;
}

double medianOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace

bool benchProduction(const QString &config, const QString &modsim, int runs, double &onePortMs) {
    QTemporaryDir dir;
    const QString profile = dir.filePath(QStringLiteral("profile.txt"));
    {
        // The factory profile of a Tessel module, as `read` would write it.
        QProcess read;
        QProcess module;
        module.start(modsim, {QStringLiteral("--kind"), QStringLiteral("tessel")});
        module.waitForReadyRead(5000);
        read.setStandardOutputFile(profile);
        read.start(config, {QStringLiteral("read"), QStringLiteral("--port"),
                            QString::fromLocal8Bit(module.readLine()).trimmed()});
        const bool ok =
            read.waitForFinished(kRunBoundMs) && read.exitCode() == 0 && changeDebounce(profile);
        module.kill();
        module.waitForFinished(3000);
        if (!ok) {
            std::fprintf(stderr, "cannot read a profile from tessel-modsim\n");
            return false;
        }
    }
    double medians[2] = {};
    const int portCounts[2] = {1, 4};
    for (int k = 0; k < 2; ++k) {
        std::vector<double> times;
        for (int i = 0; i < std::max(1, runs / 4); ++i) {
            const double ms = programOnce(config, modsim, profile, dir.path(), portCounts[k]);
            if (ms < 0) {
                std::fprintf(stderr, "program on %d ports failed\n", portCounts[k]);
                return false;
            }
            times.push_back(ms);
        }
        medians[k] = medianOf(times);
    }
    onePortMs = medians[0];
    const double ratio = medians[1] / medians[0];
    std::printf("%-22s 1 port %6.0f ms = %5.1f modules/min   4 ports %6.0f ms = %5.1f modules/min"
                "   4 ports take %.2fx (target <= 1.30) %s\n",
                "program", medians[0], 60000.0 / medians[0], medians[1], 4 * 60000.0 / medians[1],
                ratio, ratio <= 1.3 ? "ok" : "SLOW");
    return true;
}

} // namespace tessel
