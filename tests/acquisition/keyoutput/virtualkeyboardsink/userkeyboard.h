#pragma once

#include <memory>

struct zwp_virtual_keyboard_v1;

namespace acquisition {
class WaylandConnection;
}

// The user's own keyboard on the compositor's seat, as a test stands it in:
// a virtual keyboard with the us layout whose Num Lock is on or off.
class UserKeyboard {
public:
    explicit UserKeyboard(bool numLock);
    ~UserKeyboard();

    // Presses and releases the key of this evdev code; the compositor has
    // taken it on return.
    void press(unsigned evdev);

private:
    std::unique_ptr<acquisition::WaylandConnection> m_connection;
    zwp_virtual_keyboard_v1 *m_keyboard = nullptr;
};

// The keypad's 1 key: "1" with Num Lock on, End with it off.
inline constexpr unsigned kKeypad1 = 79;
