// SPDX-License-Identifier: Apache-2.0
#include "link/ports/PortSource.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

namespace tessel {

namespace {
// Names compared as a person counts: "ttyS2" before "ttyS10". QCollator's numeric mode does
// this only where the C library's locale support provides it, which a bare C locale does not.
bool countsBefore(const QString &a, const QString &b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype startA = i;
            const qsizetype startB = j;
            while (i < a.size() && a[i].isDigit())
                ++i;
            while (j < b.size() && b[j].isDigit())
                ++j;
            const qulonglong numberA = a.mid(startA, i - startA).toULongLong();
            const qulonglong numberB = b.mid(startB, j - startB).toULongLong();
            if (numberA != numberB)
                return numberA < numberB;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

PortFacts factsOf(const QSerialPortInfo &info) {
    PortFacts facts;
    facts.name = info.portName();
    facts.device = info.systemLocation();
    facts.description = info.description();
    facts.manufacturer = info.manufacturer();
    facts.serialNumber = info.serialNumber();
    if (info.hasVendorIdentifier())
        facts.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier())
        facts.productId = info.productIdentifier();
    return facts;
}
} // namespace

QList<PortFacts> SystemPortSource::ports() const {
    QList<PortFacts> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports << factsOf(info);
    arrangePorts(ports, stableNamesIn(m_stableNameFolder));
    return ports;
}

QHash<QString, QString> stableNamesIn(const QString &folder) {
    QHash<QString, QString> byDevice;
    const QDir dir(folder);
    for (const QFileInfo &link : dir.entryInfoList(QDir::System | QDir::Files, QDir::Name)) {
        if (!link.isSymLink())
            continue;
        const QString device = link.canonicalFilePath();
        // A dangling link belongs to a device that is going away; two links to one device
        // (rare) keep the first by name, so the choice does not flicker between polls.
        if (!device.isEmpty() && !byDevice.contains(device))
            byDevice.insert(device, link.absoluteFilePath());
    }
    return byDevice;
}

void arrangePorts(QList<PortFacts> &ports, const QHash<QString, QString> &stableNames) {
    for (PortFacts &port : ports) {
        const QString real = QFileInfo(port.device).canonicalFilePath();
        port.stableName = stableNames.value(real.isEmpty() ? port.device : real);
    }
    std::stable_sort(ports.begin(), ports.end(), [](const PortFacts &a, const PortFacts &b) {
        return countsBefore(a.name, b.name);
    });
}

} // namespace tessel
