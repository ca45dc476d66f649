#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

namespace muxlink {

// Millisecond counter; only differences between readings mean anything.
class Clock {
public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() = 0;
};

class SteadyClock : public Clock {
public:
    SteadyClock() { m_timer.start(); }
    qint64 nowMs() override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

} // namespace muxlink
