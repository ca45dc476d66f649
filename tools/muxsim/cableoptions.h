#pragma once

#include <map>
#include <optional>
#include <string>

namespace muxsim {

enum class CableKind { None, Register, Programmable };

// The interface cable behind one input, and how it misbehaves on demand.
struct CableOptions {
    CableKind kind = CableKind::None;
    int input = 1;                   // answers unless another input is addressed
    bool silent = false;             // answers no cable command at all
    std::map<int, int> registers;    // code -> value, over the defaults
    std::map<int, int> mismatches;   // code -> how many read-backs answer wrong
    std::optional<int> replyCut;     // "@*E?" answered with only this many bytes
    bool noRs = false;               // "@*E?" answered without its "RS"
};

// Option values; each returns a message when the text is not acceptable.
std::optional<std::string> parseCableKind(CableOptions &options, const std::string &text);
// "41=09,59=FE": hexadecimal register codes and values.
std::optional<std::string> parseRegisterValues(CableOptions &options, const std::string &text);
// "43:5,59:4": hexadecimal register code, then a decimal count.
std::optional<std::string> parseMismatches(CableOptions &options, const std::string &text);

} // namespace muxsim
