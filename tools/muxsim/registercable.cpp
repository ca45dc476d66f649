#include "tools/muxsim/registercable.h"

#include "tools/muxsim/replysink.h"

namespace muxsim {

namespace {

constexpr int firstHeader = 0x41, lastHeader = 0x52, firstGrid = 0x59, lastGrid = 0xA8;

// An RS232 cable for 9600 baud, 8 bits, no parity, CR, "MM", offset 1,
// interrogation "M", reference 51101; the grid unused.
constexpr int defaultHeader[] = {1, 8, 'S', 0x0D, 1, 1, 0xFF, 0xFF, 'M', 0xFF, 0xFF, 0xFF,
                                 0xFF, 0xFF, 0xFF, 0xFF, 51101 % 256, 51101 / 256};

} // namespace

RegisterCable::RegisterCable(const CableOptions &options, const Device &device, ReplySink &sink)
    : Cable(options, device, sink), m_wrongReadsLeft(options.mismatches)
{
    m_values.fill(0xFF);
    for (int code = firstHeader; code <= lastHeader; ++code)
        m_values[std::size_t(code)] = defaultHeader[code - firstHeader];
    for (const auto &[code, value] : options.registers)
        m_values[std::size_t(code)] = value;
}

bool RegisterCable::exists(int code)
{
    return (code >= firstHeader && code <= lastHeader) || (code >= firstGrid && code <= lastGrid);
}

bool RegisterCable::owns(const Command &command) const
{
    return command.head == "@R" || command.head == "@P";
}

void RegisterCable::apply(const Command &command)
{
    if (command.body.empty())
        return;
    const int code = static_cast<unsigned char>(command.body[0]);
    if (!exists(code))
        return;
    if (command.head == "@P") {
        if (command.body.size() == 2)
            m_values[std::size_t(code)] = static_cast<unsigned char>(command.body[1]);
        return;
    }
    int value = m_values[std::size_t(code)];
    if (auto wrong = m_wrongReadsLeft.find(code); wrong != m_wrongReadsLeft.end() && wrong->second > 0) {
        --wrong->second;
        value = value == 0x55 ? 0x56 : 0x55; // never 0, which a reader may drop
    }
    sink().send(std::string(1, char(value)));
}

} // namespace muxsim
