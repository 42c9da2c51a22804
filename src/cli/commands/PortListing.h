// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/ports/PortSource.h"

#include <QJsonObject>

namespace tessel {

// list-ports: what the system knows of each serial port, for a person or for a script.

// {"ports": [{name, device, byIdPath, description, manufacturer, serialNumber,
// vendorProduct}, ...]}; a fact the system does not know is null.
QJsonObject portsJson(const QList<PortFacts> &ports);

// One heading line and one line a port, in aligned columns; "-" where a fact is unknown.
QString portsTable(const QList<PortFacts> &ports);

// Prints the ports of `source` on standard output; returns the exit status.
int listPorts(const PortSource &source, bool json);

} // namespace tessel
