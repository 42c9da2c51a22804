// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <array>
#include <optional>

namespace tessel {

constexpr int kControllerTypeCount = 36;
constexpr int kRelayFunctionCount = 4;
constexpr int kLimitTypeCount = 4;

// The remote relay controllers a module can drive, indexed by the ControllerType entry of a
// device record. Every name is padded to 26 characters so that the type column lines up.
const std::array<QString, kControllerTypeCount> &controllerTypeNames();
// What a Tessel module does with a remote relay; the window only ever uses index 0.
const std::array<QString, kRelayFunctionCount> &RelayFunctionTable();
// How a Threshold module reacts to one analog input, indexed by the input's LimitType entry.
const std::array<QString, kLimitTypeCount> &LimitTypeTable();

// The name of a controller type, or an empty string for a value that names no type.
QString controllerTypeName(int type);

// The same names in the user's language, for the windows to show; the tables above stay in
// English for the command line, files and anything that reads a name back. Empty for a value
// that names nothing.
QString shownControllerTypeName(int type);
QString shownRelayFunction(int function);
QString shownLimitType(int type);
// The index of a limit type caption, or nothing for any other text.
std::optional<int> limitTypeIndex(const QString &caption);

// Inputs a controller type takes: one per relay channel; 0 for a value that names no type.
int consumptionOf(int type);

} // namespace tessel
