#include "configtool/replywait.h"

#include "link/deadline.h"
#include "link/portinput.h"

namespace configtool {

std::optional<int> waitForReplyByte(muxlink::SerialPorts &ports, muxlink::Clock &clock, int port,
                                    ZeroByte zero, int timeoutMs)
{
    const muxlink::Deadline deadline = muxlink::Deadline::moreThan(clock, timeoutMs);
    do {
        const muxlink::NextByte next = muxlink::nextByte(ports, port, deadline);
        if (!next.isByte())
            return std::nullopt;
        if (next.value > 0 || zero == ZeroByte::Valid)
            return next.value;
    } while (!deadline.passed());
    return std::nullopt;
}

} // namespace configtool
