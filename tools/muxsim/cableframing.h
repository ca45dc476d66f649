#pragma once

#include "tools/muxsim/cableoptions.h"
#include "tools/muxsim/commandframer.h"

#include <vector>

namespace muxsim {

// "@P", code, value, CR, LF; a value of LF ends the command itself, nothing follows.
FrameRule registerProgramFrame();

// The framing rules a cable adds: commands whose argument is a raw byte (a
// register value, an end-of-frame or interrogation character, CR, LF, "@" or 0
// among them) so that it is never taken for a line end or a new command.
std::vector<FrameRule> cableFrameRules(CableKind kind);

} // namespace muxsim
