#include "configtool/replywait.h"

#include "link/clock.h"
#include "link/serialports.h"

namespace configtool {

std::optional<int> waitForReplyByte(muxlink::SerialPorts &ports, muxlink::Clock &clock, int port,
                                    ZeroByte zero, int timeoutMs)
{
    const qint64 start = clock.nowMs();
    for (;;) {
        const int byte = ports.SioGetc(port);
        if (byte > 0 || (byte == 0 && zero == ZeroByte::Valid))
            return byte;
        if (byte < 0 && byte != muxlink::SIO_NO_DATA)
            return std::nullopt;
        const qint64 elapsed = clock.nowMs() - start;
        if (elapsed > timeoutMs)
            return std::nullopt;
        // A zero byte was taken; look again at once for the next one.
        if (byte == muxlink::SIO_NO_DATA && ports.SioWait(port, int(timeoutMs - elapsed + 1)) < 0)
            return std::nullopt;
    }
}

} // namespace configtool
