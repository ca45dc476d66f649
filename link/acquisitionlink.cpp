#include "link/acquisitionlink.h"

#include "link/commands.h"
#include "link/deadline.h"
#include "link/eventpump.h"
#include "link/opensequence.h"
#include "link/portinput.h"
#include "link/readingline.h"
#include "link/serialports.h"

namespace muxlink {

namespace {
constexpr int kListenMs = 500;
// How long one blocking wait for a reading lasts before the stop flag is looked
// at again; events (a click on "Stop") wake it at once anyway.
constexpr int kReadingWaitSliceMs = 1000;
}

AcquisitionLink::AcquisitionLink(SerialPorts &ports, EventPump &pump, Clock &clock)
    : m_ports(ports), m_pump(pump), m_clock(clock) {}

bool AcquisitionLink::openPort(int port)
{
    return openSequenceB(m_ports, m_pump, m_clock, port);
}

bool AcquisitionLink::probe(int port)
{
    if (!openPort(port))
        return false;
    sendBytes(m_ports, port, identifyCommand());
    const Deadline listen = Deadline::moreThan(m_clock, kListenMs);
    bool lineFeed = false;
    do {
        const NextByte next = nextByte(m_ports, port, listen, m_pump);
        if (!next.isByte())
            break;
        lineFeed |= next.value == '\n';
    } while (!listen.passed());
    m_ports.SioDone(port);
    return lineFeed;
}

bool AcquisitionLink::scan()
{
    if (m_state.scanning)
        return false;
    const bool found = scanPorts(m_state, [this](int port) { return probe(port); },
                                 [this](int port) { return openPort(port); });
    return found;
}

void AcquisitionLink::discardInput()
{
    muxlink::discardInput(m_ports, m_state.port);
}

int AcquisitionLink::send(const QByteArray &command)
{
    if (m_state.scanning)
        return SIO_BUSY;
    return sendBytes(m_ports, m_state.port, command);
}

AcquisitionLink::Receive AcquisitionLink::receiveLine(QByteArray &line,
                                                      const std::function<bool()> &stopRequested)
{
    ReadingLineCollector collector;
    for (;;) {
        m_pump.processPending();
        if (stopRequested())
            return Receive::Stopped;
        const int byte = m_ports.SioGetc(m_state.port);
        if (byte >= 0) {
            if (collector.feed(byte)) {
                line = collector.line();
                return Receive::Line;
            }
        } else if (byte == SIO_NO_DATA) {
            m_pump.waitForEvents(kReadingWaitSliceMs, m_ports.SioHandle(m_state.port));
        } else {
            return Receive::Gone;
        }
    }
}

} // namespace muxlink
