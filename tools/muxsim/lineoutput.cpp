#include "tools/muxsim/lineoutput.h"

#include <algorithm>

namespace muxsim {

LineOutput::LineOutput(bool paced) : m_paced(paced) {}

void LineOutput::enqueue(std::string bytes, Clock::time_point now, Clock::duration pauseBefore)
{
    if (bytes.empty() && pauseBefore == Clock::duration::zero())
        return;
    const bool wasIdle = m_pieces.empty();
    m_pendingBytes += bytes.size();
    m_pieces.push_back({std::move(bytes), pauseBefore});
    if (wasIdle) {
        // An idle line starts now, not back when it last went quiet.
        m_nextByteAt = std::max(m_nextByteAt, now);
        startFront();
    }
}

void LineOutput::startFront()
{
    while (!m_pieces.empty()) {
        m_nextByteAt += m_pieces.front().pauseBefore;
        if (!m_pieces.front().bytes.empty())
            return;
        m_pieces.pop_front();
    }
}

std::string LineOutput::takeDue(Clock::time_point now)
{
    std::string due;
    while (!m_pieces.empty() && m_nextByteAt <= now) {
        Piece &piece = m_pieces.front();
        if (m_paced) {
            due += piece.bytes[piece.sent++];
            m_nextByteAt += byteTime;
        } else {
            due.append(piece.bytes, piece.sent);
            piece.sent = piece.bytes.size();
        }
        if (piece.sent == piece.bytes.size()) {
            m_pieces.pop_front();
            startFront();
        }
    }
    m_pendingBytes -= due.size();
    return due;
}

std::optional<Clock::time_point> LineOutput::nextDue() const
{
    if (m_pieces.empty())
        return std::nullopt;
    return m_nextByteAt;
}

void LineOutput::clear()
{
    m_pieces.clear();
    m_pendingBytes = 0;
}

} // namespace muxsim
