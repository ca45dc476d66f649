#pragma once

namespace muxlink {

class Clock;
class Deadline;
class SerialPorts;

// Readings may stream in while a one-byte or one-line reply is awaited; only a
// line that has gone quiet tells that no reading is under way. Two character
// times at 9600 baud.
constexpr int kQuietMs = 2;

// True when no byte arrives within quietMs; a byte that does is taken.
bool staysQuiet(SerialPorts &ports, Clock &clock, int port, int quietMs = kQuietMs);

// Drops what has arrived and what keeps arriving until nothing has come for
// quietMs. False when the line did not go quiet before `limit`, or the port failed.
bool dropUntilQuiet(SerialPorts &ports, Clock &clock, int port, const Deadline &limit,
                    int quietMs = kQuietMs);

} // namespace muxlink
