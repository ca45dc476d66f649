#include "tests/support/desktop/mutteruser.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QVariantMap>

namespace testsupport {

namespace {

const QString kRemoteDesktop = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
const QString kScreenCast = QStringLiteral("org.gnome.Mutter.ScreenCast");
constexpr int kLeftButton = 0x110; // BTN_LEFT

} // namespace

MutterUser::MutterUser()
    : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("mutteruser")))
{
}

MutterUser::~MutterUser()
{
    if (!m_session.isEmpty())
        session(QStringLiteral("Stop"), {});
    QDBusConnection::disconnectFromBus(QStringLiteral("mutteruser"));
}

bool MutterUser::call(const QString &service, const QString &path, const QString &interface,
                      const QString &method, const QVariantList &args, QVariant *result)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(args);
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        m_error = method + QStringLiteral(": ") + reply.errorMessage();
        return false;
    }
    if (result)
        *result = reply.arguments().value(0);
    return true;
}

bool MutterUser::session(const QString &method, const QVariantList &args)
{
    return call(kRemoteDesktop, m_session, kRemoteDesktop + QStringLiteral(".Session"), method, args);
}

bool MutterUser::start()
{
    if (!m_bus.isConnected()) {
        m_error = QStringLiteral("no session bus");
        return false;
    }
    // The shell lists its windows only to its portal backends; this one is
    // not used on the way to typing.
    m_bus.interface()->registerService(QStringLiteral("org.freedesktop.impl.portal.desktop.gtk"));
    QVariant path;
    if (!call(kRemoteDesktop, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kRemoteDesktop,
              QStringLiteral("CreateSession"), {}, &path))
        return false;
    m_session = path.value<QDBusObjectPath>().path();
    QVariant id;
    if (!call(kRemoteDesktop, m_session, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
              {kRemoteDesktop + QStringLiteral(".Session"), QStringLiteral("SessionId")}, &id))
        return false;
    // Absolute pointer positions are given on a stream of the monitor.
    QVariant castPath;
    const QVariantMap castOptions {{QStringLiteral("remote-desktop-session-id"), id.value<QDBusVariant>().variant()}};
    if (!call(kScreenCast, QStringLiteral("/org/gnome/Mutter/ScreenCast"), kScreenCast,
              QStringLiteral("CreateSession"), {castOptions}, &castPath))
        return false;
    QVariant stream;
    if (!call(kScreenCast, castPath.value<QDBusObjectPath>().path(), kScreenCast + QStringLiteral(".Session"),
              QStringLiteral("RecordMonitor"), {QString(), QVariantMap()}, &stream))
        return false;
    m_stream = stream.value<QDBusObjectPath>().path();
    return session(QStringLiteral("Start"), {});
}

bool MutterUser::click(const QPoint &at)
{
    return session(QStringLiteral("NotifyPointerMotionAbsolute"), {m_stream, double(at.x()), double(at.y())})
        && session(QStringLiteral("NotifyPointerButton"), {kLeftButton, true})
        && session(QStringLiteral("NotifyPointerButton"), {kLeftButton, false});
}

bool MutterUser::keyEvent(unsigned keysym, bool pressed)
{
    return session(QStringLiteral("NotifyKeyboardKeysym"), {keysym, pressed});
}

bool MutterUser::key(unsigned keysym)
{
    return keyEvent(keysym, true) && keyEvent(keysym, false);
}

bool MutterUser::chord(unsigned modifierKeysym, unsigned keysym)
{
    return keyEvent(modifierKeysym, true) && key(keysym) && keyEvent(modifierKeysym, false);
}

bool MutterUser::type(const QString &latin1Text)
{
    for (const QChar c : latin1Text) {
        if (!key(c.unicode()))
            return false;
    }
    return true;
}

QString MutterUser::focusedWindow()
{
    const QStringList titles = windowTitles();
    return m_focused >= 0 ? titles.value(m_focused) : QString();
}

QStringList MutterUser::windowTitles()
{
    m_focused = -1;
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell/Introspect"),
        QStringLiteral("org.gnome.Shell.Introspect"), QStringLiteral("GetWindows"));
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        m_error = QStringLiteral("GetWindows: ") + reply.errorMessage();
        return {};
    }
    const QDBusArgument windows = reply.arguments().value(0).value<QDBusArgument>();
    windows.beginMap();
    QStringList titles;
    while (!windows.atEnd()) {
        quint64 id = 0;
        QVariantMap properties;
        windows.beginMapEntry();
        windows >> id >> properties;
        windows.endMapEntry();
        if (properties.value(QStringLiteral("has-focus")).toBool())
            m_focused = titles.size();
        titles << properties.value(QStringLiteral("title")).toString();
    }
    windows.endMap();
    return titles;
}

} // namespace testsupport
