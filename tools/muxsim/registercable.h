#pragma once

#include "tools/muxsim/cable.h"

#include <array>
#include <map>

namespace muxsim {

// A cable configured through byte registers: the header "A".."R" (0x41..0x52)
// and the interrogation grid 0x59..0xA8. "@R" code answers the value as one
// raw byte; "@P" code value stores it. Other codes are not answered.
class RegisterCable : public Cable {
public:
    RegisterCable(const CableOptions &options, const Device &device, ReplySink &sink);

    int value(int code) const { return m_values[std::size_t(code)]; }

protected:
    bool owns(const Command &command) const override;
    void apply(const Command &command) override;

private:
    static bool exists(int code);

    std::array<int, 256> m_values{};
    std::map<int, int> m_wrongReadsLeft;
};

} // namespace muxsim
