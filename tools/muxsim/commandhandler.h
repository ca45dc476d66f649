#pragma once

#include "tools/muxsim/commandframer.h"

namespace muxsim {

// A part of the multiplexer that answers some commands (the box itself, and the
// cables behind its inputs). Returns whether the command was its own.
class CommandHandler {
public:
    virtual ~CommandHandler() = default;
    virtual bool handle(const Command &command) = 0;
};

} // namespace muxsim
