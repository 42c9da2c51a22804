// SPDX-License-Identifier: Apache-2.0
#include "ui/shell/WindowAssembly.h"

#include "ui/config/ConfigWindow.h"
#include "ui/config/WindowVariant.h"
#include "ui/desk/WindowDesk.h"
#include "ui/threshold/ThresholdVariant.h"
#include "ui/widgets/WindowPlace.h"

namespace tessel {

AssembledWindow assembleConfigWindow(ModuleKind kind, SessionClient &session, WindowHost &host) {
    auto variant = kind == ModuleKind::Tessel ? makeTesselVariant() : makeThresholdVariant();
    auto window = std::make_unique<ConfigWindow>(std::move(variant), session, host);
    rememberPlace(*window, moduleKindKey(kind));
    auto desk = std::make_unique<WindowDesk>(*window, host);
    WindowDesk *deskShown = desk.get();
    window->attachDesk(std::move(desk));
    return {std::move(window), deskShown};
}

} // namespace tessel
