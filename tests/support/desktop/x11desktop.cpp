#include "tests/support/desktop/x11desktop.h"
#include "tests/support/processes.h"

#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace testsupport {

namespace {

// A property of 32-bit items (windows, atoms, cardinals); empty when absent.
QList<unsigned long> longs(Display *display, Window window, Atom property, Atom type)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    QList<unsigned long> items;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType, &format, &count,
                           &after, &data) == Success
        && data && format == 32) {
        const auto *values = reinterpret_cast<const unsigned long *>(data);
        items = QList<unsigned long>(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

QString text(Display *display, Window window, Atom property, Atom type)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    QString result;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format, &count,
                           &after, &data) == Success
        && data && format == 8)
        result = QString::fromUtf8(reinterpret_cast<const char *>(data), int(count));
    if (data)
        XFree(data);
    return result;
}

} // namespace

X11Desktop::X11Desktop() = default;

X11Desktop::~X11Desktop()
{
    testsupport::endProcess(m_windowManager, 5000);
    if (m_display)
        XCloseDisplay(m_display);
}

unsigned long X11Desktop::atom(const char *name) const { return XInternAtom(m_display, name, False); }

bool X11Desktop::start()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display) {
        m_error = QStringLiteral("no X display");
        return false;
    }
    // A window manager that has gone leaves its property behind: the window it
    // names must still exist and name itself.
    const auto managed = [this] {
        const Atom check = atom("_NET_SUPPORTING_WM_CHECK");
        const QList<unsigned long> named = longs(m_display, DefaultRootWindow(m_display), check, XA_WINDOW);
        if (named.isEmpty())
            return false;
        XSync(m_display, False);
        const auto previous = XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
        const QList<unsigned long> self = longs(m_display, named.first(), check, XA_WINDOW);
        XSync(m_display, False);
        XSetErrorHandler(previous);
        return self == named;
    };
    if (managed())
        return true;
    m_windowManager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_windowManager.setStandardOutputFile(QProcess::nullDevice());
    m_windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!m_windowManager.waitForStarted(5000)) {
        m_error = QStringLiteral("openbox cannot be started (scripts/setup installs it): ")
                  + m_windowManager.errorString();
        return false;
    }
    if (!QTest::qWaitFor(managed, 10000)) {
        m_error = QStringLiteral("openbox did not take the screen");
        return false;
    }
    return true;
}

QList<X11Desktop::Client> X11Desktop::clients() const
{
    const Window root = DefaultRootWindow(m_display);
    QList<Client> found;
    for (unsigned long id : longs(m_display, root, atom("_NET_CLIENT_LIST_STACKING"), XA_WINDOW)) {
        Client client;
        client.id = id;
        client.title = text(m_display, id, atom("_NET_WM_NAME"), atom("UTF8_STRING"));
        const QList<unsigned long> pid = longs(m_display, id, atom("_NET_WM_PID"), XA_CARDINAL);
        client.pid = pid.isEmpty() ? 0 : qint64(pid.first());
        XWindowAttributes attributes {};
        int x = 0, y = 0;
        Window child = 0;
        if (XGetWindowAttributes(m_display, id, &attributes)
            && XTranslateCoordinates(m_display, id, root, 0, 0, &x, &y, &child))
            client.geometry = QRect(x, y, attributes.width, attributes.height);
        found.append(client);
    }
    return found;
}

std::optional<X11Desktop::Client> X11Desktop::client(qint64 pid, const QString &title,
                                                     const std::function<bool(const Client &)> &also) const
{
    const QList<Client> all = clients();
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        if (it->pid == pid && it->title == title && (!also || also(*it)))
            return *it;
    }
    return std::nullopt;
}

int X11Desktop::stackIndex(WindowId id) const
{
    const QList<Client> all = clients();
    for (int i = 0; i < all.size(); ++i) {
        if (all.at(i).id == id)
            return i;
    }
    return -1;
}

QStringList X11Desktop::atoms(WindowId id, const char *property) const
{
    QStringList names;
    for (unsigned long value : longs(m_display, id, atom(property), XA_ATOM)) {
        char *name = XGetAtomName(m_display, value);
        names << QString::fromLatin1(name);
        XFree(name);
    }
    return names;
}

QString X11Desktop::windowClass(WindowId id) const
{
    XClassHint hint {};
    if (!XGetClassHint(m_display, id, &hint))
        return {};
    const QString name = QString::fromLatin1(hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
}

X11Desktop::WindowId X11Desktop::activeWindow() const
{
    const QList<unsigned long> active =
        longs(m_display, DefaultRootWindow(m_display), atom("_NET_ACTIVE_WINDOW"), XA_WINDOW);
    return active.isEmpty() ? 0 : active.first();
}

bool X11Desktop::popupShown(qint64 pid) const
{
    const Window root = DefaultRootWindow(m_display);
    Window parent = 0, rootReturn = 0;
    Window *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(m_display, root, &rootReturn, &parent, &children, &count))
        return false;
    bool shown = false;
    for (unsigned i = 0; i < count && !shown; ++i) {
        XWindowAttributes attributes {};
        if (!XGetWindowAttributes(m_display, children[i], &attributes) || !attributes.override_redirect
            || attributes.map_state != IsViewable)
            continue;
        const QList<unsigned long> owner = longs(m_display, children[i], atom("_NET_WM_PID"), XA_CARDINAL);
        shown = !owner.isEmpty() && qint64(owner.first()) == pid;
    }
    if (children)
        XFree(children);
    return shown;
}

void X11Desktop::click(const QPoint &at)
{
    XTestFakeMotionEvent(m_display, -1, at.x(), at.y(), CurrentTime);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
}

void X11Desktop::key(unsigned long keysym)
{
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XSync(m_display, False);
}

void X11Desktop::type(const QString &text)
{
    for (QChar c : text)
        key(c == u'.' ? XK_period : c.unicode());
}

QRgb X11Desktop::pixel(const QPoint &at) const
{
    XImage *image = XGetImage(m_display, DefaultRootWindow(m_display), at.x(), at.y(), 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    const unsigned long value = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    // A 24-bit TrueColor screen, as Xvfb gives.
    return qRgb(int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF));
}

} // namespace testsupport
