#include "link/channels/DeviceChannel.h"

#include <QIODevice>

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
    Q_EMIT lost();
}

} // namespace tessel
