#include "configtool/analogvalue.h"

#include "common/usererror.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace configtool {

FloatBytes floatToBytes(float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return {int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF),
            int((bits >> 24) & 0xFF)};
}

float floatFromBytes(const FloatBytes &bytes)
{
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | std::uint32_t(bytes[i] & 0xFF);
    return std::bit_cast<float>(bits);
}

QString formatAnalogValue(float value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    double shown = value;
    // A small negative value rounds to zero; show it without a minus sign.
    if (std::isfinite(shown) && std::fabs(shown) < 0.0005)
        shown = 0.0;
    return plain.toString(shown, 'f', 3);
}

float parseAnalogValue(const QString &text, const QLocale &locale)
{
    QLocale strict = locale;
    // "1,500" must not silently become 1500 where the comma groups digits.
    strict.setNumberOptions(strict.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text.trimmed(), &ok);
    const float single = float(value);
    if (!ok || !std::isfinite(single))
        throw common::UserError::notAFloat(text);
    return single;
}

} // namespace configtool
