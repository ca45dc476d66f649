#include "common/filereplace.h"

#include "common/rewriterecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

constexpr int kRandomLength = 6;
const QByteArray kTemporarySuffix = ".tmp";

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor() { reset(); }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

bool isRandomPart(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "kelt.ini.Ab3xYz.tmp": the pattern lets a later write recognise what an
// interrupted one left behind.
QByteArray temporaryName(const QByteArray &fileName)
{
    static const char letters[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QByteArray name = fileName + '.';
    for (int i = 0; i < kRandomLength; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return name + kTemporarySuffix;
}

bool isTemporaryNameOf(const QByteArray &entry, const QByteArray &fileName)
{
    if (entry.size() != fileName.size() + 1 + kRandomLength + kTemporarySuffix.size()
        || !entry.startsWith(fileName + '.') || !entry.endsWith(kTemporarySuffix))
        return false;
    const QByteArray random = entry.mid(fileName.size() + 1, kRandomLength);
    return std::all_of(random.begin(), random.end(), isRandomPart);
}

// The file a chain of symbolic links ends at, so that the link stays a link.
QString finalTarget(const QString &path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

int writeAll(int fd, const QByteArray &bytes, off_t offset)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        done += n;
    }
    return 0;
}

int readAll(int fd, QByteArray &bytes)
{
    char buffer[65536];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        bytes.append(buffer, n);
        offset += n;
    }
}

int syncData(int fd)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Makes a rename durable; a folder that cannot be synced changes nothing.
void syncFolder(const QByteArray &folder)
{
    Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

// Creates and locks a new temporary file. The lock tells a concurrent clean-up
// that the file is in use; a file that such a clean-up removed between
// creation and lock is no longer linked and is made again.
int createTemporary(const QByteArray &folder, const QByteArray &fileName, mode_t mode,
                    Descriptor &fd, QByteArray &path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder + '/' + temporaryName(fileName);
        fd.reset(::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (!fd.valid() && errno == EEXIST)
            continue;
        if (!fd.valid())
            return errno;
        while (::flock(fd.get(), LOCK_EX) != 0 && errno == EINTR) {
        }
        struct stat st {};
        if (::fstat(fd.get(), &st) == 0 && st.st_nlink == 0)
            continue;
        return 0;
    }
    return EEXIST;
}

// Removes temporary files of this file that no live write holds locked.
void removeStaleTemporaries(const QByteArray &folder, const QByteArray &fileName)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!isTemporaryNameOf(name, fileName))
            continue;
        const QByteArray path = folder + '/' + name;
        Descriptor fd(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened {}, named {};
        if (!fd.valid() || ::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)
            || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        if (::lstat(path.constData(), &named) == 0 && named.st_ino == opened.st_ino
            && named.st_dev == opened.st_dev)
            ::unlink(path.constData());
    }
    ::closedir(dir);
}

// For a writable file in a folder where no file can be created.
FileWriteResult rewriteInPlace(const QByteArray &target, const QByteArray &bytes, const QString &recordFolder)
{
    Descriptor fd(::open(target.constData(), O_RDWR | O_CLOEXEC));
    const bool canRestore = fd.valid();
    if (!fd.valid())
        fd.reset(::open(target.constData(), O_WRONLY | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0)
        return {errno};
    QByteArray old;
    if (canRestore) {
        if (const int error = readAll(fd.get(), old))
            return {error};
    }
    if (canRestore && old == bytes)
        return {};
    RewriteRecord record = canRestore ? RewriteRecord::write(recordFolder, target, old, bytes) : RewriteRecord();
    // Reserving the space first makes a full disk fail before any byte changes.
    if (bytes.size() > st.st_size) {
        const int error = ::posix_fallocate(fd.get(), 0, off_t(bytes.size()));
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL) {
            (void)::ftruncate(fd.get(), st.st_size);
            record.drop();
            return {error};
        }
    }
    int error = writeAll(fd.get(), bytes, 0);
    if (error == 0 && ::ftruncate(fd.get(), off_t(bytes.size())) != 0)
        error = errno;
    if (error == 0)
        error = syncData(fd.get());
    if (error != 0 && canRestore) {
        (void)writeAll(fd.get(), old, 0);
        (void)::ftruncate(fd.get(), off_t(old.size()));
        (void)syncData(fd.get());
    }
    record.drop();
    return {error};
}

} // namespace

FileWriteResult replaceFile(const QString &path, const QByteArray &bytes, const QString &recordFolder)
{
    const QString targetPath = finalTarget(path);
    const QByteArray target = QFile::encodeName(targetPath);
    const QByteArray folder = QFile::encodeName(QFileInfo(targetPath).absolutePath());
    const QByteArray fileName = QFile::encodeName(QFileInfo(targetPath).fileName());

    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return {errno};
    if (exists && S_ISDIR(old.st_mode))
        return {EISDIR};
    if (exists && ::access(target.constData(), W_OK) != 0)
        return {errno};

    Descriptor fd;
    QByteArray temporary;
    const mode_t mode = exists ? (old.st_mode & 07777) : 0666;
    if (const int error = createTemporary(folder, fileName, mode, fd, temporary)) {
        // Only a plain file is written through: a FIFO or device would take the bytes elsewhere.
        if (exists && S_ISREG(old.st_mode) && (error == EACCES || error == EPERM))
            return rewriteInPlace(target, bytes, recordFolder);
        return {error};
    }
    if (exists) {
        // Best effort: only root may give a file to someone else.
        (void)::fchown(fd.get(), old.st_uid, old.st_gid);
        (void)::fchmod(fd.get(), mode);
    }
    int error = writeAll(fd.get(), bytes, 0);
    if (error == 0)
        error = syncData(fd.get());
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return {error};
    }
    fd.reset(); // the lock is held until the rename is done
    syncFolder(folder);
    removeStaleTemporaries(folder, fileName);
    return {};
}

} // namespace common
