#include "cli/commands/Terminal.h"

#include "link/protocol/LinkClock.h"
#include "session/SessionClient.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace tessel {

namespace {
// Set once a write to standard output (or error) failed because its reader had gone.
std::atomic<bool> s_outputClosed = false;
std::atomic<bool> s_errorClosed = false;

std::atomic<bool> &closedFlag(FILE *stream) {
    return stream == stderr ? s_errorClosed : s_outputClosed;
}

// Flushes `stream`, noting a pipe whose reader has gone.
void flushNoting(FILE *stream) {
    if (std::fflush(stream) != 0 && errno == EPIPE)
        closedFlag(stream) = true;
}

const char *verbOf(SessionPhase phase) {
    switch (phase) {
    case SessionPhase::Identifying:
        return "Identifying";
    case SessionPhase::Reading:
        return "Reading";
    case SessionPhase::Storing:
        return "Storing";
    case SessionPhase::Verifying:
        break;
    }
    return "Verifying";
}
} // namespace

void printLine(FILE *stream, const QString &text) {
    if (closedFlag(stream))
        return;
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    flushNoting(stream);
}

void printText(const QByteArray &text) {
    if (s_outputClosed)
        return;
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    flushNoting(stdout);
}

void ignoreClosedPipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

bool outputPipeClosed() {
    return s_outputClosed || s_errorClosed;
}

int statusAfterOutput(int status) {
    return outputPipeClosed() ? 128 + SIGPIPE : status;
}

int fail(int status, const QString &message) {
    printLine(stderr, QStringLiteral("tessel-config: ") + message);
    return status;
}

QString seconds(int polls) {
    return QString::number(static_cast<double>(polls) * LinkClock::kPollMicros / 1e6);
}

ProgressLine::ProgressLine(SessionClient &session) {
    if (isatty(STDERR_FILENO) != 1)
        return;
    connect(&session, &SessionClient::progress, this, &ProgressLine::show);
    connect(&session, &SessionClient::linkTestAttempt, this, &ProgressLine::showLinkTest);
    connect(&session, &SessionClient::phaseChanged, this, &ProgressLine::clear);
    connect(&session, &SessionClient::finished, this, &ProgressLine::clear);
}

ProgressLine::~ProgressLine() {
    clear();
}

void ProgressLine::show(SessionPhase phase, int address) {
    if (address % kBlockSize != kBlockSize - 1)
        return;
    std::fprintf(stderr, "\r%s: block %2d of %d", verbOf(phase), address / kBlockSize + 1,
                 kBlockCount);
    std::fflush(stderr);
    m_shown = true;
}

void ProgressLine::showLinkTest(int attempt, int attempts) {
    std::fprintf(stderr, "\rLink test %d of %d", attempt, attempts);
    std::fflush(stderr);
    m_shown = true;
}

void ProgressLine::clear() {
    if (m_shown)
        std::fputs("\r\033[K", stderr);
    m_shown = false;
}

} // namespace tessel
