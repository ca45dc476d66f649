#pragma once

#include <QByteArray>

#include <functional>

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

// A reading line: the multiplexer's readings begin with 'V'.
bool isReadingLine(const QByteArray &printableLine);

// The reply line to a command while readings may stream in: lines within
// timeoutMs, readings skipped, up to the first that `wanted` accepts. Without
// one, the last other complete line (or what came of an incomplete one). The
// caller starts it at a line's start, so no tail of a reading is taken.
LineResult readReplyLineWithin(SerialPorts &ports, Clock &clock, int port, int timeoutMs,
                               const std::function<bool(const QByteArray &)> &wanted);

} // namespace muxlink
