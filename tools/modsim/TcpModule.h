// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ModuleSimulator.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>
#include <map>

class QTcpSocket;

namespace tessel {

// Serves a simulated module on a TCP port, as a serial device server passes a module's raw
// bytes: one client at a time (a second is turned away while one is connected), each reply
// after the module's delay plus the time its bytes take on a 115200 baud line.
class TcpModule final : public QObject {
    Q_OBJECT
public:
    explicit TcpModule(ModuleSimulator &module, QObject *parent = nullptr);

    // Listens on the loopback interface; port 0 takes any free one. An error message, or empty.
    [[nodiscard]] QString listen(quint16 port);
    // "tcp://127.0.0.1:PORT", the port name a client opens.
    [[nodiscard]] QString portName() const;

Q_SIGNALS:
    // A command changed the module's memory (for the dump file).
    void memoryChanged();
    // The simulated line dropped: the connection is closed, as if the module were unplugged.
    void lineDropped();

private:
    void onConnection();
    void onReadable();
    void sendDue();
    [[nodiscard]] qint64 now() const { return m_elapsed.nsecsElapsed() / 1000; }

    ModuleSimulator &m_module;
    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QTimer m_sendTimer;
    QElapsedTimer m_elapsed;
    // Replies by the time (microseconds on m_elapsed) they are due.
    std::multimap<qint64, QByteArray> m_outgoing;
};

} // namespace tessel
