#include "tests/support/desktop/dutycycle.h"

#include <chrono>
#include <csignal>

namespace testsupport {

DutyCycle::DutyCycle(qint64 pid, int runMs) : m_pid(pid)
{
    m_thread = std::thread([this, runMs] {
        while (!m_end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(runMs));
            ::kill(pid_t(m_pid), SIGSTOP);
            std::this_thread::sleep_for(std::chrono::milliseconds(100 - runMs));
            ::kill(pid_t(m_pid), SIGCONT);
        }
    });
}

DutyCycle::~DutyCycle()
{
    m_end = true;
    m_thread.join();
    ::kill(pid_t(m_pid), SIGCONT);
}

} // namespace testsupport
