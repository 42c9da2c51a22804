#include "core/Commands.h"
#include "core/LineFaults.h"
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
        data[j] = static_cast<quint8>(j * 17); // includes a zero byte at j = 0
    const QByteArray write = wire::writeConfigBlock(0, data);
    ASSERT_EQ(write.size(), 19);
    EXPECT_EQ(write.left(3), bytes({0x01, 0x02, 0x00}));
    for (int j = 0; j < 16; ++j)
        EXPECT_EQ(static_cast<quint8>(write[3 + j]), j * 17);
}

struct CaptionCase {
    std::array<int, 6> reply;
    const char *caption;
};

class WindowCaption : public testing::TestWithParam<CaptionCase> {};

TEST_P(WindowCaption, is_built_from_the_identity_reply) {
    wire::IdentityReply reply{GetParam().reply};
    EXPECT_EQ(wire::windowCaption(reply).toStdString(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, WindowCaption,
    testing::Values(
        CaptionCase{{1, 1, 0, 0, 3, 208},
                    "Ombrevane Generation 2: ZigBee Tessel Module Version 3 Release Year: 2008"},
        CaptionCase{{1, 0, 0, 0, 0, 208},
                    "Ombrevane Generation 2: Tessel Module Version 0 Release Year: 2008"},
        CaptionCase{{2, 1, 9, 9, 3, 208},
                    "Ombrevane Generation 2: ZigBee Version 3 Release Year: 2008"},
        CaptionCase{{1, 1, 0, 0, 3, 9},
                    "Ombrevane Generation 2: ZigBee Tessel Module Version 3 Release Year: 90"},
        CaptionCase{{1, 1, 0, 0, 12, 215},
                    "Ombrevane Generation 2: ZigBee Tessel Module Version 12 Release Year: 2015"}));

TEST(WireCommands, identity_line_names_kind_radio_version_and_year) {
    wire::IdentityReply reply{{1, 1, 0, 0, 3, 208}};
    EXPECT_EQ(wire::identityLine(reply),
              "Tessel module, ZigBee radio, firmware version 3, release year 2008");
}

TEST(ModuleSimulator, answers_commands_split_anywhere_and_skips_noise) {
    ModuleSimulator module(ModuleKind::Threshold, {}, 100);
    EXPECT_TRUE(module.receive(bytes({0x77, 0x00}), 0).empty());
    auto replies = module.receive(bytes({0x03}), 0);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, identityReplyOf(ModuleKind::Threshold));
    EXPECT_EQ(replies[0].delayMicros, 100);

    replies = module.receive(bytes({0x00, 0x01, 0x01}), 0);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(static_cast<quint8>(replies[0].bytes[0]), 155); // row 1 serial 9B05
    EXPECT_EQ(static_cast<quint8>(replies[0].bytes[1]), 5);
}

TEST(ModuleSimulator, stores_confirmed_blocks_only) {
    SimulatorFaults faults;
    faults.failBlock = 2;
    ModuleSimulator module(ModuleKind::Tessel, faults, 0);
    BlockBytes ones{};
    ones.fill(1);
    auto replies = module.receive(wire::writeConfigBlock(1, ones), 0);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, bytes({88}));
    EXPECT_EQ(module.memory()[16], 1);
    replies = module.receive(wire::writeConfigBlock(2, ones), 0);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_NE(replies[0].bytes, bytes({88}));
    EXPECT_EQ(module.memory()[32], 155);
}

TEST(ModuleSimulator, drops_the_line_after_the_configured_command_count) {
    SimulatorFaults faults;
    faults.dropAfterCommands = 2;
    ModuleSimulator module(ModuleKind::Tessel, faults, 0);
    EXPECT_EQ(module.receive(wire::linkTest(), 0).size(), 1u);
    EXPECT_TRUE(module.receive(wire::linkTest(), 0).empty());
    EXPECT_TRUE(module.lineDropped());
}

// What crosses a faulty line: two reads of block 0, struck at one spot.
struct LineCase {
    const char *spots;
    LineFault fault;
    LineDirection direction;
    // The reply bytes that arrive, from the clean contents of blocks 0 and 1.
    QByteArray (*arrives)(QByteArray block0, const QByteArray &block1);
};

class FaultyLineCase : public testing::TestWithParam<LineCase> {};

TEST_P(FaultyLineCase, strikes_only_the_chosen_byte) {
    SimulatorFaults faults;
    ASSERT_EQ(parseFaultSpots(QString::fromLatin1(GetParam().spots), GetParam().fault,
                              GetParam().direction, faults.spots),
              QString());
    ModuleSimulator module(ModuleKind::Tessel, faults, 0);
    const auto *memory = reinterpret_cast<const char *>(module.memory().data());
    const QByteArray expected = GetParam().arrives(QByteArray(memory, kBlockSize),
                                                   QByteArray(memory + kBlockSize, kBlockSize));
    QByteArray arrived;
    for (const auto &reply : module.receive(wire::readConfigBlock(0) + wire::readConfigBlock(0), 0))
        arrived += reply.bytes;
    EXPECT_EQ(arrived.toHex().toStdString(), expected.toHex().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Spots, FaultyLineCase,
    testing::Values(
        LineCase{"read0#2+13:2", LineFault::Flip, LineDirection::FromModule,
                 [](QByteArray b0, const QByteArray &) {
                     QByteArray second = b0;
                     second[13] = static_cast<char>(second[13] ^ 4);
                     return b0 + second;
                 }},
        LineCase{"17", LineFault::Flip, LineDirection::FromModule,
                 [](QByteArray b0, const QByteArray &) {
                     QByteArray second = b0;
                     second[1] = static_cast<char>(second[1] ^ 1);
                     return b0 + second;
                 }},
        LineCase{"read0+0", LineFault::Drop, LineDirection::FromModule,
                 [](QByteArray b0, const QByteArray &) { return b0.mid(1) + b0; }},
        LineCase{"read0#2+15", LineFault::Double, LineDirection::FromModule,
                 [](QByteArray b0, const QByteArray &) { return b0 + b0 + b0.right(1); }},
        // The first read asks for block 1; a lost block number joins the two reads into one.
        LineCase{"read0+2", LineFault::Flip, LineDirection::ToModule,
                 [](QByteArray b0, const QByteArray &b1) { return b1 + b0; }},
        LineCase{"read0+2", LineFault::Drop, LineDirection::ToModule,
                 [](QByteArray b0, const QByteArray &) { return b0; }}));

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
