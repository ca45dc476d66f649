#pragma once

#include <QByteArray>

#include <array>

namespace muxlink {

class SerialPorts;

// The multiplexer's commands, exact bytes.
QByteArray identifyCommand();               // "@*?" CR LF
QByteArray selectCommand(int input);        // "@*N1".."@*N8" CR LF
QByteArray multipleCommand(quint8 mask);    // "@*M0", raw mask byte, CR LF
QByteArray readInstrumentCommand();         // "@*LD" CR LF
QByteArray retroCommand(int digit);         // "@*L0".."@*L9" CR LF
QByteArray cableIdentityCommand();          // "@*AT" CR LF

// The mask of multiple mode: bit n - 1 for chosen input n (chosen[n - 1]).
quint8 inputMask(const std::array<bool, 8> &chosen);
bool maskHasInput(quint8 mask, int input);

// Puts the bytes one at a time, in order. Returns the result of the last put:
// 0 when every byte was accepted. Stops at the first negative result, since
// the rest cannot go out either.
int sendBytes(SerialPorts &ports, int port, const QByteArray &bytes);

} // namespace muxlink
