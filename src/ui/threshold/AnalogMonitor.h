// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QObject>
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

Q_SIGNALS:
    // Every pass read, once the meters show it.
    void passShown(const tessel::LevelPass &pass);

private:
    void read(std::vector<int> inputs);

    SessionClient *m_session = nullptr;
    AnalogPanel &m_panel;
};

} // namespace tessel
