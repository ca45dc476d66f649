#include "http/httpclient.h"

#include "http/request.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkProxy>
#include <QSslConfiguration>
#include <QSslSocket>

namespace http {

namespace {

constexpr int defaultConnectTimeoutMs = 15000;
constexpr int defaultIdleTimeoutMs = 30000;
constexpr int maxTunnelReplyBytes = 16 * 1024;

HttpClient::Failure failureOf(ResponseParser::Error error)
{
    switch (error) {
    case ResponseParser::Error::None:
        return HttpClient::Failure::None;
    case ResponseParser::Error::Malformed:
        return HttpClient::Failure::MalformedReply;
    case ResponseParser::Error::HeaderTooLarge:
        return HttpClient::Failure::HeaderTooLarge;
    case ResponseParser::Error::BodyTooLarge:
        return HttpClient::Failure::BodyTooLarge;
    case ResponseParser::Error::Truncated:
        return HttpClient::Failure::ConnectionLost;
    }
    return HttpClient::Failure::MalformedReply;
}

} // namespace

HttpClient::HttpClient(QObject *parent) : QObject(parent)
{
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(defaultConnectTimeoutMs);
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(defaultIdleTimeoutMs);
    connect(&m_connectTimer, &QTimer::timeout, this, &HttpClient::onConnectTimeout);
    connect(&m_idleTimer, &QTimer::timeout, this, &HttpClient::onIdleTimeout);
}

HttpClient::~HttpClient()
{
    stopTransfer(Failure::Aborted);
}

void HttpClient::setProxy(const QString &host, int port)
{
    m_proxyHost = host.trimmed();
    m_proxyPort = port;
}

int HttpClient::statusCode() const
{
    return m_parser.headersComplete() ? m_parser.statusCode() : 0;
}

QString HttpClient::statusLineText() const
{
    return m_parser.headersComplete() ? QString::fromLatin1(m_parser.statusLine()) : QString();
}

bool HttpClient::get(const QUrl &url)
{
    if (isBusy())
        return false;
    const bool viaProxy = !m_proxyHost.isEmpty();
    m_parser = ResponseParser(m_limits);
    m_statusAnnounced = false;
    m_announcedBytes = -1;
    m_failure = Failure::None;
    m_failureDetail.clear();
    m_tunnelReply.clear();
    m_certificateRefused = false;
    if (!isFetchableUrl(url) || (viaProxy && (m_proxyPort < 1 || m_proxyPort > 65535))) {
        m_failure = Failure::InvalidRequest;
        return false;
    }
    const bool secure = isSecureUrl(url);
    m_serverName = secure ? url.host() : QString();
    m_viaProxy = viaProxy;
    // Inside a tunnel the proxy only passes bytes: the request is the direct one.
    m_request = buildGetRequest(url, viaProxy && !secure);
    m_connectRequest = secure && viaProxy ? buildConnectRequest(url) : QByteArray();
    m_port = viaProxy ? static_cast<quint16>(m_proxyPort) : serverPort(url);
    ++m_transferId;
    m_phase = Phase::LookingUp;
    m_connectTimer.start();
    m_lookupId = QHostInfo::lookupHost(viaProxy ? m_proxyHost : url.host(), this, &HttpClient::onHostLookedUp);
    return true;
}

bool HttpClient::getAndWait(const QUrl &url)
{
    QEventLoop loop;
    connect(this, &HttpClient::finished, &loop, &QEventLoop::quit);
    if (!get(url))
        return false;
    if (isBusy())
        loop.exec();
    return succeeded();
}

void HttpClient::abort()
{
    if (!isBusy())
        return;
    stopTransfer(Failure::Aborted);
    emit finished();
}

bool HttpClient::isCurrent(quint64 transferId, Phase phase) const
{
    return transferId == m_transferId && m_phase == phase;
}

void HttpClient::onHostLookedUp(const QHostInfo &info)
{
    // An aborted look-up may still answer (from the cache, at once); only the
    // current transfer's own answer counts.
    if (m_phase != Phase::LookingUp || info.lookupId() != m_lookupId)
        return;
    m_lookupId = -1;
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
        endTransfer(Failure::HostNotFound);
        return;
    }
    const QList<QHostAddress> addresses = info.addresses();
    m_addresses.assign(addresses.begin(), addresses.end());
    const quint64 id = m_transferId;
    emit hostResolved();
    if (!isCurrent(id, Phase::LookingUp))
        return;
    m_phase = Phase::Connecting;
    connectToNextAddress();
}

// A name may resolve to several addresses (IPv6 and IPv4): each is tried in
// turn within the one connection time-out.
void HttpClient::connectToNextAddress()
{
    releaseConnection();
    if (m_addresses.empty()) {
        endTransfer(Failure::ConnectFailed);
        return;
    }
    const QHostAddress address = m_addresses.front();
    m_addresses.erase(m_addresses.begin());
    m_socket = new QSslSocket(this);
    m_socket->setProxy(QNetworkProxy::NoProxy); // only our own proxy setting applies
    connect(m_socket, &QSslSocket::connected, this, &HttpClient::onSocketConnected);
    connect(m_socket, &QSslSocket::readyRead, this, &HttpClient::onSocketReadyRead);
    connect(m_socket, &QSslSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        onSocketError(error == QAbstractSocket::RemoteHostClosedError);
    });
    connect(m_socket, &QSslSocket::disconnected, this, &HttpClient::onSocketClosed);
    connect(m_socket, &QSslSocket::encrypted, this, &HttpClient::onSocketEncrypted);
    connect(m_socket, &QSslSocket::sslErrors, this, &HttpClient::onSslErrors);
    m_socket->connectToHost(address, m_port);
}

// The connection time-out covers the tunnel and the handshake too: a server
// is not reached until the request can go.
void HttpClient::onSocketConnected()
{
    if (m_phase != Phase::Connecting)
        return;
    m_addresses.clear();
    if (m_serverName.isEmpty()) {
        startTransferring();
    } else if (m_viaProxy) {
        m_phase = Phase::Tunnelling;
        m_socket->write(m_connectRequest);
    } else {
        startSecuring();
    }
}

void HttpClient::onTunnelReply()
{
    m_tunnelReply += m_socket->readAll();
    const qsizetype end = m_tunnelReply.indexOf("\r\n\r\n");
    if (end < 0) {
        if (m_tunnelReply.size() > maxTunnelReplyBytes)
            failBeforeTransfer(Failure::ProxyRefused, QStringLiteral("reply too long"));
        return;
    }
    const QByteArray statusLine = m_tunnelReply.left(m_tunnelReply.indexOf("\r\n"));
    bool numeric = false;
    const int code = statusLine.split(' ').value(1).toInt(&numeric);
    if (!statusLine.startsWith("HTTP/") || !numeric || code < 200 || code > 299) {
        failBeforeTransfer(Failure::ProxyRefused, QString::fromLatin1(statusLine).trimmed());
        return;
    }
    // Anything after the answer came before the handshake: not the server's.
    if (end + 4 != m_tunnelReply.size()) {
        failBeforeTransfer(Failure::ProxyRefused, QString::fromLatin1(statusLine).trimmed());
        return;
    }
    startSecuring();
}

void HttpClient::startSecuring()
{
    m_phase = Phase::Securing;
    if (!QSslSocket::supportsSsl()) {
        failBeforeTransfer(Failure::SecureConnectionFailed, QStringLiteral("no TLS library"));
        return;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!m_extraAuthorities.isEmpty())
        configuration.setCaCertificates(QSslConfiguration::systemCaCertificates()
                                        + QSslCertificate::fromData(m_extraAuthorities, QSsl::Pem));
    m_socket->setSslConfiguration(configuration);
    // The socket was connected by address: the name comes from the URL.
    m_socket->setPeerVerifyName(m_serverName);
    m_socket->startClientEncryption();
}

void HttpClient::onSocketEncrypted()
{
    if (m_phase == Phase::Securing)
        startTransferring();
}

void HttpClient::onSslErrors(const QList<QSslError> &errors)
{
    // Left unignored, the handshake fails right after this.
    if (m_phase != Phase::Securing || errors.isEmpty())
        return;
    m_certificateRefused = true;
    QStringList reasons;
    for (const QSslError &error : errors)
        reasons.append(error.errorString());
    reasons.removeDuplicates();
    m_failureDetail = reasons.join(QStringLiteral("; "));
}

void HttpClient::startTransferring()
{
    m_connectTimer.stop();
    m_phase = Phase::Transferring;
    m_socket->write(m_request);
    m_idleTimer.start();
    emit connected();
}

void HttpClient::failBeforeTransfer(Failure failure, const QString &detail)
{
    m_failureDetail = detail;
    endTransfer(failure);
}

// The connection ended, or broke, inside the tunnel or the handshake.
void HttpClient::failSetup()
{
    const QString reason = m_socket ? m_socket->errorString() : QString();
    if (m_phase == Phase::Tunnelling)
        failBeforeTransfer(Failure::ProxyRefused, reason);
    else if (m_certificateRefused)
        failBeforeTransfer(Failure::CertificateRefused, m_failureDetail);
    else
        failBeforeTransfer(Failure::SecureConnectionFailed, reason);
}

void HttpClient::onSocketError(bool closedByPeer)
{
    if (m_phase == Phase::Connecting) {
        connectToNextAddress();
    } else if (m_phase == Phase::Tunnelling || m_phase == Phase::Securing) {
        failSetup();
    } else if (m_phase == Phase::Transferring) {
        if (closedByPeer)
            onSocketClosed();
        else
            endTransfer(Failure::ConnectionLost);
    }
}

void HttpClient::onSocketReadyRead()
{
    if (m_phase == Phase::Tunnelling) {
        onTunnelReply();
        return;
    }
    if (m_phase != Phase::Transferring)
        return;
    const QByteArray data = m_socket->readAll();
    if (data.isEmpty())
        return;
    m_idleTimer.start();
    m_parser.feed(data);
    afterParsing();
}

void HttpClient::onSocketClosed()
{
    if (m_phase == Phase::Tunnelling || m_phase == Phase::Securing) {
        failSetup();
        return;
    }
    if (m_phase != Phase::Transferring)
        return;
    m_parser.feed(m_socket->readAll());
    m_parser.finish();
    afterParsing();
}

void HttpClient::onConnectTimeout()
{
    if (m_phase == Phase::LookingUp || m_phase == Phase::Connecting || m_phase == Phase::Tunnelling
        || m_phase == Phase::Securing)
        endTransfer(Failure::ConnectTimedOut);
}

void HttpClient::onIdleTimeout()
{
    if (m_phase == Phase::Transferring)
        endTransfer(Failure::ReplyTimedOut);
}

void HttpClient::afterParsing()
{
    const quint64 id = m_transferId;
    if (m_parser.headersComplete() && !m_statusAnnounced) {
        m_statusAnnounced = true;
        emit statusText(statusLineText());
        if (!isCurrent(id, Phase::Transferring))
            return;
    }
    if (m_parser.headersComplete() && m_parser.bodyReceived() != m_announcedBytes) {
        m_announcedBytes = m_parser.bodyReceived();
        emit packetReceived(m_parser.bodyReceived(), m_parser.expectedBodySize());
        if (!isCurrent(id, Phase::Transferring))
            return;
    }
    if (m_parser.isComplete())
        endTransfer(Failure::None);
    else if (m_parser.hasFailed())
        endTransfer(failureOf(m_parser.error()));
}

void HttpClient::releaseConnection()
{
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket->deleteLater(); // we may be inside one of its signals
    m_socket = nullptr;
}

HttpClient::Phase HttpClient::stopTransfer(Failure failure)
{
    const Phase phase = m_phase;
    m_phase = Phase::Idle;
    m_failure = failure;
    m_connectTimer.stop();
    m_idleTimer.stop();
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    m_addresses.clear();
    releaseConnection();
    return phase;
}

void HttpClient::endTransfer(Failure failure)
{
    const bool wasConnected = stopTransfer(failure) == Phase::Transferring;
    const quint64 id = m_transferId;
    // A slot may start the next transfer; the rest of this one's signals are then dropped.
    if (!wasConnected) {
        emit connectionFailed();
        if (id != m_transferId)
            return;
    }
    emit requestDone(RequestKind::Get, failure == Failure::None);
    if (id != m_transferId)
        return;
    if (wasConnected) {
        emit disconnected();
        if (id != m_transferId)
            return;
    }
    emit finished();
}

} // namespace http
