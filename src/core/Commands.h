// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QByteArray>
#include <array>
#include <optional>

namespace tessel::wire {

// The module confirms a link test and a stored block with this byte.
constexpr int kAckByte = 88;
constexpr int kWriteBlockLength = 3 + kBlockSize;

QByteArray linkTest();
QByteArray identifyModuleCommand();
QByteArray readConfigBlock(int block);
QByteArray writeConfigBlock(int block, const BlockBytes &data);
QByteArray readAnalogInput(int input);

// How long the command at the start of `bytes` is: 0 when it is not whole yet, -1 when the
// first byte starts no command (noise, which the module skips).
int commandLength(const QByteArray &bytes);
// A whole command's short name: "link-test", "identify", "read7", "store7", "analog3".
QString commandName(const QByteArray &command);

// The six bytes a module answers to the identification.
struct IdentityReply {
    std::array<int, 6> b{};
    bool operator==(const IdentityReply &) const = default;
    // The kind byte as sent; moduleKind() says whether this program knows it.
    [[nodiscard]] int kind() const { return b[0]; }
    [[nodiscard]] std::optional<ModuleKind> moduleKind() const {
        return moduleKindFromIdentity(b[0]);
    }
    [[nodiscard]] bool zigBee() const { return b[1] == 1; }
    [[nodiscard]] int firmwareVersion() const { return b[4]; }
    [[nodiscard]] int releaseYearCode() const { return b[5]; }
};

// Release year code 208 reads as " 2008" (with the sign column of the module's own display).
QString releaseYear(int code);
// "Ombrevane Generation 2: ZigBee Tessel Module Version 3 Release Year: 2008"
QString windowCaption(const IdentityReply &reply);
// "Tessel module, ZigBee radio, firmware version 3, release year 2008"
QString identityLine(const IdentityReply &reply);
// "2008": the release year as the identity line shows it.
QString releaseYearText(const IdentityReply &reply);

} // namespace tessel::wire
