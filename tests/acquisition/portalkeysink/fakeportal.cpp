// A stand-in for the desktop portal's remote desktop interface on a private
// bus, following its documented pattern: each request answers with a Request
// object path built from the caller's name and its handle_token, and the
// result comes as a Response signal on that path. Writes every call it gets
// to its standard output, one line each, after "ready".
//
//   fakeportal --bus ADDRESS [--version N] [--devices MASK] [--refuse]
//              [--close-after KEYS] [--token TEXT]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QTimer>

#include <cstdio>

namespace {

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
    explicit Portal(const Behaviour &behaviour) : m_behaviour(behaviour) {}
    uint version() const { return m_behaviour.version; }
    uint availableDeviceTypes() const { return m_behaviour.devices; }

public slots:
    QDBusObjectPath CreateSession(const QVariantMap &options)
    {
        const QString token = options.value(QStringLiteral("session_handle_token")).toString();
        m_sessionPath = QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2")
                            .arg(senderPart(message().service()), token);
        connection().registerObject(m_sessionPath, &m_session, QDBusConnection::ExportAllSlots);
        say(QStringLiteral("CreateSession options=%1").arg(options.keys().join(u',')));
        // The answer may come before the call's return: a caller must listen first.
        return answer(options, 0, {{QStringLiteral("session_handle"), QVariant::fromValue(QDBusObjectPath(m_sessionPath))}},
                      true);
    }
    QDBusObjectPath SelectDevices(const QDBusObjectPath &session, const QVariantMap &options)
    {
        QStringList shown;
        for (const QString &key : {QStringLiteral("types"), QStringLiteral("persist_mode"), QStringLiteral("restore_token")}) {
            if (options.contains(key))
                shown << key + u'=' + options.value(key).toString();
        }
        say(QStringLiteral("SelectDevices %1 %2").arg(sessionName(session), shown.join(u' ')));
        return answer(options, 0, {}, true);
    }
    QDBusObjectPath Start(const QDBusObjectPath &session, const QString &parent, const QVariantMap &options)
    {
        say(QStringLiteral("Start %1 parent=%2").arg(sessionName(session), parent));
        if (m_behaviour.refuse)
            return answer(options, 1, {}, false);
        QVariantMap results {{QStringLiteral("devices"), 1u}};
        if (m_behaviour.version >= 2)
            results.insert(QStringLiteral("restore_token"), m_behaviour.token);
        // As a user would, after a moment.
        return answer(options, 0, results, false);
    }
    void NotifyKeyboardKeysym(const QDBusObjectPath &session, const QVariantMap &, int keysym, uint state)
    {
        if (m_session.closed) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("session closed"));
            return;
        }
        say(QStringLiteral("key %1 %2 %3").arg(sessionName(session)).arg(keysym, 0, 16).arg(state));
        if (++m_keys == m_behaviour.closeAfter) {
            m_session.closed = true;
            connection().send(QDBusMessage::createSignal(m_sessionPath, QStringLiteral("org.freedesktop.portal.Session"),
                                                         QStringLiteral("Closed"))
                              << QVariantMap());
            say(QStringLiteral("Closed"));
        }
    }

private:
    QString sessionName(const QDBusObjectPath &session) const
    {
        return session.path() == m_sessionPath ? QStringLiteral("session") : QStringLiteral("other:") + session.path();
    }
    QDBusObjectPath answer(const QVariantMap &options, uint response, const QVariantMap &results, bool before)
    {
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                 .arg(senderPart(message().service()),
                                      options.value(QStringLiteral("handle_token")).toString());
        QDBusMessage signal = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                         QStringLiteral("Response"));
        signal << response << results;
        QDBusConnection bus = connection();
        if (before)
            bus.send(signal);
        else
            QTimer::singleShot(50, [bus, signal]() mutable { bus.send(signal); });
        return QDBusObjectPath(path);
    }

    Behaviour m_behaviour;
    Session m_session;
    QString m_sessionPath;
    int m_keys = 0;
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
        if (option == QLatin1String("--refuse"))
            behaviour.refuse = true;
        else if (option == QLatin1String("--bus"))
            address = args.takeFirst();
        else if (option == QLatin1String("--version"))
            behaviour.version = args.takeFirst().toUInt();
        else if (option == QLatin1String("--devices"))
            behaviour.devices = args.takeFirst().toUInt();
        else if (option == QLatin1String("--close-after"))
            behaviour.closeAfter = args.takeFirst().toInt();
        else if (option == QLatin1String("--token"))
            behaviour.token = args.takeFirst();
    }
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("portal"));
    Portal portal(behaviour);
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
