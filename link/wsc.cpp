#include "link/wsc.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace muxlink {

namespace {

bool validPort(int port) { return port >= 0 && port < kPortCount; }

bool deviceGoneError(int err)
{
    return err == EIO || err == ENXIO || err == ENODEV || err == EBADF || err == EPIPE;
}

speed_t speedOf(int baudCode)
{
    switch (baudCode) {
    case kBaud110: return B110;
    case kBaud300: return B300;
    case kBaud1200: return B1200;
    case kBaud2400: return B2400;
    case kBaud4800: return B4800;
    case kBaud9600: return B9600;
    case kBaud19200: return B19200;
    case kBaud38400: return B38400;
    case kBaud57600: return B57600;
    case kBaud115200: return B115200;
    default: return B0;
    }
}

} // namespace

Wsc::Wsc(PortMap map) : m_map(std::move(map)) {}

Wsc::~Wsc()
{
    for (int port = 0; port < kPortCount; ++port)
        SioDone(port);
}

Wsc::Port *Wsc::openPort(int port)
{
    if (!validPort(port) || m_ports[port].fd < 0)
        return nullptr;
    return &m_ports[port];
}

int Wsc::SioReset(int port, int rxQueue, int txQueue)
{
    if (!validPort(port))
        return SIO_BAD_PORT;
    if (rxQueue <= 0 || txQueue <= 0)
        return SIO_BAD_ARGUMENT;
    SioDone(port);
    const QString device = m_map.device(port);
    if (device.isEmpty())
        return SIO_BAD_PORT;
    const QByteArray path = QFile::encodeName(device);
    struct stat info {};
    // Only character devices: a FIFO or a regular file is no serial port.
    if (::stat(path.constData(), &info) != 0 || !S_ISCHR(info.st_mode))
        return SIO_CANNOT_OPEN;
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? SIO_NO_PERMISSION : SIO_CANNOT_OPEN;
    termios tio {};
    if (!::isatty(fd) || ::tcgetattr(fd, &tio) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        ::close(fd);
        return SIO_CANNOT_OPEN;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cc[VMIN] = 1; // so that a read of 0 bytes means hang-up
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        ::close(fd);
        return SIO_CANNOT_OPEN;
    }
    // Whatever the device sent before the port was opened is not for us.
    ::tcflush(fd, TCIOFLUSH);
    Port &p = m_ports[port];
    p = Port {};
    p.fd = fd;
    p.rxQueue = rxQueue;
    return SIO_OK;
}

int Wsc::SioBaud(int port, int baudCode)
{
    Port *p = openPort(port);
    if (!p)
        return SIO_NOT_OPEN;
    const speed_t speed = speedOf(baudCode);
    if (speed == B0)
        return SIO_BAD_ARGUMENT;
    termios tio {};
    if (::tcgetattr(p->fd, &tio) != 0)
        return SIO_IO_ERROR;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    return ::tcsetattr(p->fd, TCSANOW, &tio) == 0 ? SIO_OK : SIO_IO_ERROR;
}

int Wsc::SioParms(int port, int parity, int stopCode, int dataBits)
{
    Port *p = openPort(port);
    if (!p)
        return SIO_NOT_OPEN;
    if (parity < 0 || parity > 2 || (stopCode != 0 && stopCode != 2) || dataBits < 5 || dataBits > 8)
        return SIO_BAD_ARGUMENT;
    termios tio {};
    if (::tcgetattr(p->fd, &tio) != 0)
        return SIO_IO_ERROR;
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= sizes[dataBits - 5];
    if (parity != 0)
        tio.c_cflag |= PARENB | (parity == 1 ? PARODD : 0);
    if (stopCode == 2)
        tio.c_cflag |= CSTOPB;
    return ::tcsetattr(p->fd, TCSANOW, &tio) == 0 ? SIO_OK : SIO_IO_ERROR;
}

int Wsc::SioFlow(int port, char flow)
{
    Port *p = openPort(port);
    if (!p)
        return SIO_NOT_OPEN;
    termios tio {};
    if (::tcgetattr(p->fd, &tio) != 0)
        return SIO_IO_ERROR;
    tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    switch (flow) {
    case 'N': break;
    case 'H': tio.c_cflag |= CRTSCTS; break;
    case 'S': tio.c_iflag |= IXON | IXOFF; break;
    default: return SIO_BAD_ARGUMENT;
    }
    return ::tcsetattr(p->fd, TCSANOW, &tio) == 0 ? SIO_OK : SIO_IO_ERROR;
}

int Wsc::modemLine(int port, int line, char command)
{
    Port *p = openPort(port);
    if (!p)
        return SIO_NOT_OPEN;
    unsigned long request;
    if (command == 'S')
        request = TIOCMBIS;
    else if (command == 'C')
        request = TIOCMBIC;
    else
        return SIO_BAD_ARGUMENT;
    if (::ioctl(p->fd, request, &line) == 0)
        return SIO_OK;
    // A pseudo-terminal has no modem lines; that is no failure of the port.
    if (errno == EINVAL || errno == ENOTTY || errno == ENOTSUP)
        return SIO_OK;
    return deviceGoneError(errno) ? SIO_GONE : SIO_IO_ERROR;
}

int Wsc::SioDTR(int port, char command) { return modemLine(port, TIOCM_DTR, command); }
int Wsc::SioRTS(int port, char command) { return modemLine(port, TIOCM_RTS, command); }

int Wsc::SioPutc(int port, int byte)
{
    Port *p = openPort(port);
    if (!p)
        return SIO_NOT_OPEN;
    if (p->gone)
        return SIO_GONE;
    const unsigned char c = static_cast<unsigned char>(byte);
    for (;;) {
        const ssize_t n = ::write(p->fd, &c, 1);
        if (n == 1)
            return SIO_OK;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Send queue full: wait for room, but not for ever (flow control held off).
            pollfd pfd {p->fd, POLLOUT, 0};
            const int r = ::poll(&pfd, 1, 1000);
            if (r > 0 && (pfd.revents & POLLOUT))
                continue;
            if (r > 0 && (pfd.revents & (POLLHUP | POLLERR))) {
                p->gone = true;
                return SIO_GONE;
            }
            return SIO_IO_ERROR;
        }
        if (n < 0 && deviceGoneError(errno)) {
            p->gone = true;
            return SIO_GONE;
        }
        return SIO_IO_ERROR;
    }
}

// Reads what the device has into the port's queue; returns bytes added,
// 0 when nothing waits, SIO_GONE on hang-up.
int Wsc::fill(Port &p)
{
    if (p.taken > 0 && p.taken == p.received.size()) {
        p.received.clear();
        p.taken = 0;
    }
    const qsizetype room = qMax<qsizetype>(p.rxQueue - (p.received.size() - p.taken), 0);
    if (room == 0)
        return 0;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(p.fd, buffer, size_t(qMin<qsizetype>(room, sizeof buffer)));
        if (n > 0) {
            p.received.append(buffer, n);
            return int(n);
        }
        if (n == 0) {
            p.gone = true;
            return SIO_GONE;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        p.gone = true;
        return SIO_GONE;
    }
}

int Wsc::SioGetc(int port)
{
    Port *p = openPort(port);
    if (!p)
        return SIO_NOT_OPEN;
    if (p->taken == p->received.size()) {
        if (p->gone)
            return SIO_GONE;
        const int r = fill(*p);
        if (r < 0)
            return r;
        if (r == 0)
            return SIO_NO_DATA;
    }
    return static_cast<unsigned char>(p->received.at(p->taken++));
}

int Wsc::SioWait(int port, int ms)
{
    Port *p = openPort(port);
    if (!p)
        return SIO_NOT_OPEN;
    if (p->taken < p->received.size())
        return 1;
    if (p->gone)
        return SIO_GONE;
    pollfd pfd {p->fd, POLLIN, 0};
    int r;
    do
        r = ::poll(&pfd, 1, qMax(ms, 0));
    while (r < 0 && errno == EINTR);
    if (r == 0)
        return 0;
    if (r < 0)
        return SIO_IO_ERROR;
    if (pfd.revents & POLLIN)
        return 1;
    p->gone = true;
    return SIO_GONE;
}

int Wsc::SioHandle(int port) const
{
    return validPort(port) ? m_ports[port].fd : -1;
}

QString Wsc::SioDeviceName(int port) const
{
    return validPort(port) ? m_map.device(port) : QString();
}

int Wsc::SioDone(int port)
{
    if (!validPort(port))
        return SIO_BAD_PORT;
    Port &p = m_ports[port];
    if (p.fd < 0)
        return SIO_NOT_OPEN;
    // Exclusivity would outlive the close while another descriptor holds the
    // line (a pseudo-terminal), and the next open by this user would fail.
    ::ioctl(p.fd, TIOCNXCL);
    ::close(p.fd);
    p = Port {};
    return SIO_OK;
}

} // namespace muxlink
