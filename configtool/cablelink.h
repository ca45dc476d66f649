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
    std::optional<int> replyByte(ZeroByte zero);
    // The next byte of a reply, blocking on the port without serving events.
    muxlink::NextByte nextByte(const muxlink::Deadline &deadline);
    // The device went away (or the main window closed its port on losing it):
    // a missing reply is then no fault of the cable.
    bool deviceGone();

    muxlink::Clock &clock() { return m_clock; }
    int port() const { return m_port; }

private:
    muxlink::SerialPorts &m_ports;
    muxlink::EventPump &m_pump;
    muxlink::Clock &m_clock;
    int m_port;
};

} // namespace configtool
