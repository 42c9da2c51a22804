#include "cli/CommandLine.h"
#include "cli/CommandRequest.h"
#include "cli/InterruptWatch.h"
#include "cli/PortListing.h"
#include "cli/WindowRequest.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <csignal>
#include <gtest/gtest.h>

using tessel::InterruptWatch;
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
    check({"read", "--port", "COM3", "--no-backup"}, "belong to write and factory-reset");
    check({"diff", "p.txt", "--port", "COM3", "--no-verify"}, "belong to write and factory-reset");
    check({"write", "p.txt", "--port", "COM3", "--verify", "--no-verify"}, "not both");
    check({"identify", "--port", "COM3", "--simulate", "tessel"}, "not both");
    check({"factory-reset", "--port", "  "}, "needs --port NAME");
    check({}, "no command given");
}

TEST(CommandRequest, storesAreVerifiedAndBackedUpUnlessTheOperatorSaysNo) {
    const auto request = [](std::initializer_list<const char *> words) {
        const auto parsed = parseCommandRequest(args(words));
        EXPECT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
        return std::pair(parsed.request.verify, parsed.request.backup);
    };
    EXPECT_EQ(request({"write", "p.txt", "--port", "COM3"}), std::pair(true, true));
    EXPECT_EQ(request({"write", "p.txt", "--port", "COM3", "--verify"}), std::pair(true, true));
    EXPECT_EQ(request({"factory-reset", "--port", "COM3"}), std::pair(true, true));
    EXPECT_EQ(request({"write", "p.txt", "--port", "COM3", "--no-verify"}), std::pair(false, true));
    EXPECT_EQ(request({"factory-reset", "--port", "COM3", "--no-backup", "--no-verify"}),
              std::pair(false, false));
    EXPECT_EQ(request({"read", "--port", "COM3"}), std::pair(false, false));
}

TEST(InterruptWatch, aSignalBecomesAnEventAndTheOldHandlerReturns) {
    int argc = 1;
    char name[] = "test";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    struct sigaction before {};
    sigaction(SIGTERM, nullptr, &before);
    {
        InterruptWatch watch;
        std::vector<int> seen;
        QObject::connect(&watch, &InterruptWatch::interrupted,
                         [&seen](int signal) { seen.push_back(signal); });
        // Raised with the watch in place, neither signal ends the test.
        ASSERT_EQ(std::raise(SIGINT), 0);
        ASSERT_EQ(std::raise(SIGTERM), 0);
        EXPECT_EQ(watch.received(), 0); // nothing until the event loop runs
        QCoreApplication::processEvents();
        EXPECT_EQ(seen, (std::vector{SIGINT, SIGTERM}));
        EXPECT_EQ(watch.received(), SIGINT);
    }
    struct sigaction after {};
    sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);

    // Started with SIGTERM ignored (nohup, a script's background job): it stays ignored.
    std::signal(SIGTERM, SIG_IGN);
    {
        InterruptWatch watch;
        ASSERT_EQ(std::raise(SIGTERM), 0);
        QCoreApplication::processEvents();
        EXPECT_EQ(watch.received(), 0);
    }
    sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
    std::signal(SIGTERM, before.sa_handler);
}

TEST(CommandRequest, helpAndVersionNeedNothingElse) {
    const auto help = parseCommandRequest(args({"--help", "erase"}));
    EXPECT_TRUE(help.error.isEmpty());
    EXPECT_TRUE(help.request.help);
    EXPECT_TRUE(parseCommandRequest(args({"-v"})).request.version);
}

TEST(CommandRequest, aChoiceMadeTwiceOrLeftEmptyIsRefusedNotGuessed) {
    const auto check = [](std::initializer_list<const char *> words, const char *expected) {
        const auto parsed = parseCommandRequest(args(words));
        EXPECT_TRUE(parsed.error.contains(QLatin1String(expected))) << parsed.error.toStdString();
    };
    check({"identify", "--port", "ttyUSB0", "--port", "ttyUSB1"}, "--port is given more than once");
    check({"read", "--simulate", "tessel", "-o", "a.txt", "--output", "b.txt"},
          "--output is given more than once");
    check({"read", "--simulate", "tessel", "-o", ""}, "needs a file name");
    check({"write", "--simulate", "tessel", "p.txt", "--json"}, "--json belongs to");
    check({"list-ports", "--port", "COM3"}, "takes no --port");
}

TEST(CommandRequest, aDashIsAFileArgumentAndJsonIsKeptWhereItBelongs) {
    const auto diff = parseCommandRequest(args({"diff", "--port", "COM3", "-", "--json"}));
    ASSERT_TRUE(diff.error.isEmpty()) << diff.error.toStdString();
    EXPECT_EQ(diff.request.file, QStringLiteral("-"));
    EXPECT_TRUE(diff.request.json);

    const auto ports = parseCommandRequest(args({"list-ports", "--json"}));
    ASSERT_TRUE(ports.error.isEmpty()) << ports.error.toStdString();
    EXPECT_EQ(ports.request.command, QStringLiteral("list-ports"));
    EXPECT_TRUE(ports.request.json);
}

TEST(CommandLineInvocation, qtOptionValuesAreNotMistakenForCommands) {
    EXPECT_FALSE(isCommandLineInvocation(args({"-style", "Fusion"})));
    EXPECT_FALSE(isCommandLineInvocation(args({"-platform", "offscreen", "--simulate", "tessel"})));
    EXPECT_FALSE(isCommandLineInvocation(args({"--style", "read"})));
    EXPECT_TRUE(isCommandLineInvocation(args({"-style", "Fusion", "read"})));
}

TEST(WindowRequest, qtOptionsPassAndEveryOtherMistakeIsAnError) {
    const auto accepted = tessel::parseWindowRequest(
        args({"-style", "Fusion", "-platform", "offscreen", "-reverse", "--port", " ttyUSB0 "}));
    ASSERT_TRUE(accepted.error.isEmpty()) << accepted.error.toStdString();
    EXPECT_EQ(accepted.request.port, QStringLiteral("ttyUSB0"));
    EXPECT_TRUE(accepted.request.platformGiven);

    const auto check = [](std::initializer_list<const char *> words, const char *expected) {
        const auto parsed = tessel::parseWindowRequest(args(words));
        EXPECT_TRUE(parsed.error.contains(QLatin1String(expected))) << parsed.error.toStdString();
    };
    check({"--simulate", "foo"}, "--simulate takes");
    check({"--bogus"}, "bogus");
    check({"--port", "a", "--port", "b"}, "more than once");
    check({"--port", "a", "--simulate", "tessel"}, "not both");
    check({"--port", ""}, "needs a port name");
}

TEST(WindowRequest, noDisplayIsToldBeforeQtWouldAbort) {
    const QByteArray saved[] = {qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"),
                                qgetenv("QT_QPA_PLATFORM")};
    const char *names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    for (const char *name : names)
        qunsetenv(name);
    const QString none = tessel::missingDisplayMessage({});
    tessel::WindowRequest offscreen;
    offscreen.platformGiven = true;
    const QString withPlatform = tessel::missingDisplayMessage(offscreen);
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    const QString withWayland = tessel::missingDisplayMessage({});
    for (int i = 0; i < 3; ++i) {
        if (saved[i].isNull())
            qunsetenv(names[i]);
        else
            qputenv(names[i], saved[i]);
    }
    EXPECT_TRUE(none.contains(QLatin1String("no display"))) << none.toStdString();
    EXPECT_TRUE(withPlatform.isEmpty());
    EXPECT_TRUE(withWayland.isEmpty());
}

TEST(PortListing, everyFactOfEachPortIsListedAndUnknownOnesStayVisible) {
    tessel::PortFacts adapter;
    adapter.name = QStringLiteral("ttyUSB0");
    adapter.device = QStringLiteral("/dev/ttyUSB0");
    adapter.description = QStringLiteral("USB Serial");
    adapter.manufacturer = QStringLiteral("Maker");
    adapter.serialNumber = QStringLiteral("A12");
    adapter.vendorId = 0x0403;
    adapter.productId = 0x6001;
    adapter.stableName = QStringLiteral("/dev/serial/by-id/usb-Maker-A12-if00-port0");
    tessel::PortFacts motherboard;
    motherboard.name = QStringLiteral("ttyS0");
    motherboard.device = QStringLiteral("/dev/ttyS0");
    const tessel::ListedPortSource source({adapter, motherboard});

    const QJsonArray ports =
        tessel::portsJson(source.ports()).value(QLatin1String("ports")).toArray();
    ASSERT_EQ(ports.size(), 2);
    const QJsonObject first = ports.at(0).toObject();
    EXPECT_EQ(first.value(QLatin1String("name")).toString(), adapter.name);
    EXPECT_EQ(first.value(QLatin1String("device")).toString(), adapter.device);
    EXPECT_EQ(first.value(QLatin1String("byIdPath")).toString(), adapter.stableName);
    EXPECT_EQ(first.value(QLatin1String("description")).toString(), adapter.description);
    EXPECT_EQ(first.value(QLatin1String("manufacturer")).toString(), adapter.manufacturer);
    EXPECT_EQ(first.value(QLatin1String("serialNumber")).toString(), adapter.serialNumber);
    EXPECT_EQ(first.value(QLatin1String("vendorProduct")).toString(), QStringLiteral("0403:6001"));
    const QJsonObject second = ports.at(1).toObject();
    EXPECT_EQ(second.keys(), first.keys());
    EXPECT_TRUE(second.value(QLatin1String("manufacturer")).isNull());

    const QStringList lines = tessel::portsTable(source.ports()).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines.at(1).startsWith(QLatin1String("ttyUSB0")));
    for (const QString &fact :
         {adapter.stableName, adapter.serialNumber, QStringLiteral("0403:6001")})
        EXPECT_TRUE(lines.at(1).contains(fact)) << fact.toStdString();
    // Columns line up: the device starts where its heading does on every line.
    const qsizetype column = lines.at(0).indexOf(QLatin1String("DEVICE"));
    EXPECT_EQ(lines.at(1).indexOf(adapter.device), column);
    EXPECT_EQ(lines.at(2).indexOf(motherboard.device), column);
    EXPECT_TRUE(lines.at(2).contains(QLatin1String(" - ")));
}
