#include "tools/muxsim/device.h"

#include "tools/muxsim/identification.h"

namespace muxsim {

Device::Device(const Options &options, ReplySink &sink)
    : m_sink(sink),
      m_identification(identificationLine(options)),
      m_atReply(atReplyLine(options)),
      m_lateLfMs(options.lateLfMs),
      m_perCommand(options.perCommand),
      m_readings(options.values, options.lineStyle, options.readingEnd)
{
}

bool Device::handle(const Command &command)
{
    if (command.head != "@*")
        return false;
    const std::string &body = command.body;
    if (body == "?") {
        sendIdentification();
    } else if (body == "AT") {
        if (!m_atReply.empty())
            m_sink.send(m_atReply);
    } else if (body == "LD") {
        sendRound();
    } else if (body.size() == 2 && body[0] == 'L' && body[1] >= '0' && body[1] <= '9') {
        // Retro-commands go to the instrument; nothing comes back.
    } else if (body.size() == 2 && body[0] == 'N' && body[1] >= '1' && body[1] <= '8') {
        m_addressed = body[1] - '0';
        m_mask = 0;
        for (int i = 0; i < m_perCommand; ++i)
            sendRound();
    } else if (body.size() == 3 && body.compare(0, 2, "M0") == 0) {
        m_addressed = 0;
        m_mask = static_cast<unsigned char>(body[2]);
        for (int i = 0; i < m_perCommand; ++i)
            sendRound();
    } else {
        return false;
    }
    return true;
}

void Device::tick()
{
    sendRound();
}

void Device::sendIdentification()
{
    const std::string &line = m_identification;
    if (m_lateLfMs > 0 && !line.empty() && line.back() == '\n') {
        m_sink.send(line.substr(0, line.size() - 1));
        m_sink.send("\n", std::chrono::milliseconds(m_lateLfMs));
    } else {
        m_sink.send(line);
    }
}

void Device::sendRound()
{
    if (m_addressed != 0) {
        m_sink.send(m_readings.nextLine(m_addressed));
        return;
    }
    for (int input = 1; input <= 8; ++input) {
        if (m_mask & (1u << (input - 1)))
            m_sink.send(m_readings.nextLine(input));
    }
}

} // namespace muxsim
