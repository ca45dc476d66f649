#include "link/opensequence.h"

#include "link/eventpump.h"
#include "link/serialports.h"

namespace muxlink {

namespace {
int reset(SerialPorts &ports, int port, int *resetResult)
{
    ports.SioDone(port);
    const int result = ports.SioReset(port, 2048, 512);
    if (resetResult)
        *resetResult = result;
    return result;
}
} // namespace

bool openSequenceA(SerialPorts &ports, int port, int *resetResult)
{
    return reset(ports, port, resetResult) >= 0
        && ports.SioBaud(port, kBaud9600) >= 0
        && ports.SioParms(port, 0, 0, 8) >= 0
        && ports.SioFlow(port, 'N') >= 0
        && ports.SioDTR(port, 'S') >= 0
        && ports.SioRTS(port, 'S') >= 0;
}

bool openSequenceB(SerialPorts &ports, EventPump &pump, Clock &clock, int port, int *resetResult)
{
    if (reset(ports, port, resetResult) < 0)
        return false;
    ports.SioDTR(port, 'S');
    ports.SioRTS(port, 'S');
    pumpFor(pump, clock, kSettleMs);
    return ports.SioBaud(port, kBaud9600) >= 0
        && ports.SioParms(port, 0, 2, 8) >= 0
        && ports.SioFlow(port, 'S') >= 0;
}

} // namespace muxlink
