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

// Cursor move codes: 4 up, 5 down, 6 left, 7 right. Other codes move nothing.
std::optional<Key> keyForMove(int code);
void pressMove(KeySink &sink, int code);

// Signed steps, right and down positive: |horizontal| presses, then
// |vertical| presses.
void moveBy(KeySink &sink, int horizontal, int vertical);

} // namespace acquisition
