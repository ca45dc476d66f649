#pragma once

#include <QString>

namespace common {

// An integer text as the configuration and the cycle read it: leading blanks, an
// optional sign, then ASCII decimal digits, or "$" or "0x" and hexadecimal digits,
// nothing after them, within the range of a 32-bit int. Throws
// common::UserError::notAnInteger(text) otherwise.
int toInteger(const QString &text);

} // namespace common
