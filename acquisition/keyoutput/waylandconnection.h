#pragma once

#include <QString>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwp_virtual_keyboard_manager_v1;

namespace acquisition {

// A connection of the program's own to the Wayland compositor named by
// WAYLAND_DISPLAY, with the globals the key output uses. Failures throw
// common::UserError with a text for the user.
class WaylandConnection {
public:
    explicit WaylandConnection(int answerTimeoutMs = 5000);
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection &) = delete;
    WaylandConnection &operator=(const WaylandConnection &) = delete;

    wl_display *display() const { return m_display; }
    // The first seat the compositor announced; null when it has none.
    wl_seat *seat() const { return m_seat; }
    // The seat had a keyboard when last heard of (wl_seat capabilities).
    bool seatHasKeyboard() const { return m_seatHasKeyboard; }
    // Null when the compositor does not offer virtual keyboards.
    zwp_virtual_keyboard_manager_v1 *keyboardManager() const { return m_manager; }

    // Writes every request sent so far, waiting while the socket is full.
    void flush();
    // Returns once the compositor has handled every request sent so far.
    void sync();

    // Public for the registry listener.
    void announce(wl_registry *registry, unsigned name, const char *interface, unsigned version);
    void setSeatHasKeyboard(bool has) { m_seatHasKeyboard = has; }

private:
    void close();
    void checkError() const;
    void waitFor(short events, int timeoutMs);

    int m_answerTimeoutMs;
    wl_display *m_display = nullptr;
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    zwp_virtual_keyboard_manager_v1 *m_manager = nullptr;
    bool m_seatHasKeyboard = false;
};

} // namespace acquisition
