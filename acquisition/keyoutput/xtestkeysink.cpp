#include "acquisition/keyoutput/xtestkeysink.h"

#include "acquisition/addedmessages.h"
#include "acquisition/keyoutput/keytable.h"

#include "common/usererror.h"

#include <QString>

#include <X11/Xutil.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace acquisition {

namespace {

KeySym keysymFor(Key key)
{
    return keyRow(key).keysym;
}

KeyCode keycodeFor(Display *display, Key key)
{
    KeyCode code = XKeysymToKeycode(display, keysymFor(key));
    // Layouts whose keypad has a separator key instead of a decimal key:
    // that key types the layout's own decimal sign.
    if (code == 0 && key == Key::Decimal)
        code = XKeysymToKeycode(display, XKB_KEY_KP_Separator);
    if (code == 0)
        throw cannotType(added::keyNotInLayout, {QString::fromLatin1(XKeysymToString(keysymFor(key)))});
    return code;
}

void checkExtensions(Display *display)
{
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor))
        throw cannotType(added::noXTest);
    int opcode = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor))
        throw cannotType(added::noXkb);
}

// The class of the focused window, or of the first of its ancestors that has one.
QString focusedClass(Display *display)
{
    Window window = None;
    int revert = 0;
    XGetInputFocus(display, &window, &revert);
    while (window != None && window != PointerRoot) {
        XClassHint hint {};
        if (XGetClassHint(display, window, &hint)) {
            const QString found = QString::fromLatin1(hint.res_name) + QLatin1Char(' ') + QString::fromLatin1(hint.res_class);
            XFree(hint.res_name);
            XFree(hint.res_class);
            return found;
        }
        Window root = None, parent = None;
        Window *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        window = parent == root ? None : parent;
    }
    return QString();
}

} // namespace

bool XTestKeySink::needsPace()
{
    const QString name = focusedClass(m_display);
    return name.contains(QLatin1String("libreoffice"), Qt::CaseInsensitive)
        || name.contains(QLatin1String("soffice"), Qt::CaseInsensitive);
}

void XTestKeySink::settle()
{
    XSync(m_display, False);
}

XTestKeySink::XTestKeySink()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        throw cannotType(added::xDisplayUnreachable, {QString::fromLocal8Bit(XDisplayName(nullptr))});
    try {
        checkExtensions(m_display);
        for (int i = 0; i < keyCount; ++i)
            m_keycodes[i] = keycodeFor(m_display, static_cast<Key>(i));
        m_numLockMask = XkbKeysymToModifiers(m_display, XKB_KEY_Num_Lock);
        if (m_numLockMask == 0)
            throw cannotType(added::noNumLock);
    } catch (...) {
        XCloseDisplay(m_display);
        throw;
    }
}

XTestKeySink::~XTestKeySink()
{
    if (m_unlockAtEnd)
        lockNumLock(false);
    XCloseDisplay(m_display);
}

void XTestKeySink::press(Key key)
{
    // A keypad key pressed outside a value still needs Num Lock.
    const bool ownScope = m_openValues == 0 && isKeypadKey(key);
    if (ownScope)
        beginValue();
    const KeyCode code = m_keycodes[static_cast<int>(key)];
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XFlush(m_display);
    if (ownScope)
        endValue();
}

void XTestKeySink::beginValue()
{
    if (m_openValues++ > 0)
        return;
    XkbStateRec state{};
    XkbGetState(m_display, XkbUseCoreKbd, &state);
    m_unlockAtEnd = (state.locked_mods & m_numLockMask) == 0;
    if (m_unlockAtEnd)
        lockNumLock(true);
}

void XTestKeySink::endValue()
{
    if (m_openValues == 0 || --m_openValues > 0)
        return;
    if (m_unlockAtEnd) {
        lockNumLock(false);
        m_unlockAtEnd = false;
    }
    // The server has taken every key and the restored lock before we return.
    XSync(m_display, False);
}

void XTestKeySink::lockNumLock(bool on)
{
    XkbLockModifiers(m_display, XkbUseCoreKbd, m_numLockMask, on ? m_numLockMask : 0);
    XFlush(m_display);
}

} // namespace acquisition
