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
    // Reads register `code` and returns its value; empty when none came. The
    // reply is one byte between two lines: the readings that stream in
    // meanwhile are followed line by line and never taken for it.
    std::optional<int> readRegister(int code, ZeroByte zero);
    // Waits until no line is under way: a line feed came, or nothing for a
    // while. False when that did not happen within a second or the device went away.
    bool awaitLineStart();
    // The next byte of a reply, blocking on the port without serving events.
    muxlink::NextByte nextByte(const muxlink::Deadline &deadline);
    // The device went away (or the main window closed its port on losing it):
    // a missing reply is then no fault of the cable.
    bool deviceGone();

    muxlink::Clock &clock() { return m_clock; }
    int port() const { return m_port; }

private:
    // Where the bytes taken so far leave the line.
    enum class Line { Unknown, Start, Inside };
    void follow(int byte);
    muxlink::NextByte take(const muxlink::Deadline &deadline); // not followed

    muxlink::SerialPorts &m_ports;
    muxlink::EventPump &m_pump;
    muxlink::Clock &m_clock;
    int m_port;
    Line m_line = Line::Unknown;
};

} // namespace configtool
