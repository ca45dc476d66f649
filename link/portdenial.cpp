#include "link/portdenial.h"

#include "link/serialports.h"

#include <QStringList>

namespace muxlink {

QString deniedDevices(const SerialPorts &ports, const std::vector<int> &denied)
{
    QStringList names;
    for (int port : denied) {
        const QString device = ports.SioDeviceName(port);
        names << (device.isEmpty() ? QStringLiteral("COM%1").arg(port + 1) : device);
    }
    return names.join(QStringLiteral(", "));
}

} // namespace muxlink
