#pragma once

#include <QString>

namespace configtool {

// Byte value of a text typed or stored for one register: "$" and two digits give
// their value (digits 0-9, letters of either case 10-35), any other one-character
// text its own Windows-1252 code ("$" alone included, so a byte 0x24 may be
// written "$"), any other three-character text 0, a text of any other length 255
// ("not used").
int char2int(const QString &text);

// "$" followed by two upper-case hexadecimal digits, as byte values are shown.
QString byteText(int value);

// What a hexadecimal box keeps of the text just typed: "", or "$" with up to two
// hexadecimal digits; anything else is erased, a longer text cut to three characters.
QString filterHexText(const QString &text);

// The same for an interrogation grid cell, whose text may also start with "T".
QString filterGridCellText(const QString &text);

} // namespace configtool
