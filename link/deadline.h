#pragma once

#include <QtGlobal>

namespace muxlink {

class Clock;

// The end of a wait on the clock's milliseconds.
class Deadline {
public:
    // Passes once ms have gone by; a negative ms has passed already.
    Deadline(Clock &clock, qint64 ms);
    // Passes only once more than ms have gone by: the reply rules allow the
    // last millisecond too.
    static Deadline moreThan(Clock &clock, qint64 ms) { return Deadline(clock, ms + 1); }
    // Whichever passes first.
    static Deadline earlier(const Deadline &a, const Deadline &b);

    // What is left for a blocking wait: 0 once passed, never negative.
    int remainingMs() const;
    bool passed() const { return remainingMs() == 0; }

private:
    Clock *m_clock;
    qint64 m_end;
};

} // namespace muxlink
