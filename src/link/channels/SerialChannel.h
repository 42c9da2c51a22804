// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/channels/DeviceChannel.h"
#include "link/ports/PortHandle.h"

#include <QSerialPort>
#include <memory>

namespace tessel {

// The module's serial port: 115200 baud, 8 data bits, no parity, 1 stop bit, no flow control,
// held exclusively and, where the driver allows, in low-latency mode.
class SerialChannel final : public DeviceChannel {
    Q_OBJECT
public:
    explicit SerialChannel(QObject *parent = nullptr);

    // Opens the port by the name the operator gave (COM3, ttyUSB0 or a device path); on
    // failure returns a message that names the port and the real cause.
    [[nodiscard]] QString open(const QString &portName);

    [[nodiscard]] QString name() const override { return m_device; }

private:
    void pushOut() override { m_port.flush(); }
    [[nodiscard]] int descriptor() const override {
        return m_port.isOpen() ? static_cast<int>(m_port.handle()) : -1;
    }
    void onError(QSerialPort::SerialPortError error);
    [[nodiscard]] QString whyNotOpen(const QString &portName) const;

    QSerialPort m_port;
    QString m_device;
    std::unique_ptr<PortClaim> m_claim;
};

} // namespace tessel
