#include "tests/support/desktop/mutteruser.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTest>
#include <QVariantMap>

namespace testsupport {

namespace {

const QString kRemoteDesktop = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
const QString kScreenCast = QStringLiteral("org.gnome.Mutter.ScreenCast");
constexpr int kLeftButton = 0x110; // BTN_LEFT
// A shell still starting up on a loaded machine can take long to answer.
constexpr int kReplyMs = 60000;

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
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, kReplyMs);
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
    if (!session(QStringLiteral("NotifyPointerMotionAbsolute"), {m_stream, double(at.x()), double(at.y())}))
        return false;
    // XWayland windows see a press as a click only once the pointer is known to be over them.
    QTest::qWait(200);
    if (!session(QStringLiteral("NotifyPointerButton"), {kLeftButton, true}))
        return false;
    QTest::qWait(50);
    return session(QStringLiteral("NotifyPointerButton"), {kLeftButton, false});
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

bool MutterUser::screenshot(const QString &path)
{
    return call(QStringLiteral("org.gnome.Shell.Screenshot"), QStringLiteral("/org/gnome/Shell/Screenshot"),
                QStringLiteral("org.gnome.Shell.Screenshot"), QStringLiteral("Screenshot"), {false, false, path});
}

QString MutterUser::focusedWindow()
{
    for (const Window &window : windows()) {
        if (window.focused)
            return window.title;
    }
    return {};
}

QList<MutterUser::Window> MutterUser::windows()
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell/Introspect"),
        QStringLiteral("org.gnome.Shell.Introspect"), QStringLiteral("GetWindows"));
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, kReplyMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        m_error = QStringLiteral("GetWindows: ") + reply.errorMessage();
        return {};
    }
    const QDBusArgument map = reply.arguments().value(0).value<QDBusArgument>();
    QList<Window> found;
    map.beginMap();
    while (!map.atEnd()) {
        quint64 id = 0;
        QVariantMap properties;
        map.beginMapEntry();
        map >> id >> properties;
        map.endMapEntry();
        found.append({properties.value(QStringLiteral("title")).toString(),
                      QSize(properties.value(QStringLiteral("width")).toInt(),
                            properties.value(QStringLiteral("height")).toInt()),
                      properties.value(QStringLiteral("has-focus")).toBool()});
    }
    map.endMap();
    return found;
}

} // namespace testsupport
