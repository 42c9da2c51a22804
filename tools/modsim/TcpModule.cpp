// SPDX-License-Identifier: Apache-2.0
#include "TcpModule.h"

#include <QTcpSocket>

namespace tessel {

namespace {
constexpr double kByteMicros = 10.0 * 1e6 / 115200.0;
} // namespace

TcpModule::TcpModule(ModuleSimulator &module, QObject *parent) : QObject(parent), m_module(module) {
    m_sendTimer.setSingleShot(true);
    m_sendTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_sendTimer, &QTimer::timeout, this, &TcpModule::sendDue);
    connect(&m_server, &QTcpServer::newConnection, this, &TcpModule::onConnection);
    m_elapsed.start();
}

QString TcpModule::listen(quint16 port) {
    if (!m_server.listen(QHostAddress::LocalHost, port))
        return QStringLiteral("cannot listen on TCP port %1: %2")
            .arg(port)
            .arg(m_server.errorString());
    return {};
}

QString TcpModule::portName() const {
    return QStringLiteral("tcp://127.0.0.1:%1").arg(m_server.serverPort());
}

void TcpModule::onConnection() {
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        if (m_client || m_module.lineDropped()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_client = socket;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, &TcpModule::onReadable);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TcpModule::onReadable() {
    if (!m_client)
        return;
    const QByteArray received = m_client->readAll();
    const qint64 receivedAt =
        now() + static_cast<qint64>(static_cast<double>(received.size()) * kByteMicros);
    const ModuleMemory before = m_module.memory();
    const auto replies = m_module.receive(received, receivedAt);
    if (m_module.memory() != before)
        Q_EMIT memoryChanged();
    if (m_module.lineDropped()) {
        m_outgoing.clear();
        m_client->abort();
        Q_EMIT lineDropped();
        return;
    }
    for (const auto &reply : replies) {
        const auto wire =
            static_cast<qint64>(static_cast<double>(reply.bytes.size()) * kByteMicros);
        m_outgoing.emplace(receivedAt + reply.delayMicros + wire, reply.bytes);
    }
    sendDue();
}

void TcpModule::sendDue() {
    while (!m_outgoing.empty()) {
        const qint64 wait = m_outgoing.begin()->first - now();
        if (wait > 0) {
            m_sendTimer.start(static_cast<int>((wait + 999) / 1000));
            return;
        }
        if (m_client)
            m_client->write(m_outgoing.begin()->second);
        m_outgoing.erase(m_outgoing.begin());
    }
}

} // namespace tessel
