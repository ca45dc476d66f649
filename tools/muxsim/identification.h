#pragma once

#include "tools/muxsim/options.h"

#include <string>

namespace muxsim {

// The reply to "@*?", LF included: "DX MUXSIM v3 S/N 000123" CR LF for the letter
// models D, A and M, family + model otherwise ("M8 MUXSIM v3 S/N 000123").
// A raw line is sent as given plus LF; a long line is padded to its length.
std::string identificationLine(const Options &options);

// The default answer to "@*AT": the programmable cable on model D, nothing elsewhere.
std::string atReplyLine(const Options &options);

} // namespace muxsim
