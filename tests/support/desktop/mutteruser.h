#pragma once

#include <QDBusConnection>
#include <QPoint>
#include <QList>
#include <QSize>
#include <QString>

namespace testsupport {

// The user at a GNOME desktop, played through mutter's own remote desktop
// API on the session bus: pointer clicks anywhere on the monitor and keys,
// as from the real keyboard and mouse. The session lives as long as this
// object's bus connection. Meant for a test's own private session bus: it
// takes a name there that the shell trusts with its window list.
class MutterUser {
public:
    MutterUser();
    ~MutterUser();
    MutterUser(const MutterUser &) = delete;
    MutterUser &operator=(const MutterUser &) = delete;

    // False, with the reason in errorString(), when mutter refuses a session.
    bool start();
    QString errorString() const { return m_error; }

    bool click(const QPoint &at);
    // One key press and release, or pressed and released around another.
    bool key(unsigned keysym);
    bool chord(unsigned modifierKeysym, unsigned keysym);
    bool type(const QString &latin1Text);

    // The title of the window that has the keyboard focus, from the shell;
    // empty when none has it.
    QString focusedWindow();
    // The application windows the shell shows (not those of X11 tool windows).
    struct Window {
        QString title;
        QSize size;
        bool focused = false;
    };
    QList<Window> windows();
    // The whole screen as a PNG file.
    bool screenshot(const QString &path);

private:
    bool call(const QString &service, const QString &path, const QString &interface,
              const QString &method, const QVariantList &args, QVariant *result = nullptr);
    bool session(const QString &method, const QVariantList &args);
    bool keyEvent(unsigned keysym, bool pressed);

    QDBusConnection m_bus;
    QString m_session;
    QString m_stream;
    QString m_error;
};

} // namespace testsupport
