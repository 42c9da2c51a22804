// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/CommandLine.h"
#include "cli/production/ProductionCommands.h"
#include "session/BackupFolder.h"

#include <QCoreApplication>

using namespace tessel;

// Started by the command program for `program` and `records`, with the arguments it was given
// (already checked there, and checked again here for a run started directly).
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    nameTheApplication();
    return runCommandLine(argumentsOf(argc, argv), userBackups(), runProductionCommand);
}
