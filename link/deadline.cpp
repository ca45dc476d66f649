#include "link/deadline.h"

#include "link/clock.h"

#include <limits>

namespace muxlink {

Deadline::Deadline(Clock &clock, qint64 ms) : m_clock(&clock), m_end(clock.nowMs() + ms) {}

Deadline Deadline::earlier(const Deadline &a, const Deadline &b)
{
    return a.m_end <= b.m_end ? a : b;
}

int Deadline::remainingMs() const
{
    return int(qBound<qint64>(0, m_end - m_clock->nowMs(), qint64(std::numeric_limits<int>::max())));
}

} // namespace muxlink
