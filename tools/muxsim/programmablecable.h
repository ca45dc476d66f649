#pragma once

#include "tools/muxsim/cable.h"

#include <array>
#include <string>

namespace muxsim {

// The programmable RS232 cable: one "@*" command per setting, each carrying one
// raw byte, and "@*E?" answering the whole configuration in four lines.
class ProgrammableCable : public Cable {
public:
    ProgrammableCable(const CableOptions &options, const Device &device, ReplySink &sink);

    // Settings as the cable stores their codes.
    struct Settings {
        char speed = '7';      // "0" 75 .. "7" 9600
        char dataBits = '1';   // "0" 7 bits, "1" 8 bits
        char parity = '1';     // "1" none, "2" even, "3" odd
        char endOfFrame = '\r';
        std::array<char, 4> unit{'M', 'M', ' ', ' '};
        char offset = '1';     // '0' + offset
        char supply = '1';     // "1" 12 V, "0" 5 V
        std::array<char, 8> interrogation{'?', 0, 0, 0, 0, 0, 0, 0}; // 0: not used
    };
    const Settings &settings() const { return m_settings; }

    // The reply to "@*E?" for these settings, before any misbehaviour.
    static std::string configurationReply(const Settings &settings);

protected:
    bool owns(const Command &command) const override;
    void apply(const Command &command) override;

private:
    void store(char letter, char value);

    Settings m_settings;
};

} // namespace muxsim
