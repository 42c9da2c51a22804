// SPDX-License-Identifier: Apache-2.0
// The bytes on the wire and what the identity reply says about a module.

#include "core/Commands.h"

#include <gtest/gtest.h>

using namespace tessel;

TEST(WireCommands, carry_their_exact_bytes) {
    EXPECT_EQ(wire::linkTest(), QByteArray::fromHex("0002"));
    EXPECT_EQ(wire::identifyModuleCommand(), QByteArray::fromHex("0003"));
    EXPECT_EQ(wire::readConfigBlock(15), QByteArray::fromHex("00010f"));
    EXPECT_EQ(wire::readAnalogInput(7), QByteArray::fromHex("0207"));
    BlockBytes data{};
    for (int j = 0; j < 16; ++j)
        data[j] = static_cast<quint8>(j * 17); // a zero byte first
    EXPECT_EQ(wire::writeConfigBlock(9, data),
              QByteArray::fromHex("01020900112233445566778899aabbccddeeff"));
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
