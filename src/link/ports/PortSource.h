// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/ports/PortFacts.h"

#include <QHash>

namespace tessel {

// Where the list of ports comes from: the system, or a list a test plugs ports into.
class PortSource {
public:
    virtual ~PortSource() = default;
    // The ports present now, in a stable order (ttyS2 before ttyS10).
    [[nodiscard]] virtual QList<PortFacts> ports() const = 0;
};

// The ports the system reports, each with its stable /dev/serial/by-id name where udev made one.
class SystemPortSource final : public PortSource {
public:
    explicit SystemPortSource(QString stableNameFolder = QStringLiteral("/dev/serial/by-id"))
        : m_stableNameFolder(std::move(stableNameFolder)) {}
    [[nodiscard]] QList<PortFacts> ports() const override;

private:
    QString m_stableNameFolder;
};

// A list set by hand: ports plugged in and pulled out by a test, or a fixed set.
class ListedPortSource final : public PortSource {
public:
    explicit ListedPortSource(QList<PortFacts> ports = {}) : m_ports(std::move(ports)) {}
    [[nodiscard]] QList<PortFacts> ports() const override { return m_ports; }

    void plug(const PortFacts &port) { m_ports << port; }
    void unplug(const QString &name) {
        m_ports.removeIf([&](const PortFacts &port) { return port.name == name; });
    }

private:
    QList<PortFacts> m_ports;
};

// The links in a by-id folder, keyed by the real device each resolves to ("/dev/ttyUSB0").
[[nodiscard]] QHash<QString, QString> stableNamesIn(const QString &folder);

// Sorts by name as a person counts (ttyS2 before ttyS10) and fills in each stable name.
void arrangePorts(QList<PortFacts> &ports, const QHash<QString, QString> &stableNames);

} // namespace tessel
