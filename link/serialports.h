#pragma once

#include <QString>
#include <QtGlobal>

namespace muxlink {

// Results of the serial operations. -1 from SioGetc is the ordinary "nothing
// waiting"; SIO_GONE tells a caller that the device went away (USB adapter
// pulled out, pseudo-terminal closed) so it can report it instead of waiting.
constexpr int SIO_OK = 0;
constexpr int SIO_NO_DATA = -1;
constexpr int SIO_GONE = -2;
constexpr int SIO_BAD_PORT = -3;    // number outside 0..15, or no device for it
constexpr int SIO_NOT_OPEN = -4;
constexpr int SIO_CANNOT_OPEN = -5; // missing, not a tty, busy, refused
constexpr int SIO_BAD_ARGUMENT = -6;
constexpr int SIO_IO_ERROR = -7;
constexpr int SIO_BUSY = -8;        // refused: a scan is using the port
constexpr int SIO_NO_PERMISSION = -9; // the device exists, but this user may not open it

constexpr int kPortCount = 16;

// Baud codes of SioBaud.
constexpr int kBaud110 = 0, kBaud300 = 1, kBaud1200 = 2, kBaud2400 = 3, kBaud4800 = 4,
              kBaud9600 = 5, kBaud19200 = 6, kBaud38400 = 7, kBaud57600 = 8, kBaud115200 = 9;

// The serial library: ports are numbered 0 (COM1) to 15 (COM16).
class SerialPorts {
public:
    virtual ~SerialPorts() = default;

    virtual int SioReset(int port, int rxQueue, int txQueue) = 0;
    virtual int SioBaud(int port, int baudCode) = 0;
    // parity 0 none, 1 odd, 2 even; stop code 0 one bit, 2 two bits; data 5..8
    virtual int SioParms(int port, int parity, int stopCode, int dataBits) = 0;
    // 'N' none, 'H' hardware (RTS/CTS), 'S' software (XON/XOFF)
    virtual int SioFlow(int port, char flow) = 0;
    // 'S' set, 'C' clear
    virtual int SioDTR(int port, char command) = 0;
    virtual int SioRTS(int port, char command) = 0;
    virtual int SioPutc(int port, int byte) = 0;
    // Never waits: the next byte, SIO_NO_DATA, or another negative result.
    virtual int SioGetc(int port) = 0;
    virtual int SioDone(int port) = 0;

    // Blocks at most ms until a byte waits: 1 when one does, 0 on time-out,
    // a negative result when the port is not open or the device is gone.
    virtual int SioWait(int port, int ms) = 0;
    // A descriptor that becomes readable with the port, for event loops; -1 if none.
    virtual int SioHandle(int port) const = 0;
    // The device behind a port number, for messages; empty when unknown.
    virtual QString SioDeviceName(int port) const
    {
        Q_UNUSED(port);
        return {};
    }
};

} // namespace muxlink
