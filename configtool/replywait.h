#pragma once

#include <optional>

namespace muxlink {
class Clock;
class SerialPorts;
}

namespace configtool {

// Whether a reply byte of 0 counts: the RS232 page takes it for line noise and
// keeps waiting, the analog page accepts it as a register value.
enum class ZeroByte { NoReply, Valid };

inline constexpr int ReplyByteTimeoutMs = 1000;
// How often a register is asked again when its reply came mixed with a reading.
inline constexpr int RegisterReadAttempts = 8;

// One reply byte within timeoutMs, blocking on the port (no events are served,
// nothing spins). Empty on time-out, and at once when the device is gone.
std::optional<int> waitForReplyByte(muxlink::SerialPorts &ports, muxlink::Clock &clock, int port,
                                    ZeroByte zero, int timeoutMs = ReplyByteTimeoutMs);

} // namespace configtool
