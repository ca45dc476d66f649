#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace acquisition {

// What start-up knows of the displays, and how to try them.
struct DisplayEnvironment {
    QString waylandDisplay;  // WAYLAND_DISPLAY
    QString x11Display;      // DISPLAY
    bool platformForced = false; // QT_QPA_PLATFORM set by the user
    std::function<bool()> x11Connects;
    std::function<bool()> waylandConnects;
    static DisplayEnvironment current();
};

// Where the window goes. A native Wayland window can neither stay above the
// others nor refuse the focus, so in a Wayland session it goes to XWayland
// when the X display can be reached; otherwise it stays native, and the
// user is told why. platform is empty when Qt's own choice stands.
struct WindowPlatform {
    QByteArray platform;
    bool onXWayland = false;
    bool x11Unreachable = false;
};
WindowPlatform chooseWindowPlatform(const DisplayEnvironment &environment);

} // namespace acquisition
