// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QFile>
#include <QLoggingCategory>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace tessel {

// The trace of what goes over the wire, one line per exchange ("tessel.wire"), and of what the
// session does with it ("tessel.session"). Both are Qt logging categories, off by default:
// --trace FILE switches them on (TraceLog), and so does QT_LOGGING_RULES="tessel.*=true".
Q_DECLARE_LOGGING_CATEGORY(wireLog)
Q_DECLARE_LOGGING_CATEGORY(sessionLog)

// One exchange as the link made it: a command and what came back for it.
struct WireExchange {
    enum class End {
        Answered,     // the reply the command asks for
        TimedOut,     // not (all of) it within the wait
        WrongReply,   // a byte other than the one the command asks for
        MoreFollowed, // more bytes than the reply has: not taken as this command's
    };
    QString command; // "identify", "read block 3"
    QByteArray sent;
    QByteArray reply;
    qint64 micros = 0; // from the command to its reply, or to the end of the wait
    int attempt = 1;
    End end = End::Answered;
};

// "16:05:07.123 read block 3 -> 00 04 03 <- 10 20 ... (12.4 ms)", with the attempt when it is
// a retry and how it ended when it did not end well; the time is the local time of `atMillis`
// (since the epoch).
QString wireLine(const WireExchange &exchange, qint64 atMillis);
// Logs the exchange in the wire category when that is on, and keeps it in the process's
// TraceLog when that keeps lines; costs two checks when neither is wanted.
void traceExchange(const WireExchange &exchange);
// Logs what the session does ("read started", "read ended: ...") in the session category.
void traceSession(const QString &what);

// Where the trace goes while the program runs: a file or standard error ("-"), and the last
// exchanges kept for Help > Save Wire Trace. Takes the messages of the two categories from
// Qt's message handler (all others go on to the handler before it) while it lives; there is
// one a process, owned by main. What it keeps it keeps as it came and turns into text only when
// asked: hundreds of exchanges a second, mostly never looked at, would otherwise cost more to
// format than to make.
class TraceLog {
public:
    // Keeps the last `keep` lines (0: none).
    explicit TraceLog(int keep = 0);
    ~TraceLog();
    TraceLog(const TraceLog &) = delete;
    TraceLog &operator=(const TraceLog &) = delete;

    // Writes every line to `path` ("-": standard error) from now on; an error message when it
    // cannot be opened.
    [[nodiscard]] QString writeTo(const QString &path);
    // The lines kept, oldest first.
    [[nodiscard]] QStringList kept() const;
    // The log of this process, if one lives (the window's Help menu saves what it kept).
    [[nodiscard]] static TraceLog *current();

    [[nodiscard]] bool keeps() const { return m_keep > 0; }
    // An exchange, or what the session did, at `atMillis` since the epoch: kept when this log
    // keeps lines.
    void keep(qint64 atMillis, const WireExchange &exchange);
    void keep(qint64 atMillis, const QString &what);

private:
    struct KeptLine {
        qint64 atMillis = 0;
        std::optional<WireExchange> exchange; // or else what the session did
        QString what;
    };

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text);
    void take(const QString &line);
    void keep(KeptLine line);

    int m_keep;
    mutable QMutex m_mutex;
    std::deque<KeptLine> m_lines;
    QFile m_file;
    // QT_LOGGING_RULES asked for the trace and no file takes it: standard error, as Qt would.
    bool m_toStandardError = false;
    QtMessageHandler m_previous = nullptr;
};

} // namespace tessel
