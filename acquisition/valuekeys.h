#pragma once

#include "acquisition/keysink.h"

#include <QChar>
#include <QString>
#include <optional>

namespace acquisition {

// The key typed for one character of a value: digits, '.', '-', '+'; a comma
// gives the decimal key too so a decimal comma is not dropped. Other
// characters (blanks, units, the reading's 'V') type nothing.
std::optional<Key> keyForCharacter(QChar c);

// Types the keys of every character of the value, first to last, as one value.
void typeValue(KeySink &sink, const QString &value);

} // namespace acquisition
