#include "core/Commands.h"
#include "core/ModuleKind.h"
#include "core/ModuleSimulator.h"

#include <gtest/gtest.h>

using namespace tessel;

namespace {
constexpr ModuleKind kAllKinds[] = {ModuleKind::Tessel, ModuleKind::Threshold};
}

TEST(ModuleKind, command_line_words_name_each_kind_and_nothing_else) {
    EXPECT_EQ(moduleKindFromKey(QStringLiteral("tessel")), ModuleKind::Tessel);
    EXPECT_EQ(moduleKindFromKey(QStringLiteral("threshold")), ModuleKind::Threshold);
    for (const char *word : {"", "Tessel", "THRESHOLD", " tessel", "1", "tessel module"})
        EXPECT_FALSE(moduleKindFromKey(QString::fromLatin1(word))) << '"' << word << '"';
    EXPECT_EQ(moduleKindKeyChoices(), "tessel or threshold");
}

TEST(ModuleKind, each_kind_reads_back_from_its_word_and_its_identity_reply) {
    for (const ModuleKind kind : kAllKinds) {
        EXPECT_EQ(moduleKindFromKey(moduleKindKey(kind)), kind);
        const QByteArray reply = identityReplyOf(kind);
        EXPECT_EQ(moduleKindFromIdentity(static_cast<quint8>(reply[0])), kind);
    }
    EXPECT_EQ(moduleKindName(ModuleKind::Tessel), "Tessel module");
    EXPECT_EQ(moduleKindName(ModuleKind::Threshold), "Threshold module");
}

TEST(ModuleKind, identity_bytes_other_than_one_and_two_are_unknown_kinds) {
    EXPECT_EQ(moduleKindFromIdentity(1), ModuleKind::Tessel);
    EXPECT_EQ(moduleKindFromIdentity(2), ModuleKind::Threshold);
    for (int b : {0, 3, 255, -1})
        EXPECT_FALSE(moduleKindFromIdentity(b)) << b;
    const wire::IdentityReply unknown{{7, 0, 0, 0, 3, 208}};
    EXPECT_FALSE(unknown.moduleKind());
    EXPECT_EQ(wire::identityLine(unknown),
              "unknown module kind 7, other radio, firmware version 3, release year 2008");
}
