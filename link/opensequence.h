#pragma once

namespace muxlink {

class Clock;
class EventPump;
class SerialPorts;

// resetResult, when given, receives the reset's result (why a port would not open).
//
// The configuration tool's open: done, reset, 9600 baud, no parity, one stop
// bit, 8 data bits, no flow control, DTR and RTS on. The first failure stops
// the sequence (the port is then left as it is).
bool openSequenceA(SerialPorts &ports, int port, int *resetResult = nullptr);

// The acquisition program's open: done, reset, DTR and RTS on (their results
// ignored), two seconds of serving events for the line to settle, then 9600
// baud, stop code 2, 8 data bits, software flow control.
bool openSequenceB(SerialPorts &ports, EventPump &pump, Clock &clock, int port, int *resetResult = nullptr);

constexpr int kSettleMs = 2000;

} // namespace muxlink
