#include "link/quietline.h"

#include "link/deadline.h"
#include "link/portinput.h"

namespace muxlink {

bool staysQuiet(SerialPorts &ports, Clock &clock, int port, int quietMs)
{
    const NextByte next = nextByte(ports, port, Deadline(clock, quietMs));
    return next.kind == NextByte::Kind::TimedOut;
}

bool dropUntilQuiet(SerialPorts &ports, Clock &clock, int port, const Deadline &limit, int quietMs)
{
    discardInput(ports, port);
    for (;;) {
        const Deadline quiet(clock, quietMs);
        const NextByte next = nextByte(ports, port, Deadline::earlier(quiet, limit));
        if (next.kind == NextByte::Kind::Failed)
            return false;
        if (next.kind == NextByte::Kind::TimedOut)
            return quiet.passed();
        if (limit.passed())
            return false;
    }
}

} // namespace muxlink
