#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

#include <memory>

namespace testhttp {

// A server certificate and its private key, in PEM.
struct TlsIdentity {
    QByteArray certificate;
    QByteArray key;
};

// A loopback HTTP server for tests: answers each request with one scripted
// reply and records the requests it got. Given an identity, it speaks HTTPS.
class ScriptedServer : public QObject {
    Q_OBJECT
public:
    explicit ScriptedServer(QObject *parent = nullptr);
    explicit ScriptedServer(const TlsIdentity &identity, QObject *parent = nullptr);
    ~ScriptedServer() override;

    quint16 port() const { return m_server->serverPort(); }
    // host: as the client names the server (the certificate's names).
    QUrl url(const QString &path, const QString &host = QStringLiteral("127.0.0.1")) const;

    // Sent once the request's header block has arrived, then the connection
    // is closed unless keepOpen.
    void setReply(const QByteArray &bytes, bool keepOpen = false);
    // Accepts and reads, never answers.
    void setSilent();

    const QList<QByteArray> &requests() const { return m_requests; }

    // A loopback port that nobody listens on.
    static quint16 closedPort();

private:
    void listen();
    void onNewConnection();

    std::unique_ptr<QTcpServer> m_server;
    bool m_secure = false;
    QByteArray m_reply;
    bool m_keepOpen = false;
    bool m_silent = false;
    QList<QByteArray> m_requests;
};

// A complete 200 reply carrying body, with its length.
inline QByteArray okReply(const QByteArray &body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

} // namespace testhttp
