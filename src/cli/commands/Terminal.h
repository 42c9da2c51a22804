// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/SessionOutcome.h"

#include <QObject>
#include <QString>
#include <cstdio>

namespace tessel {

class SessionClient;

// One line of text on a standard stream, flushed at once so that it is seen in order.
void printLine(FILE *stream, const QString &text);
// A reader that goes away (`program --json | head`) must not end a store half way: SIGPIPE is
// ignored, a stream whose pipe closed is written no more, and the run ends as it would have,
// with the status a shell gives a program a closed pipe ended (141).
void ignoreClosedPipes();
[[nodiscard]] bool outputPipeClosed();
// `status`, or 141 when an output pipe closed during the run.
[[nodiscard]] int statusAfterOutput(int status);
// At the end of a command: standard output is flushed and closed, and a write that failed
// (a full disk, an I/O error) is told, with status 2 instead of a success, or instead of any
// status that speaks of what was printed (diff's "differs"). Called once, last.
[[nodiscard]] int closeStandardOutput(int status, bool statusTellsOfOutput);
// Text as it is (a document, a profile) on standard output, flushed.
void printText(const QByteArray &text);
// "tessel-config: <message>" on standard error; returns the exit status for the caller.
int fail(int status, const QString &message);
// Whether `fd` is a terminal that moves its cursor as told: a terminal whose TERM is set and
// not "dumb" (an editor's shell buffer, a serial console). Elsewhere output is plain lines.
[[nodiscard]] bool cursorTerminal(int fd);
// The length of `polls` polls of the link in seconds, for messages ("1.5").
QString seconds(int polls);

// "Link test 4 of 100" and "Reading: block 3 of 0 to 15" on standard error while the session
// works, when that is a terminal; the line is cleared when the job ends, before anything else
// is printed. A dumb terminal gets plain lines instead: every tenth link test and the end of
// each phase. Redirected to a file or a pipe, standard error gets only the messages.
class ProgressLine : public QObject {
    Q_OBJECT
public:
    explicit ProgressLine(SessionClient &session);
    ~ProgressLine() override;

private:
    void show(SessionPhase phase, int address);
    void showLinkTest(int attempt, int attempts);
    void clear();

    bool m_plain = false; // lines, not one line redrawn
    bool m_shown = false;
};

} // namespace tessel
