#pragma once

#include <QLocale>
#include <QString>

#include <array>

namespace configtool {

// The analog cable keeps its scaling values as IEEE 754 single-precision numbers,
// least significant byte first.
using FloatBytes = std::array<int, 4>;

FloatBytes floatToBytes(float value);
// Each value is taken as a byte (its low eight bits).
float floatFromBytes(const FloatBytes &bytes);

// "0.000" in the given locale: three decimals, no digit grouping.
QString formatAnalogValue(float value, const QLocale &locale = QLocale());

// A value typed by the user, read with the locale's decimal separator. A text that
// is not a number, or whose value a single-precision number cannot hold (infinite,
// not a number, out of range), throws common::UserError::notAFloat.
float parseAnalogValue(const QString &text, const QLocale &locale = QLocale());

} // namespace configtool
