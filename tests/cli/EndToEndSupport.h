#pragma once

// The real tessel-config executable and tessel-modsim on a pseudo-terminal, for the
// end-to-end tests.

#include "core/EepromImage.h"
#include "support/ModsimProcess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

namespace tessel::e2e {

constexpr int kQuickMs = 10000; // a command against a prompt module

QString configExecutable();
// Unpaced, with short reply delays: for faults that do not depend on the line's speed.
QStringList fast();

// A module on a pseudo-terminal for the length of one test.
class SimulatedModule {
public:
    SimulatedModule(const QTemporaryDir &dir, ModuleKind kind, const QStringList &options = {});

    [[nodiscard]] const QString &device() const { return m_process.device(); }
    // What a program is given as the port: the device, or with --tcp the network port.
    [[nodiscard]] const QString &port() const { return m_port; }
    [[nodiscard]] bool running() const { return m_process.process().state() == QProcess::Running; }
    bool waitUntilGone(int ms) { return m_process.process().waitForFinished(ms); }
    // The module's memory as it last dumped it.
    [[nodiscard]] std::optional<ModuleMemory> memory() const;

private:
    static inline int s_count = 0;
    QString m_dump;
    ModsimProcess m_process;
    QString m_port;
};

struct Outcome {
    bool finished = false;
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString out;
    QString err;
    qint64 millis = 0;
};

// A tessel-config run, started at once; finish() collects it within its bound.
class ConfigRun {
public:
    explicit ConfigRun(const QStringList &arguments);
    ~ConfigRun();
    ConfigRun(const ConfigRun &) = delete;
    ConfigRun &operator=(const ConfigRun &) = delete;

    Outcome finish(int boundMs);
    // Sends `signal` to the running program, as a terminal's Ctrl-C would.
    void sendSignal(int signal);

private:
    QProcess m_process;
    QElapsedTimer m_timer;
};

Outcome runConfig(const QStringList &arguments, int boundMs = kQuickMs);
QString describeRun(const Outcome &o);

// Every byte value once, so that no value is lost or translated by the line.
ModuleMemory everyByteValue(bool descending);
QString writeProfile(const QTemporaryDir &dir, const QString &name, const QString &text);
ModuleMemory factoryMemory(ModuleKind kind);
// Blocks below `first` hold `stored`, the rest `before`.
bool onlyBlocksBeforeChanged(const ModuleMemory &now, const ModuleMemory &stored,
                             const ModuleMemory &before, int first);

} // namespace tessel::e2e

#define CHECK_EXIT(outcome, code)                                                                  \
    do {                                                                                           \
        QVERIFY2((outcome).finished, qPrintable(describeRun(outcome)));                            \
        QCOMPARE((outcome).exitStatus, QProcess::NormalExit);                                      \
        QVERIFY2((outcome).exitCode == (code), qPrintable(describeRun(outcome)));                  \
    } while (false)
