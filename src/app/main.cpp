// SPDX-License-Identifier: Apache-2.0
#include "HandOver.h"
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
        // Checked here like every command, run by the program that has the database drivers.
        return runCommandLine(arguments, userBackups(),
                              [argv](const CommandRequest &, const BackupFolder &) {
                                  return handOver(kProductionProgram, argv);
                              });
    }
    // Both refusals come before the window program starts: Qt would abort without a display.
    const ParsedWindowRequest parsed = parseWindowRequest(arguments);
    if (!parsed.error.isEmpty())
        return fail(exitcode::kBadInput, parsed.error + QStringLiteral(" (try --help)"));
    if (const QString why = missingDisplayMessage(parsed.request); !why.isEmpty())
        return fail(exitcode::kBadInput, why);
    return handOver(kWindowProgram, argv);
}
