#include "tools/muxsim/signalchannel.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

namespace muxsim {

SignalChannel::SignalChannel(std::initializer_list<int> signals)
{
    sigset_t set;
    sigemptyset(&set);
    for (int s : signals)
        sigaddset(&set, s);
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0)
        throw std::runtime_error(std::string("cannot block signals: ") + std::strerror(errno));
    m_fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_fd < 0)
        throw std::runtime_error(std::string("cannot receive signals: ") + std::strerror(errno));
}

SignalChannel::~SignalChannel()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::vector<int> SignalChannel::take()
{
    std::vector<int> arrived;
    signalfd_siginfo info;
    while (::read(m_fd, &info, sizeof info) == ssize_t(sizeof info))
        arrived.push_back(int(info.ssi_signo));
    return arrived;
}

} // namespace muxsim
