#pragma once

#include "link/linereader.h"

#include "link/portscan.h"

#include <QByteArray>
#include <QString>

namespace muxlink {

class Clock;
class EventPump;
class SerialPorts;

enum class ScanResult { Found, NotFound, Busy, Cancelled };

// The configuration tool's side of the link: finds the multiplexer, keeps its
// port, model letter and version character, and sends the commands.
class ConfigToolLink {
public:
    ConfigToolLink(SerialPorts &ports, EventPump &pump, Clock &clock);

    bool openPort(int port);   // open sequence A
    // Probes one port: two seconds serving events, "@*?", one line within
    // 500 ms. Sets the model and version from a complete line.
    bool probe(int port);
    // Probes COM1..COM16 and opens the found port again. Refused while a scan
    // runs (a click served inside a probe's wait).
    ScanResult scan();
    // Closes the current port; a scan under way stops after its current probe.
    void close();

    // Result of the last byte's put; SIO_BUSY while a scan is under way.
    int send(const QByteArray &command);
    // One line within timeoutMs on the current port, without serving events.
    LineResult readLine(int timeoutMs = 500);
    // Sends a command and reads its one-line reply within timeoutMs, skipping
    // the reading lines that stream in meanwhile.
    LineResult ask(const QByteArray &command, int timeoutMs = 500);

    bool scanning() const { return m_state.scanning; }
    bool found() const { return m_state.found; }
    int port() const { return m_state.port; }
    const QString &model() const { return m_model; }
    const QString &version() const { return m_version; }
    // The devices the last scan could not open for lack of permission.
    QString deniedDevices() const;
    SerialPorts &ports() { return m_ports; }
    Clock &clock() { return m_clock; }
    EventPump &pump() { return m_pump; }

private:
    int sendAfterReading(int port, const QByteArray &command);

    SerialPorts &m_ports;
    EventPump &m_pump;
    Clock &m_clock;
    ScanState m_state;
    QString m_model;
    QString m_version;
};

} // namespace muxlink
