// SPDX-License-Identifier: Apache-2.0
#include "FuzzHarness.h"

#include "core/ProfileText.h"
#include "link/protocol/ModuleLink.h"
#include "link/protocol/ModuleProtocol.h"
#include "link/protocol/SettingsTransfer.h"

#include <QPointer>
#include <vector>

namespace tessel::fuzz {

QString checkProfileText(const std::uint8_t *data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ProfileParse parsed = parseProfileText(text);
    if (parsed.memory.has_value() == !parsed.error.isEmpty())
        return QStringLiteral("a result needs exactly one of memory and error");
    if (!parsed.memory) {
        if (!parsed.error.startsWith(QStringLiteral("record ")))
            return QStringLiteral("an error that names no record: ") + parsed.error;
        if (parsed.error.contains(QLatin1Char('\n')) || parsed.error.size() > 200)
            return QStringLiteral("an error that is not one short line: ") + parsed.error;
        return {};
    }
    // What was read, written out again, reads back the same.
    const QString again = profileText(EepromImage(*parsed.memory));
    const ProfileParse reparsed = parseProfileText(again);
    if (reparsed.memory != parsed.memory)
        return QStringLiteral("the profile of what was read does not read back the same");
    return {};
}

namespace {

// A module whose replies come from a script: each command the program sends takes the next
// chunk, [timing][length][bytes...]. timing bits 0..6 give the delay in 2 ms steps; bit 7
// sends the chunk one byte at a time, 150 microseconds apart. When the script runs out the
// module stays silent, or the line drops if the first byte of the input asked for that.
class ScriptedChannel final : public ByteChannel {
public:
    ScriptedChannel(LinkClock &clock, const std::uint8_t *data, std::size_t size)
        : m_clock(clock), m_script(data), m_size(size) {
        if (m_size > 0) {
            m_dropAtEnd = (m_script[0] & 1) != 0;
            m_pos = 1;
        }
    }

    [[nodiscard]] qint64 bytesAvailable() const override { return m_queue.size(); }
    int readByte() override {
        if (m_queue.isEmpty())
            return -1;
        const auto b = static_cast<quint8>(m_queue.front());
        m_queue.remove(0, 1);
        m_taken.push_back(b);
        return b;
    }
    bool write(const QByteArray &bytes) override {
        if (!m_lost.isEmpty())
            return false;
        m_commands.push_back(bytes);
        if (m_pos + 2 > m_size) {
            if (m_dropAtEnd)
                m_lost = QStringLiteral("The scripted line dropped.");
            return true;
        }
        const std::uint8_t timing = m_script[m_pos];
        const std::size_t length =
            std::min<std::size_t>(m_script[m_pos + 1] % 24, m_size - m_pos - 2);
        const QByteArray reply(reinterpret_cast<const char *>(m_script + m_pos + 2),
                               static_cast<qsizetype>(length));
        m_pos += 2 + length;
        const qint64 delay = (timing & 0x7F) * 2000;
        QPointer<ScriptedChannel> self(this);
        if ((timing & 0x80) == 0) {
            m_clock.callAfter(delay, [self, reply] {
                if (self)
                    self->m_queue += reply;
            });
        } else {
            for (qsizetype i = 0; i < reply.size(); ++i) {
                m_clock.callAfter(delay + 150 * i, [self, b = reply.at(i)] {
                    if (self)
                        self->m_queue += b;
                });
            }
        }
        return true;
    }
    [[nodiscard]] QString lostReason() const override { return m_lost; }
    [[nodiscard]] QString name() const override { return QStringLiteral("scripted module"); }

    [[nodiscard]] const std::vector<QByteArray> &commands() const { return m_commands; }
    // The last n bytes the program took, in order.
    [[nodiscard]] std::vector<int> lastTaken(std::size_t n) const {
        if (m_taken.size() < n)
            return {};
        return {m_taken.end() - static_cast<std::ptrdiff_t>(n), m_taken.end()};
    }

private:
    LinkClock &m_clock;
    const std::uint8_t *m_script;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_dropAtEnd = false;
    QString m_lost;
    QByteArray m_queue;
    std::vector<int> m_taken;
    std::vector<QByteArray> m_commands;
};

// Every command the program sends is one of the five, with operands in range, or the bytes
// that realign the module after an exchange went wrong: seventeen that start no command.
QString malformedCommand(const QByteArray &c) {
    const auto at = [&c](qsizetype i) { return static_cast<quint8>(c.at(i)); };
    const bool ok = c == QByteArray(wire::kWriteBlockLength - 2, '\xff') ||
                    (c.size() == 2 && at(0) == 0x00 && (at(1) == 0x02 || at(1) == 0x03)) ||
                    (c.size() == 3 && at(0) == 0x00 && at(1) == 0x01 && at(2) < kBlockCount) ||
                    (c.size() == 19 && at(0) == 0x01 && at(1) == 0x02 && at(2) < kBlockCount) ||
                    (c.size() == 2 && at(0) == 0x02 && at(1) < 16);
    return ok ? QString()
              : QStringLiteral("malformed command ") + QString::fromLatin1(c.toHex(' '));
}

int countCommands(const std::vector<QByteArray> &commands, std::size_t from, char a, char b) {
    int n = 0;
    for (std::size_t i = from; i < commands.size(); ++i)
        n += commands[i].size() >= 2 && commands[i][0] == a && commands[i][1] == b;
    return n;
}

} // namespace

QString checkModuleReplies(const std::uint8_t *data, std::size_t size, ReplyStats *stats) {
    ReplyStats unused;
    ReplyStats &count = stats ? *stats : unused;
    VirtualClock clock;
    ScriptedChannel channel(clock, data, size);
    ModuleLink link(channel, clock);
    ModuleProtocol protocol(link);
    // Operands come from the input too, so that every block and input gets exercised.
    const int block = size > 1 ? data[size - 1] % kBlockCount : 0;
    const int input = size > 2 ? data[size - 2] % 16 : 0;

    std::size_t mark = channel.commands().size();
    const int answered = protocol.linkTestRepeated(2);
    if (answered < 0 || answered > 2 || countCommands(channel.commands(), mark, 0, 2) > 2)
        return QStringLiteral("link tests beyond their attempt limit");

    mark = channel.commands().size();
    if (const auto identity = protocol.identify(2)) {
        ++count.identified;
        const std::vector<int> taken = channel.lastTaken(6);
        if (taken.size() != 6 || !std::equal(taken.begin(), taken.end(), identity->b.begin()))
            return QStringLiteral("the identity is not the six bytes the module sent");
    }
    if (countCommands(channel.commands(), mark, 0, 3) > 2)
        return QStringLiteral("identification beyond its attempt limit");

    mark = channel.commands().size();
    if (const auto bytes = protocol.readBlock(block, 2)) {
        ++count.blocksRead;
        const std::vector<int> taken = channel.lastTaken(kBlockSize);
        if (taken.size() != kBlockSize || !std::equal(taken.begin(), taken.end(), bytes->begin()))
            return QStringLiteral("the block is not the sixteen bytes the module sent");
    }
    if (countCommands(channel.commands(), mark, 0, 1) > 2)
        return QStringLiteral("block read beyond its attempt limit");

    const int level = protocol.readAnalog(input);
    if (level < -1 || level > 255)
        return QStringLiteral("analog level %1 out of range").arg(level);
    count.analogLevels += level >= 0;
    if (level >= 0 && channel.lastTaken(1) != std::vector<int>{level})
        return QStringLiteral("the analog level is not the byte the module sent");

    BlockBytes pattern{};
    for (int j = 0; j < kBlockSize; ++j)
        pattern[j] = static_cast<quint8>(block * kBlockSize + j);
    const bool stored = protocol.writeBlock(block, pattern, true) == StoreAnswer::Confirmed;
    count.blocksStored += stored;
    if (stored && channel.lastTaken(1) != std::vector<int>{wire::kAckByte})
        return QStringLiteral("a store counted as confirmed without the acknowledge byte");

    mark = channel.commands().size();
    const TransferResult read = readWholeMemory(protocol, {}, 1);
    if (read.ok() != read.message.isEmpty())
        return QStringLiteral("a read result without a message, or a message with success");
    count.wholeReads += read.ok();
    if (read.ok() && !read.image.badEntries().empty())
        return QStringLiteral("a read image with entries that are not bytes");
    if (countCommands(channel.commands(), mark, 0, 1) > kBlockCount)
        return QStringLiteral("a whole-memory read beyond one attempt per block");

    for (const QByteArray &command : channel.commands()) {
        if (const QString bad = malformedCommand(command); !bad.isEmpty())
            return bad;
    }
    return {};
}

} // namespace tessel::fuzz
