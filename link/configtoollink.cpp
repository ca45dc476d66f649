#include "link/configtoollink.h"

#include "link/commands.h"
#include "link/deadline.h"
#include "link/eventpump.h"
#include "link/identification.h"
#include "link/linestart.h"
#include "link/opensequence.h"
#include "link/portdenial.h"
#include "link/serialports.h"

namespace muxlink {

namespace {
constexpr int kProbeLineMs = 500;
}

ConfigToolLink::ConfigToolLink(SerialPorts &ports, EventPump &pump, Clock &clock)
    : m_ports(ports), m_pump(pump), m_clock(clock) {}

bool ConfigToolLink::openPort(int port)
{
    return openSequenceA(m_ports, port);
}

bool ConfigToolLink::probe(int port)
{
    int reset = SIO_OK;
    if (!openSequenceA(m_ports, port, &reset)) {
        if (reset == SIO_NO_PERMISSION)
            m_state.denied.push_back(port);
        return false;
    }
    pumpFor(m_pump, m_clock, kSettleMs);
    bool recognised = false;
    if (sendAfterReading(port, identifyCommand()) >= 0) {
        const LineResult reply = readReplyLineWithin(m_ports, m_clock, port, kProbeLineMs, [](const QByteArray &line) {
            return parseIdentification(line).recognised;
        });
        if (reply.complete) {
            const Identification id = parseIdentification(reply.line);
            m_model = id.model;
            m_version = id.version;
            recognised = id.recognised;
        }
    }
    if (!recognised)
        m_ports.SioDone(port);
    return recognised;
}

ScanResult ConfigToolLink::scan()
{
    if (m_state.scanning)
        return ScanResult::Busy;
    // The found port is opened again, which drops the rest of its identification line.
    const bool found = scanPorts(m_state, [this](int port) { return probe(port); },
                                 [this](int port) { return openPort(port); });
    if (m_state.cancelled)
        return ScanResult::Cancelled;
    return found ? ScanResult::Found : ScanResult::NotFound;
}

void ConfigToolLink::close()
{
    if (m_state.scanning)
        m_state.cancelled = true;
    m_ports.SioDone(m_state.port);
}

QString ConfigToolLink::deniedDevices() const
{
    return muxlink::deniedDevices(m_ports, m_state.denied);
}

int ConfigToolLink::send(const QByteArray &command)
{
    if (m_state.scanning)
        return SIO_BUSY;
    return sendBytes(m_ports, m_state.port, command);
}

LineResult ConfigToolLink::readLine(int timeoutMs)
{
    if (m_state.scanning)
        return {};
    return readLineWithin(m_ports, m_clock, m_state.port, timeoutMs);
}

int ConfigToolLink::sendAfterReading(int port, const QByteArray &command)
{
    awaitLineStart(m_ports, m_clock, port, Deadline::moreThan(m_clock, kProbeLineMs));
    return sendBytes(m_ports, port, command);
}

LineResult ConfigToolLink::ask(const QByteArray &command, int timeoutMs)
{
    if (m_state.scanning)
        return {};
    if (const int sent = sendAfterReading(m_state.port, command); sent < 0) {
        LineResult failed;
        failed.gone = sent == SIO_GONE;
        return failed;
    }
    return readReplyLineWithin(m_ports, m_clock, m_state.port, timeoutMs, [](const QByteArray &) { return true; });
}

} // namespace muxlink
