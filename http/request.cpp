#include "http/request.h"

namespace http {

bool isFetchableUrl(const QUrl &url)
{
    return url.isValid() && (url.scheme() == QLatin1String("http") || isSecureUrl(url)) && !url.host().isEmpty()
        && url.port() != 0;
}

bool isSecureUrl(const QUrl &url)
{
    return url.scheme() == QLatin1String("https");
}

quint16 serverPort(const QUrl &url)
{
    return quint16(url.port(isSecureUrl(url) ? 443 : 80));
}

QByteArray buildConnectRequest(const QUrl &url)
{
    // An IPv6 address keeps its brackets, as in the Host line.
    QUrl server;
    server.setHost(url.host());
    const QByteArray authority = server.authority(QUrl::FullyEncoded).toLatin1() + ':'
        + QByteArray::number(serverPort(url));
    return "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n\r\n";
}

QByteArray buildGetRequest(const QUrl &url, bool throughProxy)
{
    QUrl target = url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment);
    if (target.path().isEmpty())
        target.setPath(QStringLiteral("/"));

    QByteArray uri;
    if (throughProxy) {
        uri = target.toEncoded();
    } else {
        uri = target.path(QUrl::FullyEncoded).toLatin1();
        if (target.hasQuery())
            uri += '?' + target.query(QUrl::FullyEncoded).toLatin1();
    }

    QByteArray request;
    request += "GET " + uri + " HTTP/1.1\r\n";
    request += "Host: " + target.authority(QUrl::FullyEncoded).toLatin1() + "\r\n";
    request += "Connection: close\r\n\r\n";
    return request;
}

} // namespace http
