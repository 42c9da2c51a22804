// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/MemoryMap.h"

#include <QDateTime>
#include <QMetaType>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace tessel {

class ModuleProtocol;

// One reading of the chosen analog inputs, each once, in the order chosen.
struct LevelPass {
    qint64 number = 0;        // 1 for the first pass of a run
    qint64 startedMicros = 0; // on the link's clock
    qint64 endedMicros = 0;
    QDateTime time; // the wall clock, with its offset from UTC, when the pass ended
    std::vector<int> inputs;
    // -1 where the input was not read in this pass or did not answer in time.
    std::array<int, map::kAnalogInputs> levels{};
};

// What a run of level readings is asked for: the inputs of each pass, the least time from the
// start of one pass to the start of the next (a pass that takes longer is followed at once; 0
// reads as fast as the line allows), and how long a repeating run goes on at most.
struct LevelRun {
    // The window's pace: 20 passes a second, which the eye cannot tell from more.
    static constexpr qint64 kWindowIntervalMicros = 50'000;

    std::vector<int> inputs;
    qint64 intervalMicros = kWindowIntervalMicros;
    std::optional<qint64> durationMicros;
};

// Reads a Threshold module's analog levels pass after pass, in the session's thread, for the
// window's meters and `tessel-config monitor` alike: the session runs it as one job, so no
// other exchange can slip in between a request and its answer. Between two passes it sleeps
// until the next is due instead of keeping the line and a core busy.
class LevelMonitor {
public:
    explicit LevelMonitor(ModuleProtocol &protocol) : m_protocol(protocol) {}

    // Reads one pass, then more while `goOn()` holds, until the duration is over or the link
    // fails; `goOn` is also asked during the rests, which a wake of the channel shortens.
    // Every whole pass goes to `passRead`; a pass the link cut short goes nowhere, so that no
    // one takes the inputs it did not reach for silent ones.
    void run(const LevelRun &run, const std::function<bool()> &goOn,
             const std::function<void(const LevelPass &)> &passRead);

private:
    LevelPass readPass(const std::vector<int> &inputs, qint64 number);

    ModuleProtocol &m_protocol;
};

} // namespace tessel

Q_DECLARE_METATYPE(tessel::LevelPass)
