// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ModuleKind.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tessel {

// What the arguments of a run that opens the window ask for. Qt's own options (-style Fusion,
// -platform offscreen) are accepted here and left for Qt to act on.
struct WindowRequest {
    std::optional<ModuleKind> simulate;
    QString port;
    QString profile;            // a profile file to open once the module is read
    bool platformGiven = false; // -platform: Qt is told where to draw
    QString trace;              // where the wire trace goes ("-": standard error)
    bool production = false;    // `production`: the station window instead
};

struct ParsedWindowRequest {
    WindowRequest request;
    QString error; // why the window cannot be opened with these arguments; empty when it can
};

// Reads the arguments (the program name first); an unknown option, a bad kind or an option
// given twice is an error, so that nothing the user typed is silently ignored.
ParsedWindowRequest parseWindowRequest(const QStringList &arguments);

// The options of Qt itself that take a value, without their dash: "style", "platform"...
const QStringList &qtOptionsWithValue();

// Why no window can be shown here, checked before Qt tries (and aborts): on Linux neither
// DISPLAY nor WAYLAND_DISPLAY is set and no platform is chosen. Empty when one can.
QString missingDisplayMessage(const WindowRequest &request);

} // namespace tessel
