#include "cli/CommandLine.h"

#include <gtest/gtest.h>

using tessel::isCommandLineInvocation;

namespace {
QStringList args(std::initializer_list<const char *> words) {
    QStringList list{QStringLiteral("tessel-config")};
    for (const char *w : words)
        list << QString::fromLatin1(w);
    return list;
}
} // namespace

TEST(CommandLineInvocation, windowOptionsAloneOpenTheWindow) {
    EXPECT_FALSE(isCommandLineInvocation(args({})));
    EXPECT_FALSE(isCommandLineInvocation(args({"--port", "COM3"})));
    EXPECT_FALSE(isCommandLineInvocation(args({"--simulate", "threshold"})));
    EXPECT_FALSE(isCommandLineInvocation(args({"--port=ttyUSB0"})));
    // A port or kind that happens to read like a command is still the option's value.
    EXPECT_FALSE(isCommandLineInvocation(args({"--port", "read"})));
    EXPECT_FALSE(isCommandLineInvocation(args({"--simulate", "diff"})));
}

TEST(CommandLineInvocation, commandsHelpAndVersionRunWithoutTheWindow) {
    for (const char *command : {"identify", "read", "write", "factory-reset", "diff"}) {
        EXPECT_TRUE(isCommandLineInvocation(args({command})));
        EXPECT_TRUE(isCommandLineInvocation(args({"--port", "COM3", command})));
    }
    EXPECT_TRUE(isCommandLineInvocation(args({"--help"})));
    EXPECT_TRUE(isCommandLineInvocation(args({"-h"})));
    EXPECT_TRUE(isCommandLineInvocation(args({"--version"})));
    EXPECT_TRUE(isCommandLineInvocation(args({"--port", "COM3", "--version"})));
}

TEST(CommandLineInvocation, aStrayWordIsReportedRatherThanIgnored) {
    EXPECT_TRUE(isCommandLineInvocation(args({"reed", "--port", "COM3"})));
    EXPECT_TRUE(isCommandLineInvocation(args({"--", "read"})));
}
