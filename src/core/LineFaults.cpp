// SPDX-License-Identifier: Apache-2.0
#include "core/LineFaults.h"

#include "core/Commands.h"

#include <QRegularExpression>

namespace tessel {

QString parseFaultSpots(const QString &text, LineFault fault, LineDirection direction,
                        std::vector<FaultSpot> &into) {
    // "120", "read0+13:2", "store7#2+5": a command, which of its kind, the byte, the bit.
    static const QRegularExpression form(QStringLiteral(
        R"(^(?:(link-test|identify|(?:read|store|analog)[0-9]{1,3})(?:#([1-9][0-9]{0,8}))?\+)?)"
        R"(([0-9]{1,12})(?::([0-7]))?$)"));
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QRegularExpressionMatch match = form.match(part.trimmed());
        const bool bitAllowed = fault == LineFault::Flip || !match.hasCaptured(4);
        if (!match.hasMatch() || !bitAllowed) {
            return QStringLiteral("%1 is not a position: N, or COMMAND[#K]+N%2")
                .arg(part, fault == LineFault::Flip ? QStringLiteral(", then :BIT if not bit 0")
                                                    : QString());
        }
        FaultSpot spot;
        spot.fault = fault;
        spot.direction = direction;
        spot.command = match.captured(1);
        spot.occurrence = match.hasCaptured(2) ? match.captured(2).toInt() : 1;
        spot.offset = match.captured(3).toLongLong();
        spot.bit = match.hasCaptured(4) ? match.captured(4).toInt() : 0;
        into.push_back(spot);
    }
    return {};
}

QByteArray FaultyLine::strike(const QByteArray &bytes, LineDirection direction, qint64 &crossed,
                              const QString &command, int occurrence,
                              const std::vector<FaultSpot> &spots) {
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i, ++crossed) {
        auto byte = static_cast<quint8>(bytes[i]);
        int copies = 1;
        for (const FaultSpot &spot : spots) {
            const bool here =
                spot.command.isEmpty()
                    ? spot.offset == crossed
                    : spot.command == command && spot.occurrence == occurrence && spot.offset == i;
            if (spot.direction != direction || !here)
                continue;
            if (spot.fault == LineFault::Flip)
                byte ^= static_cast<quint8>(1U << spot.bit);
            else if (spot.fault == LineFault::Double)
                copies = copies == 0 ? 0 : 2;
            else
                copies = 0;
        }
        out.append(QByteArray(copies, static_cast<char>(byte)));
    }
    return out;
}

QByteArray FaultyLine::toModule(const QByteArray &sent, const std::vector<FaultSpot> &spots) {
    m_unframed += sent;
    QByteArray out;
    for (;;) {
        const int length = wire::commandLength(m_unframed);
        if (length == 0)
            break;
        if (length < 0) { // no command begins here: the byte passes on its own
            out += strike(m_unframed.left(1), LineDirection::ToModule, m_toModule, {}, 0, spots);
            m_unframed.remove(0, 1);
            continue;
        }
        const QByteArray command = m_unframed.left(length);
        m_unframed.remove(0, length);
        const QString name = wire::commandName(command);
        out += strike(command, LineDirection::ToModule, m_toModule, name, ++m_sent[name], spots);
    }
    return out;
}

QByteArray FaultyLine::fromModule(const QByteArray &reply, const QString &answers, int occurrence,
                                  const std::vector<FaultSpot> &spots) {
    return strike(reply, LineDirection::FromModule, m_fromModule, answers, occurrence, spots);
}

} // namespace tessel
