#pragma once

#include <QString>

#include <vector>

namespace muxlink {

class SerialPorts;

// The devices of a scan that the user may not open, for a message: their
// paths separated by ", " ("COM3" where the device has no name); empty for none.
QString deniedDevices(const SerialPorts &ports, const std::vector<int> &denied);

} // namespace muxlink
