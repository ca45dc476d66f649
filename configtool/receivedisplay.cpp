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

QString breakLongLines(const QString &text, qsizetype lastLineLength, qsizetype limit)
{
    QString out;
    out.reserve(text.size() + text.size() / qMax<qsizetype>(limit, 1) + 1);
    qsizetype length = lastLineLength;
    for (const QChar c : text) {
        if (c == u'\n') {
            length = 0;
        } else {
            if (length >= limit) {
                out.append(u'\n');
                length = 0;
            }
            ++length;
        }
        out.append(c);
    }
    return out;
}

} // namespace configtool
