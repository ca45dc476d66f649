#include "tools/muxsim/programmablecable.h"

#include "tools/muxsim/replysink.h"

namespace muxsim {

namespace {

const std::string settingLetters = "VBPFOTWXYZ12345678";

// How a stored character is written in the reply, so that it cannot end a line.
char replyCharacter(char c)
{
    switch (c) {
    case '\r': return '{';
    case '\n': return '}';
    case '\0': return '|';
    default: return c;
    }
}

std::string speedDigits(char code)
{
    static const char *const digits[] = {"75", "15", "03", "06", "12", "24", "48", "96"};
    return code >= '0' && code <= '7' ? digits[code - '0'] : "??";
}

std::string parityLetters(char code)
{
    switch (code) {
    case '1': return "SP";
    case '2': return "PP";
    case '3': return "PI";
    default: return "??";
    }
}

} // namespace

ProgrammableCable::ProgrammableCable(const CableOptions &options, const Device &device, ReplySink &sink)
    : Cable(options, device, sink) {}

// Offsets of the reply (from 0): unit at 3..6, interrogation at 13..20, offset
// digits from 25 then "/", end of frame two further on, then "RS" ten after
// the end of the one-digit offset field, and so on.
std::string ProgrammableCable::configurationReply(const Settings &s)
{
    std::string reply = "U: " + std::string(s.unit.begin(), s.unit.end()) + "\r\n";
    reply += "INT:";
    for (char c : s.interrogation)
        reply += replyCharacter(c);
    reply += "\r\n";
    reply += "O:" + std::to_string(std::max(0, s.offset - '0')) + "/F" + replyCharacter(s.endOfFrame) + "\r\n";
    reply += "TRS " + speedDigits(s.speed) + "/" + (s.dataBits == '0' ? "7" : "8") + "/" + parityLetters(s.parity)
             + "/V" + (s.supply == '0' ? "5" : "1") + "\r\n";
    return reply;
}

bool ProgrammableCable::owns(const Command &command) const
{
    if (command.head != "@*")
        return false;
    return command.body == "E?"
           || (command.body.size() == 2 && settingLetters.find(command.body[0]) != std::string::npos);
}

void ProgrammableCable::apply(const Command &command)
{
    if (command.body != "E?") {
        store(command.body[0], command.body[1]);
        return;
    }
    std::string reply = configurationReply(m_settings);
    if (options().noRs)
        reply.replace(reply.find("RS"), 2, "--");
    if (options().replyCut)
        reply.resize(std::min(reply.size(), std::size_t(*options().replyCut)));
    sink().send(reply);
}

void ProgrammableCable::store(char letter, char value)
{
    Settings &s = m_settings;
    switch (letter) {
    case 'V': s.speed = value; break;
    case 'B': s.dataBits = value; break;
    case 'P': s.parity = value; break;
    case 'F': s.endOfFrame = value; break;
    case 'O': s.offset = value; break;
    case 'T': s.supply = value; break;
    case 'W': case 'X': case 'Y': case 'Z': s.unit[std::size_t(letter - 'W')] = value; break;
    default: s.interrogation[std::size_t(letter - '1')] = value; break;
    }
}

} // namespace muxsim
