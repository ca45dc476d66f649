#pragma once

#include "link/serialports.h"

namespace muxlink {

class Deadline;
class EventPump;

// What a port gave: a byte, nothing before the deadline, or a failure.
struct NextByte {
    enum class Kind { Byte, TimedOut, Failed };
    Kind kind = Kind::TimedOut;
    int value = SIO_NO_DATA; // the byte; the port's negative result when Failed

    bool isByte() const { return kind == Kind::Byte; }
    bool deviceGone() const { return kind == Kind::Failed && value == SIO_GONE; }
};

// The next byte of the port. A byte that already waits is taken even after
// the deadline; otherwise the wait blocks on the port until a byte comes, the
// deadline passes or the port fails (device gone, port not open). Events are
// not served, so no timer can take the bytes meanwhile.
NextByte nextByte(SerialPorts &ports, int port, const Deadline &deadline);
// The same while serving events: those pending before each look at the port,
// and the waits are the pump's, woken when the port becomes readable.
NextByte nextByte(SerialPorts &ports, int port, const Deadline &deadline, EventPump &pump);

// Throws away what has arrived, without waiting.
void discardInput(SerialPorts &ports, int port);

} // namespace muxlink
