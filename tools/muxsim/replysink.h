#pragma once

#include "tools/muxsim/lineoutput.h"
#include "tools/muxsim/noise.h"

#include <chrono>
#include <string>

namespace muxsim {

// Where the multiplexer's replies go: one call per piece of a reply, with the
// pause the line keeps before it.
class ReplySink {
public:
    virtual ~ReplySink() = default;
    virtual void send(std::string bytes, std::chrono::milliseconds pauseBefore = {}) = 0;
};

// Queues replies on the line.
class LineOutputSink : public ReplySink {
public:
    explicit LineOutputSink(LineOutput &output) : m_output(output) {}
    void send(std::string bytes, std::chrono::milliseconds pauseBefore) override
    {
        m_output.enqueue(std::move(bytes), Clock::now(), pauseBefore);
    }

private:
    LineOutput &m_output;
};

// Mixes line noise into every piece before passing it on.
class NoisySink : public ReplySink {
public:
    explicit NoisySink(ReplySink &next) : m_next(next) {}
    void send(std::string bytes, std::chrono::milliseconds pauseBefore) override
    {
        m_next.send(m_noise.scramble(bytes), pauseBefore);
    }

private:
    ReplySink &m_next;
    Noise m_noise;
};

} // namespace muxsim
