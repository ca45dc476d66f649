#include "tools/muxsim/readings.h"

#include <cstdio>

namespace muxsim {

namespace {

std::string endBytes(ReadingEnd end)
{
    switch (end) {
    case ReadingEnd::Cr: return "\r";
    case ReadingEnd::None: return "";
    case ReadingEnd::CrLf: break;
    }
    return "\r\n";
}

} // namespace

Readings::Readings(std::vector<std::string> values, LineStyle style, ReadingEnd end)
    : m_values(std::move(values)), m_style(style), m_end(endBytes(end))
{
}

std::string Readings::nextValue()
{
    const unsigned long long index = m_count++;
    if (!m_values.empty())
        return m_values[index % m_values.size()];
    const unsigned long long n = index + 1;
    char text[32];
    if (m_style == LineStyle::Short)
        std::snprintf(text, sizeof text, "%07llu", n % 10000000ULL);
    else
        std::snprintf(text, sizeof text, "+%08llu.%03llu", (n / 1000) % 100000000ULL, n % 1000);
    return text;
}

std::string Readings::nextLine(int input)
{
    const std::string value = nextValue();
    if (m_style == LineStyle::Short)
        return "V" + value + m_end;
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "V%d IN%d #%04llu ", input, input, m_count % 10000);
    return prefix + std::string(longValueWidth - value.size(), ' ') + value + "  MM" + m_end;
}

std::optional<std::string> checkValue(const std::string &value, LineStyle style)
{
    const std::size_t width = style == LineStyle::Short ? Readings::shortValueWidth : Readings::longValueWidth;
    if (value.size() > width)
        return "\"" + value + "\" is longer than " + std::to_string(width) + " characters";
    for (unsigned char c : value) {
        if (c < 0x20 || c > 0x7E)
            return "\"" + value + "\" holds a character that a reading line cannot carry";
    }
    return std::nullopt;
}

} // namespace muxsim
