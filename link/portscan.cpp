#include "link/portscan.h"

#include "link/serialports.h"

namespace muxlink {

bool scanPorts(ScanState &state, const std::function<bool(int)> &probe,
               const std::function<bool(int)> &reopen)
{
    state.scanning = true;
    state.cancelled = false;
    state.denied.clear();
    bool found = false;
    for (int port = 0; port < kPortCount && !found && !state.cancelled; ++port) {
        state.port = port;
        found = probe(port);
    }
    if (state.cancelled)
        found = false;
    if (found)
        found = reopen(state.port);
    state.found = found;
    state.scanning = false;
    return found;
}

} // namespace muxlink
