// SPDX-License-Identifier: Apache-2.0
#include "EndToEndSupport.h"

#include "core/ProfileText.h"

#include <QFile>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace tessel::e2e {

QStringList fast() {
    return {"--no-pacing", "--reply-delay-us", "200"};
}

SimulatedModule::SimulatedModule(const QTemporaryDir &dir, ModuleKind kind,
                                 const QStringList &options)
    : m_dump(dir.filePath(QStringLiteral("dump-%1.txt").arg(++s_count))),
      m_process(QStringLiteral(TESSEL_MODSIM_EXE),
                options + QStringList{"--kind", moduleKindKey(kind), "--dump", m_dump}),
      m_port(options.contains("--tcp") ? m_process.nextLine() : m_process.device()) {}

ModuleMemory SimulatedModule::memory() const {
    return memoryIn(QString::fromLatin1(contents(m_dump))).value_or(ModuleMemory{});
}

std::vector<ModuleMemory> SimulatedModule::modules() const {
    std::vector<ModuleMemory> memories;
    for (int n = 1; QFile::exists(m_dump + QStringLiteral(".%1").arg(n)); ++n)
        memories.push_back(
            memoryIn(QString::fromLatin1(contents(m_dump + QStringLiteral(".%1").arg(n))))
                .value_or(ModuleMemory{}));
    memories.push_back(memory());
    return memories;
}

ConfigRun::ConfigRun(const Invocation &how) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The program's backups go to the tests' folder, never the user's.
    static const QTemporaryDir data;
    env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    for (const QString &name : how.unset)
        env.remove(name);
    for (const QString &pair : how.set)
        env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    m_process.setProcessEnvironment(env);
    if (!how.workingDirectory.isEmpty())
        m_process.setWorkingDirectory(how.workingDirectory);
    int slave = -1;
    if (how.stderrOnTerminal)
        openpty(&m_terminal, &slave, nullptr, nullptr, nullptr);
    m_process.setChildProcessModifier([slave, ignored = how.ignored] {
        if (slave >= 0)
            ::dup2(slave, STDERR_FILENO);
        for (const int signal : ignored)
            ::signal(signal, SIG_IGN);
    });
    if (how.outputReaderLines >= 0)
        m_process.setStandardOutputProcess(&m_reader);
    if (!how.outputFile.isEmpty())
        m_process.setStandardOutputFile(how.outputFile, QIODevice::Append);
    m_timer.start();
    m_process.start(QStringLiteral(TESSEL_CONFIG_EXE), how.arguments);
    if (how.outputReaderLines >= 0)
        m_reader.start(QStringLiteral("head"), {"-n", QString::number(how.outputReaderLines)});
    m_process.write(how.input);
    m_process.closeWriteChannel();
    if (slave >= 0)
        ::close(slave);
}

ConfigRun::~ConfigRun() {
    for (QProcess *process : {&m_process, &m_reader}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
    if (m_terminal >= 0)
        ::close(m_terminal);
}

void ConfigRun::sendSignal(int signal) {
    if (const qint64 pid = m_process.processId(); pid > 0)
        ::kill(static_cast<pid_t>(pid), signal);
}

Outcome ConfigRun::finish(int boundMs) {
    Outcome o;
    // It may have ended while its output was read.
    o.finished =
        m_process.waitForFinished(boundMs) ||
        (m_process.state() == QProcess::NotRunning && m_process.error() != QProcess::FailedToStart);
    o.millis = m_timer.elapsed();
    if (!o.finished) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    o.exitCode = m_process.exitCode();
    o.exitStatus = m_process.exitStatus();
    o.out = QString::fromLocal8Bit(m_process.readAllStandardOutput());
    o.err = QString::fromLocal8Bit(m_process.readAllStandardError());
    if (m_terminal >= 0) {
        ::fcntl(m_terminal, F_SETFL, O_NONBLOCK);
        char buffer[4096];
        for (ssize_t n; (n = ::read(m_terminal, buffer, sizeof buffer)) > 0;)
            o.err += QString::fromLocal8Bit(buffer, n);
    }
    return o;
}

Outcome runConfig(const Invocation &how, int boundMs) {
    return ConfigRun(how).finish(boundMs);
}

QString describeRun(const Outcome &o) {
    return QStringLiteral("exit %1 after %2 ms, stdout: %3 stderr: %4")
        .arg(o.exitCode)
        .arg(o.millis)
        .arg(o.out.left(600), o.err.left(600));
}

QString profileOf(const ModuleMemory &memory) {
    return profileText(EepromImage(memory));
}

std::optional<ModuleMemory> memoryIn(const QString &profile) {
    return parseProfileText(profile).memory;
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString schemaProblems(const QString &name, const QString &json) {
    static const QString check = QStringLiteral(R"(import json, sys
import jsonschema
schema = json.load(open(sys.argv[1]))
text = sys.stdin.read()
lines = sys.argv[2] == "lines"
documents = [json.loads(l) for l in text.splitlines() if l.strip()] if lines else [json.loads(text)]
for document in documents:
    jsonschema.validate(document, schema, format_checker=jsonschema.FormatChecker())
)");
    QProcess python;
    python.start(
        QStringLiteral("python3"),
        {QStringLiteral("-c"), check, QStringLiteral(TESSEL_SCHEMA_DIR "/%1.schema.json").arg(name),
         name == QLatin1String("program-event") ? QStringLiteral("lines") : QStringLiteral("one")});
    python.write(json.toUtf8());
    python.closeWriteChannel();
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        return QString::fromUtf8(python.readAllStandardError()) + QStringLiteral("\n") + json;
    return {};
}

QString writeProfile(const QTemporaryDir &dir, const QString &name, const QString &text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        return {};
    return path;
}

ModuleMemory factoryMemory(ModuleKind kind) {
    return *factoryImage(kind).toMemory();
}

ModuleMemory storedUpTo(const ModuleMemory &stored, const ModuleMemory &before, int first) {
    ModuleMemory memory = before;
    std::copy_n(stored.begin(), first * kBlockSize, memory.begin());
    return memory;
}

} // namespace tessel::e2e
