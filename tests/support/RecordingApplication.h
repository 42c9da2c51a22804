// SPDX-License-Identifier: Apache-2.0
#pragma once

// The application with its messages recorded instead of shown in a box, its questions
// answered from a script, its port chooser replaced by a list of names, and (when listed)
// the modules it connects to replaced by simulated ones.

#include "core/ModuleSimulator.h"
#include "link/protocol/LinkClock.h"
#include "link/protocol/ModuleConnection.h"
#include "session/SessionClient.h"
#include "support/WindowBench.h"
#include "ui/shell/Application.h"

#include <QList>
#include <QStringList>

namespace tessel::testing {

class RecordingApplication : public RecordingOperator<Application> {
public:
    using RecordingOperator::RecordingOperator;
    std::optional<QString> choosePort(const QString &offeredPort) override {
        ++portsChosen;
        portsOffered << offeredPort;
        return portsToChoose.isEmpty() ? QString() : portsToChoose.takeFirst();
    }

    struct SimulatedModule {
        ModuleKind kind;
        SimulatorFaults faults;
    };

    QList<std::optional<QString>> portsToChoose; // nothing: Cancel
    QStringList portsOffered;
    int portsChosen = 0;
    // The modules the next connections reach, in order; a port's own when none is left.
    QList<SimulatedModule> modules;
    LinkClock *clock = nullptr;

protected:
    std::unique_ptr<SessionClient> openSession(const QString &port) override {
        if (modules.isEmpty())
            return Application::openSession(port);
        return SessionClient::inCallerThread([module = modules.takeFirst(), this](QString &) {
            return ModuleConnection::simulate(module.kind, module.faults, clock);
        });
    }
};

} // namespace tessel::testing
