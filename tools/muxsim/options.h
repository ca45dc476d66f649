#pragma once

#include "tools/muxsim/cableoptions.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace muxsim {

enum class LineStyle { Long, Short };
// How a reading line ends: a device with CR-only line ends, or one read at a
// wrong speed, never sends the line feed the programs wait for.
enum class ReadingEnd { CrLf, Cr, None };

// What the command line asks for: run the simulator, or only print a text.
enum class Request { Run, Help, Version };

struct Options {
    Request request = Request::Run;
    std::string linkPath;
    char model = '8';
    char family = 'M';
    char version = '3';
    std::string serial = "000123";
    std::optional<std::string> rawIdent;
    std::vector<std::string> values; // empty: generated values
    LineStyle lineStyle = LineStyle::Long;
    ReadingEnd readingEnd = ReadingEnd::CrLf;
    int intervalMs = 0;
    int perCommand = 0;
    std::optional<std::string> atReply;
    bool silent = false;
    int lateLfMs = 0;
    bool garbage = false;
    std::optional<long long> vanishAfter;
    int longLine = 0;
    std::string logPath;
    bool pace = true;
    CableOptions cable;
};

// Parses the command line (argv[0] excluded). Returns the options, or a
// message naming the offending argument. --help or --version (without a
// one-character firmware version after it) wins over everything else.
std::variant<Options, std::string> parseOptions(const std::vector<std::string> &args);

const char *usage();

// "muxsim <package version>"
std::string versionLine();

} // namespace muxsim
