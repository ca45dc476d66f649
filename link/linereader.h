#pragma once

#include <QByteArray>

namespace muxlink {

class Clock;
class SerialPorts;

struct LineResult {
    QByteArray line;       // printable characters only
    bool complete = false; // a line feed arrived in time
    bool gone = false;     // the device went away meanwhile
};

// Reads one line within timeoutMs without serving the event queue: the
// window does not repaint meanwhile, and no timer can take the bytes. Blocks
// on the port rather than spinning.
LineResult readLineWithin(SerialPorts &ports, Clock &clock, int port, int timeoutMs = 500);

} // namespace muxlink
