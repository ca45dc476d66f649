#pragma once

#include "acquisition/keysink.h"

#include <memory>

struct zwp_virtual_keyboard_v1;

namespace acquisition {

class WaylandConnection;

// Types through a virtual keyboard of the Wayland compositor, on a connection
// of its own. The keyboard carries the program's own keymap, so the symbols
// do not depend on the user's layout or Num Lock, and lives as long as the
// sink: a new keyboard per value could lose a key while the target takes in
// its keymap.
class VirtualKeyboardSink : public KeySink {
public:
    // Throws common::UserError when the compositor cannot be reached, offers
    // no virtual keyboard or refuses one; offered() tells them apart first.
    VirtualKeyboardSink();
    ~VirtualKeyboardSink() override;
    VirtualKeyboardSink(const VirtualKeyboardSink &) = delete;
    VirtualKeyboardSink &operator=(const VirtualKeyboardSink &) = delete;

    // True when the compositor of WAYLAND_DISPLAY offers virtual keyboards;
    // throws common::UserError when it cannot be reached.
    static bool offered();

    void press(Key key) override;
    void endValue() override;
    void settle() override;

private:
    std::unique_ptr<WaylandConnection> m_connection;
    zwp_virtual_keyboard_v1 *m_keyboard = nullptr;
};

} // namespace acquisition
