#include "link/portscan.h"

#include "link/serialports.h"

namespace muxlink {

bool scanPorts(ScanState &state, const std::function<bool(int)> &probe,
               const std::function<bool(int)> &reopen)
{
    state.scanning = true;
    bool found = false;
    for (int port = 0; port < kPortCount && !found; ++port) {
        state.port = port;
        found = probe(port);
    }
    if (found)
        found = reopen(state.port);
    state.found = found;
    state.scanning = false;
    return found;
}

} // namespace muxlink
