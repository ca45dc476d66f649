#include "configtool/cablelink.h"

#include "configtool/registercommands.h"
#include "link/commands.h"
#include "link/configtoollink.h"
#include "link/deadline.h"
#include "link/eventpump.h"
#include "link/linestart.h"
#include "link/portinput.h"
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

void CableLink::follow(int byte)
{
    if (byte == '\n')
        m_line = Line::Start;
    else if (m_line == Line::Start)
        m_line = Line::Inside;
}

bool CableLink::awaitLineStart()
{
    for (int byte; (byte = m_ports.SioGetc(m_port)) >= 0;)
        follow(byte);
    if (m_line != Line::Start
        && !muxlink::awaitLineStart(m_ports, m_clock, m_port,
                                    muxlink::Deadline::moreThan(m_clock, ReplyByteTimeoutMs)))
        return false;
    m_line = Line::Start;
    return true;
}

std::optional<int> CableLink::readRegister(int code, ZeroByte zero)
{
    if (!awaitLineStart())
        return std::nullopt;
    send(readRegisterCommand(code));
    const muxlink::Deadline deadline = muxlink::Deadline::moreThan(m_clock, ReplyByteTimeoutMs);
    for (;;) {
        const muxlink::NextByte next = take(deadline);
        if (!next.isByte())
            return std::nullopt;
        if (m_line != Line::Start) {
            follow(next.value);
            continue;
        }
        if (next.value == 0 && zero == ZeroByte::NoReply)
            continue; // line noise on this page
        // Between two lines, only a reading begins with 'V': any other byte is the reply.
        if (next.value != 'V')
            return next.value;
        const muxlink::NextByte after =
            take(muxlink::Deadline::earlier(muxlink::Deadline(m_clock, muxlink::kLineIdleMs), deadline));
        if (after.kind == muxlink::NextByte::Kind::Failed)
            return std::nullopt;
        // A 'V' alone, or one before the 'V' of a reading, is the reply.
        if (!after.isByte() || after.value == 'V') {
            m_line = after.isByte() ? Line::Inside : Line::Start;
            return next.value;
        }
        m_line = Line::Inside;
        follow(after.value);
    }
}

void CableLink::delay(int ms)
{
    muxlink::pumpFor(m_pump, m_clock, ms);
    // The receive display took what came meanwhile: where its last line stands is unknown.
    m_line = Line::Unknown;
}

muxlink::NextByte CableLink::nextByte(const muxlink::Deadline &deadline)
{
    const muxlink::NextByte next = take(deadline);
    if (next.isByte())
        follow(next.value);
    return next;
}

muxlink::NextByte CableLink::take(const muxlink::Deadline &deadline)
{
    return muxlink::nextByte(m_ports, m_port, deadline);
}

bool CableLink::deviceGone()
{
    return m_ports.SioWait(m_port, 0) < 0;
}

} // namespace configtool
