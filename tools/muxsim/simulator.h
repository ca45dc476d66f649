#pragma once

#include "tools/muxsim/commandframer.h"
#include "tools/muxsim/device.h"
#include "tools/muxsim/lineoutput.h"
#include "tools/muxsim/options.h"
#include "tools/muxsim/replysink.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace muxsim {

class PseudoTerminal;
class ReceiveLog;
class SignalChannel;

// The simulator's wait loop: bytes from the program, signals, interval ticks and
// paced output, all waited for in one poll with a deadline, never spinning.
class Simulator {
public:
    Simulator(const Options &options, PseudoTerminal &pty, ReceiveLog &log, SignalChannel &signals);

    // Answers until SIGTERM or SIGINT; returns the exit status.
    int run();

private:
    bool handleSignals();
    void receive();
    void onTick(Clock::time_point now);
    void armTicks(Clock::time_point now);
    void flush(Clock::time_point now);
    void vanishWhenDrained(Clock::time_point now);
    void vanish(const char *why);
    bool reading() const;
    std::optional<Clock::time_point> nextWake() const;

    const Options &m_options;
    PseudoTerminal &m_pty;
    ReceiveLog &m_log;
    SignalChannel &m_signals;
    LineOutput m_output;
    LineOutputSink m_lineSink;
    std::unique_ptr<NoisySink> m_noisySink;
    Device m_device;
    CommandFramer m_framer;
    std::vector<CommandHandler *> m_handlers;
    std::string m_unwritten;
    long long m_received = 0;
    std::optional<Clock::time_point> m_nextTick;
    std::optional<Clock::time_point> m_drainCheck;
    std::optional<Clock::time_point> m_drainDeadline;
};

} // namespace muxsim
