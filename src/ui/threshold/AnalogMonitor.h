#pragma once

#include <QObject>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <vector>

namespace tessel {

class AnalogPanel;
class ModuleProtocol;

// Reads the analog inputs of a Threshold module into the panel's meters, once or for as long
// as "Read Inputs Constantly" stays checked. A reading loop runs inside the click that
// started it and holds the link for its whole length, so no other exchange can slip in
// between a request and its answer; a click that finds the link busy is ignored.
class AnalogMonitor : public QObject {
    Q_OBJECT
public:
    // How long a transfer lets a stopped loop settle before it empties the receive queue.
    static constexpr qint64 kSettleMicros = 2'000'000;
    // How often a reading loop refreshes the meters at most.
    static constexpr int kPassesPerSecond = 20;
    static constexpr qint64 kPassMicros = 1'000'000 / kPassesPerSecond;

    AnalogMonitor(ModuleProtocol &protocol, AnalogPanel &panel, QObject *parent = nullptr);

    void readAllInputs();
    void readInput(int index);

    // Called before a settings transfer takes the link: ends a reading loop and empties the
    // receive queue. False when a loop is still running underneath the caller; `transfer`
    // is then kept and runs as soon as that loop has ended.
    bool prepareTransfer(const std::function<void()> &transfer);
    // Reads over another line from now on; called while no reading runs.
    void useProtocol(ModuleProtocol &protocol);

    [[nodiscard]] bool running() const { return m_running; }

private:
    void readRepeatedly(const std::function<void()> &pass);
    void settle();
    // Lets events run and sleeps until the time is due or goOn() turns false.
    void restUntil(qint64 dueMicros, const std::function<bool()> &goOn);
    void runKeptTransfers();

    ModuleProtocol *m_protocol;
    AnalogPanel &m_panel;
    bool m_running = false;
    bool m_preparing = false;
    bool m_settleKept = false;
    std::optional<qint64> m_uncheckedAt;
    std::vector<std::function<void()>> m_kept;
};

} // namespace tessel
