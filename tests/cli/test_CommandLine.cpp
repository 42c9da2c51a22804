#include "cli/CommandLine.h"
#include "cli/CommandRequest.h"

#include <gtest/gtest.h>

using tessel::isCommandLineInvocation;
using tessel::ModuleKind;
using tessel::parseCommandRequest;

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

TEST(CommandRequest, everyArgumentLandsInItsField) {
    const auto written =
        parseCommandRequest(args({"write", "--port", " ttyUSB0 ", "p.txt", "--verify"}));
    ASSERT_TRUE(written.error.isEmpty()) << written.error.toStdString();
    EXPECT_EQ(written.request.command, QStringLiteral("write"));
    EXPECT_EQ(written.request.port, QStringLiteral("ttyUSB0"));
    EXPECT_EQ(written.request.file, QStringLiteral("p.txt"));
    EXPECT_TRUE(written.request.verify);
    EXPECT_FALSE(written.request.simulate.has_value());

    const auto read = parseCommandRequest(args({"read", "-simulate", "threshold", "-o", "-"}));
    ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EXPECT_EQ(read.request.simulate, ModuleKind::Threshold);
    EXPECT_EQ(read.request.output, QStringLiteral("-"));
    EXPECT_FALSE(read.request.verify);
}

TEST(CommandRequest, optionsOfOneCommandOrOnePlaceAreRefusedElsewhere) {
    const auto check = [](std::initializer_list<const char *> words, const char *expected) {
        const auto parsed = parseCommandRequest(args(words));
        EXPECT_TRUE(parsed.error.contains(QLatin1String(expected))) << parsed.error.toStdString();
    };
    check({"write", "p.txt", "--port", "COM3", "-o", "out.txt"}, "belongs to read only");
    check({"identify", "--port", "COM3", "--simulate", "tessel"}, "not both");
    check({"factory-reset", "--port", "  "}, "needs --port NAME");
    check({}, "no command given");
}

TEST(CommandRequest, helpAndVersionNeedNothingElse) {
    const auto help = parseCommandRequest(args({"--help", "erase"}));
    EXPECT_TRUE(help.error.isEmpty());
    EXPECT_TRUE(help.request.help);
    EXPECT_TRUE(parseCommandRequest(args({"-v"})).request.version);
}
