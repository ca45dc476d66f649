#include "common/filereading.h"

#include "common/usererror.h"

#include <QFile>
#include <QFileInfo>

namespace common {

namespace {

// Reads up to `count` bytes (all when negative) or throws.
QByteArray readPlainFile(const QString &path, qint64 count)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw UserError::cannotOpen(path);
    QByteArray bytes = count < 0 ? file.readAll() : file.read(count);
    if (file.error() != QFileDevice::NoError)
        throw UserError::cannotOpen(path);
    return bytes;
}

} // namespace

QByteArray readWholeFile(const QString &path, qint64 maxBytes)
{
    // One byte beyond the limit tells a file at the limit from a longer one.
    QByteArray bytes = readPlainFile(path, maxBytes < 0 ? anySize : maxBytes + 1);
    if (maxBytes >= 0 && bytes.size() > maxBytes)
        throw UserError::cannotOpen(path);
    return bytes;
}

std::optional<QByteArray> tryReadWholeFile(const QString &path)
{
    try {
        return readWholeFile(path);
    } catch (const UserError &) {
        return std::nullopt;
    }
}

QByteArray readFileStart(const QString &path, qint64 maxBytes)
{
    return readPlainFile(path, qMax<qint64>(maxBytes, 0));
}

} // namespace common
