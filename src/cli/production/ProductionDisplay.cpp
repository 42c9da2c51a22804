// SPDX-License-Identifier: Apache-2.0
#include "cli/production/ProductionDisplay.h"

#include "cli/commands/JsonOutput.h"
#include "cli/commands/Terminal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tessel {

namespace {
QString statusText(const StationEvent &e) {
    switch (e.type) {
    case StationEvent::Type::Waiting:
        return QStringLiteral("waiting for a module");
    case StationEvent::Type::Removed:
        return e.text.isEmpty() ? QStringLiteral("removed, waiting for a module")
                                : QStringLiteral("removed: ") + e.text;
    case StationEvent::Type::PortGone:
        return QStringLiteral("adapter gone, waiting for it");
    case StationEvent::Type::Identified:
        return e.text;
    case StationEvent::Type::Progress:
        return QStringLiteral("%1 block %2 of 0 to %3")
            .arg(e.phase == SessionPhase::Verifying ? QStringLiteral("verifying")
                                                    : QStringLiteral("programming"))
            .arg(e.block)
            .arg(kBlockCount - 1);
    case StationEvent::Type::Done:
        return QStringLiteral("OK, replace the module");
    case StationEvent::Type::Warning: // printed above the lines; the status stays
    case StationEvent::Type::Failed:
    case StationEvent::Type::PortFailed:
        break;
    }
    // The first line says what went wrong; the whole account is printed above the lines.
    return QStringLiteral("FAILED: ") + e.text.section(QLatin1Char('\n'), 0, 0);
}

// "port: FAILED (result): first line", then the report's other lines indented below it.
QString failedModuleText(const ModuleRecord &r) {
    QString text = r.message;
    if (!r.unit.isEmpty()) {
        text += r.unitMayBeStored
                    ? QStringLiteral("\nThe unit %1 is marked partly stored in this module; once "
                                     "decided, \"tessel-config records units --put-back %1\" "
                                     "gives it out again.")
                          .arg(r.unit)
                    : QStringLiteral("\nThe unit %1 is back among those left.").arg(r.unit);
    }
    text.replace(QLatin1Char('\n'), QStringLiteral("\n  "));
    return QStringLiteral("%1: FAILED (%2): %3").arg(r.port, resultKey(r.result), text);
}

// What is said of a module that did not end ok: nothing to do, or what went wrong.
QString moduleNote(const ModuleRecord &r) {
    if (r.result == ModuleResult::AlreadyProgrammed)
        return QStringLiteral("%1: already programmed: %2").arg(r.port, r.message);
    return failedModuleText(r);
}

// The columns of the terminal on standard output; lines longer than it would wrap and leave
// copies behind each redraw.
int terminalColumns() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

QString fitted(const QString &line, int columns) {
    if (line.size() < columns)
        return line;
    return line.left(std::max(0, columns - 4)) + QStringLiteral("...");
}

QString eventKey(StationEvent::Type type) {
    switch (type) {
    case StationEvent::Type::Waiting:
        return QStringLiteral("waiting");
    case StationEvent::Type::Removed:
        return QStringLiteral("removed");
    case StationEvent::Type::PortGone:
        return QStringLiteral("adapter-gone");
    case StationEvent::Type::Identified:
        return QStringLiteral("identified");
    case StationEvent::Type::Progress:
        return QStringLiteral("progress");
    case StationEvent::Type::Done:
        return QStringLiteral("done");
    case StationEvent::Type::Failed:
        return QStringLiteral("failed");
    case StationEvent::Type::Warning:
        return QStringLiteral("warning");
    case StationEvent::Type::PortFailed:
        break;
    }
    return QStringLiteral("port-failed");
}

QString totalsText(const ProductionTotals &t) {
    const QString text =
        QStringLiteral("%1 ok, %2 failed, %3 refused").arg(t.ok).arg(t.failed).arg(t.refused);
    return t.already == 0 ? text : text + QStringLiteral(", %1 already programmed").arg(t.already);
}

QJsonObject totalsJson(const ProductionTotals &t) {
    return {{QStringLiteral("ok"), t.ok},
            {QStringLiteral("failed"), t.failed},
            {QStringLiteral("refused"), t.refused},
            {QStringLiteral("alreadyProgrammed"), t.already}};
}
} // namespace

ProductionDisplay::Mode displayModeFor(bool json) {
    if (json)
        return ProductionDisplay::Mode::Json;
    return cursorTerminal(STDOUT_FILENO) ? ProductionDisplay::Mode::Live
                                         : ProductionDisplay::Mode::Plain;
}

ProductionDisplay::ProductionDisplay(Mode mode, const QStringList &ports)
    : m_mode(mode), m_ports(ports) {
    for (qsizetype i = 0; i < ports.size(); ++i)
        m_status << QStringLiteral("opening");
}

void ProductionDisplay::emitJson(const QJsonObject &object) {
    printLine(stdout,
              QString::fromUtf8(QJsonDocument(versioned(object)).toJson(QJsonDocument::Compact)));
}

void ProductionDisplay::show(const StationEvent &e, const ProductionTotals &totals) {
    switch (m_mode) {
    case Mode::Json: {
        QJsonObject object{{QStringLiteral("event"), eventKey(e.type)},
                           {QStringLiteral("port"), e.port}};
        if (e.type == StationEvent::Type::Progress) {
            object.insert(QStringLiteral("phase"), e.phase == SessionPhase::Verifying
                                                       ? QStringLiteral("verifying")
                                                       : QStringLiteral("programming"));
            object.insert(QStringLiteral("block"), e.block);
            object.insert(QStringLiteral("blocks"), kBlockCount);
        }
        if (!e.text.isEmpty())
            object.insert(QStringLiteral("message"), e.text);
        emitJson(object);
        return;
    }
    case Mode::Plain:
        if (e.type == StationEvent::Type::PortFailed)
            printLine(stderr, QStringLiteral("tessel-config: %1: %2").arg(e.port, e.text));
        else if (e.type == StationEvent::Type::PortGone)
            printLine(stderr, QStringLiteral("tessel-config: %1: %2 (adapter gone, waiting for it)")
                                  .arg(e.port, e.text));
        else if ((e.type == StationEvent::Type::Removed && !e.text.isEmpty()) ||
                 e.type == StationEvent::Type::Warning)
            printLine(stderr, QStringLiteral("tessel-config: %1: %2").arg(e.port, e.text));
        return;
    case Mode::Live:
        if (e.type == StationEvent::Type::Warning) {
            printAbove(stderr, QStringLiteral("tessel-config: %1: %2").arg(e.port, e.text));
            redraw(totals);
            return;
        }
        m_status[e.station] = statusText(e);
        redraw(totals);
        return;
    }
}

void ProductionDisplay::moduleFinished(const ModuleRecord &r, const ProductionTotals &totals) {
    switch (m_mode) {
    case Mode::Json: {
        QJsonObject object = recordJson(r);
        object.insert(QStringLiteral("event"), QStringLiteral("module"));
        object.insert(QStringLiteral("totals"), totalsJson(totals));
        emitJson(object);
        return;
    }
    case Mode::Plain:
        if (!r.warning.isEmpty())
            printLine(stderr, QStringLiteral("tessel-config: %1: %2").arg(r.port, r.warning));
        printLine(stdout, r.ok() ? QStringLiteral("%1: OK%2 (%3 s)")
                                       .arg(r.port, r.unit.isEmpty() ? QString()
                                                                     : QLatin1Char(' ') + r.unit)
                                       .arg(r.seconds)
                                 : moduleNote(r));
        return;
    case Mode::Live:
        std::fputc('\a', stdout);
        if (!r.warning.isEmpty())
            printAbove(stderr, QStringLiteral("tessel-config: %1: %2").arg(r.port, r.warning));
        if (!r.ok())
            printAbove(stdout, moduleNote(r));
        redraw(totals);
        return;
    }
}

void ProductionDisplay::stopping(const QString &why) {
    if (m_mode == Mode::Json)
        emitJson({{QStringLiteral("event"), QStringLiteral("stopping")},
                  {QStringLiteral("message"), why}});
    else
        printAbove(stderr, QStringLiteral("tessel-config: ") + why);
}

void ProductionDisplay::note(const QString &text) {
    if (m_mode == Mode::Json)
        emitJson(
            {{QStringLiteral("event"), QStringLiteral("note")}, {QStringLiteral("message"), text}});
    else
        printAbove(stderr, text);
}

void ProductionDisplay::printAbove(FILE *stream, const QString &text) {
    // The status lines are taken away and drawn again below the text, so that it stays on
    // the screen as the lines change.
    if (m_drawn) {
        std::fprintf(stdout, "\033[%dA\r\033[J", static_cast<int>(m_ports.size()) + 1);
        std::fflush(stdout);
    }
    printLine(stream, text);
    m_drawn = false;
}

void ProductionDisplay::finished(const ProductionTotals &totals) {
    if (m_mode == Mode::Json) {
        emitJson({{QStringLiteral("event"), QStringLiteral("totals")},
                  {QStringLiteral("totals"), totalsJson(totals)}});
        return;
    }
    if (m_mode == Mode::Live)
        redraw(totals);
    printLine(stdout, QStringLiteral("Totals: ") + totalsText(totals));
}

void ProductionDisplay::redraw(const ProductionTotals &totals) {
    if (m_drawn)
        std::fprintf(stdout, "\033[%dA", static_cast<int>(m_ports.size()) + 1);
    const int columns = terminalColumns();
    for (qsizetype i = 0; i < m_ports.size(); ++i) {
        const QString line = m_ports.at(i) + QStringLiteral(": ") + m_status.at(i);
        std::fprintf(stdout, "\r\033[K%s\n", qPrintable(fitted(line, columns)));
    }
    std::fprintf(stdout, "\r\033[K%s\n", qPrintable(totalsText(totals)));
    std::fflush(stdout);
    m_drawn = true;
}

} // namespace tessel
