#pragma once

#include <QString>

namespace muxlink {
class SerialPorts;
}

namespace configtool {

// What one tick of the receive area takes from the port.
struct ReceivedBatch {
    QString text;         // to add to the last line, unprintable bytes as spaces
    bool received = false; // a byte other than CR came, so the text is shown
    bool endsLine = false; // the batch ended with LF: a new empty line follows
    bool gone = false;     // the device went away: stop reading the port
};

// Takes what waits on the port, at most 128 gets per tick: 128 bytes per 50 ms
// is well above what 9600 baud carries. CR is dropped but counts as a get; LF
// or nothing waiting ends the batch, and so does a zero byte, which is lost.
ReceivedBatch gatherIncoming(muxlink::SerialPorts &ports, int port);

// A device that never ends its lines (CR-only line ends, a wrong speed) must
// not slow the receive area down as its text grows: a line is broken after
// this many characters, and only the newest lines are kept.
inline constexpr int receiveLineLimit = 1024;
inline constexpr int receiveLinesKept = 2000;

// The text to add after a last line of lastLineLength characters, with a line
// break inserted wherever a line would pass the limit.
QString breakLongLines(const QString &text, qsizetype lastLineLength, qsizetype limit = receiveLineLimit);

} // namespace configtool
