#include "common/rewriterecord.h"

#include "common/filereading.h"
#include "common/filereplace.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

#include <optional>

namespace common {

namespace {

const QByteArray kMagic = "REWRITE 1\n";
const QString kSuffix = QStringLiteral(".rewrite");
constexpr auto kChecksum = QCryptographicHash::Sha256;

struct Parsed {
    QByteArray target;
    QByteArray old;
    QByteArray bytes;
};

// One record per file: a later rewrite of the same file replaces it.
QString recordName(const QByteArray &target)
{
    return QString::fromLatin1(QCryptographicHash::hash(target, QCryptographicHash::Sha1).toHex().left(16))
           + kSuffix;
}

QByteArray encode(const QByteArray &target, const QByteArray &old, const QByteArray &bytes)
{
    QByteArray record = kMagic + target + '\n' + QByteArray::number(old.size()) + ' '
                        + QByteArray::number(bytes.size()) + '\n' + old + bytes;
    return record + QCryptographicHash::hash(record, kChecksum);
}

std::optional<Parsed> decode(const QByteArray &record)
{
    const qsizetype sumSize = QCryptographicHash::hashLength(kChecksum);
    if (record.size() < kMagic.size() + sumSize || !record.startsWith(kMagic))
        return std::nullopt;
    const QByteArray body = record.left(record.size() - sumSize);
    if (QCryptographicHash::hash(body, kChecksum) != record.right(sumSize))
        return std::nullopt;
    const qsizetype targetEnd = body.indexOf('\n', kMagic.size());
    const qsizetype sizesEnd = targetEnd < 0 ? -1 : body.indexOf('\n', targetEnd + 1);
    if (sizesEnd < 0)
        return std::nullopt;
    const QList<QByteArray> sizes = body.mid(targetEnd + 1, sizesEnd - targetEnd - 1).split(' ');
    bool oldOk = false, newOk = false;
    const qsizetype oldSize = sizes.value(0).toLongLong(&oldOk);
    const qsizetype newSize = sizes.value(1).toLongLong(&newOk);
    if (sizes.size() != 2 || !oldOk || !newOk || oldSize < 0 || newSize < 0
        || sizesEnd + 1 + oldSize + newSize != body.size())
        return std::nullopt;
    return Parsed {body.mid(kMagic.size(), targetEnd - kMagic.size()), body.mid(sizesEnd + 1, oldSize),
                   body.mid(sizesEnd + 1 + oldSize)};
}

void removeDurably(const QString &path)
{
    if (!QFile::remove(path))
        return;
    // Without this a power cut could bring the record back over a later change.
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

} // namespace

RewriteRecord RewriteRecord::write(const QString &folder, const QByteArray &target, const QByteArray &old,
                                   const QByteArray &bytes)
{
    RewriteRecord record;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return record;
    const QString path = QDir(folder).filePath(recordName(target));
    if (replaceFile(path, encode(target, old, bytes)).ok())
        record.m_path = path;
    return record;
}

void RewriteRecord::drop()
{
    if (valid())
        removeDurably(m_path);
    m_path.clear();
}

QStringList finishInterruptedRewrites(const QString &folder)
{
    QStringList completed;
    if (folder.isEmpty())
        return completed;
    const QStringList names = QDir(folder).entryList({u'*' + kSuffix}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        const QString path = QDir(folder).filePath(name);
        const std::optional<QByteArray> record = tryReadWholeFile(path);
        if (!record)
            continue;
        const std::optional<Parsed> parsed = decode(*record);
        if (parsed) {
            const QString target = QFile::decodeName(parsed->target);
            const std::optional<QByteArray> now = tryReadWholeFile(target);
            if (now && *now != parsed->old && *now != parsed->bytes) {
                // Kept for the next start when the file cannot be written now.
                if (!replaceFile(target, parsed->bytes).ok())
                    continue;
                completed << target;
            }
        }
        removeDurably(path);
    }
    return completed;
}

} // namespace common
