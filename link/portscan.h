#pragma once

#include <functional>
#include <vector>

namespace muxlink {

// Where a program's link stands: the current port (0 = COM1), whether the
// last scan found the multiplexer, and whether a scan is running now.
struct ScanState {
    int port = 0;
    bool found = false;
    bool scanning = false;
    bool cancelled = false; // the program is closing: probe no further port
    std::vector<int> denied; // ports of the last scan that this user may not open
};

// Probes COM1..COM16 in order, the current port following each probe, stops at
// the first port that answers and opens it again. After a fruitless scan the
// current port is the last one probed. The caller refuses a scan that is already
// running. A scan cancelled during a probe stops there and opens nothing.
bool scanPorts(ScanState &state, const std::function<bool(int)> &probe,
               const std::function<bool(int)> &reopen);

} // namespace muxlink
