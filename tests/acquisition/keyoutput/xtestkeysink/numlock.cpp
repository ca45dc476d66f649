#include "numlock.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <memory>
#include <stdexcept>

namespace {

using DisplayPtr = std::unique_ptr<Display, int (*)(Display *)>;

DisplayPtr openDisplay()
{
    DisplayPtr display(XOpenDisplay(nullptr), XCloseDisplay);
    if (!display)
        throw std::runtime_error("no X display");
    return display;
}

} // namespace

bool numLockOn()
{
    DisplayPtr display = openDisplay();
    Atom name = XInternAtom(display.get(), "Num Lock", False);
    Bool on = False;
    if (!XkbGetNamedIndicator(display.get(), name, nullptr, &on, nullptr, nullptr))
        throw std::runtime_error("no Num Lock indicator");
    return on;
}

void setNumLock(bool on)
{
    DisplayPtr display = openDisplay();
    const unsigned mask = XkbKeysymToModifiers(display.get(), XK_Num_Lock);
    XkbLockModifiers(display.get(), XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(display.get(), False);
}
