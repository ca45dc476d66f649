#pragma once

#include "tools/muxsim/commandhandler.h"
#include "tools/muxsim/options.h"
#include "tools/muxsim/readings.h"
#include "tools/muxsim/replysink.h"

#include <string>

namespace muxsim {

// The multiplexer box: identification, input selection (addressed or multiple),
// readings, retro-commands and the cable identity query.
class Device : public CommandHandler {
public:
    Device(const Options &options, ReplySink &sink);

    bool handle(const Command &command) override;

    // One interval tick or trigger: a reading round of the current selection.
    void tick();

    bool hasSelection() const { return m_addressed != 0 || m_mask != 0; }
    int addressedInput() const { return m_addressed; }
    unsigned char mask() const { return m_mask; }

private:
    void sendIdentification();
    void sendRound();

    ReplySink &m_sink;
    std::string m_identification;
    std::string m_atReply;
    int m_lateLfMs;
    int m_perCommand;
    Readings m_readings;
    int m_addressed = 0;
    unsigned char m_mask = 0;
};

} // namespace muxsim
