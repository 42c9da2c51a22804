// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace tessel {

// What the system knows of one serial port. Every text may be empty: a motherboard port has
// no manufacturer, and only USB devices get a stable name under /dev/serial/by-id.
struct PortFacts {
    QString name;   // as the operator picks it: "ttyUSB0"
    QString device; // "/dev/ttyUSB0"
    QString description;
    QString manufacturer;
    QString serialNumber;
    std::optional<quint16> vendorId;
    std::optional<quint16> productId;
    QString stableName; // "/dev/serial/by-id/usb-...-if00-port0", survives re-plugging

    // A plug-in adapter: the system reports a vendor only for ports on a bus such as USB;
    // motherboard ports (ttyS*) have none.
    [[nodiscard]] bool isUsbAdapter() const { return vendorId.has_value(); }
    // "0403:6001", or empty when the vendor is unknown.
    [[nodiscard]] QString vendorProduct() const;
    // One line for lists: the name and what is known of the device behind it.
    [[nodiscard]] QString summary() const;

    bool operator==(const PortFacts &) const = default;
};

inline constexpr const char *kDefaultPortName = "COM1";

// The port to offer when nothing was remembered: the one USB adapter when exactly one is
// plugged in (a laptop's technician has no other), else COM1 as always. A remembered name
// always wins, present or not.
[[nodiscard]] QString portToPreselect(const std::optional<QString> &remembered,
                                      const QList<PortFacts> &ports);

// The port present that `name` means: its name as listed, its device ("/dev/ttyS0"), an old
// COM name for it ("COM1"), its stable by-id name or another link to it; null when none is.
[[nodiscard]] const PortFacts *findPort(const QString &name, const QList<PortFacts> &ports);

// "Ports present: ttyUSB0 (...), ttyS0." or "No serial ports are present."
[[nodiscard]] QString portsPresentText(const QList<PortFacts> &ports);

} // namespace tessel
