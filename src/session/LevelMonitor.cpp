// SPDX-License-Identifier: Apache-2.0
#include "session/LevelMonitor.h"

#include "link/protocol/ModuleProtocol.h"

#include <algorithm>
#include <limits>

namespace tessel {

void LevelMonitor::run(const LevelRun &run, const std::function<bool()> &goOn,
                       const std::function<void(const LevelPass &)> &passRead) {
    ModuleLink &link = m_protocol.link();
    LinkClock &clock = link.clock();
    const qint64 end = run.durationMicros ? clock.nowMicros() + *run.durationMicros
                                          : std::numeric_limits<qint64>::max();
    for (qint64 number = 1;; ++number) {
        const LevelPass pass = readPass(run.inputs, number);
        // A link that has failed for good (the line gone, the program ending) answers at once;
        // it ends the run rather than leaving it spinning without ever sleeping.
        if (link.failed())
            return;
        passRead(pass);
        if (!goOn())
            return;
        const qint64 due = std::min(pass.startedMicros + run.intervalMicros, end);
        link.rest(due - clock.nowMicros(), [&goOn] { return !goOn(); });
        if (!goOn() || link.failed() || clock.nowMicros() >= end)
            return;
    }
}

LevelPass LevelMonitor::readPass(const std::vector<int> &inputs, qint64 number) {
    ModuleLink &link = m_protocol.link();
    LevelPass pass;
    pass.number = number;
    pass.inputs = inputs;
    pass.levels.fill(-1);
    pass.startedMicros = link.clock().nowMicros();
    for (const int input : inputs) {
        pass.levels.at(input) = m_protocol.readAnalog(input);
        if (link.failed())
            break;
    }
    pass.endedMicros = link.clock().nowMicros();
    pass.time = QDateTime::currentDateTime();
    return pass;
}

} // namespace tessel
