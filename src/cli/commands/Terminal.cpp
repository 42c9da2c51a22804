// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/Terminal.h"

#include "cli/commands/CommandLine.h"
#include "link/protocol/LinkClock.h"
#include "session/SessionClient.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace tessel {

namespace {
// Set once a write to standard output (or error) failed because its reader had gone.
std::atomic<bool> s_outputClosed = false;
std::atomic<bool> s_errorClosed = false;
// The first reason a write to standard output failed for anything but a closed pipe.
std::atomic<int> s_outputError = 0;

std::atomic<bool> &closedFlag(FILE *stream) {
    return stream == stderr ? s_errorClosed : s_outputClosed;
}

// Notes why a write to `stream` failed: a pipe whose reader has gone, or the first error.
void noteFailure(FILE *stream) {
    if (errno == EPIPE)
        closedFlag(stream) = true;
    else if (stream == stdout && s_outputError == 0)
        s_outputError = errno;
}

// Flushes `stream`, noting a failure.
void flushNoting(FILE *stream) {
    if (std::fflush(stream) != 0)
        noteFailure(stream);
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
    if (std::fputs(text.toLocal8Bit().constData(), stream) < 0 || std::fputc('\n', stream) == EOF)
        noteFailure(stream);
    flushNoting(stream);
}

void printText(const QByteArray &text) {
    if (s_outputClosed)
        return;
    if (std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout) !=
        static_cast<size_t>(text.size()))
        noteFailure(stdout);
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

int closeStandardOutput(int status, bool statusTellsOfOutput) {
    if (s_outputClosed)
        return status;
    const bool failedBefore = std::ferror(stdout) != 0;
    errno = 0;
    // Some file systems report a failed write only when the file is closed.
    if (std::fclose(stdout) != 0 && errno != EPIPE && errno != EBADF && s_outputError == 0)
        s_outputError = errno;
    if (failedBefore && s_outputError == 0)
        s_outputError = EIO;
    if (s_outputError == 0)
        return status;
    fail(exitcode::kBadInput, QStringLiteral("cannot write standard output: %1")
                                  .arg(QString::fromLocal8Bit(std::strerror(s_outputError))));
    // A run that was done but not clean still has its output cut short: that is the worse.
    const bool done = status == exitcode::kSuccess || status == exitcode::kGarbledStore;
    return done || statusTellsOfOutput ? exitcode::kBadInput : status;
}

int fail(int status, const QString &message) {
    printLine(stderr, QStringLiteral("tessel-config: ") + message);
    return status;
}

bool cursorTerminal(int fd) {
    const QByteArray term = qgetenv("TERM");
    return isatty(fd) == 1 && !term.isEmpty() && term != "dumb";
}

QString seconds(int polls) {
    return QString::number(static_cast<double>(polls) * LinkClock::kPollMicros / 1e6);
}

ProgressLine::ProgressLine(SessionClient &session) {
    if (isatty(STDERR_FILENO) != 1)
        return;
    m_plain = !cursorTerminal(STDERR_FILENO);
    connect(&session, &SessionClient::progress, this, &ProgressLine::show);
    connect(&session, &SessionClient::linkTestAttempt, this, &ProgressLine::showLinkTest);
    connect(&session, &SessionClient::phaseChanged, this, &ProgressLine::clear);
    connect(&session, &SessionClient::finished, this, &ProgressLine::clear);
}

ProgressLine::~ProgressLine() {
    clear();
}

void ProgressLine::show(SessionPhase phase, int address) {
    if (address % kBlockSize != kBlockSize - 1 || (m_plain && address != kImageSize - 1))
        return;
    std::fprintf(stderr, m_plain ? "%s: block %d of 0 to %d\n" : "\r%s: block %2d of 0 to %d",
                 verbOf(phase), address / kBlockSize, kBlockCount - 1);
    std::fflush(stderr);
    m_shown = !m_plain;
}

void ProgressLine::showLinkTest(int attempt, int attempts) {
    if (m_plain && attempt % 10 != 1)
        return;
    std::fprintf(stderr, m_plain ? "Link test %d of %d\n" : "\rLink test %d of %d", attempt,
                 attempts);
    std::fflush(stderr);
    m_shown = !m_plain;
}

void ProgressLine::clear() {
    if (m_shown)
        std::fputs("\r\033[K", stderr);
    m_shown = false;
}

} // namespace tessel
