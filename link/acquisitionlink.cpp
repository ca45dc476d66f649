#include "link/acquisitionlink.h"

#include "link/commands.h"
#include "link/deadline.h"
#include "link/eventpump.h"
#include "link/opensequence.h"
#include "link/portdenial.h"
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
    m_midLine = false;
    return openSequenceB(m_ports, m_pump, m_clock, port);
}

bool AcquisitionLink::probe(int port)
{
    int reset = SIO_OK;
    m_midLine = false;
    if (!openSequenceB(m_ports, m_pump, m_clock, port, &reset)) {
        if (reset == SIO_NO_PERMISSION)
            m_state.denied.push_back(port);
        return false;
    }
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

QString AcquisitionLink::deniedDevices() const
{
    return muxlink::deniedDevices(m_ports, m_state.denied);
}

void AcquisitionLink::discardInput()
{
    for (int byte; (byte = m_ports.SioGetc(m_state.port)) >= 0;)
        m_midLine = byte != '\n';
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
    bool begun = false;
    for (;;) {
        m_pump.processPending();
        if (stopRequested()) {
            // What is still to come of this line must not start the next one.
            m_midLine = m_midLine || begun;
            return Receive::Stopped;
        }
        const int byte = m_ports.SioGetc(m_state.port);
        if (byte >= 0 && m_midLine) {
            // The rest of a line whose beginning was dropped: no reading.
            m_midLine = byte != '\n';
        } else if (byte >= 0) {
            begun = true;
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
