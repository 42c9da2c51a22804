#include "cli/Terminal.h"

#include "link/LinkClock.h"
#include "session/ModuleSession.h"

#include <unistd.h>

namespace tessel {

namespace {
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
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void printText(const QByteArray &text) {
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    std::fflush(stdout);
}

int fail(int status, const QString &message) {
    printLine(stderr, QStringLiteral("tessel-config: ") + message);
    return status;
}

QString seconds(int polls) {
    return QString::number(static_cast<double>(polls) * LinkClock::kPollMicros / 1e6);
}

ProgressLine::ProgressLine(ModuleSession &session) {
    if (isatty(STDERR_FILENO) != 1)
        return;
    connect(&session, &ModuleSession::progress, this, &ProgressLine::show);
    connect(&session, &ModuleSession::linkTestAttempt, this, &ProgressLine::showLinkTest);
    connect(&session, &ModuleSession::phaseChanged, this, &ProgressLine::clear);
    connect(&session, &ModuleSession::finished, this, &ProgressLine::clear);
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
