#pragma once

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

} // namespace acquisition
