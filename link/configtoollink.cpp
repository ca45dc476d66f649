#include "link/configtoollink.h"

#include "link/commands.h"
#include "link/eventpump.h"
#include "link/identification.h"
#include "link/opensequence.h"
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
    if (!openPort(port))
        return false;
    pumpFor(m_pump, m_clock, kSettleMs);
    bool recognised = false;
    if (sendBytes(m_ports, port, identifyCommand()) >= 0) {
        const LineResult reply = readLineWithin(m_ports, m_clock, port, kProbeLineMs);
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
    if (m_scanning)
        return ScanResult::Busy;
    m_scanning = true;
    bool found = false;
    for (int port = 0; port < kPortCount && !found; ++port) {
        m_port = port;
        found = probe(port);
    }
    // Opening again drops the rest of the identification line.
    if (found)
        found = openPort(m_port);
    m_found = found;
    m_scanning = false;
    return found ? ScanResult::Found : ScanResult::NotFound;
}

void ConfigToolLink::close()
{
    m_ports.SioDone(m_port);
}

int ConfigToolLink::send(const QByteArray &command)
{
    if (m_scanning)
        return SIO_BUSY;
    return sendBytes(m_ports, m_port, command);
}

LineResult ConfigToolLink::readLine(int timeoutMs)
{
    if (m_scanning)
        return {};
    return readLineWithin(m_ports, m_clock, m_port, timeoutMs);
}

} // namespace muxlink
