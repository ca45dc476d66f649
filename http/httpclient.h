#pragma once

// Our own client rather than Qt's network access manager: the update dialog shows the client's
// "host resolved" and "connected" events and its request-kind names, which that manager does not give.

#include "http/requestkind.h"
#include "http/responseparser.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <vector>

// Network types stay out of this header so that users need QtCore only.
class QHostAddress;
class QHostInfo;
class QSslError;
class QSslSocket;

namespace http {

// HTTP/1.1 GET with the body kept in memory, directly or through a proxy.
// An https URL goes over TLS, checked against the system's certificates (and
// the host name); through a proxy it asks for a tunnel (CONNECT) first.
// "connected" then means the secure connection is up.
//
// Signals of one transfer, in this order, all on the object's thread:
//   hostResolved, connected, statusText (the reply's status line, e.g.
//   "HTTP/1.1 404 Not Found"), packetReceived (zero or more times),
//   requestDone, disconnected, finished.
// When no connection can be made: connectionFailed, requestDone(Get, false),
// finished. After abort(): finished only.
class HttpClient : public QObject {
    Q_OBJECT
public:
    enum class Failure {
        None,
        InvalidRequest,  // not an http URL, or an unusable proxy port
        HostNotFound,
        ConnectFailed,
        ConnectTimedOut, // look-up and connection took too long
        ReplyTimedOut,   // the server went silent
        ConnectionLost,  // closed or broken before the response was complete
        MalformedReply,
        HeaderTooLarge,
        BodyTooLarge,
        Aborted,
        CertificateRefused,     // the server's certificate did not pass the checks
        SecureConnectionFailed, // TLS could not be set up for another reason
        ProxyRefused,           // the proxy gave no tunnel to the server
    };
    Q_ENUM(Failure)

    explicit HttpClient(QObject *parent = nullptr);
    ~HttpClient() override;

    // An empty host means a direct connection.
    void setProxy(const QString &host, int port);
    int proxyPort() const { return m_proxyPort; }

    void setIdleTimeout(int milliseconds) { m_idleTimer.setInterval(milliseconds); }
    // Certificates (PEM) of authorities trusted beside the system's; for
    // tests and private servers.
    void trustAlso(const QByteArray &pemCertificates) { m_extraAuthorities = pemCertificates; }
    void setLimits(ResponseLimits limits) { m_limits = limits; }

    // Starts a transfer and returns at once. False, with no signal, when a
    // transfer is already under way or the request cannot be made.
    bool get(const QUrl &url);
    // Runs get() and returns when the transfer has ended, serving events
    // meanwhile; true when a complete response was received.
    bool getAndWait(const QUrl &url);
    void abort();

    bool isBusy() const { return m_phase != Phase::Idle; }
    bool succeeded() const { return m_phase == Phase::Idle && m_failure == Failure::None && m_parser.isComplete(); }
    Failure failure() const { return m_failure; }
    // Why TLS or the proxy's tunnel failed, as the TLS library or the proxy
    // said it; empty for the other failures.
    QString failureDetail() const { return m_failureDetail; }

    // Of the last reply: 0 and empty until its header block has arrived.
    int statusCode() const;
    QString statusLineText() const;
    QByteArray body() const { return m_parser.body(); }
    qint64 bytesReceived() const { return m_parser.bodyReceived(); }
    // Content-Length, or -1 while unknown.
    qint64 bytesExpected() const { return m_parser.expectedBodySize(); }
    // The last reply's body had neither a length nor chunked coding: its end
    // was only the server closing, which a cut connection looks like too.
    bool bodyEndedByClose() const { return m_parser.bodyEndsAtClose(); }

signals:
    void hostResolved();
    void connected();
    void statusText(const QString &text);
    void packetReceived(qint64 received, qint64 expected);
    void requestDone(http::RequestKind kind, bool succeeded);
    void connectionFailed();
    void disconnected();
    void finished();

private:
    // Tunnelling: waiting for the proxy's answer to CONNECT; Securing: the TLS
    // handshake.
    enum class Phase { Idle, LookingUp, Connecting, Tunnelling, Securing, Transferring };

    void onHostLookedUp(const QHostInfo &info);
    void connectToNextAddress();
    void onSocketConnected();
    void onTunnelReply();
    void startSecuring();
    void onSocketEncrypted();
    void onSslErrors(const QList<QSslError> &errors);
    void startTransferring();
    void failBeforeTransfer(Failure failure, const QString &detail);
    void failSetup();
    void onSocketError(bool closedByPeer);
    void onSocketReadyRead();
    void onSocketClosed();
    void onConnectTimeout();
    void onIdleTimeout();
    void afterParsing();
    bool isCurrent(quint64 transferId, Phase phase) const;
    void releaseConnection();
    Phase stopTransfer(Failure failure);
    void endTransfer(Failure failure);

    QString m_proxyHost;
    int m_proxyPort = 0;
    ResponseLimits m_limits;
    QTimer m_connectTimer;
    QTimer m_idleTimer;

    Phase m_phase = Phase::Idle;
    Failure m_failure = Failure::None;
    QByteArray m_extraAuthorities;
    QByteArray m_request;
    QByteArray m_connectRequest;
    QByteArray m_tunnelReply;
    bool m_certificateRefused = false;
    QString m_serverName; // checked against the certificate; empty: plain http
    bool m_viaProxy = false;
    QString m_failureDetail;
    quint16 m_port = 0;
    int m_lookupId = -1;
    std::vector<QHostAddress> m_addresses;
    QSslSocket *m_socket = nullptr; // plain TCP until encryption starts
    ResponseParser m_parser;
    bool m_statusAnnounced = false;
    qint64 m_announcedBytes = -1;
    quint64 m_transferId = 0;
};

} // namespace http
