// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/LevelStream.h"

#include "cli/commands/CommandLine.h"
#include "cli/commands/JsonOutput.h"
#include "cli/commands/Terminal.h"
#include "core/MemoryMap.h"
#include "session/LevelRecord.h"
#include "session/SessionClient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>

namespace tessel {

namespace {

constexpr int kColumnWidth = 4;

QString header(const MonitorOptions &options) {
    if (options.format == MonitorOptions::Format::Csv)
        return levelCsvHeader(options.run.inputs);
    QString line = QStringLiteral("%1").arg(QStringLiteral("time"), -12);
    for (const int input : options.run.inputs)
        line += QStringLiteral(" %1").arg(QStringLiteral("in%1").arg(input), kColumnWidth);
    return line;
}

QString passLine(const QString &where, const LevelPass &pass, MonitorOptions::Format format) {
    switch (format) {
    case MonitorOptions::Format::Json: {
        QJsonArray inputs;
        QJsonArray levels;
        for (const int input : pass.inputs) {
            const int level = pass.levels.at(input);
            inputs.append(input);
            levels.append(level < 0 ? QJsonValue() : QJsonValue(level));
        }
        const QJsonObject o =
            versioned({{QStringLiteral("port"), where},
                       {QStringLiteral("pass"), pass.number},
                       {QStringLiteral("time"), isoTimeWithOffset(pass.time, true)},
                       {QStringLiteral("inputs"), inputs},
                       {QStringLiteral("levels"), levels}});
        return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
    }
    case MonitorOptions::Format::Csv:
        return levelCsvRow(pass, pass.inputs);
    case MonitorOptions::Format::Table:
        break;
    }
    QString line = pass.time.toString(QStringLiteral("HH:mm:ss.zzz"));
    for (const int input : pass.inputs) {
        const int level = pass.levels.at(input);
        line += QStringLiteral(" %1").arg(level < 0 ? QStringLiteral("-") : QString::number(level),
                                          kColumnWidth);
    }
    return line;
}

} // namespace

int streamLevels(SessionClient &session, const QString &where, const MonitorOptions &options) {
    if (session.kind() != ModuleKind::Threshold) {
        const std::optional<ModuleKind> kind = session.kind();
        return fail(exitcode::kBadInput,
                    QStringLiteral("monitor reads the analog inputs of a Threshold module; the "
                                   "module on %1 is %2, which has none")
                        .arg(where, kind ? QStringLiteral("a %1 module").arg(moduleKindName(*kind))
                                         : QStringLiteral("of an unknown kind")));
    }
    if (options.format != MonitorOptions::Format::Json)
        printLine(stdout, header(options));
    QObject printer;
    QObject::connect(&session, &SessionClient::passRead, &printer, [&](const LevelPass &pass) {
        printLine(stdout, passLine(where, pass, options.format));
        if (outputPipeClosed())
            session.setInputsLooping(false);
    });
    session.setInputsLooping(true);
    session.readInputs(options.run);
    session.waitUntilIdle();
    const SessionOutcome &outcome = session.lastOutcome();
    if (!outcome.warning.isEmpty())
        fail(exitcode::kGarbledStore, where + QStringLiteral(": ") + outcome.warning);
    if (!outcome.ok() && !session.aborted())
        return fail(
            exitcode::kNoModule,
            QStringLiteral("the line to the module on %1 failed: %2").arg(where, outcome.message));
    return outcome.warning.isEmpty() ? exitcode::kSuccess : exitcode::kGarbledStore;
}

std::optional<std::vector<int>> parseInputList(const QString &text, QString &error) {
    std::vector<int> inputs;
    const auto input = [](const QString &word) {
        bool ok = false;
        const int n = word.trimmed().toInt(&ok);
        return ok && n >= 0 && n < map::kAnalogInputs ? n : -1;
    };
    for (const QString &item : text.split(QLatin1Char(','))) {
        const QStringList ends = item.split(QLatin1Char('-'));
        const int first = input(ends.first());
        const int last = ends.size() == 2 ? input(ends.last()) : first;
        if (ends.size() > 2 || first < 0 || last < 0) {
            error = QStringLiteral("--inputs takes inputs 0 to 15 and ranges such as 3-5, "
                                   "separated by commas; \"%1\" is not one")
                        .arg(item);
            return std::nullopt;
        }
        if (last < first) {
            error = QStringLiteral("--inputs: the range %1 runs backwards").arg(item);
            return std::nullopt;
        }
        for (int n = first; n <= last; ++n) {
            if (std::find(inputs.begin(), inputs.end(), n) != inputs.end()) {
                error = QStringLiteral("--inputs names input %1 twice").arg(n);
                return std::nullopt;
            }
            inputs.push_back(n);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

} // namespace tessel
