#include "tools/muxsim/pseudoterminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace muxsim {

namespace {

std::runtime_error systemError(const std::string &what)
{
    return std::runtime_error(what + ": " + std::strerror(errno));
}

} // namespace

PseudoTerminal::PseudoTerminal(std::string linkPath) : m_linkPath(std::move(linkPath))
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0)
        throw systemError("cannot create a pseudo-terminal");
    try {
        if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            throw systemError("cannot unlock the pseudo-terminal");
        char name[128];
        if (ptsname_r(m_master, name, sizeof name) != 0)
            throw systemError("cannot name the pseudo-terminal");
        m_slavePath = name;
        m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_slave < 0)
            throw systemError("cannot open " + m_slavePath);
        // Raw before anyone opens it: no echo of what the program sends, no CR/LF changes.
        termios tio{};
        if (tcgetattr(m_slave, &tio) != 0)
            throw systemError("cannot read the settings of " + m_slavePath);
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        if (tcsetattr(m_slave, TCSANOW, &tio) != 0)
            throw systemError("cannot set " + m_slavePath + " to raw mode");
        watchOpenings();
        makeLink();
    } catch (...) {
        close();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

void PseudoTerminal::makeLink()
{
    struct stat st {};
    if (lstat(m_linkPath.c_str(), &st) == 0 && !S_ISLNK(st.st_mode))
        throw std::runtime_error(m_linkPath + " exists and is not a symbolic link; not replacing it");
    // A stale link is replaced in one step, so the path never points nowhere.
    const std::string temporary = m_linkPath + ".muxsim-" + std::to_string(getpid());
    ::unlink(temporary.c_str());
    if (symlink(m_slavePath.c_str(), temporary.c_str()) != 0)
        throw systemError("cannot create the link " + temporary);
    if (rename(temporary.c_str(), m_linkPath.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        errno = error;
        throw systemError("cannot create the link " + m_linkPath);
    }
}

void PseudoTerminal::removeLink()
{
    // Only our own link: another simulator may have taken the path since.
    char target[256];
    const ssize_t n = readlink(m_linkPath.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, std::size_t(n)) == m_slavePath)
        ::unlink(m_linkPath.c_str());
}

void PseudoTerminal::watchOpenings()
{
    m_openings = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_openings >= 0
        && inotify_add_watch(m_openings, m_slavePath.c_str(), IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
        ::close(m_openings);
        m_openings = -1;
    }
}

void PseudoTerminal::takeOpenings()
{
    alignas(inotify_event) char events[4096];
    bool closed = false;
    for (ssize_t n; m_openings >= 0 && (n = ::read(m_openings, events, sizeof events)) > 0;) {
        for (const char *at = events; at < events + n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            if (event->mask & IN_OPEN)
                ++m_openers;
            if (event->mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) {
                m_openers = m_openers > 0 ? m_openers - 1 : 0;
                closed = true;
            }
            at += sizeof(inotify_event) + event->len;
        }
    }
    // A program that ends its use as it should gives exclusivity back itself.
    int exclusive = 0;
    if (closed && m_openers == 0 && m_slave >= 0 && ioctl(m_slave, TIOCGEXCL, &exclusive) == 0 && exclusive)
        ioctl(m_slave, TIOCNXCL);
}

int PseudoTerminal::unreadBytes() const
{
    int waiting = 0;
    if (m_slave < 0 || ioctl(m_slave, FIONREAD, &waiting) != 0)
        return 0;
    return waiting;
}

void PseudoTerminal::close()
{
    if (m_master < 0 && m_slave < 0)
        return;
    if (!m_slavePath.empty())
        removeLink();
    if (m_openings >= 0)
        ::close(m_openings);
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_openings = -1;
    m_slave = -1;
    m_master = -1;
}

} // namespace muxsim
