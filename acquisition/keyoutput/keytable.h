#pragma once

#include "acquisition/keysink.h"

#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <array>
#include <cstddef>

namespace acquisition {

// What each way of typing sends for one key.
struct KeyRow {
    Key key;
    // The keypad key or arrow: XTest finds it in the user's layout, the
    // virtual keyboard's own keymap puts it on the key.
    xkb_keysym_t keysym;
    // The desktop portal's: main keyboard keys, which do not depend on a Num
    // Lock the program cannot see. None for the decimal key, whose character
    // comes from the locale at run time.
    xkb_keysym_t portalKeysym;
    // The virtual keyboard's key (evdev code) and its name in that keymap.
    unsigned evdev;
    const char *keymapName;
};

// One row per key, in the order of Key.
// clang-format off
inline constexpr std::array<KeyRow, keyCount> kKeyTable {{
    {Key::Numpad0,  XKB_KEY_KP_0,        XKB_KEY_0,        KEY_KP0,     "KP0"},
    {Key::Numpad1,  XKB_KEY_KP_1,        XKB_KEY_1,        KEY_KP1,     "KP1"},
    {Key::Numpad2,  XKB_KEY_KP_2,        XKB_KEY_2,        KEY_KP2,     "KP2"},
    {Key::Numpad3,  XKB_KEY_KP_3,        XKB_KEY_3,        KEY_KP3,     "KP3"},
    {Key::Numpad4,  XKB_KEY_KP_4,        XKB_KEY_4,        KEY_KP4,     "KP4"},
    {Key::Numpad5,  XKB_KEY_KP_5,        XKB_KEY_5,        KEY_KP5,     "KP5"},
    {Key::Numpad6,  XKB_KEY_KP_6,        XKB_KEY_6,        KEY_KP6,     "KP6"},
    {Key::Numpad7,  XKB_KEY_KP_7,        XKB_KEY_7,        KEY_KP7,     "KP7"},
    {Key::Numpad8,  XKB_KEY_KP_8,        XKB_KEY_8,        KEY_KP8,     "KP8"},
    {Key::Numpad9,  XKB_KEY_KP_9,        XKB_KEY_9,        KEY_KP9,     "KP9"},
    {Key::Decimal,  XKB_KEY_KP_Decimal,  XKB_KEY_NoSymbol, KEY_KPDOT,   "KPDL"},
    {Key::Subtract, XKB_KEY_KP_Subtract, XKB_KEY_minus,    KEY_KPMINUS, "KPSU"},
    {Key::Add,      XKB_KEY_KP_Add,      XKB_KEY_plus,     KEY_KPPLUS,  "KPAD"},
    {Key::Up,       XKB_KEY_Up,          XKB_KEY_Up,       KEY_UP,      "UP"},
    {Key::Down,     XKB_KEY_Down,        XKB_KEY_Down,     KEY_DOWN,    "DOWN"},
    {Key::Left,     XKB_KEY_Left,        XKB_KEY_Left,     KEY_LEFT,    "LEFT"},
    {Key::Right,    XKB_KEY_Right,       XKB_KEY_Right,    KEY_RIGHT,   "RGHT"},
}};
// clang-format on

constexpr bool keyTableInKeyOrder()
{
    for (std::size_t i = 0; i < kKeyTable.size(); ++i) {
        if (kKeyTable[i].key != static_cast<Key>(i))
            return false;
    }
    return true;
}
static_assert(keyTableInKeyOrder(), "one row per Key, in the order of Key");

constexpr const KeyRow &keyRow(Key key)
{
    return kKeyTable[static_cast<std::size_t>(key)];
}

} // namespace acquisition
