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
