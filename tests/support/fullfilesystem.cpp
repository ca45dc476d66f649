#include "tests/support/fullfilesystem.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport {

FullFileSystem::FullFileSystem()
{
    if (geteuid() != 0) {
        m_whyNot = QStringLiteral("mounting a small tmpfs to fill needs root");
        return;
    }
    const QByteArray where = QFile::encodeName(m_dir.path());
    m_mounted = ::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=512k,mode=0755") == 0;
    if (!m_mounted)
        m_whyNot = QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
}

FullFileSystem::~FullFileSystem()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool FullFileSystem::fill()
{
    const QByteArray filler = QFile::encodeName(m_dir.filePath(QStringLiteral(".filler")));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    // Large pieces first, then single bytes for the last partly used page.
    static const char block[65536] = {};
    bool full = false;
    for (const size_t piece : {sizeof block, size_t(1)}) {
        for (;;) {
            const ssize_t n = ::write(fd, block, piece);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                full = errno == ENOSPC;
                break;
            }
        }
    }
    ::close(fd);
    return full;
}

} // namespace testsupport
