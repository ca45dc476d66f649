#include "link/linereader.h"

#include "link/deadline.h"
#include "link/portinput.h"
#include "link/readingline.h"

namespace muxlink {

namespace {

LineResult readLineUntil(SerialPorts &ports, int port, const Deadline &deadline)
{
    LineResult result;
    PrintableLineCollector collector;
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

} // namespace

LineResult readLineWithin(SerialPorts &ports, Clock &clock, int port, int timeoutMs)
{
    return readLineUntil(ports, port, Deadline::moreThan(clock, timeoutMs));
}

bool isReadingLine(const QByteArray &printableLine)
{
    return printableLine.startsWith('V');
}

LineResult readReplyLineWithin(SerialPorts &ports, Clock &clock, int port, int timeoutMs,
                               const std::function<bool(const QByteArray &)> &wanted)
{
    const Deadline deadline = Deadline::moreThan(clock, timeoutMs);
    LineResult other;
    for (;;) {
        const LineResult line = readLineUntil(ports, port, deadline);
        if (!line.complete)
            return other.complete && !line.gone ? other : line;
        if (!isReadingLine(line.line)) {
            if (wanted(line.line))
                return line;
            other = line;
        }
        if (deadline.passed())
            return other;
    }
}

} // namespace muxlink
