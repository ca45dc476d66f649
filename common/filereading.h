#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace common {

inline constexpr qint64 anySize = -1;

// The bytes of a plain file. Throws UserError::cannotOpen(path) when the path
// names no plain file (a FIFO would wait for a writer, a device might never
// end), when it cannot be opened or read, or when it holds more than maxBytes
// (any size when maxBytes is anySize). A missing file is refused the same way:
// callers that tell it apart check first.
QByteArray readWholeFile(const QString &path, qint64 maxBytes = anySize);

// The same, nothing instead of the exception, for readers to which an
// unreadable file is as good as none.
std::optional<QByteArray> tryReadWholeFile(const QString &path);

// At most the first maxBytes bytes of a plain file, refused as above, for a
// reader that needs only the file's start however long the file is.
QByteArray readFileStart(const QString &path, qint64 maxBytes);

} // namespace common
