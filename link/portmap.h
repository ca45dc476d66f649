#pragma once

#include <QString>
#include <QStringList>

namespace muxlink {

// Which device stands behind COM1..COM16.
class PortMap {
public:
    PortMap() = default;
    explicit PortMap(QStringList devices);

    // MUX_PORTS (comma-separated paths for COM1, COM2, ...; an empty item
    // leaves that number free) when set, else the serial devices present.
    static PortMap fromEnvironment();
    static PortMap fromList(const QString &commaSeparated);
    // /dev/serial/by-id/* (resolved), then ttyUSB*, ttyACM*, ttyS* not yet
    // listed, each group in numeric order; at most 16.
    static PortMap discover(const QString &devRoot = QStringLiteral("/dev"));

    // Empty when the number has no device.
    QString device(int port) const;
    const QStringList &devices() const { return m_devices; }

private:
    QStringList m_devices;
};

} // namespace muxlink
