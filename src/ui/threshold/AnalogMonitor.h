// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/MemoryMap.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <optional>
#include <vector>

namespace tessel {

class AnalogPanel;
class SessionClient;
struct LevelPass;

// Reads the analog inputs of a Threshold module into the panel's meters, once or for as long
// as "Read Inputs Constantly" stays checked. A reading is a job of the module's session like
// a transfer, so nothing can slip in between a request and its answer; a click that finds
// the session busy is ignored, and a transfer asked for during a loop ends it after its pass.
class AnalogMonitor : public QObject {
    Q_OBJECT
public:
    AnalogMonitor(SessionClient &session, AnalogPanel &panel, QObject *parent = nullptr);

    void readAllInputs();
    void readInput(int index);
    // Reads through another session from now on.
    void useSession(SessionClient &session);
    // Levels held back for the meters are dropped: the module was read again, or another
    // module answers now.
    void forgetHeldBack();

    // The meters show a pass at once, unless one was shown less than this long ago: then they
    // show the newest levels when that time is up. Passes come as fast as the line allows, and
    // painting each would cost more than reading it; no eye follows a bar faster than this.
    static constexpr int kShowEveryMillis = 100;

Q_SIGNALS:
    // Every pass read, as it comes (the meters may show it a moment later).
    void passTaken(const tessel::LevelPass &pass);

private:
    void read(std::vector<int> inputs);
    void take(const LevelPass &pass);
    void showWaiting();

    SessionClient *m_session = nullptr;
    AnalogPanel &m_panel;
    QTimer m_pace;
    // The newest level of each input not shown yet.
    std::array<std::optional<int>, map::kAnalogInputs> m_waiting{};
};

} // namespace tessel
