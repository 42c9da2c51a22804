// SPDX-License-Identifier: Apache-2.0
#include "PtyModule.h"

#include "core/Commands.h"
#include "core/ProfileText.h"

#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace tessel {

namespace {
// Gaps shorter than this are slept through precisely; longer ones go back to the event loop.
constexpr qint64 kSpinLimitMicros = 1500;

QString systemError(const char *what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

void sleepMicros(qint64 micros) {
    if (micros <= 0)
        return;
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(micros / 1000000);
    ts.tv_nsec = static_cast<long>((micros % 1000000) * 1000);
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

bool isStoreCommand(const QByteArray &command) {
    return command.size() >= 2 && command[0] == 0x01 && command[1] == 0x02;
}
} // namespace

PtyModule::PtyModule(ModuleSimulator &module, Options options, QObject *parent)
    : QObject(parent), m_module(module), m_options(std::move(options)) {
    m_sendTimer.setSingleShot(true);
    m_sendTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_sendTimer, &QTimer::timeout, this, &PtyModule::sendDue);
    for (QTimer *timer : {&m_leaveTimer, &m_backTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&m_leaveTimer, &QTimer::timeout, this, &PtyModule::takeOut);
    connect(&m_backTimer, &QTimer::timeout, this, &PtyModule::putIn);
    m_elapsed.start();
}

PtyModule::~PtyModule() {
    closeTerminal();
    if (!m_options.linkPath.isEmpty())
        ::unlink(QFile::encodeName(m_options.linkPath).constData());
}

void PtyModule::log(const QString &line) {
    if (!m_options.logCommands)
        return;
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void PtyModule::dumpSwapped() {
    // A module taken out keeps its memory in a file of its own; the dump then shows the next.
    if (m_swapsDumped == m_module.swappedOut().size())
        return;
    for (; m_swapsDumped < m_module.swappedOut().size(); ++m_swapsDumped)
        dumpMemory(m_module.swappedOut()[m_swapsDumped],
                   QStringLiteral(".%1").arg(m_swapsDumped + 1));
    writeDump();
}

void PtyModule::takeOut() {
    if (!m_module.leavesAt())
        return;
    m_leaveTimer.stop();
    m_module.takeOut();
    dumpSwapped();
    if (m_options.unplug) {
        closeTerminal();
        if (!m_options.linkPath.isEmpty())
            ::unlink(QFile::encodeName(m_options.linkPath).constData());
    }
    log(QStringLiteral("module-out"));
    m_backTimer.start(static_cast<int>(std::max<qint64>(0, m_module.emptyUntil() - now()) / 1000));
}

void PtyModule::putIn() {
    if (m_options.unplug) {
        if (const QString error = open(); !error.isEmpty())
            Q_EMIT dumpFailed(error);
    }
    log(QStringLiteral("module-in"));
}

QString PtyModule::open() {
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return systemError("cannot create a pseudo-terminal");
    // Raw: every byte value passes unchanged, no echo, no line editing, no CR/LF mapping.
    termios tio{};
    if (tcgetattr(slave, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B115200);
        cfsetospeed(&tio, B115200);
        tcsetattr(slave, TCSANOW, &tio);
    }
    const int flags = fcntl(master, F_GETFL);
    fcntl(master, F_SETFL, flags | O_NONBLOCK);
    char name[128] = {};
    if (ptsname_r(master, name, sizeof name) != 0) {
        const QString error = systemError("cannot name the pseudo-terminal");
        ::close(master);
        ::close(slave);
        return error;
    }
    m_master = master;
    m_slaveKeeper = slave;
    m_devicePath = QString::fromLocal8Bit(name);
    if (!m_options.linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(m_options.linkPath);
        ::unlink(link.constData());
        if (::symlink(name, link.constData()) != 0)
            return systemError("cannot make the link to the pseudo-terminal");
    }
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyModule::onReadable);
    writeDump();
    return {};
}

void PtyModule::closeTerminal() {
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    m_sendTimer.stop();
    m_outgoing.clear();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slaveKeeper >= 0)
        ::close(m_slaveKeeper);
    m_master = -1;
    m_slaveKeeper = -1;
}

void PtyModule::onReadable() {
    QByteArray received;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: all taken; EIO cannot happen while the keeper holds the slave open
    }
    if (received.isEmpty())
        return;

    const double arrival = static_cast<double>(now());
    double receivedAt = arrival;
    if (m_options.pacing) {
        // The bytes are still crossing the wire: the command is complete after the last one.
        receivedAt =
            std::max(arrival, m_inputFreeAt) + static_cast<double>(received.size()) * kByteMicros;
        m_inputFreeAt = receivedAt;
    }
    // The module was due to go before these bytes came: they find the jig empty.
    if (m_module.leavesAt() && *m_module.leavesAt() <= static_cast<qint64>(receivedAt))
        takeOut();
    if (m_master < 0)
        return;

    const std::size_t commandsBefore = m_module.commands().size();
    const auto replies = m_module.receive(received, static_cast<qint64>(receivedAt));
    bool stored = false;
    for (std::size_t i = commandsBefore; i < m_module.commands().size(); ++i) {
        stored = stored || isStoreCommand(m_module.commands()[i]);
        if (m_options.logCommands)
            std::printf("%s\n", qPrintable(wire::commandName(m_module.commands()[i])));
    }
    if (m_options.logCommands)
        std::fflush(stdout);
    if (m_swapsDumped < m_module.swappedOut().size())
        dumpSwapped();
    else if (stored)
        writeDump();
    if (const auto leaves = m_module.leavesAt(); leaves && !m_leaveTimer.isActive())
        m_leaveTimer.start(static_cast<int>(std::max<qint64>(0, *leaves - now()) / 1000));

    if (m_module.lineDropped()) {
        closeTerminal();
        Q_EMIT lineDropped();
        return;
    }

    for (const auto &reply : replies) {
        const double due = receivedAt + static_cast<double>(reply.delayMicros);
        for (const char byte : reply.bytes) {
            double at = due;
            if (m_options.pacing) {
                at = std::max(due, m_outputFreeAt) + kByteMicros;
                m_outputFreeAt = at;
            }
            m_outgoing.emplace(static_cast<qint64>(std::llround(at)), byte);
        }
    }
    sendDue();
}

void PtyModule::sendDue() {
    while (!m_outgoing.empty() && m_master >= 0) {
        const qint64 gap = m_outgoing.begin()->first - now();
        if (gap > kSpinLimitMicros) {
            // Wake up a little early and sleep the rest precisely.
            m_sendTimer.start(static_cast<int>((gap - kSpinLimitMicros / 2) / 1000));
            return;
        }
        sleepMicros(gap);
        QByteArray batch;
        const qint64 t = now();
        while (!m_outgoing.empty() && m_outgoing.begin()->first <= t) {
            batch.append(m_outgoing.begin()->second);
            m_outgoing.erase(m_outgoing.begin());
        }
        qsizetype done = 0;
        int fullQueueRetries = 50; // no client reading: drop what does not fit, as a wire would
        while (done < batch.size() && fullQueueRetries > 0) {
            const ssize_t n = ::write(m_master, batch.constData() + done,
                                      static_cast<size_t>(batch.size() - done));
            if (n > 0) {
                done += n;
            } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
                break; // nobody can take the bytes; a real line would lose them too
            } else if (n < 0 && errno == EAGAIN) {
                --fullQueueRetries;
                sleepMicros(200);
            }
        }
    }
}

void PtyModule::writeDump() {
    dumpMemory(m_module.memory());
}

void PtyModule::dumpMemory(const ModuleMemory &memory, const QString &suffix) {
    if (m_options.dumpPath.isEmpty())
        return;
    QSaveFile file(m_options.dumpPath + suffix);
    const EepromImage image(memory);
    if (!file.open(QIODevice::WriteOnly) || file.write(profileText(image).toLatin1() + '\n') < 0 ||
        !file.commit()) {
        Q_EMIT dumpFailed(
            QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
    }
}

} // namespace tessel
