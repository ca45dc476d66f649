#pragma once

#include "tools/muxsim/options.h"

#include <optional>
#include <string>
#include <vector>

namespace muxsim {

// Reading lines, one value per reading, counted across all inputs so that a lost
// or repeated reading shows in the values.
//
// Long line, 30 characters then the line end (CR LF unless told otherwise); characters 14..26 are the value, right-aligned:
//   "V3 IN3 #0001 +00000000.001  MM"
// Short line, "V" and at most 7 characters then CR LF: "V0000001".
class Readings {
public:
    Readings(std::vector<std::string> values, LineStyle style, ReadingEnd end = ReadingEnd::CrLf);

    std::string nextLine(int input);

    static constexpr std::size_t longValueWidth = 13;
    static constexpr std::size_t shortValueWidth = 7;

private:
    std::string nextValue();

    std::vector<std::string> m_values;
    LineStyle m_style;
    std::string m_end;
    unsigned long long m_count = 0;
};

// Why a given value cannot stand in a line of that style, if it cannot.
std::optional<std::string> checkValue(const std::string &value, LineStyle style);

} // namespace muxsim
