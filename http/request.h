#pragma once

#include <QByteArray>
#include <QUrl>

namespace http {

// True for an http or https URL with a host and a usable port.
bool isFetchableUrl(const QUrl &url);
bool isSecureUrl(const QUrl &url);
// The URL's port, else its scheme's.
quint16 serverPort(const QUrl &url);

// The bytes of a GET for the URL. Through a proxy the request line carries the
// absolute URI; directly (or inside a tunnel) it carries the path alone.
QByteArray buildGetRequest(const QUrl &url, bool throughProxy);

// The bytes asking a proxy for a tunnel to the URL's server.
QByteArray buildConnectRequest(const QUrl &url);

} // namespace http
