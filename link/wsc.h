#pragma once

#include "link/clock.h"
#include "link/portmap.h"
#include "link/serialports.h"

#include <QByteArray>

#include <array>

namespace muxlink {

// The serial library on termios: each port is a device from the port map,
// opened non-blocking, exclusive and raw.
class Wsc : public SerialPorts {
public:
    explicit Wsc(PortMap map = PortMap::fromEnvironment());
    ~Wsc() override;
    Wsc(const Wsc &) = delete;
    Wsc &operator=(const Wsc &) = delete;

    int SioReset(int port, int rxQueue, int txQueue) override;
    int SioBaud(int port, int baudCode) override;
    int SioParms(int port, int parity, int stopCode, int dataBits) override;
    int SioFlow(int port, char flow) override;
    int SioDTR(int port, char command) override;
    int SioRTS(int port, char command) override;
    int SioPutc(int port, int byte) override;
    int SioGetc(int port) override;
    int SioDone(int port) override;
    int SioWait(int port, int ms) override;
    int SioHandle(int port) const override;
    QString SioDeviceName(int port) const override;

private:
    struct Port {
        int fd = -1;
        QByteArray received; // read ahead from the device, not yet taken
        qsizetype taken = 0;
        int rxQueue = 0;
        bool gone = false;
    };
    Port *openPort(int port);
    int fill(Port &p);
    int modemLine(int port, int line, char command);

    PortMap m_map;
    std::array<Port, kPortCount> m_ports;
};

} // namespace muxlink
