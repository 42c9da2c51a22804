// SPDX-License-Identifier: Apache-2.0
#pragma once

// A module session on a simulated module and a virtual clock, for the session's tests.

#include "session/SessionClient.h"
#include "support/SimulatedLine.h"

#include <QtTest>
#include <memory>

namespace tessel::test {

// Each block of a whole read is read twice to check it.
constexpr int kCheckedRead = 2 * kBlockCount;

// A session on a simulated module and a virtual clock, reached through a client in the test's
// own thread; replies come after 2 ms.
struct Bench : testing::SimulatedLine {
    explicit Bench(ModuleKind kind = ModuleKind::Tessel, SimulatorFaults faults = {},
                   SessionLimits limits = {})
        : SimulatedLine(kind, faults), engine(protocol, limits), session(engine) {}

    // A bench whose module has been identified, ready to store.
    static std::unique_ptr<Bench> identified(SimulatorFaults faults = {}) {
        auto bench = std::make_unique<Bench>(ModuleKind::Tessel, faults);
        if (bench->session.identify() != Admission::Started || !bench->session.lastOutcome().ok())
            qFatal("the simulated module was not identified");
        return bench;
    }

    // Runs `action` once, `afterMicros` from now, from inside whatever wait is then under way.
    void during(qint64 afterMicros, std::function<void()> action) {
        clock.callAfter(afterMicros, std::move(action));
    }

    // Block-read (00 01) and block-store (01 02) commands sent; a whole read of a clean line
    // sends kCheckedRead block reads.
    int reads() const { return module.countCommands(0x00, 0x01); }
    int stores() const { return module.countCommands(0x01, 0x02); }

    ModuleSession engine;
    SessionClient session;
};

using testing::descending;

inline EepromImage moduleHolds(const Bench &bench) {
    return EepromImage(bench.module.memory());
}

} // namespace tessel::test
