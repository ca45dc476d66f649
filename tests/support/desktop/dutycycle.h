#pragma once

#include <QtGlobal>

#include <atomic>
#include <thread>

namespace testsupport {

// Holds a process to a share of one core, like a slow or busy PC: it runs
// runMs, then is stopped for the rest of each 100 ms, until the object goes.
class DutyCycle {
public:
    DutyCycle(qint64 pid, int runMs);
    ~DutyCycle();
    DutyCycle(const DutyCycle &) = delete;
    DutyCycle &operator=(const DutyCycle &) = delete;

private:
    qint64 m_pid;
    std::atomic<bool> m_end {false};
    std::thread m_thread;
};

} // namespace testsupport
