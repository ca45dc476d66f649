#include "tools/muxsim/cableframing.h"

namespace muxsim {

FrameRule registerProgramFrame()
{
    return [](std::string_view pending) {
        FrameMatch match;
        const std::string_view head = "@P";
        const std::size_t common = std::min(pending.size(), head.size());
        if (pending.substr(0, common) != head.substr(0, common))
            return match;
        match.kind = FrameMatch::NeedMore;
        std::size_t length = 0;
        if (pending.size() >= 4 && pending[3] == '\n')
            length = 4;
        else if (pending.size() >= 5 && pending[4] != '\r')
            match.kind = FrameMatch::Invalid;
        else if (pending.size() >= 6 && pending[5] == '\n')
            length = 6;
        else if (pending.size() >= 6)
            match.kind = FrameMatch::Invalid;
        if (length) {
            match.kind = FrameMatch::Complete;
            match.length = length;
            match.command = {std::string(head), std::string(pending.substr(2, 2))};
        }
        return match;
    };
}

std::vector<FrameRule> cableFrameRules(CableKind kind)
{
    std::vector<FrameRule> rules;
    switch (kind) {
    case CableKind::Register:
        rules.push_back(fixedFrame("@R", 1));
        rules.push_back(registerProgramFrame());
        break;
    case CableKind::Programmable:
        // "@*E?" is a text command; every setting carries one raw byte.
        for (char letter : std::string("VBPFOTWXYZ12345678"))
            rules.push_back(fixedFrame(std::string("@*") + letter, 1));
        break;
    case CableKind::None:
        break;
    }
    return rules;
}

} // namespace muxsim
