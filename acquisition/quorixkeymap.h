#pragma once

#include "acquisition/keysink.h"

#include <QByteArray>

namespace acquisition {

// The keyboard map a virtual keyboard of the program uploads: exactly the
// keys it types, each with one symbol whatever the modifiers, so a keypad
// digit types its digit with Num Lock on or off and whatever the user's
// layout. Keys sit on their usual evdev codes.
//
// The text is self-contained (no include left) and ends with its NUL byte,
// as the compositor expects of a keymap it maps from a file. Throws
// common::UserError when the keyboard library cannot build it.
QByteArray quorixKeymap();

// The evdev code of the key in that map (the keymap's code less 8).
unsigned evdevCode(Key key);

// Its keysym name, as in the keymap ("KP_0", "KP_Decimal", "Up" ...).
const char *keysymName(Key key);

} // namespace acquisition
