#include "EndToEndSupport.h"

#include "core/ProfileText.h"

#include <QFile>
#include <csignal>

namespace tessel::e2e {

namespace {
constexpr int kFastReplyUs = 200;
}

QString configExecutable() {
    // Another build of the program can be tried against the same tests.
    const QString other = qEnvironmentVariable("TESSEL_CONFIG_EXE");
    return other.isEmpty() ? QStringLiteral(TESSEL_CONFIG_EXE) : other;
}

QStringList fast() {
    return {QStringLiteral("--no-pacing"), QStringLiteral("--reply-delay-us"),
            QString::number(kFastReplyUs)};
}

namespace {
QStringList withKindAndDump(QStringList options, ModuleKind kind, const QString &dump) {
    return options << QStringLiteral("--kind") << moduleKindKey(kind) << QStringLiteral("--dump")
                   << dump;
}
} // namespace

SimulatedModule::SimulatedModule(const QTemporaryDir &dir, ModuleKind kind,
                                 const QStringList &options)
    : m_dump(dir.filePath(QStringLiteral("dump-%1.txt").arg(++s_count))),
      m_process(QStringLiteral(TESSEL_MODSIM_EXE), withKindAndDump(options, kind, m_dump)),
      m_port(options.contains(QStringLiteral("--tcp")) ? m_process.nextLine()
                                                       : m_process.device()) {}

std::optional<ModuleMemory> SimulatedModule::memory() const {
    QFile file(m_dump);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseProfileText(QString::fromLatin1(file.readAll())).memory;
}

ConfigRun::ConfigRun(const QStringList &arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_process.setProcessEnvironment(env);
    m_timer.start();
    m_process.start(configExecutable(), arguments);
}

ConfigRun::~ConfigRun() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

void ConfigRun::sendSignal(int signal) {
    if (const qint64 pid = m_process.processId(); pid > 0)
        ::kill(static_cast<pid_t>(pid), signal);
}

Outcome ConfigRun::finish(int boundMs) {
    Outcome o;
    o.finished = m_process.waitForFinished(boundMs);
    o.millis = m_timer.elapsed();
    if (!o.finished) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    o.exitCode = m_process.exitCode();
    o.exitStatus = m_process.exitStatus();
    o.out = QString::fromLocal8Bit(m_process.readAllStandardOutput());
    o.err = QString::fromLocal8Bit(m_process.readAllStandardError());
    return o;
}

Outcome runConfig(const QStringList &arguments, int boundMs) {
    return ConfigRun(arguments).finish(boundMs);
}

QString describeRun(const Outcome &o) {
    return QStringLiteral("exit %1 after %2 ms, stdout: %3 stderr: %4")
        .arg(o.exitCode)
        .arg(o.millis)
        .arg(o.out.left(300), o.err.left(600));
}

ModuleMemory everyByteValue(bool descending) {
    ModuleMemory memory{};
    for (int i = 0; i < kImageSize; ++i)
        memory[i] = static_cast<quint8>(descending ? 255 - i : i);
    return memory;
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

bool onlyBlocksBeforeChanged(const ModuleMemory &now, const ModuleMemory &stored,
                             const ModuleMemory &before, int first) {
    for (int a = 0; a < kImageSize; ++a) {
        if (now[a] != (a / kBlockSize < first ? stored[a] : before[a]))
            return false;
    }
    return true;
}

} // namespace tessel::e2e
