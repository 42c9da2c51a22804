// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/LevelMonitor.h"

#include <QString>
#include <optional>
#include <vector>

namespace tessel {

class SessionClient;

// What `monitor` is asked to show, and how.
struct MonitorOptions {
    enum class Format { Table, Csv, Json };
    LevelRun run; // its inputs ascending, each once
    Format format = Format::Table;
};

// Streams the levels of an identified Threshold module's inputs on standard output, one line
// per pass, until the duration is over, the line fails, an interrupt aborts the link or the
// reader of the output goes away. A pass cut short is not printed, so every line is whole.
// Returns the exit status; a module of another kind is refused before anything is read.
int streamLevels(SessionClient &session, const QString &where, const MonitorOptions &options);

// "0,3-5" as the inputs 0, 3, 4 and 5; nothing, with the reason in `error`, for a list that
// names an input outside 0..15, one twice, or a range that runs backwards.
std::optional<std::vector<int>> parseInputList(const QString &text, QString &error);

} // namespace tessel
