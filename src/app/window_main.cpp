// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/CommandLine.h"
#include "cli/commands/Terminal.h"
#include "cli/commands/WindowRequest.h"
#include "link/protocol/WireTrace.h"
#include "ui/production/ProductionWindow.h"
#include "ui/shell/Application.h"
#include "ui/shell/WindowLanguage.h"
#include "ui/widgets/Readability.h"

#include <QApplication>
#include <QTimer>

using namespace tessel;

namespace {
constexpr int kKeptExchanges = 10000;
} // namespace

// Started by the command program for a run that asks for a window, with the arguments it was given
// (already checked there, and checked again here for a run started directly).
int main(int argc, char *argv[]) {
    const ParsedWindowRequest parsed = parseWindowRequest(argumentsOf(argc, argv));
    if (!parsed.error.isEmpty())
        return fail(exitcode::kBadInput, parsed.error + QStringLiteral(" (try --help)"));
    // The window keeps the last exchanges for Help > Save Wire Trace.
    TraceLog trace(kKeptExchanges);
    if (!parsed.request.trace.isEmpty()) {
        if (const QString error = trace.writeTo(parsed.request.trace); !error.isEmpty())
            return fail(exitcode::kBadInput, error);
    }
    QApplication app(argc, argv);
    nameTheApplication();
    const WindowLanguage language;
    if (parsed.request.production) {
        applyPaletteFromEnvironment();
        ProductionWindow window(userBackups());
        window.show();
        return QApplication::exec();
    }

    StartOptions options;
    options.simulate = parsed.request.simulate;
    if (!parsed.request.port.isEmpty())
        options.port = parsed.request.port;
    options.profile = parsed.request.profile;
    options.backups = userBackups();

    Application application(options);
    // Start once the event loop runs, so that Cancel and closing a window can end it.
    QTimer::singleShot(0, &application, &Application::start);
    const int status = QApplication::exec();
    return status != 0 ? status : application.exitCode();
}
