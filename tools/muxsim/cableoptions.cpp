#include "tools/muxsim/cableoptions.h"

#include <charconv>

namespace muxsim {

namespace {

std::optional<int> toInt(std::string_view text, int base, int min, int max)
{
    int value = 0;
    const char *end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max)
        return std::nullopt;
    return value;
}

// Items "KEY<sep>VALUE" separated by commas.
template <typename Store>
std::optional<std::string> parsePairs(const std::string &text, char separator, int valueBase, int valueMax,
                                      Store store)
{
    std::string_view rest(text);
    while (!rest.empty()) {
        const std::string_view item = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), item.size() + 1));
        const auto sep = item.find(separator);
        if (sep == std::string_view::npos)
            return "expects CODE" + std::string(1, separator) + "VALUE items";
        const auto code = toInt(item.substr(0, sep), 16, 0, 255);
        const auto value = toInt(item.substr(sep + 1), valueBase, 0, valueMax);
        if (!code || !value)
            return "has a bad item " + std::string(item);
        store(*code, *value);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> parseCableKind(CableOptions &options, const std::string &text)
{
    if (text == "register")
        options.kind = CableKind::Register;
    else if (text == "programmable")
        options.kind = CableKind::Programmable;
    else if (text == "none")
        options.kind = CableKind::None;
    else
        return "expects register, programmable or none";
    return std::nullopt;
}

std::optional<std::string> parseRegisterValues(CableOptions &options, const std::string &text)
{
    return parsePairs(text, '=', 16, 255, [&](int code, int value) { options.registers[code] = value; });
}

std::optional<std::string> parseMismatches(CableOptions &options, const std::string &text)
{
    return parsePairs(text, ':', 10, 1000000, [&](int code, int count) { options.mismatches[code] = count; });
}

} // namespace muxsim
