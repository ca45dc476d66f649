#pragma once

#include <QByteArray>
#include <QString>

namespace common {

// Text files moved between installations: UTF-8 when the whole file is valid
// UTF-8, otherwise the Western Windows code page.
QString decodeText(const QByteArray &bytes);

// Windows-1252 bytes of a text; characters outside the code page become '?'.
QByteArray encodeWindows1252(const QString &text);

} // namespace common
