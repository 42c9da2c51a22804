// The bytes on the wire, the identity reply and the module kinds it names.

#include "core/Commands.h"
#include "core/LineFaults.h"
#include "core/ModuleKind.h"
#include "core/ModuleSimulator.h"

#include <gtest/gtest.h>

using namespace tessel;

namespace {
QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}
} // namespace

TEST(WireCommands, carry_their_exact_bytes) {
    EXPECT_EQ(wire::linkTest(), bytes({0x00, 0x02}));
    EXPECT_EQ(wire::identifyController(), bytes({0x00, 0x03}));
    EXPECT_EQ(wire::readConfigBlock(15), bytes({0x00, 0x01, 0x0F}));
    EXPECT_EQ(wire::readAnalogInput(7), bytes({0x02, 0x07}));
    BlockBytes data{};
    for (int j = 0; j < 16; ++j)
        data[j] = static_cast<quint8>(j * 17); // a zero byte first
    QByteArray expected = bytes({0x01, 0x02, 0x09});
    for (int j = 0; j < 16; ++j)
        expected.append(static_cast<char>(j * 17));
    EXPECT_EQ(wire::writeConfigBlock(9, data), expected);
}

TEST(IdentityReply, gives_the_window_caption_and_the_identity_line) {
    struct Case {
        std::array<int, 6> reply;
        const char *caption;
        const char *line;
    };
    const Case cases[] = {
        {{1, 1, 0, 0, 3, 208},
         "Ombrevane Generation 2: ZigBee Tessel Module Version 3 Release Year: 2008",
         "Tessel module, ZigBee radio, firmware version 3, release year 2008"},
        {{1, 0, 0, 0, 0, 208},
         "Ombrevane Generation 2: Tessel Module Version 0 Release Year: 2008",
         "Tessel module, other radio, firmware version 0, release year 2008"},
        {{2, 1, 9, 9, 3, 208},
         "Ombrevane Generation 2: ZigBee Version 3 Release Year: 2008",
         "Threshold module, ZigBee radio, firmware version 3, release year 2008"},
        {{1, 1, 0, 0, 3, 9},
         "Ombrevane Generation 2: ZigBee Tessel Module Version 3 Release Year: 90",
         "Tessel module, ZigBee radio, firmware version 3, release year 90"},
        {{7, 0, 0, 0, 12, 215},
         "Ombrevane Generation 2: Version 12 Release Year: 2015",
         "unknown module kind 7, other radio, firmware version 12, release year 2015"},
    };
    for (const Case &c : cases) {
        const wire::IdentityReply reply{c.reply};
        EXPECT_EQ(wire::windowCaption(reply).toStdString(), c.caption);
        EXPECT_EQ(wire::identityLine(reply).toStdString(), c.line);
    }
}

TEST(ModuleKind, words_and_identity_bytes_name_each_kind_and_nothing_else) {
    for (const ModuleKind kind : {ModuleKind::Tessel, ModuleKind::Threshold}) {
        EXPECT_EQ(moduleKindFromKey(moduleKindKey(kind)), kind);
        EXPECT_EQ(moduleKindFromIdentity(static_cast<quint8>(identityReplyOf(kind)[0])), kind);
    }
    EXPECT_EQ(moduleKindFromKey(QStringLiteral("threshold")), ModuleKind::Threshold);
    for (const char *word : {"", "Tessel", " tessel", "1"})
        EXPECT_FALSE(moduleKindFromKey(QString::fromLatin1(word))) << '"' << word << '"';
    for (int b : {0, 3, 255, -1})
        EXPECT_FALSE(moduleKindFromIdentity(b)) << b;
}

TEST(ModuleSimulator, answers_commands_split_anywhere_and_skips_noise) {
    ModuleSimulator module(ModuleKind::Threshold, {}, 100);
    EXPECT_TRUE(module.receive(bytes({0x77, 0x00}), 0).empty());
    auto replies = module.receive(bytes({0x03}), 0);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, identityReplyOf(ModuleKind::Threshold));
    EXPECT_EQ(replies[0].delayMicros, 100);
    // An analog input the module does not have gets no answer.
    EXPECT_TRUE(module.receive(wire::readAnalogInput(16), 0).empty());
    EXPECT_EQ(module.receive(wire::readAnalogInput(15), 0).size(), 1u);
}

TEST(FaultyLine, strikes_only_the_chosen_byte) {
    // What crosses a faulty line: two reads of block 0, struck at one spot, and the reply bytes
    // that arrive, from the clean contents of blocks 0 and 1.
    struct Case {
        const char *spots;
        LineFault fault;
        LineDirection direction;
        QByteArray (*arrives)(QByteArray block0, const QByteArray &block1);
    };
    const Case cases[] = {
        {"read0#2+13:2", LineFault::Flip, LineDirection::FromModule,
         [](QByteArray b0, const QByteArray &) {
             QByteArray second = b0;
             second[13] = static_cast<char>(second[13] ^ 4);
             return b0 + second;
         }},
        {"17", LineFault::Flip, LineDirection::FromModule,
         [](QByteArray b0, const QByteArray &) {
             QByteArray second = b0;
             second[1] = static_cast<char>(second[1] ^ 1);
             return b0 + second;
         }},
        {"read0+0", LineFault::Drop, LineDirection::FromModule,
         [](QByteArray b0, const QByteArray &) { return b0.mid(1) + b0; }},
        {"read0#2+15", LineFault::Double, LineDirection::FromModule,
         [](QByteArray b0, const QByteArray &) { return b0 + b0 + b0.right(1); }},
        // The first read asks for block 1; a lost block number joins the two reads into one.
        {"read0+2", LineFault::Flip, LineDirection::ToModule,
         [](QByteArray b0, const QByteArray &b1) { return b1 + b0; }},
        {"read0+2", LineFault::Drop, LineDirection::ToModule,
         [](QByteArray b0, const QByteArray &) { return b0; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.spots);
        SimulatorFaults faults;
        ASSERT_EQ(parseFaultSpots(QString::fromLatin1(c.spots), c.fault, c.direction, faults.spots),
                  QString());
        ModuleSimulator module(ModuleKind::Tessel, faults, 0);
        const auto *memory = reinterpret_cast<const char *>(module.memory().data());
        const QByteArray expected =
            c.arrives(QByteArray(memory, kBlockSize), QByteArray(memory + kBlockSize, kBlockSize));
        QByteArray arrived;
        for (const auto &reply :
             module.receive(wire::readConfigBlock(0) + wire::readConfigBlock(0), 0))
            arrived += reply.bytes;
        EXPECT_EQ(arrived.toHex().toStdString(), expected.toHex().toStdString());
    }
}

TEST(FaultyLine, refuses_positions_it_cannot_place) {
    std::vector<FaultSpot> spots;
    for (const char *bad : {"raed0+1", "read0#0+1", "1:8", "-3", "store7+", ""})
        EXPECT_NE(parseFaultSpots(QString::fromLatin1(bad), LineFault::Flip,
                                  LineDirection::ToModule, spots),
                  QString())
            << bad;
    EXPECT_NE(
        parseFaultSpots(QStringLiteral("4:1"), LineFault::Drop, LineDirection::ToModule, spots),
        QString());
    EXPECT_TRUE(spots.empty());
}

TEST(ModuleSimulator, stall_loses_the_commands_within_it_then_answers_again) {
    SimulatorFaults faults;
    faults.stallAfterCommands = 1;
    faults.stallMicros = 1000;
    faults.latencyMicros = 300;
    ModuleSimulator module(ModuleKind::Tessel, faults, 0);
    EXPECT_EQ(module.receive(wire::linkTest(), 0).size(), 1u);
    EXPECT_TRUE(module.receive(wire::linkTest(), 999).empty());
    const auto replies = module.receive(wire::linkTest(), 1000);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].delayMicros, 300);
}
