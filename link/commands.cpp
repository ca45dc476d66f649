#include "link/commands.h"

#include "link/serialports.h"

namespace muxlink {

namespace {
QByteArray withEnd(QByteArray body) { return body + "\r\n"; }
}

QByteArray identifyCommand() { return withEnd("@*?"); }

QByteArray selectCommand(int input)
{
    return withEnd(QByteArray("@*N") + char('0' + input));
}

quint8 inputMask(const std::array<bool, 8> &chosen)
{
    quint8 mask = 0;
    for (int input = 1; input <= 8; ++input)
        if (chosen[std::size_t(input - 1)])
            mask |= quint8(1u << (input - 1));
    return mask;
}

bool maskHasInput(quint8 mask, int input)
{
    return input >= 1 && input <= 8 && (mask & (1u << (input - 1))) != 0;
}

QByteArray multipleCommand(quint8 mask)
{
    return withEnd(QByteArray("@*M0") + char(mask));
}

QByteArray readInstrumentCommand() { return withEnd("@*LD"); }

QByteArray retroCommand(int digit)
{
    return withEnd(QByteArray("@*L") + char('0' + digit));
}

QByteArray cableIdentityCommand() { return withEnd("@*AT"); }

int sendBytes(SerialPorts &ports, int port, const QByteArray &bytes)
{
    int result = SIO_OK;
    for (char c : bytes) {
        result = ports.SioPutc(port, static_cast<unsigned char>(c));
        if (result < 0)
            break;
    }
    return result;
}

} // namespace muxlink
