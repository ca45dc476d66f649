#pragma once

#include "configtool/replywait.h"

#include <QByteArray>

#include <optional>

namespace muxlink {
class Clock;
class ConfigToolLink;
class Deadline;
class EventPump;
struct NextByte;
class SerialPorts;
}

namespace configtool {

// The cable windows' use of the main window's open port: they send on it and
// wait on it, but never open or close it.
class CableLink {
public:
    CableLink(muxlink::SerialPorts &ports, muxlink::EventPump &pump, muxlink::Clock &clock, int port);
    explicit CableLink(muxlink::ConfigToolLink &link);

    // Every byte, zero bytes included.
    void send(const QByteArray &bytes);
    // Up to, not including, the first zero byte.
    void sendUpToZero(const QByteArray &bytes);
    // The wait that keeps serving events (the receive display, buttons, close).
    void delay(int ms);
    // Reads register `code` and returns its value. Only a lone byte counts: a
    // byte that more bytes follow at once belongs to a reading line, and the
    // register is asked again, a few times at most. Empty when no clean reply came.
    std::optional<int> readRegister(int code, ZeroByte zero);
    // Waits for a quiet line before a command whose reply must not mix with
    // readings; false when readings never paused or the device went away.
    bool awaitQuietLine();
    // True when nothing follows the reply at once.
    bool replyStandsAlone();
    // The next byte of a reply, blocking on the port without serving events.
    muxlink::NextByte nextByte(const muxlink::Deadline &deadline);
    // The device went away (or the main window closed its port on losing it):
    // a missing reply is then no fault of the cable.
    bool deviceGone();

    muxlink::Clock &clock() { return m_clock; }
    int port() const { return m_port; }

private:
    struct RegisterReply {
        enum Kind { Value, None, Mixed } kind;
        int value = 0;
    };
    RegisterReply takeRegisterReply(ZeroByte zero);

    muxlink::SerialPorts &m_ports;
    muxlink::EventPump &m_pump;
    muxlink::Clock &m_clock;
    int m_port;
};

} // namespace configtool
