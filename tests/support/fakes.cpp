#include "tests/support/fakes.h"

namespace testsupport {

using namespace muxlink;

void FakeSerialPorts::arrive(int port, const QByteArray &bytes, qint64 delayMs, qint64 perByteMs)
{
    qint64 at = m_clock.now + delayMs;
    for (char c : bytes) {
        m_devices.at(port).incoming.emplace_back(at, static_cast<unsigned char>(c));
        at += perByteMs;
    }
}

qint64 FakeSerialPorts::nextArrival(int port) const
{
    const Device &d = m_devices.at(port);
    return d.incoming.empty() ? -1 : d.incoming.front().first;
}

bool FakeSerialPorts::checkGone(Device &d)
{
    if (d.goneAt >= 0 && m_clock.now >= d.goneAt)
        d.gone = true;
    return d.gone;
}

int FakeSerialPorts::simple(const QString &call, int port)
{
    calls << QStringLiteral("%1(%2)").arg(call).arg(port);
    if (port < 0 || port >= kPortCount)
        return SIO_BAD_PORT;
    Device &d = m_devices[port];
    if (!d.open)
        return SIO_NOT_OPEN;
    if (failing.contains(call))
        return SIO_IO_ERROR;
    return checkGone(d) ? SIO_GONE : SIO_OK;
}

int FakeSerialPorts::SioReset(int port, int, int)
{
    calls << QStringLiteral("SioReset(%1)").arg(port);
    if (port < 0 || port >= kPortCount)
        return SIO_BAD_PORT;
    Device &d = m_devices[port];
    if (d.present && d.denied)
        return SIO_NO_PERMISSION;
    if (!d.present || d.gone || failing.contains(QStringLiteral("SioReset")))
        return SIO_CANNOT_OPEN;
    d.open = true;
    // Opening flushes what the device sent before.
    while (!d.incoming.empty() && d.incoming.front().first <= m_clock.now)
        d.incoming.pop_front();
    return SIO_OK;
}

int FakeSerialPorts::SioBaud(int port, int) { return simple(QStringLiteral("SioBaud"), port); }
int FakeSerialPorts::SioParms(int port, int parity, int stop, int data)
{
    const int r = simple(QStringLiteral("SioParms"), port);
    calls.last() = QStringLiteral("SioParms(%1,%2,%3,%4)").arg(port).arg(parity).arg(stop).arg(data);
    return r;
}
int FakeSerialPorts::SioFlow(int port, char flow)
{
    const int r = simple(QStringLiteral("SioFlow"), port);
    calls.last() = QStringLiteral("SioFlow(%1,%2)").arg(port).arg(QLatin1Char(flow));
    return r;
}
int FakeSerialPorts::SioDTR(int port, char) { return simple(QStringLiteral("SioDTR"), port); }
int FakeSerialPorts::SioRTS(int port, char) { return simple(QStringLiteral("SioRTS"), port); }

int FakeSerialPorts::SioPutc(int port, int byte)
{
    if (port < 0 || port >= kPortCount)
        return SIO_BAD_PORT;
    Device &d = m_devices[port];
    if (!d.open)
        return SIO_NOT_OPEN;
    if (checkGone(d))
        return SIO_GONE;
    d.written.append(char(byte));
    if (onWrite)
        onWrite(*this, port, d.written);
    return SIO_OK;
}

int FakeSerialPorts::SioGetc(int port)
{
    if (port < 0 || port >= kPortCount)
        return SIO_BAD_PORT;
    Device &d = m_devices[port];
    if (!d.open)
        return SIO_NOT_OPEN;
    if (!d.incoming.empty() && d.incoming.front().first <= m_clock.now) {
        const int byte = d.incoming.front().second;
        d.incoming.pop_front();
        return byte;
    }
    return checkGone(d) ? SIO_GONE : SIO_NO_DATA;
}

int FakeSerialPorts::SioDone(int port)
{
    calls << QStringLiteral("SioDone(%1)").arg(port);
    if (port < 0 || port >= kPortCount)
        return SIO_BAD_PORT;
    Device &d = m_devices[port];
    if (!d.open)
        return SIO_NOT_OPEN;
    d.open = false;
    return SIO_OK;
}

int FakeSerialPorts::SioWait(int port, int ms)
{
    if (port < 0 || port >= kPortCount)
        return SIO_BAD_PORT;
    Device &d = m_devices[port];
    if (!d.open)
        return SIO_NOT_OPEN;
    const qint64 next = nextArrival(port);
    if (next >= 0 && next <= m_clock.now)
        return 1;
    if (checkGone(d))
        return SIO_GONE;
    qint64 until = m_clock.now + ms;
    if (next >= 0 && next <= until && (d.goneAt < 0 || next < d.goneAt)) {
        m_clock.now = next;
        return 1;
    }
    if (d.goneAt >= 0 && d.goneAt <= until) {
        m_clock.now = qMax(m_clock.now, d.goneAt);
        return SIO_GONE;
    }
    m_clock.now = until;
    return 0;
}

int FakeSerialPorts::SioHandle(int port) const
{
    return port >= 0 && port < kPortCount && m_devices[port].open ? 1000 + port : -1;
}

void FakeEventPump::processPending()
{
    ++pendingCalls;
    if (onEvents)
        onEvents();
}

void FakeEventPump::waitForEvents(int ms, int wakeHandle)
{
    ++waitCalls;
    if (onEvents)
        onEvents();
    qint64 step = ms;
    if (m_ports && wakeHandle >= 1000) {
        const int port = wakeHandle - 1000;
        const qint64 next = m_ports->nextArrival(port);
        if (next >= 0)
            step = qBound<qint64>(0, next - m_clock.now, qint64(ms));
        const qint64 goneAt = m_ports->device(port).goneAt;
        if (goneAt >= 0)
            step = qBound<qint64>(0, goneAt - m_clock.now, step);
    }
    m_clock.advance(step);
    waitedMs += step;
}

} // namespace testsupport
