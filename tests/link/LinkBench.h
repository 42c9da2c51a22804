#pragma once

#include "support/SimulatedLine.h"

namespace tessel::test {

// A simulated module on a virtual clock: every idle poll is exactly 100 microseconds.
struct LinkBench : testing::SimulatedLine {
    explicit LinkBench(ModuleKind kind = ModuleKind::Tessel, SimulatorFaults faults = {},
                       qint64 replyDelay = kModuleReplyDelayMicros)
        : SimulatedLine(kind, faults, replyDelay) {}

    int commandsStartingWith(int first, int second) const {
        return module.countCommands(first, second);
    }
};

} // namespace tessel::test
