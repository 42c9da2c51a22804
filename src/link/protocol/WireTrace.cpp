// SPDX-License-Identifier: Apache-2.0
#include "link/protocol/WireTrace.h"

#include <QDateTime>
#include <atomic>
#include <cstdio>

namespace tessel {

Q_LOGGING_CATEGORY(wireLog, "tessel.wire", QtWarningMsg)
Q_LOGGING_CATEGORY(sessionLog, "tessel.session", QtWarningMsg)

namespace {
// The log that takes the trace's messages; Qt's message handler is one function per process.
std::atomic<TraceLog *> s_log = nullptr;

const char *endText(WireExchange::End end) {
    switch (end) {
    case WireExchange::End::Answered:
        return "";
    case WireExchange::End::TimedOut:
        return " time-out";
    case WireExchange::End::WrongReply:
        return " wrong reply";
    case WireExchange::End::MoreFollowed:
        break;
    }
    return " more bytes followed";
}

bool isTraceCategory(const char *category) {
    return category && (qstrcmp(category, wireLog().categoryName()) == 0 ||
                        qstrcmp(category, sessionLog().categoryName()) == 0);
}

// "16:05:07.123": the local time of day at `atMillis` since the epoch.
QString timeOfDay(qint64 atMillis) {
    return QDateTime::fromMSecsSinceEpoch(atMillis).time().toString(QStringLiteral("HH:mm:ss.zzz"));
}

void switchOn() {
    QLoggingCategory::setFilterRules(QStringLiteral("tessel.wire.debug=true\n"
                                                    "tessel.session.debug=true"));
}
} // namespace

QString wireLine(const WireExchange &e, qint64 atMillis) {
    QString line = QStringLiteral("%1 %2 -> %3 <- %4 (%5 ms)")
                       .arg(timeOfDay(atMillis), e.command, QString::fromLatin1(e.sent.toHex(' ')),
                            e.reply.isEmpty() ? QStringLiteral("nothing")
                                              : QString::fromLatin1(e.reply.toHex(' ')))
                       .arg(static_cast<double>(e.micros) / 1000.0, 0, 'f', 1);
    if (e.attempt > 1)
        line += QStringLiteral(" attempt %1").arg(e.attempt);
    return line + QLatin1String(endText(e.end));
}

namespace {
QString sessionLine(const QString &what, qint64 atMillis) {
    return timeOfDay(atMillis) + QLatin1Char(' ') + what;
}

// Keeps `entry` in the process's log, and logs it as text in `category` when that is on.
template <typename Entry>
void trace(const QLoggingCategory &(*category)(), const Entry &entry,
           QString (*text)(const Entry &, qint64)) {
    const bool logged = category().isDebugEnabled();
    TraceLog *log = TraceLog::current();
    if (log && !log->keeps())
        log = nullptr;
    if (!logged && !log)
        return;
    const qint64 at = QDateTime::currentMSecsSinceEpoch();
    if (log)
        log->keep(at, entry);
    if (logged)
        qCDebug(category).noquote() << text(entry, at);
}
} // namespace

void traceExchange(const WireExchange &exchange) {
    trace(wireLog, exchange, &wireLine);
}

void traceSession(const QString &what) {
    trace(sessionLog, what, &sessionLine);
}

TraceLog *TraceLog::current() {
    return s_log;
}

TraceLog::TraceLog(int keep) : m_keep(keep) {
    m_toStandardError = qEnvironmentVariable("QT_LOGGING_RULES").contains(QLatin1String("tessel"));
    s_log = this;
    m_previous = qInstallMessageHandler(&TraceLog::handle);
}

TraceLog::~TraceLog() {
    qInstallMessageHandler(m_previous);
    s_log = nullptr;
}

QString TraceLog::writeTo(const QString &path) {
    const QMutexLocker locked(&m_mutex);
    m_file.setFileName(path);
    const bool opened = path == QLatin1String("-")
                            ? m_file.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered)
                            : m_file.open(QIODevice::WriteOnly | QIODevice::Append);
    if (!opened)
        return QStringLiteral("cannot write the trace to %1: %2").arg(path, m_file.errorString());
    m_toStandardError = false;
    switchOn();
    return {};
}

QStringList TraceLog::kept() const {
    // Copied under the lock and made text outside it: the session goes on keeping exchanges.
    std::deque<KeptLine> copy;
    {
        const QMutexLocker locked(&m_mutex);
        copy = m_lines;
    }
    QStringList lines;
    lines.reserve(qsizetype(copy.size()));
    for (const KeptLine &line : copy) {
        lines << (line.exchange ? wireLine(*line.exchange, line.atMillis)
                                : sessionLine(line.what, line.atMillis));
    }
    return lines;
}

void TraceLog::keep(qint64 atMillis, const WireExchange &exchange) {
    keep({atMillis, exchange, {}});
}

void TraceLog::keep(qint64 atMillis, const QString &what) {
    keep({atMillis, std::nullopt, what});
}

void TraceLog::keep(KeptLine line) {
    if (!keeps())
        return;
    const QMutexLocker locked(&m_mutex);
    if (static_cast<int>(m_lines.size()) == m_keep)
        m_lines.pop_front();
    m_lines.push_back(std::move(line));
}

void TraceLog::take(const QString &line) {
    const QMutexLocker locked(&m_mutex);
    if (m_file.isOpen()) {
        m_file.write(line.toUtf8() + '\n');
        m_file.flush();
    } else if (m_toStandardError) {
        std::fprintf(stderr, "%s\n", qPrintable(line));
    }
}

void TraceLog::handle(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    TraceLog *log = s_log;
    if (log && isTraceCategory(context.category)) {
        log->take(text);
        return;
    }
    if (log && log->m_previous)
        log->m_previous(type, context, text);
}

} // namespace tessel
