#include "tools/muxsim/simulator.h"

#include "tools/muxsim/cableframing.h"
#include "tools/muxsim/pseudoterminal.h"
#include "tools/muxsim/receivelog.h"
#include "tools/muxsim/signalchannel.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace muxsim {

namespace {

// Readings stop queueing while this much waits unsent (the program is not reading).
constexpr std::size_t backlogLimit = 4096;

// Closing the master throws away what the program has not read yet, so a device
// about to vanish first lets its last replies be read, though not for ever.
constexpr auto drainCheckPeriod = std::chrono::milliseconds(10);
constexpr auto drainLimit = std::chrono::seconds(2);

ReplySink &chooseSink(const Options &options, LineOutputSink &line, std::unique_ptr<NoisySink> &noisy)
{
    if (!options.garbage)
        return line;
    noisy = std::make_unique<NoisySink>(line);
    return *noisy;
}

} // namespace

Simulator::Simulator(const Options &options, PseudoTerminal &pty, ReceiveLog &log, SignalChannel &signals)
    : m_options(options),
      m_pty(pty),
      m_log(log),
      m_signals(signals),
      m_output(options.pace),
      m_lineSink(m_output),
      m_replies(chooseSink(options, m_lineSink, m_noisySink)),
      m_device(options, m_replies),
      m_cable(makeCable(options.cable, m_device, m_replies)),
      m_framer(CommandFramer::standard()),
      m_handlers{&m_device}
{
    if (m_cable)
        m_handlers.push_back(m_cable.get());
    for (FrameRule &rule : cableFrameRules(options.cable.kind))
        m_framer.addRule(std::move(rule));
}

bool Simulator::reading() const
{
    return m_pty.isOpen() && (!m_options.vanishAfter || m_received < *m_options.vanishAfter);
}

std::optional<Clock::time_point> Simulator::nextWake() const
{
    std::optional<Clock::time_point> wake = m_nextTick;
    if (m_drainCheck && (!wake || *m_drainCheck < *wake))
        wake = m_drainCheck;
    // While bytes wait for room, POLLOUT wakes us rather than a deadline.
    if (auto due = m_output.nextDue(); due && m_unwritten.empty() && (!wake || *due < *wake))
        wake = due;
    return wake;
}

int Simulator::run()
{
    for (;;) {
        const Clock::time_point now = Clock::now();
        flush(now);
        vanishWhenDrained(now);

        pollfd fds[3] = {{m_signals.fd(), POLLIN, 0}, {-1, 0, 0}, {-1, POLLIN, 0}};
        if (m_pty.isOpen()) {
            fds[1].events = short((reading() ? POLLIN : 0) | (m_unwritten.empty() ? 0 : POLLOUT));
            fds[1].fd = fds[1].events ? m_pty.masterFd() : -1;
            fds[2].fd = m_pty.openingsFd();
        }
        timespec timeout{};
        timespec *timeoutPtr = nullptr;
        if (auto wake = nextWake()) {
            const auto wait = std::max(*wake - Clock::now(), Clock::duration::zero());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
            timeout.tv_sec = ns / 1000000000;
            timeout.tv_nsec = ns % 1000000000;
            timeoutPtr = &timeout;
        }
        if (ppoll(fds, 3, timeoutPtr, nullptr) < 0 && errno != EINTR) {
            std::fprintf(stderr, "muxsim: poll failed: %s\n", std::strerror(errno));
            return 1;
        }
        if ((fds[0].revents & POLLIN) && !handleSignals())
            return 0;
        if (fds[1].revents & (POLLIN | POLLHUP | POLLERR))
            receive();
        if (fds[2].revents & POLLIN)
            m_pty.takeOpenings();
        onTick(Clock::now());
    }
}

bool Simulator::handleSignals()
{
    for (int signal : m_signals.take()) {
        if (signal == SIGTERM || signal == SIGINT)
            return false;
        if (signal == SIGUSR1 && reading() && !m_options.silent) {
            m_device.tick();
            armTicks(Clock::now());
        }
    }
    return true;
}

void Simulator::receive()
{
    char buffer[4096];
    while (reading()) {
        std::size_t room = sizeof buffer;
        if (m_options.vanishAfter)
            room = std::min<long long>(room, *m_options.vanishAfter - m_received);
        const ssize_t n = ::read(m_pty.masterFd(), buffer, room);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        if (n <= 0) {
            // Cannot happen while we hold the slave open; never spin on it.
            std::fprintf(stderr, "muxsim: the pseudo-terminal failed: %s\n", n < 0 ? std::strerror(errno) : "end of file");
            vanish("after a pseudo-terminal failure");
            return;
        }
        const std::string_view bytes(buffer, std::size_t(n));
        m_received += n;
        m_log.append(bytes);
        if (m_options.silent)
            continue;
        for (const Command &command : m_framer.feed(bytes)) {
            for (CommandHandler *handler : m_handlers) {
                if (handler->handle(command))
                    break;
            }
        }
        armTicks(Clock::now());
    }
}

void Simulator::armTicks(Clock::time_point now)
{
    if (m_options.intervalMs <= 0 || m_options.silent || !m_device.hasSelection()) {
        m_nextTick.reset();
        return;
    }
    if (!m_nextTick)
        m_nextTick = now + std::chrono::milliseconds(m_options.intervalMs);
}

void Simulator::onTick(Clock::time_point now)
{
    if (!m_nextTick || now < *m_nextTick)
        return;
    if (!reading()) {
        m_nextTick.reset();
        return;
    }
    if (m_output.pendingBytes() + m_unwritten.size() < backlogLimit)
        m_device.tick();
    const auto interval = std::chrono::milliseconds(m_options.intervalMs);
    *m_nextTick += interval;
    if (*m_nextTick <= now) // fell behind (stopped, or a slow machine): no burst of catch-up ticks
        m_nextTick = now + interval;
}

void Simulator::flush(Clock::time_point now)
{
    if (!m_pty.isOpen())
        return;
    m_unwritten += m_output.takeDue(now);
    while (!m_unwritten.empty()) {
        const ssize_t n = ::write(m_pty.masterFd(), m_unwritten.data(), m_unwritten.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // full: POLLOUT tells when there is room
        m_unwritten.erase(0, std::size_t(n));
    }
}

void Simulator::vanishWhenDrained(Clock::time_point now)
{
    if (!m_pty.isOpen() || reading() || m_output.pendingBytes() != 0 || !m_unwritten.empty())
        return;
    // The kernel hands written bytes to the reader's queue a moment later, so
    // the queue is only looked at after one check period.
    if (!m_drainDeadline) {
        m_drainDeadline = now + drainLimit;
        m_drainCheck = now + drainCheckPeriod;
        return;
    }
    if (now < *m_drainCheck)
        return;
    if (m_pty.unreadBytes() > 0 && now < *m_drainDeadline) {
        m_drainCheck = now + drainCheckPeriod;
        return;
    }
    vanish("after the bytes it was allowed to receive");
}

void Simulator::vanish(const char *why)
{
    m_drainCheck.reset();
    m_output.clear();
    m_unwritten.clear();
    m_nextTick.reset();
    m_pty.close();
    std::printf("muxsim: vanished %s\n", why);
    std::fflush(stdout);
}

} // namespace muxsim
