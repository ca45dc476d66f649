#pragma once

#include <QByteArray>
#include <QUrl>

namespace http {

// True for an http URL with a host and a usable port.
bool isFetchableUrl(const QUrl &url);

// The bytes of a GET for the URL. Through a proxy the request line carries the
// absolute URI; directly it carries the path alone.
QByteArray buildGetRequest(const QUrl &url, bool throughProxy);

} // namespace http
