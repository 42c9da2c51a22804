#pragma once

#include "link/ControllerLink.h"
#include "link/ModuleProtocol.h"
#include "link/SimulatedChannel.h"

namespace tessel::test {

// A simulated module on a virtual clock: every idle poll is exactly 100 microseconds.
struct LinkBench {
    explicit LinkBench(ModuleKind kind = ModuleKind::Tessel, SimulatorFaults faults = {},
                       qint64 replyDelay = 2000)
        : module(kind, faults, replyDelay), channel(module, clock), link(channel, clock),
          protocol(link) {}

    int commandsStartingWith(int first, int second) const {
        return module.countCommands(first, second);
    }

    VirtualClock clock;
    ModuleSimulator module;
    SimulatedChannel channel;
    ControllerLink link;
    ModuleProtocol protocol;
};

} // namespace tessel::test
