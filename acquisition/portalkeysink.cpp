#include "acquisition/portalkeysink.h"

#include "acquisition/addedmessages.h"

#include "acquisition/keyoutput.h"
#include "acquisition/quorixini.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTimer>

#include <utility>

namespace acquisition {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRemoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");


constexpr uint kKeyboard = 1;
constexpr uint kPersistUntilRevoked = 2;
constexpr uint kReleased = 0;
constexpr uint kPressed = 1;
constexpr int kCallTimeoutMs = 25000;

QString token()
{
    return QStringLiteral("quorix%1").arg(QRandomGenerator::global()->generate());
}

QString asPath(const QVariant &value)
{
    // Older portals send the session handle as a string.
    if (value.canConvert<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

unsigned PortalKeySink::keysym(Key key, QChar decimalSign)
{
    switch (key) {
    case Key::Decimal: {
        const char16_t c = decimalSign.unicode();
        // Latin-1 characters are their own keysym; others are Unicode keysyms.
        return c >= 0x20 && c <= 0xFF ? c : 0x01000000u + c;
    }
    case Key::Subtract: return u'-';
    case Key::Add: return u'+';
    case Key::Up: return 0xFF52;
    case Key::Down: return 0xFF54;
    case Key::Left: return 0xFF51;
    case Key::Right: return 0xFF53;
    default: return u'0' + unsigned(static_cast<int>(key) - static_cast<int>(Key::Numpad0));
    }
}

PortalKeySink::PortalKeySink(common::SettingsFile settings, const QString &decimalSign, QDBusConnection bus,
                             int userAnswerTimeoutMs)
    : m_settings(std::move(settings)), m_decimalSign(decimalSign.isEmpty() ? QChar(u'.') : decimalSign.at(0)),
      m_bus(std::move(bus)),
      m_userAnswerTimeoutMs(userAnswerTimeoutMs)
{
    checkVersion();
    const QVariantMap created = request(QStringLiteral("CreateSession"), {},
                                        {{QStringLiteral("session_handle_token"), token()}}, kCallTimeoutMs);
    m_session = asPath(created.value(QStringLiteral("session_handle")));
    if (m_session.isEmpty())
        throw cannotType(added::portalNoSession);
    m_bus.connect(kService, m_session, kSessionInterface, QStringLiteral("Closed"), this, SLOT(onClosed()));
    try {
        start();
    } catch (...) {
        // No session left behind when the user says no or the desktop is silent.
        closeSession();
        throw;
    }
}

void PortalKeySink::start()
{
    QVariantMap devices {{QStringLiteral("types"), kKeyboard}};
    if (m_version >= 2) {
        devices.insert(QStringLiteral("persist_mode"), kPersistUntilRevoked);
        const QString stored = m_settings.Lire_chaine_ini(ini::keyboard, ini::portalToken);
        if (!stored.isEmpty())
            devices.insert(QStringLiteral("restore_token"), stored);
    }
    request(QStringLiteral("SelectDevices"), {QVariant::fromValue(QDBusObjectPath(m_session))}, devices,
            kCallTimeoutMs);

    // The desktop asks the user here, unless the stored permission holds.
    const QVariantMap started = request(
        QStringLiteral("Start"), {QVariant::fromValue(QDBusObjectPath(m_session)), QString()}, {},
        m_userAnswerTimeoutMs);
    if (!(started.value(QStringLiteral("devices")).toUInt() & kKeyboard))
        throw cannotType(added::keyboardNotGranted);
    // A token serves once: keep the new one, or none.
    if (m_version >= 2)
        m_settings.Ecrire_chaine_ini(ini::keyboard, ini::portalToken, started.value(QStringLiteral("restore_token")).toString());
}

PortalKeySink::~PortalKeySink()
{
    try {
        waitForReplies();
    } catch (const common::UserError &) {
    }
    closeSession();
}

void PortalKeySink::closeSession()
{
    if (m_closed)
        return;
    m_closed = true;
    QDBusMessage close = QDBusMessage::createMethodCall(kService, m_session, kSessionInterface,
                                                        QStringLiteral("Close"));
    m_bus.call(close, QDBus::Block, 2000);
}

void PortalKeySink::checkVersion()
{
    if (!m_bus.isConnected())
        throw PortalMissing(cannotType(added::noSessionBus));
    QDBusMessage get = QDBusMessage::createMethodCall(kService, kPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("GetAll"));
    get << kRemoteDesktop;
    const QDBusMessage reply = m_bus.call(get, QDBus::Block, kCallTimeoutMs);
    const QVariantMap properties = reply.type() == QDBusMessage::ReplyMessage
        ? qdbus_cast<QVariantMap>(reply.arguments().value(0))
        : QVariantMap();
    if (!properties.contains(QStringLiteral("version"))
        || !(properties.value(QStringLiteral("AvailableDeviceTypes")).toUInt() & kKeyboard))
        throw PortalMissing(cannotType(added::portalNoRemoteKeyboard));
    m_version = properties.value(QStringLiteral("version")).toUInt();
}

QString PortalKeySink::requestPath(const QString &handleToken) const
{
    // Where the portal puts the request: our unique name without its colon,
    // dots as underscores, then the token.
    QString sender = m_bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    return kPath + QStringLiteral("/request/") + sender + u'/' + handleToken;
}

QVariantMap PortalKeySink::request(const QString &method, const QList<QVariant> &arguments, QVariantMap options,
                                   int timeoutMs)
{
    // The answer comes as a Response signal on a request object: listen there
    // before calling, so an early answer is not missed.
    const QString handleToken = token();
    options.insert(QStringLiteral("handle_token"), handleToken);
    QString path = requestPath(handleToken);
    m_answered = false;
    m_bus.connect(kService, path, kRequest, QStringLiteral("Response"), this,
                  SLOT(onResponse(uint, QVariantMap)));
    const auto disconnect = qScopeGuard([&] {
        m_bus.disconnect(kService, path, kRequest, QStringLiteral("Response"), this,
                         SLOT(onResponse(uint, QVariantMap)));
    });

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kRemoteDesktop, method);
    call.setArguments(arguments + QList<QVariant> {options});
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw cannotType(added::portalError, {method, reply.errorMessage()});
    const QString handle = reply.arguments().value(0).value<QDBusObjectPath>().path();
    if (!handle.isEmpty() && handle != path) {
        // A portal older than the handle_token convention.
        m_bus.disconnect(kService, path, kRequest, QStringLiteral("Response"), this,
                         SLOT(onResponse(uint, QVariantMap)));
        path = handle;
        m_bus.connect(kService, path, kRequest, QStringLiteral("Response"), this,
                      SLOT(onResponse(uint, QVariantMap)));
    }

    if (!m_answered) {
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(this, &PortalKeySink::answered, &loop, &QEventLoop::quit);
        deadline.start(timeoutMs);
        loop.exec();
    }
    if (!m_answered)
        throw cannotType(added::portalNoAnswer, {method});
    switch (m_response) {
    case 0: return m_results;
    case 1: throw cannotType(added::typingRefused);
    default:
        throw cannotType(added::portalEndedRequest, {method});
    }
}

void PortalKeySink::onResponse(uint response, const QVariantMap &results)
{
    m_answered = true;
    m_response = response;
    m_results = results;
    emit answered();
}

void PortalKeySink::onClosed()
{
    m_closed = true;
}

void PortalKeySink::checkOpen() const
{
    if (m_closed)
        throw cannotType(added::typingSessionClosed);
}

void PortalKeySink::press(Key key)
{
    checkOpen();
    const unsigned sym = keysym(key, m_decimalSign);
    for (uint state : {kPressed, kReleased}) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kRemoteDesktop,
                                                           QStringLiteral("NotifyKeyboardKeysym"));
        call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariantMap() << int(sym) << state;
        m_pending.append(m_bus.asyncCall(call, kCallTimeoutMs));
    }
    if (m_openValues == 0)
        waitForReplies();
}

void PortalKeySink::beginValue()
{
    ++m_openValues;
}

void PortalKeySink::endValue()
{
    if (m_openValues > 0 && --m_openValues == 0)
        waitForReplies();
}

void PortalKeySink::waitForReplies()
{
    // The desktop has taken every key of the value before the cycle goes on.
    const QList<QDBusPendingCall> pending = std::exchange(m_pending, {});
    for (QDBusPendingCall call : pending) {
        call.waitForFinished();
        // A session the desktop closed refuses keys before its signal arrives.
        if (call.isError())
            m_closed = true;
        checkOpen();
    }
    checkOpen();
}

} // namespace acquisition
