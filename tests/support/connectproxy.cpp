#include "tests/support/connectproxy.h"

#include <QTcpSocket>

#include <memory>

namespace testhttp {

namespace {

// Bytes either way, each side closed when the other is.
void pipe(QTcpSocket *client, QTcpSocket *server)
{
    const auto forward = [](QTcpSocket *from, QTcpSocket *to) {
        QObject::connect(from, &QTcpSocket::readyRead, to, [from, to] { to->write(from->readAll()); });
        QObject::connect(from, &QTcpSocket::disconnected, to, [to] { to->disconnectFromHost(); });
    };
    forward(client, server);
    forward(server, client);
}

} // namespace

ConnectProxy::ConnectProxy(quint16 targetPort, QObject *parent) : QObject(parent), m_targetPort(targetPort)
{
    connect(&m_server, &QTcpServer::newConnection, this, &ConnectProxy::onNewConnection);
    if (!m_server.listen(QHostAddress::LocalHost, 0))
        qFatal("test proxy cannot listen on 127.0.0.1");
}

void ConnectProxy::onNewConnection()
{
    while (QTcpSocket *client = m_server.nextPendingConnection()) {
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        auto *received = new QByteArray;
        connect(client, &QObject::destroyed, this, [received] { delete received; });
        const auto onRequest = std::make_shared<QMetaObject::Connection>();
        *onRequest = connect(client, &QTcpSocket::readyRead, this, [this, client, received, onRequest] {
            received->append(client->readAll());
            if (!received->contains("\r\n\r\n"))
                return;
            QObject::disconnect(*onRequest);
            m_requests.append(*received);
            if (!m_refusal.isEmpty()) {
                client->write(m_refusal);
                client->disconnectFromHost();
                return;
            }
            auto *server = new QTcpSocket(client);
            connect(server, &QTcpSocket::connected, client, [client, server] {
                client->write("HTTP/1.1 200 Connection established\r\n\r\n");
                pipe(client, server);
            });
            server->connectToHost(QHostAddress::LocalHost, m_targetPort);
        });
    }
}

} // namespace testhttp
