#include "configtool/receivedisplay.h"

#include "link/serialports.h"

namespace configtool {

namespace {
constexpr int maxGetsPerTick = 128;
}

ReceivedBatch gatherIncoming(muxlink::SerialPorts &ports, int port)
{
    ReceivedBatch batch;
    for (int i = 0; i < maxGetsPerTick; ++i) {
        const int c = ports.SioGetc(port);
        if (c <= 0) {
            batch.gone = c == muxlink::SIO_GONE;
            break;
        }
        if (c == '\r')
            continue;
        batch.received = true;
        if (c == '\n') {
            batch.endsLine = true;
            break;
        }
        batch.text.append(c >= 0x20 && c <= 0x7e ? QChar(c) : QChar(u' '));
    }
    return batch;
}

} // namespace configtool
