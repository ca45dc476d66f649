#include "tools/muxsim/commandframer.h"

namespace muxsim {

namespace {

// Whether `pending` and `prefix` agree on their common length.
bool agrees(std::string_view pending, std::string_view prefix)
{
    const std::size_t n = std::min(pending.size(), prefix.size());
    return pending.substr(0, n) == prefix.substr(0, n);
}

} // namespace

FrameRule fixedFrame(std::string prefix, std::size_t rawBytes, std::size_t headLength)
{
    return [prefix = std::move(prefix), rawBytes, headLength](std::string_view pending) {
        FrameMatch match;
        if (!agrees(pending, prefix))
            return match;
        const std::size_t total = prefix.size() + rawBytes + 2;
        match.kind = FrameMatch::NeedMore;
        if (pending.size() > prefix.size() + rawBytes && pending[prefix.size() + rawBytes] != '\r')
            match.kind = FrameMatch::Invalid;
        else if (pending.size() >= total) {
            if (pending[total - 1] != '\n') {
                match.kind = FrameMatch::Invalid;
            } else {
                match.kind = FrameMatch::Complete;
                match.length = total;
                match.command.head = prefix.substr(0, headLength);
                match.command.body = std::string(pending.substr(headLength, total - 2 - headLength));
            }
        }
        return match;
    };
}

FrameRule textFrame(std::string head, std::size_t maxLength)
{
    return [head = std::move(head), maxLength](std::string_view pending) {
        FrameMatch match;
        if (!agrees(pending, head))
            return match;
        const std::size_t end = std::min(pending.size(), maxLength);
        for (std::size_t i = head.size(); i < end; ++i) {
            if (pending[i] == '@') {
                match.kind = FrameMatch::Invalid;
                return match;
            }
            if (pending[i] == '\n') {
                const std::size_t bodyEnd = i > head.size() && pending[i - 1] == '\r' ? i - 1 : i;
                match.kind = FrameMatch::Complete;
                match.length = i + 1;
                match.command = {head, std::string(pending.substr(head.size(), bodyEnd - head.size()))};
                return match;
            }
        }
        match.kind = pending.size() >= maxLength ? FrameMatch::Invalid : FrameMatch::NeedMore;
        return match;
    };
}

CommandFramer::CommandFramer(std::vector<FrameRule> rules) : m_rules(std::move(rules)) {}

CommandFramer CommandFramer::standard()
{
    return CommandFramer({fixedFrame("@*M0", 1), textFrame("@*")});
}

void CommandFramer::addRule(FrameRule rule, bool first)
{
    m_rules.insert(first ? m_rules.begin() : m_rules.end(), std::move(rule));
}

std::vector<Command> CommandFramer::feed(std::string_view bytes)
{
    std::vector<Command> commands;
    m_pending.append(bytes);
    std::size_t start = 0;
    for (;;) {
        start = m_pending.find('@', start);
        if (start == std::string::npos) {
            m_pending.clear();
            return commands;
        }
        const std::string_view pending = std::string_view(m_pending).substr(start);
        FrameMatch match;
        for (const auto &rule : m_rules) {
            match = rule(pending);
            if (match.kind != FrameMatch::NoMatch)
                break;
        }
        switch (match.kind) {
        case FrameMatch::NeedMore:
            m_pending.erase(0, start);
            return commands;
        case FrameMatch::Complete:
            commands.push_back(std::move(match.command));
            start += match.length;
            break;
        case FrameMatch::NoMatch:
        case FrameMatch::Invalid:
            ++start;
            break;
        }
    }
}

} // namespace muxsim
