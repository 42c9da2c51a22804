// SPDX-License-Identifier: Apache-2.0
#include "cli/production/ProgramCommand.h"

#include "cli/commands/CommandLine.h"
#include "cli/commands/InterruptWatch.h"
#include "cli/commands/Terminal.h"
#include "cli/production/ProductionDisplay.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <unistd.h>

namespace tessel {

namespace {
// The labels a scanner types on standard input, each ended by Enter, for the next modules
// that need a unit.
void readScanner(UnitDispenser &units) {
    auto *scanner = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &units);
    auto typed = std::make_shared<QByteArray>();
    QObject::connect(scanner, &QSocketNotifier::activated, &units, [scanner, typed, &units] {
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            scanner->setEnabled(false); // the scanner is gone; scans already made stay
            return;
        }
        typed->append(buffer, n);
        qsizetype end = 0;
        while ((end = typed->indexOf('\n')) >= 0) {
            units.scanned(QString::fromUtf8(typed->left(end)));
            typed->remove(0, end + 1);
        }
    });
}

// The run on the terminal: what it shows, and the signals that stop it.
class ProgramCommand {
public:
    ProgramCommand(ProductionRequest request, bool json)
        : m_scan(request.scan), m_display(displayModeFor(json), request.ports),
          m_run(std::move(request)) {
        QObject::connect(&m_run, &ProductionRun::stationEvent, &m_run,
                         [this](const StationEvent &e) {
                             m_display.show(e, m_run.totals());
                             stopIfOutputClosed();
                         });
        QObject::connect(&m_run, &ProductionRun::moduleFinished, &m_run,
                         [this](const ModuleRecord &record) {
                             m_display.moduleFinished(record, m_run.totals());
                             stopIfOutputClosed();
                         });
        QObject::connect(
            &m_run, &ProductionRun::recordFailed, &m_run,
            [this](const QString &error) { m_status = fail(exitcode::kBadInput, error); });
        QObject::connect(&m_run, &ProductionRun::stopping, &m_run,
                         [this](const QString &why) { m_display.stopping(why); });
        QObject::connect(&m_run, &ProductionRun::note, &m_run,
                         [this](const QString &text) { m_display.note(text); });
        QObject::connect(&m_run, &ProductionRun::ended, &m_loop, &QEventLoop::quit);
    }

    int exec() {
        if (const QString error = m_run.start(); !error.isEmpty())
            return fail(exitcode::kBadInput, error);
        if (m_scan && m_run.units())
            readScanner(*m_run.units());
        // Station signals arrive through this loop; it ends with the last station.
        m_loop.exec();

        const ProductionTotals &totals = m_run.totals();
        m_display.finished(totals);
        if (m_status != 0)
            return m_status;
        if (m_signal != 0)
            return exitcode::kSignalled + m_signal;
        if (totals.failed > 0)
            return statusAfterOutput(exitcode::kNotStored);
        return statusAfterOutput(m_run.stopped() ? exitcode::kSuccess : exitcode::kNoModule);
    }

    // Ctrl-C: the first stops the run, the second also ends the stores under way after the
    // block in flight. SIGTERM and SIGHUP (the operator's terminal is gone) do both at once,
    // and the run ends with 128 and the signal's number.
    void interrupt(int signal) {
        if (signal != SIGINT) {
            m_signal = signal;
            m_run.stop(signal == SIGHUP
                           ? QStringLiteral("hang-up (SIGHUP): no new module is started")
                           : QStringLiteral("SIGTERM: no new module is started"));
            m_run.endStores(QStringLiteral("stores end after the block in flight"));
            return;
        }
        if (!m_run.stopped()) {
            m_run.stop(QStringLiteral("interrupted: no new module is started; finishing those in "
                                      "progress (Ctrl-C again stops their stores after the block "
                                      "in flight)"));
            return;
        }
        m_run.endStores(QStringLiteral("interrupted again: stores end after the block in flight"));
    }

private:
    // Nothing more reaches the reader of standard output: the run ends as after Ctrl-C.
    void stopIfOutputClosed() {
        if (outputPipeClosed())
            m_run.stop(QStringLiteral("the output was closed: no new module is started; "
                                      "finishing those in progress"));
    }

    bool m_scan;
    ProductionDisplay m_display;
    ProductionRun m_run;
    QEventLoop m_loop;
    int m_status = 0; // an exit status decided during the run (the record failed)
    int m_signal = 0; // SIGTERM or SIGHUP, which decide the exit status
};
} // namespace

int runProduction(ProductionRequest request, bool json) {
    ProgramCommand command(std::move(request), json);
    InterruptWatch interrupts;
    QObject::connect(&interrupts, &InterruptWatch::interrupted, &interrupts,
                     [&command](int signal) { command.interrupt(signal); });
    return command.exec();
}

} // namespace tessel
