#include "link/SerialChannel.h"

namespace tessel {

SerialChannel::SerialChannel(QObject *parent) : ByteChannel(parent) {
    connect(&m_port, &QSerialPort::readyRead, this, &ByteChannel::dataArrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialChannel::onError);
}

QString SerialChannel::open(const QString &device) {
    m_device = device;
    m_port.setPortName(device);
    m_port.setBaudRate(QSerialPort::Baud115200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setReadBufferSize(0);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QString reason = m_port.errorString();
        if (m_port.error() == QSerialPort::PermissionError) {
            return QStringLiteral("Cannot open the port %1: permission denied. Your user must "
                                  "belong to the group that owns the device, usually dialout "
                                  "(sudo usermod -aG dialout $USER, then log in again).")
                .arg(device);
        }
        if (m_port.error() == QSerialPort::DeviceNotFoundError)
            return QStringLiteral("The port %1 does not exist.").arg(device);
        return QStringLiteral("Cannot open the port %1: %2.").arg(device, reason);
    }
    // Bytes the adapter received before we opened it belong to nobody.
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
    return {};
}

qint64 SerialChannel::bytesAvailable() const {
    return m_port.bytesAvailable();
}

int SerialChannel::readByte() {
    char c = 0;
    if (m_port.bytesAvailable() <= 0 || m_port.read(&c, 1) != 1)
        return -1;
    return static_cast<quint8>(c);
}

bool SerialChannel::write(const QByteArray &bytes) {
    if (!m_lost.isEmpty())
        return false;
    // QSerialPort only queues until the event loop runs; push the command out now.
    const bool queued = m_port.write(bytes) == bytes.size();
    m_port.flush();
    return queued && m_lost.isEmpty();
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
        if (m_port.isOpen() && m_lost.isEmpty()) {
            m_lost = QStringLiteral("The connection on %1 was lost: the device disappeared or "
                                    "stopped working.")
                         .arg(m_device);
            m_port.close();
        }
        return;
    default:
        return;
    }
}

} // namespace tessel
