// SPDX-License-Identifier: Apache-2.0
#include "cli/production/ProductionCommands.h"

#include "cli/commands/CommandLine.h"
#include "cli/commands/CommandRequest.h"
#include "cli/commands/Terminal.h"
#include "cli/production/ProgramCommand.h"
#include "cli/production/RecordsCommand.h"
#include "session/production/ProductionSetup.h"
#include "session/production/RecordDatabase.h"

namespace tessel {

int runProductionCommand(const CommandRequest &request, const BackupFolder &backups) {
    if (request.command == QLatin1String("records"))
        return runRecords(request);
    if (!request.units.isEmpty() && !RecordDatabase::isDatabase(request.record)) {
        return fail(exitcode::kBadInput,
                    QStringLiteral("--units needs a database record (a .sqlite file or a "
                                   "postgresql:// address), which keeps which units are done; "
                                   "%1 is a CSV file")
                        .arg(request.record));
    }
    QString error;
    const std::optional<ModuleMemory> profile = readProfileFile(request.file, error);
    if (!profile)
        return fail(exitcode::kBadInput, error);
    ProductionRequest production;
    production.ports = request.ports;
    production.setup.kind = *request.kind;
    production.setup.backupOn = sharedBackups(backups, tellPruning);
    production.setup.profile = EepromImage(*profile);
    production.setup.leastReplyWaitMicros = request.replyWaitMs * 1000LL;
    production.count = request.count;
    production.recordPath = request.record;
    production.facts =
        runFacts(request.file, production.setup.profile, request.station, request.operatorName);
    production.scan = request.scan;
    if (const QString unitsError = readUnitsFile(request.units, request.file, production);
        !unitsError.isEmpty())
        return fail(exitcode::kBadInput, unitsError);
    return runProduction(std::move(production), request.json);
}

} // namespace tessel
