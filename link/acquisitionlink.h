#pragma once

#include "link/portscan.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace muxlink {

class Clock;
class EventPump;
class SerialPorts;

// The acquisition program's side of the link: finds the multiplexer at
// start-up, keeps its port open, sends commands and waits for reading lines.
class AcquisitionLink {
public:
    AcquisitionLink(SerialPorts &ports, EventPump &pump, Clock &clock);

    bool openPort(int port); // open sequence B, with its two-second settling
    // Sends "@*?" and listens 500 ms while serving events; found when any
    // line feed arrived. The port is closed afterwards.
    bool probe(int port);
    // Probes COM1..COM16 and opens the found port again.
    bool scan();

    int send(const QByteArray &command);
    // Drops what has arrived and was not asked for. When that cuts a line, the
    // rest of it is dropped too as it comes.
    void discardInput();

    enum class Receive { Line, Stopped, Gone };
    // Waits, serving events, for one reading line (from its first 'V' up to
    // the line feed). No time limit: only stopRequested() or a lost device
    // ends the wait. Uses no CPU while nothing arrives.
    Receive receiveLine(QByteArray &line, const std::function<bool()> &stopRequested);

    bool scanning() const { return m_state.scanning; }
    bool found() const { return m_state.found; }
    int port() const { return m_state.port; }
    // The devices the last scan could not open for lack of permission.
    QString deniedDevices() const;
    Clock &clock() { return m_clock; }

private:
    SerialPorts &m_ports;
    EventPump &m_pump;
    Clock &m_clock;
    ScanState m_state;
    bool m_midLine = false; // the beginning of the line now arriving was dropped
};

} // namespace muxlink
