#include "tools/muxsim/identification.h"

namespace muxsim {

namespace {

bool isLetterModel(char model)
{
    return model == 'D' || model == 'A' || model == 'M';
}

std::string builtText(const Options &options)
{
    std::string text;
    if (isLetterModel(options.model))
        text = {options.model, 'X'};
    else
        text = {options.family, options.model};
    return text + " MUXSIM v" + options.version + " S/N " + options.serial;
}

// Repeats a digit pattern so that a reader that cuts the line shows where.
std::string padded(std::string text, std::size_t length)
{
    if (text.size() >= length) {
        text.resize(length);
        return text;
    }
    text += ' ';
    while (text.size() < length)
        text += char('0' + text.size() % 10);
    return text;
}

} // namespace

std::string identificationLine(const Options &options)
{
    if (options.rawIdent)
        return *options.rawIdent + "\n";
    std::string text = builtText(options);
    if (options.longLine > 0)
        text = padded(text, std::size_t(options.longLine));
    return text + "\r\n";
}

std::string atReplyLine(const Options &options)
{
    if (options.atReply)
        return *options.atReply + "\r\n";
    if (options.model == 'D')
        return "50417 RS232 PROGRAMMABLE V2.1\r\n";
    return {};
}

} // namespace muxsim
