#pragma once

#include "link/clock.h"
#include "link/eventpump.h"
#include "link/serialports.h"

#include <QByteArray>
#include <QStringList>

#include <array>
#include <deque>
#include <functional>

namespace testsupport {

// Time that only moves when a fake waits.
class FakeClock : public muxlink::Clock {
public:
    qint64 nowMs() override { return now; }
    void advance(qint64 ms) { now += ms; }
    qint64 now = 1000;
};

// Serial ports whose devices are scripted: bytes arrive at set times, what the
// program writes is recorded, and a hook can answer commands.
class FakeSerialPorts : public muxlink::SerialPorts {
public:
    explicit FakeSerialPorts(FakeClock &clock) : m_clock(clock) {}

    struct Device {
        bool present = false;     // a port without a device cannot be opened
        bool denied = false;      // present, but this user may not open it
        bool open = false;
        bool gone = false;
        qint64 goneAt = -1;       // the device disappears at this time
        int failAt = -1;          // index into the open sequence that fails (see calls)
        QByteArray written;
        std::deque<std::pair<qint64, int>> incoming; // (time, byte)
    };

    // Called after every accepted byte with everything written so far.
    std::function<void(FakeSerialPorts &, int port, const QByteArray &written)> onWrite;

    Device &device(int port) { return m_devices.at(port); }
    void plug(int port) { m_devices.at(port).present = true; }
    // Queues bytes that arrive delayMs from now, spaced by perByteMs.
    void arrive(int port, const QByteArray &bytes, qint64 delayMs = 0, qint64 perByteMs = 0);
    qint64 nextArrival(int port) const; // -1 when nothing is queued

    // Every call as "Name(port,args)", in order.
    QStringList calls;
    // Calls whose name is listed here fail on every port.
    QStringList failing;

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

    FakeClock &clock() { return m_clock; }

private:
    int simple(const QString &call, int port);
    bool checkGone(Device &d);
    FakeClock &m_clock;
    std::array<Device, muxlink::kPortCount> m_devices;
};

// An event pump whose waits move the fake clock (to the next byte of the
// watched port, or by the whole wait) and run a hook where events would be served.
class FakeEventPump : public muxlink::EventPump {
public:
    explicit FakeEventPump(FakeClock &clock, FakeSerialPorts *ports = nullptr)
        : m_clock(clock), m_ports(ports) {}

    void processPending() override;
    void waitForEvents(int ms, int wakeHandle = -1) override;

    std::function<void()> onEvents; // a click, a timer tick...
    int pendingCalls = 0;
    int waitCalls = 0;
    qint64 waitedMs = 0;

private:
    FakeClock &m_clock;
    FakeSerialPorts *m_ports;
};

} // namespace testsupport
