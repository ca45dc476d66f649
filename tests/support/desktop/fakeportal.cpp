// A stand-in for the desktop portal's remote desktop interface on a private
// bus, following its documented pattern: each request answers with a Request
// object path built from the caller's name and its handle_token, and the
// result comes as a Response signal on that path. Writes every call it gets
// to its standard output, one line each, after "ready"; a key event as it
// reaches the "desktop", which is when its call is answered.
//
// Like the real portals it may hand key calls over in any order: calls held
// together are answered last first. It checks what a desktop would suffer
// from, writing "FAIL ..." lines: more key calls in flight than allowed, a
// press while another key is down, a release of a key that is not down.
//
//   fakeportal --bus ADDRESS [--version N] [--devices MASK] [--refuse]
//              [--close-after KEYS] [--token TEXT]
//              [--hold MS] [--max-in-flight N]
//              [--silent METHOD] [--late METHOD:MS] [--wrong-types METHOD]
//
// --hold answers key calls MS after the first of them came, all together;
// --silent never answers METHOD (NotifyKeyboardKeysym: the second key call);
// --late answers METHOD's request MS late; --wrong-types answers METHOD's
// request with a Response of the wrong signature.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>
#include <QStringList>
#include <QTimer>

#include <cstdio>

namespace {

const QString kKeyCall = QStringLiteral("NotifyKeyboardKeysym");

void say(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

QString senderPart(const QString &uniqueName)
{
    QString part = uniqueName.mid(1);
    return part.replace(u'.', u'_');
}

struct Behaviour {
    uint version = 2;
    uint devices = 7;
    bool refuse = false;
    int closeAfter = -1;
    QString token = QStringLiteral("token-2");
    int holdMs = -1;
    int maxInFlight = 1;
    QString silent;
    QString late;
    int lateMs = 0;
    QString wrongTypes;
};

class Session : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Session")
public:
    bool closed = false;
public slots:
    void Close()
    {
        say(QStringLiteral("Close"));
        closed = true;
    }
};

class Portal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.RemoteDesktop")
    Q_PROPERTY(uint version READ version)
    Q_PROPERTY(uint AvailableDeviceTypes READ availableDeviceTypes)
public:
    Portal(const Behaviour &behaviour, QDBusConnection bus) : m_behaviour(behaviour), m_bus(bus)
    {
        m_holdTimer.setSingleShot(true);
        connect(&m_holdTimer, &QTimer::timeout, this, &Portal::answerHeld);
    }
    uint version() const { return m_behaviour.version; }
    uint availableDeviceTypes() const { return m_behaviour.devices; }

public slots:
    QDBusObjectPath CreateSession(const QVariantMap &options)
    {
        const QString token = options.value(QStringLiteral("session_handle_token")).toString();
        m_sessionPath = QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2")
                            .arg(senderPart(message().service()), token);
        m_bus.registerObject(m_sessionPath, &m_session, QDBusConnection::ExportAllSlots);
        say(QStringLiteral("CreateSession options=%1").arg(options.keys().join(u',')));
        // The answer may come before the call's return: a caller must listen first.
        return answer(QStringLiteral("CreateSession"), options, 0,
                      {{QStringLiteral("session_handle"), QVariant::fromValue(QDBusObjectPath(m_sessionPath))}}, 0);
    }
    QDBusObjectPath SelectDevices(const QDBusObjectPath &session, const QVariantMap &options)
    {
        QStringList shown;
        for (const QString &key : {QStringLiteral("types"), QStringLiteral("persist_mode"), QStringLiteral("restore_token")}) {
            if (options.contains(key))
                shown << key + u'=' + options.value(key).toString();
        }
        say(QStringLiteral("SelectDevices %1 %2").arg(sessionName(session), shown.join(u' ')));
        return answer(QStringLiteral("SelectDevices"), options, 0, {}, 0);
    }
    QDBusObjectPath Start(const QDBusObjectPath &session, const QString &parent, const QVariantMap &options)
    {
        say(QStringLiteral("Start %1 parent=%2").arg(sessionName(session), parent));
        if (m_behaviour.refuse)
            return answer(QStringLiteral("Start"), options, 1, {}, 50);
        QVariantMap results {{QStringLiteral("devices"), 1u}};
        if (m_behaviour.version >= 2)
            results.insert(QStringLiteral("restore_token"), m_behaviour.token);
        // As a user would, after a moment.
        return answer(QStringLiteral("Start"), options, 0, results, 50);
    }
    void NotifyKeyboardKeysym(const QDBusObjectPath &session, const QVariantMap &, int keysym, uint state)
    {
        if (m_session.closed) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("session closed"));
            return;
        }
        ++m_keyCalls;
        setDelayedReply(true);
        if (m_behaviour.silent == kKeyCall && m_keyCalls == 2)
            return;
        m_held.append({message(), sessionName(session), keysym, state});
        if (m_held.size() > m_behaviour.maxInFlight)
            say(QStringLiteral("FAIL %1 key calls in flight").arg(m_held.size()));
        if (m_behaviour.holdMs < 0)
            answerHeld();
        else if (!m_holdTimer.isActive())
            m_holdTimer.start(m_behaviour.holdMs);
    }

private:
    struct HeldKey {
        QDBusMessage call;
        QString session;
        int keysym;
        uint state;
    };

    void answerHeld()
    {
        // Last first: what a portal's scheduling may do to calls in flight together.
        while (!m_held.isEmpty()) {
            const HeldKey key = m_held.takeLast();
            deliver(key);
            m_bus.send(key.call.createReply());
        }
    }
    void deliver(const HeldKey &key)
    {
        if (m_session.closed)
            return;
        if (key.state == 1 && m_down != 0)
            say(QStringLiteral("FAIL press of %1 while %2 is down").arg(key.keysym, 0, 16).arg(m_down, 0, 16));
        else if (key.state == 0 && m_down != key.keysym)
            say(QStringLiteral("FAIL release of %1 while it is not down").arg(key.keysym, 0, 16));
        m_down = key.state == 1 ? key.keysym : 0;
        say(QStringLiteral("key %1 %2 %3").arg(key.session).arg(key.keysym, 0, 16).arg(key.state));
        if (++m_keys == m_behaviour.closeAfter) {
            m_session.closed = true;
            m_bus.send(QDBusMessage::createSignal(m_sessionPath, QStringLiteral("org.freedesktop.portal.Session"),
                                                         QStringLiteral("Closed"))
                              << QVariantMap());
            say(QStringLiteral("Closed"));
        }
    }
    QString sessionName(const QDBusObjectPath &session) const
    {
        return session.path() == m_sessionPath ? QStringLiteral("session") : QStringLiteral("other:") + session.path();
    }
    // The request's path at once; its Response after delayMs (0: before the
    // call's own reply).
    QDBusObjectPath answer(const QString &method, const QVariantMap &options, uint response,
                           const QVariantMap &results, int delayMs)
    {
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                 .arg(senderPart(message().service()),
                                      options.value(QStringLiteral("handle_token")).toString());
        if (m_behaviour.silent == method)
            return QDBusObjectPath(path);
        QDBusMessage signal = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                         QStringLiteral("Response"));
        if (m_behaviour.wrongTypes == method)
            signal << QStringLiteral("0") << results;
        else
            signal << response << results;
        if (m_behaviour.late == method)
            delayMs = m_behaviour.lateMs;
        QDBusConnection bus = m_bus;
        if (delayMs == 0)
            bus.send(signal);
        else
            QTimer::singleShot(delayMs, [bus, signal]() mutable { bus.send(signal); });
        return QDBusObjectPath(path);
    }

    Behaviour m_behaviour;
    // connection() serves only inside a call, and answers may come later.
    QDBusConnection m_bus;
    Session m_session;
    QString m_sessionPath;
    int m_keys = 0;
    int m_keyCalls = 0;
    int m_down = 0;
    QList<HeldKey> m_held;
    QTimer m_holdTimer;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString address;
    Behaviour behaviour;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        const auto value = [&args] { return args.isEmpty() ? QString() : args.takeFirst(); };
        if (option == QLatin1String("--refuse"))
            behaviour.refuse = true;
        else if (option == QLatin1String("--bus"))
            address = value();
        else if (option == QLatin1String("--version"))
            behaviour.version = value().toUInt();
        else if (option == QLatin1String("--devices"))
            behaviour.devices = value().toUInt();
        else if (option == QLatin1String("--close-after"))
            behaviour.closeAfter = value().toInt();
        else if (option == QLatin1String("--token"))
            behaviour.token = value();
        else if (option == QLatin1String("--hold"))
            behaviour.holdMs = value().toInt();
        else if (option == QLatin1String("--max-in-flight"))
            behaviour.maxInFlight = value().toInt();
        else if (option == QLatin1String("--silent"))
            behaviour.silent = value();
        else if (option == QLatin1String("--wrong-types"))
            behaviour.wrongTypes = value();
        else if (option == QLatin1String("--late")) {
            const QStringList parts = value().split(u':');
            behaviour.late = parts.value(0);
            behaviour.lateMs = parts.value(1).toInt();
        } else {
            std::fprintf(stderr, "fakeportal: unknown option %s\n", qPrintable(option));
            return 2;
        }
    }
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("portal"));
    Portal portal(behaviour, bus);
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)
        || !bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        std::fprintf(stderr, "fakeportal: cannot serve on %s\n", qPrintable(address));
        return 1;
    }
    say(QStringLiteral("ready"));
    return QCoreApplication::exec();
}

#include "fakeportal.moc"
