#pragma once

#include <cstdint>
#include <string>

namespace muxsim {

// Line noise that readers must drop: zero bytes, control bytes and bytes above
// 0x7E, never LF (it would end a line) and never printable text (it would change
// one). Deterministic, so a failing test fails the same way every run.
class Noise {
public:
    explicit Noise(std::uint32_t seed = 0x2545F491u);

    // The bytes with noise before them and one noise byte inside (before the
    // final LF, so the line stays one line).
    std::string scramble(const std::string &bytes);

private:
    std::uint32_t next();
    char noiseByte();

    std::uint32_t m_state;
};

} // namespace muxsim
