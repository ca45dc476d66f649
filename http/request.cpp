#include "http/request.h"

namespace http {

bool isFetchableUrl(const QUrl &url)
{
    return url.isValid() && url.scheme() == QLatin1String("http") && !url.host().isEmpty()
        && url.port() != 0;
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
