// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace tessel {

// What a noisy line does to one byte: inverts one of its bits, delivers it twice, or loses it.
enum class LineFault { Flip, Double, Drop };
enum class LineDirection { ToModule, FromModule };

// Where a line fault strikes. Without a command, `offset` counts the bytes of its direction
// from the first (0). With one (a wire::commandName such as "store7"), it counts within the
// `occurrence`-th such command as the program sent it (towards the module), or within the
// module's reply to the `occurrence`-th such command as the module received it (from the
// module). Either way bytes are counted as sent, before any fault changed them.
struct FaultSpot {
    LineFault fault = LineFault::Flip;
    LineDirection direction = LineDirection::ToModule;
    QString command;
    int occurrence = 1;
    qint64 offset = 0;
    int bit = 0; // the bit a flip inverts, 0 (lowest) to 7
};

// Adds the spots of "120,read0+13:2,store7#2+5" (a flip may name its bit after a colon); an
// error message, or empty when every spot was understood.
QString parseFaultSpots(const QString &text, LineFault fault, LineDirection direction,
                        std::vector<FaultSpot> &into);

// Both directions of a line, striking the spots it is given as bytes cross it.
class FaultyLine {
public:
    // The bytes the program sent, as they reach the module. Bytes that begin a command are
    // held until the command is whole, so that a fault can be placed by the command's name.
    QByteArray toModule(const QByteArray &sent, const std::vector<FaultSpot> &spots);
    // A reply as it reaches the program; `answers` names the command it answers (empty for a
    // byte that answers none) and `occurrence` which of its kind that command was.
    QByteArray fromModule(const QByteArray &reply, const QString &answers, int occurrence,
                          const std::vector<FaultSpot> &spots);

private:
    // `crossed` counts the bytes of the direction so far, and moves on past these.
    [[nodiscard]] static QByteArray strike(const QByteArray &bytes, LineDirection direction,
                                           qint64 &crossed, const QString &command, int occurrence,
                                           const std::vector<FaultSpot> &spots);

    qint64 m_toModule = 0;
    qint64 m_fromModule = 0;
    QByteArray m_unframed; // sent bytes that do not make a whole command yet
    QHash<QString, int> m_sent;
};

} // namespace tessel
