#include "rawport.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

RawPort::RawPort(const QString &path)
{
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios tio{};
    if (m_fd >= 0 && tcgetattr(m_fd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(m_fd, TCSANOW, &tio);
    }
}

RawPort::~RawPort()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RawPort::write(const QByteArray &bytes)
{
    return m_fd >= 0 && ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

RawPort::Fill RawPort::fill(int ms)
{
    pollfd pfd{m_fd, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, ms);
    if (ready == 0)
        return Fill::Timeout;
    char chunk[4096];
    const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
    if (n > 0) {
        m_buffer.append(chunk, n);
        return Fill::Data;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return Fill::Timeout;
    return Fill::Gone;
}

QByteArray RawPort::readUntil(char end, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!m_buffer.contains(end) && !deadline.hasExpired()) {
        if (fill(int(deadline.remainingTime())) == Fill::Gone)
            break;
    }
    const qsizetype at = m_buffer.indexOf(end);
    const QByteArray taken = at < 0 ? m_buffer : m_buffer.left(at + 1);
    m_buffer.remove(0, taken.size());
    return taken;
}

QByteArray RawPort::readWaiting()
{
    while (fill(0) == Fill::Data) {
    }
    QByteArray taken;
    taken.swap(m_buffer);
    return taken;
}

bool RawPort::waitGone(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (fill(int(deadline.remainingTime())) == Fill::Gone)
            return true;
    }
    return false;
}
