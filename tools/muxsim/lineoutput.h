#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>

namespace muxsim {

using Clock = std::chrono::steady_clock;

// Bytes waiting to go on the wire, released at the line rate when paced
// (9600 baud, 10 bits a byte) and after the pause a piece asks for.
class LineOutput {
public:
    static constexpr Clock::duration byteTime = std::chrono::microseconds(1042);

    explicit LineOutput(bool paced);

    void enqueue(std::string bytes, Clock::time_point now,
                 Clock::duration pauseBefore = Clock::duration::zero());

    // Removes and returns the bytes whose time has come.
    std::string takeDue(Clock::time_point now);

    // When the next byte falls due; empty when nothing waits.
    std::optional<Clock::time_point> nextDue() const;

    std::size_t pendingBytes() const { return m_pendingBytes; }
    void clear();

private:
    struct Piece {
        std::string bytes;
        Clock::duration pauseBefore;
        std::size_t sent = 0;
    };

    void startFront();

    bool m_paced;
    std::deque<Piece> m_pieces;
    std::size_t m_pendingBytes = 0;
    Clock::time_point m_nextByteAt; // valid while pieces wait
};

} // namespace muxsim
