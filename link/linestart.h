#pragma once

namespace muxlink {

class Clock;
class Deadline;
class SerialPorts;

// A line silent this long has no line under way: longer than any pause inside
// a reading (a USB adapter holds bytes up to 16 ms).
constexpr int kLineIdleMs = 20;

// Readings may stream in while a command's reply is awaited. Sent from a
// line's start, the command's reply is never read from the tail of a reading.
// Drops what arrives until no line is under way: right after a line feed, or
// once nothing has come for idleMs. False when neither happened before
// `limit`, or the port failed.
bool awaitLineStart(SerialPorts &ports, Clock &clock, int port, const Deadline &limit,
                    int idleMs = kLineIdleMs);

} // namespace muxlink
