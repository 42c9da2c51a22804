// SPDX-License-Identifier: Apache-2.0
#include "link/channels/DeviceChannel.h"

#include <QIODevice>
#include <QThread>

namespace tessel {

DeviceChannel::DeviceChannel(QIODevice &device, QObject *parent)
    : ByteChannel(parent), m_device(device) {}

qint64 DeviceChannel::bytesAvailable() const {
    return m_device.bytesAvailable();
}

int DeviceChannel::readByte() {
    char c = 0;
    if (m_device.bytesAvailable() <= 0 || m_device.read(&c, 1) != 1)
        return -1;
    return static_cast<quint8>(c);
}

bool DeviceChannel::write(const QByteArray &bytes) {
    if (isLost() || !m_device.isOpen())
        return false;
    const bool queued = m_device.write(bytes) == bytes.size();
    pushOut();
    return queued && !isLost();
}

void DeviceChannel::markLost(const QString &why) {
    if (isLost())
        return;
    m_lost = why;
    Q_EMIT lost(why);
}

void DeviceChannel::waitForInput(qint64 maxMicros) {
    if (!m_wake.wait(descriptor(), waitMillis(maxMicros)) || isLost())
        return;
    // The device reads what the descriptor has for it; a device that has nothing although its
    // descriptor said so is left a moment, so that such a line cannot keep the thread spinning.
    const qint64 before = m_device.bytesAvailable();
    if (!m_device.waitForReadyRead(0) && m_device.bytesAvailable() == before && !isLost())
        QThread::msleep(kIdleReadyMs);
}

} // namespace tessel
