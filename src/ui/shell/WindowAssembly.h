// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ModuleKind.h"

#include <memory>

namespace tessel {

class ConfigWindow;
class SessionClient;
class WindowDesk;
class WindowHost;

// A configuration window as the operator gets it: the module kind's variant, the window, and
// the desk built around the finished window. The window owns its desk.
struct AssembledWindow {
    std::unique_ptr<ConfigWindow> window;
    WindowDesk *desk;
};

AssembledWindow assembleConfigWindow(ModuleKind kind, SessionClient &session, WindowHost &host);

} // namespace tessel
