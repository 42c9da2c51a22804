// SPDX-License-Identifier: Apache-2.0
#pragma once

// Ports as the system describes them: a motherboard port it knows nothing about, and a USB
// adapter with every fact filled in.

#include "link/ports/PortFacts.h"

namespace tessel::testing {

inline PortFacts motherboardPort() {
    PortFacts port;
    port.name = QStringLiteral("ttyS0");
    port.device = QStringLiteral("/dev/ttyS0");
    return port;
}

inline PortFacts usbAdapter(const QString &name = QStringLiteral("ttyUSB0")) {
    PortFacts port;
    port.name = name;
    port.device = QStringLiteral("/dev/") + name;
    port.description = QStringLiteral("FT232R USB UART");
    port.manufacturer = QStringLiteral("Adapter Maker");
    port.serialNumber = QStringLiteral("A50285BI");
    port.vendorId = 0x0403;
    port.productId = 0x6001;
    port.stableName = QStringLiteral("/dev/serial/by-id/usb-Adapter_Maker_A50285BI-if00-port0");
    return port;
}

} // namespace tessel::testing
