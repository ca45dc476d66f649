#include "acquisition/keyoutput/windowplatform.h"

#include <X11/Xlib.h>
#include <wayland-client.h>

namespace acquisition {

namespace {

bool x11Reachable()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

bool waylandReachable()
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    wl_display_disconnect(display);
    return true;
}

} // namespace

DisplayEnvironment DisplayEnvironment::current()
{
    return {qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), x11Reachable, waylandReachable};
}

WindowPlatform chooseWindowPlatform(const DisplayEnvironment &environment)
{
    if (environment.platformForced || environment.waylandDisplay.isEmpty() || environment.x11Display.isEmpty())
        return {};
    if (environment.x11Connects())
        return {"xcb", true, false};
    // Left to itself the X platform would abort the program.
    if (environment.waylandConnects())
        return {"wayland", false, true};
    return {};
}

} // namespace acquisition
