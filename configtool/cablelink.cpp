#include "configtool/cablelink.h"

#include "configtool/registercommands.h"
#include "link/commands.h"
#include "link/configtoollink.h"
#include "link/eventpump.h"
#include "link/deadline.h"
#include "link/portinput.h"
#include "link/quietline.h"
#include "link/serialports.h"

namespace configtool {

CableLink::CableLink(muxlink::SerialPorts &ports, muxlink::EventPump &pump, muxlink::Clock &clock, int port)
    : m_ports(ports), m_pump(pump), m_clock(clock), m_port(port) {}

CableLink::CableLink(muxlink::ConfigToolLink &link)
    : CableLink(link.ports(), link.pump(), link.clock(), link.port()) {}

// Put results are not looked at: a lost byte shows as a missing or wrong
// read-back, which every operation reports.
void CableLink::send(const QByteArray &bytes)
{
    muxlink::sendBytes(m_ports, m_port, bytes);
}

void CableLink::sendUpToZero(const QByteArray &bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    send(zero < 0 ? bytes : bytes.left(zero));
}

void CableLink::delay(int ms)
{
    muxlink::pumpFor(m_pump, m_clock, ms);
}

bool CableLink::awaitQuietLine()
{
    const muxlink::Deadline limit = muxlink::Deadline::moreThan(m_clock, ReplyByteTimeoutMs);
    return muxlink::dropUntilQuiet(m_ports, m_clock, m_port, limit);
}

bool CableLink::replyStandsAlone()
{
    return muxlink::staysQuiet(m_ports, m_clock, m_port);
}

std::optional<int> CableLink::readRegister(int code, ZeroByte zero)
{
    for (int attempt = 0; attempt < RegisterReadAttempts; ++attempt) {
        if (!awaitQuietLine())
            return std::nullopt;
        send(readRegisterCommand(code));
        const std::optional<int> reply = waitForReplyByte(m_ports, m_clock, m_port, zero);
        if (!reply)
            return std::nullopt; // a silent cable is not asked again
        if (replyStandsAlone())
            return reply;
    }
    return std::nullopt;
}

muxlink::NextByte CableLink::nextByte(const muxlink::Deadline &deadline)
{
    return muxlink::nextByte(m_ports, m_port, deadline);
}

bool CableLink::deviceGone()
{
    return m_ports.SioWait(m_port, 0) < 0;
}

} // namespace configtool
