// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ModuleSimulator.h"

#include <QCommandLineParser>

namespace tessel {

// What tessel-modsim is told of its module's faults and the line's, from one table: the
// options with their help, and how each value is taken.
struct ModuleSetup {
    SimulatorFaults faults;
    qint64 replyDelayMicros = kModuleReplyDelayMicros;
    LevelPattern levels; // how the analog inputs of a Threshold module move
};

void addFaultOptions(QCommandLineParser &parser);
// The help's closing paragraph: how a line fault's position is written.
QString faultPositionHelp();
// Takes the fault options that were given; an error message naming the option, or empty.
QString takeFaultOptions(const QCommandLineParser &parser, ModuleSetup &setup);

} // namespace tessel
