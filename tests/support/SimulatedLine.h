#pragma once

// A simulated module on a virtual line: what the session and window tests stand on. The
// clock is virtual, so waits take no real time and their poll counts can be asserted.

#include "core/ModuleSimulator.h"
#include "link/ControllerLink.h"
#include "link/LinkClock.h"
#include "link/ModuleProtocol.h"
#include "link/SimulatedChannel.h"

namespace tessel::testing {

struct SimulatedLine {
    explicit SimulatedLine(ModuleKind kind, SimulatorFaults faults = {},
                           qint64 replyDelayMicros = kModuleReplyDelayMicros)
        : module(kind, faults, replyDelayMicros), channel(module, clock), link(channel, clock),
          protocol(link) {}

    VirtualClock clock;
    ModuleSimulator module;
    SimulatedChannel channel;
    ControllerLink link;
    ModuleProtocol protocol;
};

} // namespace tessel::testing
