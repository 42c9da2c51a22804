// The bytes on the wire and what the identity reply says about a module.

#include "core/Commands.h"

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
    QByteArray expected = bytes({0x01, 0x02, 0x09});
    for (int j = 0; j < 16; ++j) {
        data[j] = static_cast<quint8>(j * 17); // a zero byte first
        expected.append(static_cast<char>(j * 17));
    }
    EXPECT_EQ(wire::writeConfigBlock(9, data), expected);
}

TEST(IdentityReply, gives_the_window_caption_and_the_identity_line) {
    // The usual replies show in the windows' and the commands' tests; these are the odd ones.
    struct Case {
        std::array<int, 6> reply;
        const char *caption;
        const char *line;
    };
    const Case cases[] = {
        {{1, 0, 0, 0, 0, 208},
         "Ombrevane Generation 2: Tessel Module Version 0 Release Year: 2008",
         "Tessel module, other radio, firmware version 0, release year 2008"},
        {{2, 1, 9, 9, 3, 9},
         "Ombrevane Generation 2: ZigBee Version 3 Release Year: 90",
         "Threshold module, ZigBee radio, firmware version 3, release year 90"},
    };
    for (const Case &c : cases) {
        const wire::IdentityReply reply{c.reply};
        EXPECT_EQ(wire::windowCaption(reply).toStdString(), c.caption);
        EXPECT_EQ(wire::identityLine(reply).toStdString(), c.line);
    }
}
