#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace muxsim {

// One command as received: its head ("@*", later "@R", "@P") and the bytes after
// it, raw argument bytes included, line end removed.
struct Command {
    std::string head;
    std::string body;
    bool operator==(const Command &) const = default;
};

// How a rule judges the bytes waiting from an '@' on.
struct FrameMatch {
    enum Kind {
        NoMatch,  // not this rule's command: ask the next rule
        NeedMore, // could be this rule's command: wait for more bytes
        Invalid,  // this rule's command, broken: drop the '@' and look further
        Complete, // a whole command of `length` bytes
    };
    Kind kind = NoMatch;
    std::size_t length = 0;
    Command command;
};

using FrameRule = std::function<FrameMatch(std::string_view pending)>;

// A command with a prefix, a fixed number of raw argument bytes (any value,
// CR and LF included) and then CR LF, as "@*M0" with its mask byte.
FrameRule fixedFrame(std::string prefix, std::size_t rawBytes, std::size_t headLength = 2);

// A text command from `head` up to LF (a CR before it is dropped). An '@' or an
// overlong text means the line was cut: the rule lets go so nothing after it is lost.
FrameRule textFrame(std::string head, std::size_t maxLength = 64);

// Cuts the program's byte stream, which may arrive split anywhere, into commands.
// Bytes that start no command are skipped. Rules are asked in order; the first
// that does not answer NoMatch decides, so specific rules go before textFrame.
class CommandFramer {
public:
    explicit CommandFramer(std::vector<FrameRule> rules);

    // The rules the multiplexer understands today.
    static CommandFramer standard();

    void addRule(FrameRule rule, bool first = true);
    std::vector<Command> feed(std::string_view bytes);

private:
    std::vector<FrameRule> m_rules;
    std::string m_pending;
};

} // namespace muxsim
