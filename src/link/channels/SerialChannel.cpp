// SPDX-License-Identifier: Apache-2.0
#include "link/channels/SerialChannel.h"

#include "link/ports/OpenFailure.h"
#include "link/ports/PortHandle.h"
#include "link/ports/PortSetting.h"
#include "link/ports/PortSource.h"

namespace tessel {

SerialChannel::SerialChannel(QObject *parent) : DeviceChannel(m_port, parent) {
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialChannel::onError);
}

QString SerialChannel::open(const QString &portName) {
    m_device = deviceForPortName(portName);
    if (m_device.isEmpty())
        return SerialChannel::tr("No port was chosen.");
    m_port.setPortName(m_device);
    m_port.setBaudRate(QSerialPort::Baud115200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setReadBufferSize(0);
    if (!m_port.open(QIODevice::ReadWrite))
        return whyNotOpen(portName);
    // QSerialPort's lock file keeps out programs that look for lock files; many look only
    // for flock, and two programs talking to one module garble each other's replies.
    if (!holdExclusively(static_cast<int>(m_port.handle()))) {
        m_port.close();
        return whyNotOpen(portName);
    }
    m_claim = std::make_unique<PortClaim>(static_cast<int>(m_port.handle()), m_device);
    requestLowLatency(static_cast<int>(m_port.handle()));
    // Bytes the adapter received before we opened it belong to nobody.
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
    return {};
}

QString SerialChannel::whyNotOpen(const QString &portName) const {
    DeviceEvidence evidence = inspectDevice(m_device);
    evidence.openHere = PortClaim::heldAs(m_device);
    return explainOpenFailure(portName, m_device, evidence, SystemPortSource().ports(),
                              m_port.errorString());
}

void SerialChannel::onError(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
    // A pseudo-terminal or a plain adapter refuses the modem-control lines (DTR, RTS);
    // the data still flows.
    case QSerialPort::UnsupportedOperationError:
    case QSerialPort::TimeoutError:
        return;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        // The port's own error text may be left over from the refused modem-line calls; what
        // the operator needs to know is that the device is gone.
        if (m_port.isOpen() && !isLost()) {
            m_port.close();
            m_claim.reset();
            markLost(SerialChannel::tr("The connection on %1 was lost: the device disappeared or "
                                       "stopped working.")
                         .arg(m_device));
        }
        return;
    default:
        return;
    }
}

} // namespace tessel
