#include "tools/muxsim/receivelog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace muxsim {

ReceiveLog::ReceiveLog(const std::string &path) : m_path(path)
{
    if (path.empty())
        return;
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_fd < 0)
        throw std::runtime_error("cannot open the log " + path + ": " + std::strerror(errno));
}

ReceiveLog::~ReceiveLog()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void ReceiveLog::append(std::string_view bytes)
{
    while (m_fd >= 0 && !bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (!m_failed)
                std::fprintf(stderr, "muxsim: cannot write the log %s: %s\n", m_path.c_str(), std::strerror(errno));
            m_failed = true;
            return;
        }
        bytes.remove_prefix(std::size_t(n));
    }
}

} // namespace muxsim
