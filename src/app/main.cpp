// SPDX-License-Identifier: Apache-2.0
#include "WindowProgram.h"
#include "cli/commands/CommandLine.h"
#include "cli/commands/Terminal.h"
#include "cli/commands/WindowRequest.h"
#include "session/BackupFolder.h"

#include <QCoreApplication>

using namespace tessel;

int main(int argc, char *argv[]) {
    const QStringList arguments = argumentsOf(argc, argv);
    if (isCommandLineInvocation(arguments)) {
        QCoreApplication app(argc, argv);
        nameTheApplication();
        return runCommandLine(arguments, userBackups());
    }
    // Both refusals come before the window program starts: Qt would abort without a display.
    const ParsedWindowRequest parsed = parseWindowRequest(arguments);
    if (!parsed.error.isEmpty())
        return fail(exitcode::kBadInput, parsed.error + QStringLiteral(" (try --help)"));
    if (const QString why = missingDisplayMessage(parsed.request); !why.isEmpty())
        return fail(exitcode::kBadInput, why);
    return runWindowProgram(argv);
}
