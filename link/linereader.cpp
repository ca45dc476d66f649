#include "link/linereader.h"

#include "link/clock.h"
#include "link/readingline.h"
#include "link/serialports.h"

namespace muxlink {

LineResult readLineWithin(SerialPorts &ports, Clock &clock, int port, int timeoutMs)
{
    LineResult result;
    PrintableLineCollector collector;
    const qint64 start = clock.nowMs();
    for (;;) {
        const int byte = ports.SioGetc(port);
        if (byte >= 0 && collector.feed(byte)) {
            result.complete = true;
            break;
        }
        if (byte < 0 && byte != SIO_NO_DATA) {
            result.gone = byte == SIO_GONE;
            break;
        }
        const qint64 elapsed = clock.nowMs() - start;
        if (elapsed > timeoutMs)
            break;
        if (byte == SIO_NO_DATA) {
            const int waited = ports.SioWait(port, int(timeoutMs - elapsed + 1));
            if (waited < 0) {
                result.gone = waited == SIO_GONE;
                break;
            }
        }
    }
    result.line = collector.line();
    return result;
}

} // namespace muxlink
