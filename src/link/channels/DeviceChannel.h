// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/channels/ByteChannel.h"

class QIODevice;

namespace tessel {

// A channel over one of Qt's I/O devices (a serial port, a TCP socket): bytes are read one at
// a time, a command is pushed out at once, and once the line is lost it stays lost, with the
// reason kept for the operator.
class DeviceChannel : public ByteChannel {
    Q_OBJECT
public:
    [[nodiscard]] qint64 bytesAvailable() const override;
    int readByte() override;
    bool write(const QByteArray &bytes) override;
    [[nodiscard]] QString lostReason() const override { return m_lost; }
    // Sleeps on the device's descriptor and the wake signal at once, then lets the device
    // take in what came (or find the line gone).
    void waitForInput(qint64 maxMicros) override;

protected:
    // `device` is a member of the derived channel: only its address is kept here, since it
    // is built after this part.
    DeviceChannel(QIODevice &device, QObject *parent);

    [[nodiscard]] bool isLost() const { return !m_lost.isEmpty(); }
    // Records why the line stopped, the first time only, and tells whoever watches it.
    void markLost(const QString &why);

private:
    static constexpr unsigned long kIdleReadyMs = 10;

    // The device only queues until the event loop runs; this sends what is queued now.
    virtual void pushOut() = 0;
    // The open device's descriptor; negative once it is closed.
    [[nodiscard]] virtual int descriptor() const = 0;

    QIODevice &m_device;
    QString m_lost;
};

} // namespace tessel
