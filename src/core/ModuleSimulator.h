// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"
#include "core/LevelPattern.h"
#include "core/LineFaults.h"
#include "core/MemoryMap.h"

#include <QByteArray>
#include <array>
#include <optional>
#include <vector>

namespace tessel {

// About how long a module takes to answer a command.
constexpr qint64 kModuleReplyDelayMicros = 2000;

// Faults a simulated module can be told to show, for tests and for trying the utility.
struct SimulatorFaults {
    int ignoreLinkTests = 0;        // stay silent to the first N link tests
    bool neverIdentify = false;     // never answer the identification
    bool extraIdentityByte = false; // answer the identification with seven bytes
    int failBlock = -1;             // answer this block's store with a wrong byte, store nothing
    int silentBlock = -1;           // never confirm this block's store, store nothing
    bool byteAtATime = false;       // send replies one byte at a time
    qint64 analogDelayMicros = 0;   // extra delay of analog replies
    int dropAfterCommands = -1;     // the line drops after this many commands
    int reportedKind = -1;          // identify with this kind byte instead of its own
    bool doubleAck = false;         // confirm every stored block twice
    int strayByteBeforeBlock = -1;  // one unasked byte 88 just before this block's store arrives
    qint64 lateReplyMicros = -1;    // block-read and identity replies this late, if set
    // The line's own faults, whatever the module answers: every reply this much later, this
    // long between the bytes of a reply, bytes struck at chosen spots, and a pause: after
    // `stallAfterCommands` commands, those that come within `stallMicros` are lost.
    qint64 latencyMicros = 0;
    qint64 byteGapMicros = 0;
    std::vector<FaultSpot> spots;
    int stallAfterCommands = -1;
    qint64 stallMicros = 0;
    // A jig where modules are swapped: once a store's last block has come, the module answers
    // this many more link tests, is taken out (the next `swapSilentLinkTests` link tests go
    // unanswered) and a fresh module with the factory settings is put in.
    int swapAfterLinkTests = -1;
    int swapSilentLinkTests = 2;
    // The same jig on the clock: the module is taken out this long after the first link test
    // that follows a store's last block, the program then being done with it (or, with
    // `pullOutAtBlock`, as that block's store arrives: it takes the block but is gone before
    // it confirms), the jig stays empty for `swapGapMicros`, then a fresh module is in.
    qint64 swapHoldMicros = -1;
    qint64 swapGapMicros = 0;
    int pullOutAtBlock = -1;
};

// The module side of the wire protocol: parses the commands it receives and says what it
// answers and when. Transports (the in-process channel, the pseudo-terminal simulator)
// deliver the replies.
class ModuleSimulator {
public:
    struct Reply {
        QByteArray bytes;
        qint64 delayMicros; // after the command was received
    };

    explicit ModuleSimulator(ModuleKind kind, SimulatorFaults faults = {},
                             qint64 replyDelayMicros = kModuleReplyDelayMicros);

    // Takes received bytes (possibly split anywhere) and returns the replies they cause.
    std::vector<Reply> receive(const QByteArray &bytes, qint64 nowMicros);

    [[nodiscard]] ModuleKind kind() const { return m_kind; }
    // The faults can change while the module runs (it recovers, or starts to misbehave).
    [[nodiscard]] SimulatorFaults &faults() { return m_faults; }
    [[nodiscard]] const ModuleMemory &memory() const { return m_memory; }
    void setMemory(const ModuleMemory &memory) { m_memory = memory; }
    // Fixes an analog input's level; -1 makes the input silent. Unfixed inputs follow the
    // pattern, a slow drift unless told otherwise.
    void setAnalogLevel(int input, int level);
    void setLevelPattern(const LevelPattern &pattern) { m_pattern = pattern; }

    [[nodiscard]] bool lineDropped() const { return m_dropped; }
    // Every whole command received, in order, as sent.
    [[nodiscard]] const std::vector<QByteArray> &commands() const { return m_commands; }
    // How many of them began with these two bytes (0, 1 for block reads; 1, 2 for stores).
    [[nodiscard]] int countCommands(int first, int second) const;
    // The memory of every module taken out of a swapping jig, in order.
    [[nodiscard]] const std::vector<ModuleMemory> &swappedOut() const { return m_swappedOut; }
    // When the module in a jig on the clock is to be taken out; nothing while it stays.
    [[nodiscard]] std::optional<qint64> leavesAt() const { return m_leavesAt; }
    // Takes the module out (at the time leavesAt() said); the jig stays empty until
    // emptyUntil(), then holds a fresh module. receive() does it on its own when it is due.
    void takeOut();
    [[nodiscard]] qint64 emptyUntil() const { return m_emptyUntil; }

private:
    void execute(const QByteArray &command, qint64 nowMicros, std::vector<Reply> &replies);
    // Sends a reply to the command being executed over the faulty line.
    void answer(const QByteArray &bytes, qint64 delayMicros, std::vector<Reply> &replies);
    // Sends bytes over the faulty line, `answering` the command executed, or none.
    void send(const QByteArray &bytes, qint64 delayMicros, bool answering,
              std::vector<Reply> &replies);
    void storeBlock(const QByteArray &command);
    // When block-read and identity replies leave.
    [[nodiscard]] qint64 queryDelay() const;
    // The level an analog reading answers now; each answered reading moves the pattern on.
    [[nodiscard]] int takeAnalogLevel(int input, qint64 nowMicros);

    ModuleKind m_kind;
    SimulatorFaults m_faults;
    qint64 m_replyDelay;
    ModuleMemory m_memory{};
    QByteArray m_pending;
    std::vector<QByteArray> m_commands;
    FaultyLine m_line;
    QHash<QString, int> m_executed; // how many of each command, by name
    QString m_executing;            // the name of the command being executed
    qint64 m_stalledUntil = -1;
    std::array<int, map::kAnalogInputs> m_fixedLevels{};
    std::array<qint64, map::kAnalogInputs> m_readings{}; // answered, of each unfixed input
    LevelPattern m_pattern;
    int m_linkTestsSeen = 0;
    int m_linkTestsBeforeSwap = -1; // after a store, until the module is taken out
    std::vector<ModuleMemory> m_swappedOut;
    std::optional<qint64> m_leavesAt;
    bool m_storeEnded = false; // a store's last block came, and no link test since
    qint64 m_emptyUntil = -1;  // an empty jig: nothing receives the commands before this
    bool m_dropped = false;
};

QByteArray identityReplyOf(ModuleKind kind);

} // namespace tessel
