#include "link/linestart.h"

#include "link/deadline.h"
#include "link/portinput.h"

namespace muxlink {

bool awaitLineStart(SerialPorts &ports, Clock &clock, int port, const Deadline &limit, int idleMs)
{
    int last = SIO_NO_DATA;
    for (int byte; (byte = ports.SioGetc(port)) >= 0;)
        last = byte;
    if (last == '\n')
        return true;
    for (;;) {
        const Deadline idle(clock, idleMs);
        const NextByte next = nextByte(ports, port, Deadline::earlier(idle, limit));
        if (next.kind == NextByte::Kind::Failed)
            return false;
        if (next.kind == NextByte::Kind::TimedOut)
            return idle.passed();
        if (next.value == '\n')
            return true;
        if (limit.passed())
            return false;
    }
}

} // namespace muxlink
