#include "tools/muxsim/options.h"

#include "tools/muxsim/readings.h"

#include "common/version.h"

#include <charconv>
#include <functional>
#include <map>

namespace muxsim {

namespace {

std::optional<long long> toNumber(const std::string &text, long long min, long long max)
{
    long long value = 0;
    const char *end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max)
        return std::nullopt;
    return value;
}

std::vector<std::string> splitValues(const std::string &text)
{
    std::vector<std::string> values;
    std::string::size_type start = 0;
    for (;;) {
        auto comma = text.find(',', start);
        values.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            return values;
        start = comma + 1;
    }
}

using Setter = std::function<std::optional<std::string>(Options &, const std::string &)>;

Setter oneChar(char Options::*field)
{
    return [field](Options &o, const std::string &v) -> std::optional<std::string> {
        if (v.size() != 1)
            return "expects exactly one character";
        o.*field = v[0];
        return std::nullopt;
    };
}

Setter number(int Options::*field, long long min, long long max)
{
    return [=](Options &o, const std::string &v) -> std::optional<std::string> {
        auto n = toNumber(v, min, max);
        if (!n)
            return "expects a whole number from " + std::to_string(min) + " to " + std::to_string(max);
        o.*field = int(*n);
        return std::nullopt;
    };
}

// One of a few named values, e.g. "expects long or short".
template <typename T>
Setter oneOf(T Options::*field, std::vector<std::pair<std::string, T>> choices)
{
    return [field, choices](Options &o, const std::string &v) -> std::optional<std::string> {
        std::string names;
        for (std::size_t i = 0; i < choices.size(); ++i) {
            if (choices[i].first == v) {
                o.*field = choices[i].second;
                return std::nullopt;
            }
            names += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i].first;
        }
        return "expects " + names;
    };
}

const std::map<std::string, Setter> &valueOptions()
{
    static const std::map<std::string, Setter> setters = {
        {"--link", [](Options &o, const std::string &v) -> std::optional<std::string> {
             if (v.empty())
                 return "expects a path";
             o.linkPath = v;
             return std::nullopt;
         }},
        {"--model", oneChar(&Options::model)},
        {"--family", oneChar(&Options::family)},
        {"--firmware-version", oneChar(&Options::version)},
        {"--serial", [](Options &o, const std::string &v) -> std::optional<std::string> {
             o.serial = v;
             return std::nullopt;
         }},
        {"--ident", [](Options &o, const std::string &v) -> std::optional<std::string> {
             o.rawIdent = v;
             return std::nullopt;
         }},
        {"--values", [](Options &o, const std::string &v) -> std::optional<std::string> {
             o.values = splitValues(v);
             return std::nullopt;
         }},
        {"--line", oneOf(&Options::lineStyle, {{"long", LineStyle::Long}, {"short", LineStyle::Short}})},
        {"--reading-end", oneOf(&Options::readingEnd,
                                {{"crlf", ReadingEnd::CrLf}, {"cr", ReadingEnd::Cr}, {"none", ReadingEnd::None}})},
        {"--interval", number(&Options::intervalMs, 0, 3600000)},
        {"--per-command", number(&Options::perCommand, 0, 1000)},
        {"--at-reply", [](Options &o, const std::string &v) -> std::optional<std::string> {
             o.atReply = v;
             return std::nullopt;
         }},
        {"--late-lf", number(&Options::lateLfMs, 0, 3600000)},
        {"--vanish-after", [](Options &o, const std::string &v) -> std::optional<std::string> {
             auto n = toNumber(v, 0, 1LL << 50);
             if (!n)
                 return "expects a number of bytes";
             o.vanishAfter = *n;
             return std::nullopt;
         }},
        {"--long-line", number(&Options::longLine, 1, 1 << 24)},
        {"--log", [](Options &o, const std::string &v) -> std::optional<std::string> {
             if (v.empty())
                 return "expects a path";
             o.logPath = v;
             return std::nullopt;
         }},
        {"--cable", [](Options &o, const std::string &v) { return parseCableKind(o.cable, v); }},
        {"--cable-input", [](Options &o, const std::string &v) -> std::optional<std::string> {
             auto n = toNumber(v, 1, 8);
             if (!n)
                 return "expects an input from 1 to 8";
             o.cable.input = int(*n);
             return std::nullopt;
         }},
        {"--registers", [](Options &o, const std::string &v) { return parseRegisterValues(o.cable, v); }},
        {"--mismatch", [](Options &o, const std::string &v) { return parseMismatches(o.cable, v); }},
        {"--cable-reply-cut", [](Options &o, const std::string &v) -> std::optional<std::string> {
             auto n = toNumber(v, 0, 4096);
             if (!n)
                 return "expects a number of bytes";
             o.cable.replyCut = int(*n);
             return std::nullopt;
         }},
    };
    return setters;
}

const std::map<std::string, bool Options::*> &flagOptions()
{
    static const std::map<std::string, bool Options::*> flags = {
        {"--silent", &Options::silent},
        {"--garbage", &Options::garbage},
        {"--pace", &Options::pace},
    };
    return flags;
}

const std::map<std::string, bool CableOptions::*> &cableFlagOptions()
{
    static const std::map<std::string, bool CableOptions::*> flags = {
        {"--cable-silent", &CableOptions::silent},
        {"--cable-no-rs", &CableOptions::noRs},
    };
    return flags;
}

// The firmware version was once set with --version; a one-character value
// after it still means that, anything else asks for the package version.
bool isOldFirmwareVersion(const std::vector<std::string> &args, std::size_t i)
{
    if (args[i].rfind("--version=", 0) == 0)
        return true;
    return args[i] == "--version" && i + 1 < args.size() && args[i + 1].size() == 1 && args[i + 1] != "-";
}

std::optional<Request> infoRequest(const std::vector<std::string> &args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h")
            return Request::Help;
        if (args[i] == "--version" && !isOldFirmwareVersion(args, i))
            return Request::Version;
    }
    return std::nullopt;
}

} // namespace

std::variant<Options, std::string> parseOptions(const std::vector<std::string> &args)
{
    Options options;
    if (auto request = infoRequest(args)) {
        options.request = *request;
        return options;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name == "--version" || name.rfind("--version=", 0) == 0)
            name.replace(0, 9, "--firmware-version");
        std::optional<std::string> inlineValue;
        if (auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        if (auto flag = flagOptions().find(name); flag != flagOptions().end() && !inlineValue) {
            options.*(flag->second) = true;
            continue;
        }
        if (auto flag = cableFlagOptions().find(name); flag != cableFlagOptions().end() && !inlineValue) {
            options.cable.*(flag->second) = true;
            continue;
        }
        if (name == "--no-pace" && !inlineValue) {
            options.pace = false;
            continue;
        }
        auto setter = valueOptions().find(name);
        if (setter == valueOptions().end())
            return "unknown option " + args[i];
        if (!inlineValue && i + 1 >= args.size())
            return name + " expects a value";
        const std::string value = inlineValue ? *inlineValue : args[++i];
        if (auto error = setter->second(options, value))
            return name + " " + *error;
    }
    if (options.linkPath.empty())
        return "--link PATH is required";
    for (const auto &value : options.values) {
        if (auto error = checkValue(value, options.lineStyle))
            return "--values: " + *error;
    }
    return options;
}

const char *usage()
{
    return "usage: muxsim --link PATH [--model D|A|M|2|4|8|C] [--family M|B] [--firmware-version C]\n"
           "              [--serial TEXT] [--ident RAW] [--values V1,V2,...] [--line long|short]\n"
           "              [--reading-end crlf|cr|none] [--interval MS] [--per-command N]\n"
           "              [--at-reply TEXT] [--silent]\n"
           "              [--late-lf MS] [--garbage] [--vanish-after N] [--long-line BYTES]\n"
           "              [--log FILE] [--pace|--no-pace]\n"
           "              [--cable register|programmable|none] [--cable-input N] [--cable-silent]\n"
           "              [--registers CODE=VALUE,...] [--mismatch CODE:COUNT,...]\n"
           "              [--cable-reply-cut BYTES] [--cable-no-rs]\n"
           "  The cable answers unless another input is addressed; codes and register\n"
           "  values are hexadecimal. --reading-end none with --interval 1 floods the\n"
           "  line at 960 bytes/s without a line feed once an input is addressed.\n"
           "       muxsim --help | --version\n";
}

std::string versionLine()
{
    return std::string("muxsim ") + SETRIX_QUORIX_VERSION + "\n";
}

} // namespace muxsim
