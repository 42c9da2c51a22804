// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/WindowRequest.h"

#include <QCommandLineParser>

namespace tessel {

namespace {
QCommandLineOption qtOption(const QString &name, const QString &valueName = {}) {
    QCommandLineOption option(name, QStringLiteral("Qt's own option"), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}
} // namespace

const QStringList &qtOptionsWithValue() {
    static const QStringList names = {QStringLiteral("platform"),
                                      QStringLiteral("platformpluginpath"),
                                      QStringLiteral("platformtheme"),
                                      QStringLiteral("plugin"),
                                      QStringLiteral("qwindowgeometry"),
                                      QStringLiteral("geometry"),
                                      QStringLiteral("qwindowtitle"),
                                      QStringLiteral("title"),
                                      QStringLiteral("qwindowicon"),
                                      QStringLiteral("icon"),
                                      QStringLiteral("style"),
                                      QStringLiteral("stylesheet"),
                                      QStringLiteral("session"),
                                      QStringLiteral("display"),
                                      QStringLiteral("name"),
                                      QStringLiteral("qmljsdebugger")};
    return names;
}

ParsedWindowRequest parseWindowRequest(const QStringList &arguments) {
    const QCommandLineOption simulate(QStringLiteral("simulate"), QStringLiteral("simulate"),
                                      QStringLiteral("KIND"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("port"),
                                  QStringLiteral("NAME"));
    const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("trace"),
                                   QStringLiteral("FILE"));
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({simulate, port, trace});
    for (const QString &name : qtOptionsWithValue())
        parser.addOption(qtOption(name, QStringLiteral("VALUE")));
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        parser.addOption(qtOption(QString::fromLatin1(name)));

    ParsedWindowRequest parsed;
    WindowRequest &r = parsed.request;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    for (const QCommandLineOption *option : {&simulate, &port, &trace}) {
        if (parser.values(*option).size() > 1) {
            parsed.error =
                QStringLiteral("--%1 is given more than once").arg(option->names().constFirst());
            return parsed;
        }
    }
    if (parser.isSet(simulate)) {
        r.simulate = moduleKindFromKey(parser.value(simulate));
        if (!r.simulate) {
            parsed.error = QStringLiteral("--simulate takes ") + moduleKindKeyChoices();
            return parsed;
        }
    }
    if (parser.isSet(port)) {
        r.port = parser.value(port).trimmed();
        if (r.port.isEmpty())
            parsed.error = QStringLiteral("--port needs a port name (COM3, ttyUSB0 or a path)");
    }
    if (r.simulate && parser.isSet(port))
        parsed.error = QStringLiteral("give either --port or --simulate, not both");
    QStringList files = parser.positionalArguments();
    r.production = files.value(0) == QLatin1String("production");
    if (r.production) {
        files.removeFirst();
        if (!files.isEmpty() || r.simulate || !r.port.isEmpty())
            parsed.error = QStringLiteral("production takes its profile, units and ports in its "
                                          "window, not as arguments");
    }
    if (files.size() > 1)
        parsed.error = QStringLiteral("the window opens one profile, not %1").arg(files.size());
    r.profile = files.value(0);
    r.trace = parser.value(trace);
    if (parser.isSet(trace) && r.trace.isEmpty())
        parsed.error = QStringLiteral("--trace needs a file name (or - for standard error)");
    r.platformGiven = parser.isSet(QStringLiteral("platform"));
    return parsed;
}

QString missingDisplayMessage(const WindowRequest &request) {
#ifdef Q_OS_LINUX
    const bool anyDisplay = !qEnvironmentVariableIsEmpty("DISPLAY") ||
                            !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                            !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!anyDisplay && !request.platformGiven) {
        return QStringLiteral(
            "no display to open the window on: neither DISPLAY nor WAYLAND_DISPLAY is set. "
            "Run it in a desktop session (or with ssh -X), or use the commands, which need "
            "no window (tessel-config --help)");
    }
#else
    Q_UNUSED(request)
#endif
    return {};
}

} // namespace tessel
