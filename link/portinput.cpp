#include "link/portinput.h"

#include "link/deadline.h"
#include "link/eventpump.h"

namespace muxlink {

namespace {

NextByte take(SerialPorts &ports, int port, const Deadline &deadline, EventPump *pump)
{
    for (;;) {
        if (pump)
            pump->processPending();
        const int byte = ports.SioGetc(port);
        if (byte >= 0)
            return {NextByte::Kind::Byte, byte};
        if (byte != SIO_NO_DATA)
            return {NextByte::Kind::Failed, byte};
        const int left = deadline.remainingMs();
        if (left == 0)
            return {};
        if (pump) {
            // A lost device shows at the next get.
            pump->waitForEvents(left, ports.SioHandle(port));
        } else if (const int waited = ports.SioWait(port, left); waited < 0) {
            return {NextByte::Kind::Failed, waited};
        }
    }
}

} // namespace

NextByte nextByte(SerialPorts &ports, int port, const Deadline &deadline)
{
    return take(ports, port, deadline, nullptr);
}

NextByte nextByte(SerialPorts &ports, int port, const Deadline &deadline, EventPump &pump)
{
    return take(ports, port, deadline, &pump);
}

void discardInput(SerialPorts &ports, int port)
{
    while (ports.SioGetc(port) >= 0) {
    }
}

} // namespace muxlink
