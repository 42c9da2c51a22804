// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tessel {

// What the file system and the kernel say about a device path, gathered after an open failed
// so that the message can name the real cause instead of the serial library's guess.
struct DeviceEvidence {
    enum class Kind {
        Unknown,      // not inspected (no such inspection on this system)
        Missing,      // nothing at that path, or a link to nothing
        NotADevice,   // a regular file, a directory...
        NoHardware,   // a serial device name with no port behind it (ttyS4 on most laptops)
        NotATerminal, // a device, but not a serial one (/dev/null)
        Device,       // a character device; a serial one as far as could be seen
    };
    Kind kind = Kind::Unknown;
    QString fileKind; // for NotADevice: "a regular file", "a directory"

    // This program holds the port already, under this name: the same port was given twice.
    QString openHere;
    // A lock file names the process holding the port, when that process still runs.
    std::optional<qint64> lockHolder;
    QString lockHolderName; // its command name, where the system shows it
    // Opened exclusively (TIOCEXCL) or flock-ed by another program.
    bool busy = false;

    bool accessDenied = false;
    QString ownerGroup;        // the group owning the device ("dialout")
    bool groupMayOpen = false; // whether that group may read and write it
    // The user is listed in that group but this login session does not have it yet.
    bool groupNotYetActive = false;
};

// Where programs leave "LCK..ttyUSB0" files naming the process that holds a port.
[[nodiscard]] QStringList standardLockFolders();

// Looks at the device (following links such as /dev/serial/by-id names), its lock files in
// the given folders, and, where that says nothing, opens it briefly without becoming its
// controlling terminal to see whether the kernel lets us, and whether another program holds
// it. Nothing is written to the device.
[[nodiscard]] DeviceEvidence inspectDevice(const QString &device,
                                           const QStringList &lockFolders = standardLockFolders());

// The process named by a lock file for the device in one of the folders, when it still runs.
[[nodiscard]] std::optional<qint64> lockHolderOf(const QString &device,
                                                 const QStringList &lockFolders);

} // namespace tessel
