// SPDX-License-Identifier: Apache-2.0
#include "link/ports/OpenFailure.h"

#include <QCoreApplication>

namespace tessel {

// The context the windows translate this file's texts in.
struct OpenFailure {
    Q_DECLARE_TR_FUNCTIONS(tessel::OpenFailure)
};

namespace {
using Kind = DeviceEvidence::Kind;

// "COM9 means /dev/ttyS8" where the name hides the device; the device alone where the name
// says it already (ttyUSB0, /dev/ttyUSB0).
bool nameSaysDevice(const QString &port, const QString &device) {
    return port == device || QStringLiteral("/dev/") + port == device;
}

QString nameAndDevice(const QString &port, const QString &device) {
    return nameSaysDevice(port, device) ? device : QStringLiteral("%1 means %2").arg(port, device);
}

// "COM1 (/dev/ttyS0)" where the name hides the device.
QString portWithDevice(const QString &port, const QString &device) {
    return nameSaysDevice(port, device) ? device : QStringLiteral("%1 (%2)").arg(port, device);
}

// A name the operator may have mistyped: say what it meant, then what there is to choose from.
QString nothingBehind(const QString &named, const QString &device, const QString &what,
                      const QList<PortFacts> &present) {
    const QString which = named == device ? QString() : QStringLiteral(", which");
    return QStringLiteral("%1%2 %3\n%4").arg(named, which, what, portsPresentText(present));
}

QString inUse(const QString &port, const DeviceEvidence &evidence) {
    QString holder;
    if (evidence.lockHolder) {
        holder = evidence.lockHolderName.isEmpty()
                     ? OpenFailure::tr(" (process %1)").arg(*evidence.lockHolder)
                     : OpenFailure::tr(" (%1, process %2)")
                           .arg(evidence.lockHolderName)
                           .arg(*evidence.lockHolder);
    }
    return QStringLiteral("%1 is in use by another program%2. Close that program, or choose "
                          "another port.")
        .arg(port, holder);
}

QString permissionDenied(const QString &port, const QString &device,
                         const DeviceEvidence &evidence) {
    const QString denied =
        OpenFailure::tr("Cannot open %1: permission denied.").arg(portWithDevice(port, device));
    const QString group = evidence.ownerGroup;
    if (group.isEmpty() || !evidence.groupMayOpen)
        return denied + OpenFailure::tr(" Only the owner of %1 may open it; ask the "
                                        "administrator to give it to the dialout group.")
                            .arg(device);
    if (evidence.groupNotYetActive)
        return denied + OpenFailure::tr(" You belong to the group %1, which owns the device, but "
                                        "this login started before you were added: log out and "
                                        "in again.")
                            .arg(group);
    return denied + OpenFailure::tr(" Your user must belong to the group %1, which owns the "
                                    "device: sudo usermod -aG %1 $USER, then log out and in "
                                    "again.")
                        .arg(group);
}
} // namespace

QString explainOpenFailure(const QString &portName, const QString &device,
                           const DeviceEvidence &evidence, const QList<PortFacts> &present,
                           const QString &systemText) {
    const QString port = portName.trimmed().isEmpty() ? device : portName.trimmed();
    const QString named = nameAndDevice(port, device);
    switch (evidence.kind) {
    case Kind::Missing:
        return nothingBehind(named, device, OpenFailure::tr("does not exist."), present);
    case Kind::NoHardware:
        return nothingBehind(named, device,
                             OpenFailure::tr("has no serial port behind it: the system keeps "
                                             "the name, but no hardware answers."),
                             present);
    case Kind::NotADevice:
        return QStringLiteral("%1 is not a serial port: it is %2.").arg(device, evidence.fileKind);
    case Kind::NotATerminal:
        return QStringLiteral("%1 is not a serial port.").arg(device);
    case Kind::Device:
    case Kind::Unknown:
        break;
    }
    if (!evidence.openHere.isEmpty())
        return QStringLiteral("%1 is already open in this program as %2: they are two names of "
                              "the same port. Give each port once.")
            .arg(port, evidence.openHere);
    if (evidence.lockHolder || evidence.busy)
        return inUse(port, evidence);
    if (evidence.accessDenied)
        return permissionDenied(port, device, evidence);
    return OpenFailure::tr("Cannot open %1: %2.").arg(portWithDevice(port, device), systemText);
}

} // namespace tessel
