#include "link/linereader.h"

#include "link/deadline.h"
#include "link/portinput.h"
#include "link/readingline.h"

namespace muxlink {

LineResult readLineWithin(SerialPorts &ports, Clock &clock, int port, int timeoutMs)
{
    LineResult result;
    PrintableLineCollector collector;
    const Deadline deadline = Deadline::moreThan(clock, timeoutMs);
    // Bytes that already wait count only until the deadline, like those waited for.
    do {
        const NextByte next = nextByte(ports, port, deadline);
        if (!next.isByte()) {
            result.gone = next.deviceGone();
            break;
        }
        if (collector.feed(next.value)) {
            result.complete = true;
            break;
        }
    } while (!deadline.passed());
    result.line = collector.line();
    return result;
}

} // namespace muxlink
