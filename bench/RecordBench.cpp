// SPDX-License-Identifier: Apache-2.0
#include "RecordBench.h"

#include "session/production/RecordDatabase.h"
#include "session/production/UnitPool.h"
#include "support/PostgresServer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace tessel {

namespace {

// Milliseconds per module, the median of `runs` modules; -1 when the record failed.
double perModule(const QString &where, int runs) {
    RecordDatabase db(where, {QStringLiteral("bench"), QStringLiteral("bench"),
                              QStringLiteral("profile.txt"), QString(64, QLatin1Char('0'))});
    UnitPool pool(db);
    std::vector<Unit> units;
    for (int i = 0; i < runs; ++i)
        units.push_back({QStringLiteral("U%1").arg(i),
                         {QStringLiteral("base serial=%1").arg(i)},
                         factoryImage(ModuleKind::Tessel)});
    if (!db.open().isEmpty() || !pool.add(QStringLiteral("bench.csv"), units).isEmpty())
        return -1;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        QString why;
        const std::optional<QString> unit =
            pool.take(QStringLiteral("bench.csv"), QStringLiteral("/dev/ttyUSB0"), {}, why);
        if (!unit || !pool.storing(*unit, QStringLiteral("/dev/ttyUSB0")).isEmpty())
            return -1;
        ModuleRecord record;
        record.finished = QDateTime::currentDateTime();
        record.port = QStringLiteral("/dev/ttyUSB0");
        record.kind = QStringLiteral("tessel");
        record.unit = *unit;
        record.before = factoryImage(ModuleKind::Tessel);
        if (!db.append(record).isEmpty())
            return -1;
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char *what, double ms, double moduleMs) {
    const double share = 100.0 * ms / moduleMs;
    std::printf("%-22s %7.2f ms per module = %4.2f %% of programming one (%.0f ms; target < 5 "
                "%%) %s\n",
                what, ms, share, moduleMs, share < 5.0 ? "ok" : "SLOW");
}

} // namespace

bool benchRecord(double moduleMs, int runs) {
    QTemporaryDir dir;
    const double sqlite = perModule(dir.filePath(QStringLiteral("bench.sqlite")), runs);
    if (sqlite < 0) {
        std::fprintf(stderr, "the SQLite record failed\n");
        return false;
    }
    report("record (SQLite)", sqlite, moduleMs);
    const testing::PostgresServer server;
    if (!server.unavailable().isEmpty()) {
        std::printf("%-22s not measured: %s\n", "record (PostgreSQL)",
                    qPrintable(server.unavailable()));
        return true;
    }
    const double postgres = perModule(server.url(), runs);
    if (postgres < 0) {
        std::fprintf(stderr, "the PostgreSQL record failed\n");
        return false;
    }
    report("record (PostgreSQL)", postgres, moduleMs);
    return true;
}

} // namespace tessel
