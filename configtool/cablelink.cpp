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
        switch (const RegisterReply reply = takeRegisterReply(zero); reply.kind) {
        case RegisterReply::Value: return reply.value;
        case RegisterReply::None: return std::nullopt; // a silent cable is not asked again
        case RegisterReply::Mixed: break;
        }
    }
    return std::nullopt;
}

// The reply is the byte that stands alone: it begins where no line is under
// way (the command went on a quiet line, or a line has just ended) and nothing
// follows it at once. Readings are read through meanwhile.
CableLink::RegisterReply CableLink::takeRegisterReply(ZeroByte zero)
{
    const muxlink::Deadline deadline = muxlink::Deadline::moreThan(m_clock, ReplyByteTimeoutMs);
    bool lineStart = true;
    bool mixed = false;
    std::optional<int> candidate;
    for (;;) {
        const muxlink::Deadline wait =
            candidate ? muxlink::Deadline::earlier(muxlink::Deadline(m_clock, muxlink::kQuietMs), deadline) : deadline;
        const muxlink::NextByte next = nextByte(wait);
        if (next.kind == muxlink::NextByte::Kind::Failed)
            return {RegisterReply::None};
        if (next.kind == muxlink::NextByte::Kind::TimedOut) {
            if (candidate && !deadline.passed())
                return {RegisterReply::Value, *candidate};
            return {mixed ? RegisterReply::Mixed : RegisterReply::None};
        }
        if (next.value == 0 && zero == ZeroByte::NoReply)
            continue; // line noise on this page
        mixed = mixed || candidate || !lineStart;
        candidate = lineStart ? std::optional<int>(next.value) : std::nullopt;
        lineStart = next.value == '\n';
    }
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
