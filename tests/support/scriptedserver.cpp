#include "tests/support/scriptedserver.h"

#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>

namespace testhttp {

ScriptedServer::ScriptedServer(QObject *parent) : QObject(parent), m_server(std::make_unique<QTcpServer>())
{
    listen();
}

ScriptedServer::ScriptedServer(const TlsIdentity &identity, QObject *parent) : QObject(parent), m_secure(true)
{
    auto server = std::make_unique<QSslServer>();
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(QSslCertificate(identity.certificate, QSsl::Pem));
    configuration.setPrivateKey(QSslKey(identity.key, QSsl::Ec, QSsl::Pem));
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(configuration);
    m_server = std::move(server);
    listen();
}

ScriptedServer::~ScriptedServer() = default;

// A TLS server hands out its connections once the handshake is over.
void ScriptedServer::listen()
{
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, &ScriptedServer::onNewConnection);
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        qFatal("test server cannot listen on 127.0.0.1");
}

QUrl ScriptedServer::url(const QString &path, const QString &host) const
{
    return QUrl(QStringLiteral("%1://%2:%3%4")
                    .arg(m_secure ? QStringLiteral("https") : QStringLiteral("http"), host)
                    .arg(port())
                    .arg(path));
}

void ScriptedServer::setReply(const QByteArray &bytes, bool keepOpen)
{
    m_reply = bytes;
    m_keepOpen = keepOpen;
    m_silent = false;
}

void ScriptedServer::setSilent()
{
    m_silent = true;
}

quint16 ScriptedServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void ScriptedServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        auto *received = new QByteArray;
        connect(socket, &QObject::destroyed, this, [received] { delete received; });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, received] {
            const bool hadRequest = received->contains("\r\n\r\n");
            received->append(socket->readAll());
            if (hadRequest || !received->contains("\r\n\r\n"))
                return;
            m_requests.append(*received);
            if (m_silent)
                return;
            socket->write(m_reply);
            if (!m_keepOpen)
                socket->disconnectFromHost();
        });
    }
}

} // namespace testhttp
