// SPDX-License-Identifier: Apache-2.0
#pragma once

// The real tessel-config executable and tessel-modsim on a pseudo-terminal, for the
// end-to-end tests.

#include "core/EepromImage.h"
#include "support/MemoryPatterns.h"
#include "support/ModsimProcess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

namespace tessel::e2e {

constexpr int kQuickMs = 10000; // a command against a prompt module

// Unpaced, with short reply delays: for faults that do not depend on the line's speed.
QStringList fast();

// A module on a pseudo-terminal for the length of one test.
class SimulatedModule {
public:
    SimulatedModule(const QTemporaryDir &dir, ModuleKind kind, const QStringList &options = {});

    // What a program is given as the port: the device, or with --tcp the network port.
    [[nodiscard]] const QString &port() const { return m_port; }
    // The module's memory as it last dumped it (it dumps at start); all zero when unreadable.
    [[nodiscard]] ModuleMemory memory() const;
    // With --swap-after: the memory of each module taken out of the jig, in order, then that
    // of the module in it.
    [[nodiscard]] std::vector<ModuleMemory> modules() const;
    // With --log-commands, the name of the next command the module received; empty when none
    // comes within 5 s.
    QString nextCommand() { return m_process.nextLine(); }
    // Its standard output, for lines read as they come.
    QProcess &output() { return m_process.process(); }

private:
    static inline int s_count = 0;
    QString m_dump;
    ModsimProcess m_process;
    QString m_port;
};

// How tessel-config is started.
struct Invocation {
    Invocation(QStringList words, QByteArray in = {})
        : arguments(std::move(words)), input(std::move(in)) {}
    Invocation(std::initializer_list<QString> words) : arguments(words) {}
    QStringList arguments;
    QByteArray input;              // standard input, closed after it
    QStringList unset;             // environment variables taken away
    QStringList set;               // NAME=VALUE put into the environment
    QList<int> ignored;            // signals ignored from the start, as nohup leaves SIGHUP
    bool stderrOnTerminal = false; // standard error on a pseudo-terminal, as in a shell
    QString workingDirectory;
    QString outputFile; // standard output into this file, as `> FILE`
    // Standard output through a pipe to a reader that goes after this many lines, as
    // `| head -n N`; -1 for none.
    int outputReaderLines = -1;
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
    explicit ConfigRun(const Invocation &how);
    ~ConfigRun();
    ConfigRun(const ConfigRun &) = delete;
    ConfigRun &operator=(const ConfigRun &) = delete;

    Outcome finish(int boundMs);
    // Sends `signal` to the running program, as a terminal's Ctrl-C would.
    void sendSignal(int signal);
    // The next line of standard output, empty when none comes within `ms`.
    QString nextLine(int ms) { return nextLineOf(m_process, ms); }
    QProcess &output() { return m_process; }

private:
    QProcess m_process;
    QProcess m_reader;
    QElapsedTimer m_timer;
    int m_terminal = -1; // the pseudo-terminal's master side, when standard error is on one
};

Outcome runConfig(const Invocation &how, int boundMs = kQuickMs);
QString describeRun(const Outcome &o);

using testing::everyByteValue;
QString profileOf(const ModuleMemory &memory);
std::optional<ModuleMemory> memoryIn(const QString &profile);
// A file's bytes, or "<unreadable>".
QByteArray contents(const QString &path);
QString writeProfile(const QTemporaryDir &dir, const QString &name, const QString &text);
ModuleMemory factoryMemory(ModuleKind kind);
// Where `json` breaks docs/schemas/NAME.schema.json, in python3-jsonschema's words; empty when
// it keeps to it. program-event is one document a line (none when a reader took the output).
QString schemaProblems(const QString &name, const QString &json);
// Blocks below `first` as in `stored`, the rest as in `before`.
ModuleMemory storedUpTo(const ModuleMemory &stored, const ModuleMemory &before, int first);

} // namespace tessel::e2e

// Evaluates `outcome` once: it may be a run.
#define CHECK_EXIT(outcome, code)                                                                  \
    do {                                                                                           \
        const tessel::e2e::Outcome &checked = (outcome);                                           \
        QVERIFY2(checked.finished, qPrintable(describeRun(checked)));                              \
        QCOMPARE(checked.exitStatus, QProcess::NormalExit);                                        \
        QVERIFY2(checked.exitCode == (code), qPrintable(describeRun(checked)));                    \
    } while (false)

#define CHECK_SCHEMA(name, outcome)                                                                \
    do {                                                                                           \
        const QString problems = tessel::e2e::schemaProblems(name, (outcome).out);                 \
        QVERIFY2(problems.isEmpty(), qPrintable(problems));                                        \
    } while (false)

// Runs tessel-config (runConfig's arguments follow `code`) and checks that it exited with
// `code`; `outcome` holds what it did.
#define RUN_CONFIG(outcome, code, ...)                                                             \
    const tessel::e2e::Outcome outcome = tessel::e2e::runConfig(__VA_ARGS__);                      \
    CHECK_EXIT(outcome, code)
