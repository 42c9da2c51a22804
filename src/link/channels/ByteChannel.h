// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/channels/WakeSignal.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace tessel {

// The byte stream to a module: a serial port, a device server on the network, or the simulated
// module in-process. It lives on the thread of the module's session, which waits on it without
// running an event loop; only wake() and lost() reach other threads.
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
    // Blocks the calling thread until bytes may have come, the line may have gone, wake() was
    // called, or `maxMicros` have passed.
    virtual void waitForInput(qint64 maxMicros) { m_wake.wait(-1, waitMillis(maxMicros)); }

    // From any thread: ends the wait under way at once (or the next one, when none is).
    void wake() { m_wake.raise(); }

Q_SIGNALS:
    // The line stopped working (lostReason() says why), also when no exchange was under way.
    void lost(const QString &why);

protected:
    // Whole milliseconds, rounded up: a wait wakes once at its end, not once too early.
    [[nodiscard]] static int waitMillis(qint64 micros);

    WakeSignal m_wake;
};

} // namespace tessel
