#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace tessel {

// The byte stream to a module: a serial port, or the simulated module in-process. Received
// bytes must come in through the event loop (a socket notifier, a timer): a waiting link
// sleeps there and wakes for events only.
class ByteChannel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    [[nodiscard]] virtual qint64 bytesAvailable() const = 0;
    // The next received byte, or -1 when none waits.
    virtual int readByte() = 0;
    // Sends a whole command at once; false when the line is gone.
    virtual bool write(const QByteArray &bytes) = 0;
    // Empty when the line works; otherwise why it stopped (the device disappeared).
    [[nodiscard]] virtual QString lostReason() const = 0;
    // What the operator calls this channel in messages ("/dev/ttyUSB0", "simulated Tessel module").
    [[nodiscard]] virtual QString name() const = 0;

Q_SIGNALS:
    // The line stopped working (lostReason() says why), also when no exchange was under way.
    void lost();
};

} // namespace tessel
