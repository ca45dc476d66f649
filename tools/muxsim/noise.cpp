#include "tools/muxsim/noise.h"

namespace muxsim {

Noise::Noise(std::uint32_t seed) : m_state(seed ? seed : 1) {}

std::uint32_t Noise::next()
{
    // xorshift32
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

char Noise::noiseByte()
{
    // A zero byte, a control byte or a byte above 0x7E, in turn by chance. No
    // XON/XOFF: a port with software flow control would stop sending.
    static constexpr unsigned char controls[] = {0x01, 0x02, 0x03, 0x07, 0x0D, 0x1B, 0x1F};
    switch (next() % 3) {
    case 0:
        return 0;
    case 1:
        return char(controls[next() % sizeof controls]);
    default:
        return char(0x7F + next() % 0x81);
    }
}

std::string Noise::scramble(const std::string &bytes)
{
    std::string out;
    const unsigned before = 1 + next() % 3;
    for (unsigned i = 0; i < before; ++i)
        out += noiseByte();
    const std::size_t body = bytes.size() - (!bytes.empty() && bytes.back() == '\n' ? 1 : 0);
    const std::size_t inside = body ? next() % (body + 1) : 0;
    out.append(bytes, 0, inside);
    out += noiseByte();
    out.append(bytes, inside);
    return out;
}

} // namespace muxsim
