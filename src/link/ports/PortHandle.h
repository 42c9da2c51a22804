// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <sys/types.h>

namespace tessel {

// Settings made on an open port's file handle, below what QSerialPort offers.

// Asks the driver to pass each received byte on at once. A USB adapter otherwise holds bytes
// for its latency timer (16 ms on the common ones), so that each short reply of the module
// waits that long and a whole-memory read runs many times slower than the line. False where
// the driver refuses (a pseudo-terminal, a port without the setting): that is not an error.
bool requestLowLatency(int handle);

// Takes the advisory lock that serial programs such as terminal emulators take (flock), so
// that they see the port as busy; false when another program holds it already. Where the
// system has no such lock the port counts as ours.
bool holdExclusively(int handle);

// A port this process has open, known by its device number, so that the same port opened
// again under another name (a /dev/serial/by-id link and ttyUSB0) is told as such rather
// than as another program's. Registered while the object lives.
class PortClaim {
public:
    PortClaim(int handle, QString device);
    ~PortClaim();
    PortClaim(const PortClaim &) = delete;
    PortClaim &operator=(const PortClaim &) = delete;

    // The name under which this process holds the device at `path`; empty when it does not.
    [[nodiscard]] static QString heldAs(const QString &path);

private:
    dev_t m_device = 0;
};

} // namespace tessel
