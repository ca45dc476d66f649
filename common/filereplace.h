#pragma once

#include <QByteArray>
#include <QString>

namespace common {

// How replaceFile ended: 0, or the errno of the step that failed.
struct FileWriteResult {
    int error = 0;
    bool ok() const { return error == 0; }
};

// Gives the file exactly these bytes, or leaves it as it was.
//
// When its folder lets us create files, the bytes go to a temporary file
// beside it, are synced to the disk and then renamed over it, so that a crash
// leaves either the old or the new file. When the folder does not but the file
// is writable (a shared install), the file is rewritten in place: the space is
// reserved first, and the old bytes are put back if the write fails anyway.
// With a recordFolder, a RewriteRecord kept there meanwhile lets the next
// start finish a rewrite that a kill or power cut cut short.
//
// Symbolic links are followed; a replaced file keeps its permissions, and a
// FIFO or other special file is replaced by a plain one. An
// existing file that the user may not write is refused even where the folder
// would allow replacing it. After a replacement, temporary files that an
// interrupted earlier write of the same file left behind are removed.
[[nodiscard]] FileWriteResult replaceFile(const QString &path, const QByteArray &bytes,
                                          const QString &recordFolder = {});

} // namespace common
