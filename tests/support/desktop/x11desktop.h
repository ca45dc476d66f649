#pragma once

#include <QList>
#include <QProcess>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct _XDisplay;

namespace testsupport {

// The X server of a test as a user sees it: the windows a window manager
// manages, their stacking and states, and clicks and keys through XTest.
// Starts openbox for the test's duration when no window manager runs.
class X11Desktop {
public:
    using WindowId = unsigned long;

    struct Client {
        WindowId id = 0;
        QString title;
        QRect geometry; // the client area, in screen coordinates
        qint64 pid = 0;
    };

    X11Desktop();
    ~X11Desktop();
    X11Desktop(const X11Desktop &) = delete;
    X11Desktop &operator=(const X11Desktop &) = delete;

    // False, with the reason in errorString(), when no display or no window
    // manager could be had.
    bool start();
    QString errorString() const { return m_error; }

    // The managed windows, bottom of the stack first.
    QList<Client> clients() const;
    // The topmost managed window of that process and title, if any.
    std::optional<Client> client(qint64 pid, const QString &title,
                                 const std::function<bool(const Client &)> &also = {}) const;
    // Position in the stack, 0 at the bottom; -1 when not managed.
    int stackIndex(WindowId id) const;
    // The atom names of a window's ATOM list property (_NET_WM_STATE...).
    QStringList atoms(WindowId id, const char *property) const;
    // The class half of WM_CLASS, which menu entries match windows by.
    QString windowClass(WindowId id) const;
    WindowId activeWindow() const;
    // Whether the process shows a window the window manager does not manage
    // (a menu that popped up).
    bool popupShown(qint64 pid) const;

    // A window manager may hold the pointer while it handles a click on a
    // window; a click elsewhere right after could then see this one's
    // release land at its own place. Wait for the click's effect first.
    void click(const QPoint &at);
    // One key press and release; the keysym must be on the keyboard map
    // without a modifier (lower-case letters, digits, '.', Return...).
    void key(unsigned long keysym);
    void type(const QString &text);
    QRgb pixel(const QPoint &at) const;

private:
    unsigned long atom(const char *name) const;

    _XDisplay *m_display = nullptr;
    QProcess m_windowManager;
    QString m_error;
};

} // namespace testsupport
