// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/PortListing.h"

#include "cli/commands/CommandLine.h"
#include "cli/commands/JsonOutput.h"
#include "cli/commands/Terminal.h"

#include <QJsonArray>
#include <array>

namespace tessel {

namespace {
constexpr int kColumns = 7;
using Row = std::array<QString, kColumns>;

Row factsOf(const PortFacts &port) {
    return {port.name,         port.device,       port.stableName,     port.description,
            port.manufacturer, port.serialNumber, port.vendorProduct()};
}

// The JSON keys and the table's headings, column by column.
constexpr std::array<const char *, kColumns> kKeys = {
    "name", "device", "byIdPath", "description", "manufacturer", "serialNumber", "vendorProduct"};
constexpr std::array<const char *, kColumns> kHeadings = {
    "NAME", "DEVICE", "BY-ID PATH", "DESCRIPTION", "MANUFACTURER", "SERIAL", "VID:PID"};
} // namespace

QJsonObject portsJson(const QList<PortFacts> &ports) {
    QJsonArray list;
    for (const PortFacts &port : ports) {
        const Row facts = factsOf(port);
        QJsonObject o;
        for (int c = 0; c < kColumns; ++c) {
            o.insert(QLatin1String(kKeys[c]),
                     facts[c].isEmpty() ? QJsonValue() : QJsonValue(facts[c]));
        }
        list.append(o);
    }
    return versioned({{QStringLiteral("ports"), list}});
}

QString portsTable(const QList<PortFacts> &ports) {
    QList<Row> rows;
    Row heading;
    for (int c = 0; c < kColumns; ++c)
        heading[c] = QLatin1String(kHeadings[c]);
    rows << heading;
    for (const PortFacts &port : ports) {
        Row facts = factsOf(port);
        for (QString &fact : facts) {
            if (fact.isEmpty())
                fact = QStringLiteral("-");
        }
        rows << facts;
    }
    std::array<qsizetype, kColumns> widths{};
    for (const Row &row : rows) {
        for (int c = 0; c < kColumns; ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    QString table;
    for (const Row &row : rows) {
        QString line;
        for (int c = 0; c < kColumns; ++c)
            line += row[c].leftJustified(widths[c] + 2);
        table += line.trimmed() + QLatin1Char('\n');
    }
    return table;
}

int listPorts(const PortSource &source, bool json) {
    const QList<PortFacts> ports = source.ports();
    if (ports.isEmpty() && !json) {
        printLine(stdout, QStringLiteral("No serial ports are present."));
        return exitcode::kSuccess;
    }
    printText(json ? jsonText(portsJson(ports)) : portsTable(ports).toLocal8Bit());
    return exitcode::kSuccess;
}

} // namespace tessel
