#include "acquisition/keyoutput/portalkeysink.h"

#include "acquisition/addedmessages.h"
#include "acquisition/keyoutput/keytable.h"

#include "acquisition/quorixini.h"
#include "link/clock.h"
#include "link/deadline.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <utility>

namespace acquisition {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRemoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");
const QString kKeyCall = QStringLiteral("NotifyKeyboardKeysym");

constexpr uint kKeyboard = 1;
constexpr uint kPersistUntilRevoked = 2;
constexpr uint kReleased = 0;
constexpr uint kPressed = 1;
// A bus that went away shows no event of its own: looked at this often while waiting.
constexpr int kBusCheckMs = 100;
// Replies later than this are dropped by the bus library; the waits give up before.
constexpr int kCallGraceMs = 1000;
// The desktop gives the keyboard back to the window the user typed in only a
// moment after its permission dialog has gone; keys sent earlier are lost.
constexpr int kFocusReturnMs = 700;
// After "Stop", the time the portal still has for each key: a portal that
// answers takes a key in a few ms, so the value in hand is finished.
constexpr int kStopGraceMs = 150;

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

bool isObjectPath(const QString &path)
{
    return !path.isEmpty() && QDBusObjectPath(path).path() == path;
}

} // namespace

unsigned PortalKeySink::keysym(Key key, QChar decimalSign)
{
    if (const xkb_keysym_t sym = keyRow(key).portalKeysym)
        return sym;
    // The decimal key types the locale's sign. Latin-1 characters are their
    // own keysym; others are Unicode keysyms.
    const char16_t c = decimalSign.unicode();
    return c >= 0x20 && c <= 0xFF ? c : 0x01000000u + c;
}

PortalKeySink::PortalKeySink(common::SettingsFile settings, const QString &decimalSign, QDBusConnection bus,
                             Options options)
    : m_settings(std::move(settings)), m_decimalSign(decimalSign.isEmpty() ? QChar(u'.') : decimalSign.at(0)),
      m_bus(std::move(bus)), m_options(std::move(options))
{
    checkVersion();
    const QVariantMap created = request(QStringLiteral("CreateSession"), {},
                                        {{QStringLiteral("session_handle_token"), token()}},
                                        m_options.answerTimeoutMs);
    m_session = asPath(created.value(QStringLiteral("session_handle")));
    if (!isObjectPath(m_session)) {
        m_closed = true;
        throw cannotType(added::portalNoSession);
    }
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
            m_options.answerTimeoutMs);

    // The desktop asks the user here, unless the stored permission holds.
    if (m_options.userAsked)
        m_options.userAsked(true);
    const auto asked = qScopeGuard([this] {
        if (m_options.userAsked)
            m_options.userAsked(false);
    });
    const QVariantMap started = request(
        QStringLiteral("Start"), {QVariant::fromValue(QDBusObjectPath(m_session)), QString()}, {},
        m_options.userAnswerTimeoutMs);
    if (m_closed)
        throw cannotType(added::typingSessionClosed);
    if (!(started.value(QStringLiteral("devices")).toUInt() & kKeyboard))
        throw cannotType(added::keyboardNotGranted);
    // A token serves once: keep the new one, or none.
    if (m_version >= 2)
        m_settings.Ecrire_chaine_ini(ini::keyboard, ini::portalToken, started.value(QStringLiteral("restore_token")).toString());
    waitUntil([] { return false; }, kFocusReturnMs);
}

PortalKeySink::~PortalKeySink()
{
    // Nothing waits here: the owner may be going away after a failure.
    closeSession();
}

void PortalKeySink::closeSession()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_held != 0 && m_bus.isConnected()) {
        // Left held, the key would repeat in the desktop until the session ends.
        QDBusMessage release = QDBusMessage::createMethodCall(kService, kPath, kRemoteDesktop, kKeyCall);
        release << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariantMap() << int(m_held) << kReleased;
        m_bus.send(release);
        m_held = 0;
    }
    m_bus.send(QDBusMessage::createMethodCall(kService, m_session, kSessionInterface, QStringLiteral("Close")));
}

PortalKeySink::Wait PortalKeySink::waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    muxlink::SteadyClock clock;
    const muxlink::Deadline deadline(clock, timeoutMs);
    while (!done()) {
        if (!m_bus.isConnected())
            return Wait::BusLost;
        const int left = deadline.remainingMs();
        if (left == 0)
            return Wait::TimedOut;
        m_pump.waitForEvents(qMin(left, kBusCheckMs));
    }
    return Wait::Done;
}

// A method call whose reply, or error, is awaited while the window goes on.
QDBusMessage PortalKeySink::call(const QString &interface, const QString &method, const QList<QVariant> &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    message.setArguments(arguments);
    QDBusPendingCallWatcher watcher(m_bus.asyncCall(message, m_options.answerTimeoutMs + kCallGraceMs));
    switch (waitUntil([&watcher] { return watcher.isFinished(); }, m_options.answerTimeoutMs)) {
    case Wait::Done: break;
    case Wait::TimedOut: throw cannotType(added::portalNoAnswer, {method});
    case Wait::BusLost: throw cannotType(added::noSessionBus);
    }
    return watcher.reply();
}

void PortalKeySink::checkVersion()
{
    if (!m_bus.isConnected())
        throw PortalMissing(cannotType(added::noSessionBus));
    // An error (no such service, no such interface) means no portal; silence does not.
    const QDBusMessage reply = call(kProperties, QStringLiteral("GetAll"), {kRemoteDesktop});
    const QVariantMap properties = reply.type() == QDBusMessage::ReplyMessage
        ? qdbus_cast<QVariantMap>(reply.arguments().value(0))
        : QVariantMap();
    bool isNumber = false;
    m_version = properties.value(QStringLiteral("version")).toUInt(&isNumber);
    if (!isNumber || !(properties.value(QStringLiteral("AvailableDeviceTypes")).toUInt() & kKeyboard))
        throw PortalMissing(cannotType(added::portalNoRemoteKeyboard));
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
                                   int answerTimeoutMs)
{
    // The answer comes as a Response signal on a request object: listen there
    // before calling, so an early answer is not missed. Any signature is
    // taken, so a wrong one is reported rather than waited for.
    const QString handleToken = token();
    options.insert(QStringLiteral("handle_token"), handleToken);
    m_requestPath = requestPath(handleToken);
    m_response.reset();
    const auto listen = [this](bool on) {
        if (on)
            m_bus.connect(kService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                          SLOT(onResponse(QDBusMessage)));
        else
            m_bus.disconnect(kService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                             SLOT(onResponse(QDBusMessage)));
    };
    listen(true);
    const auto stopListening = qScopeGuard([&] { listen(false); });

    const QDBusMessage reply = call(kRemoteDesktop, method, arguments + QList<QVariant> {options});
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw cannotType(added::portalError, {method, reply.errorMessage()});
    const QString handle = reply.arguments().value(0).value<QDBusObjectPath>().path();
    if (!handle.isEmpty() && handle != m_requestPath) {
        // A portal older than the handle_token convention.
        listen(false);
        m_requestPath = handle;
        listen(true);
    }

    switch (waitUntil([this] { return m_response.has_value() || m_closed; }, answerTimeoutMs)) {
    case Wait::Done: break;
    case Wait::TimedOut: throw cannotType(added::portalNoAnswer, {method});
    case Wait::BusLost: throw cannotType(added::noSessionBus);
    }
    if (!m_response)
        throw cannotType(added::typingSessionClosed);
    const QList<QVariant> answer = m_response->arguments();
    if (m_response->signature() != QLatin1String("ua{sv}"))
        throw cannotType(added::portalUnreadableAnswer, {method, m_response->signature()});
    switch (answer.value(0).toUInt()) {
    case 0: return qdbus_cast<QVariantMap>(answer.value(1));
    case 1: throw cannotType(added::typingRefused);
    default:
        throw cannotType(added::portalEndedRequest, {method});
    }
}

void PortalKeySink::onResponse(const QDBusMessage &message)
{
    if (message.path() == m_requestPath && !m_response)
        m_response = message;
}

void PortalKeySink::onClosed()
{
    m_closed = true;
    fail(cannotType(added::typingSessionClosed));
}

void PortalKeySink::checkOpen() const
{
    if (m_failure)
        throw *m_failure;
    if (m_closed)
        throw cannotType(added::typingSessionClosed);
}

void PortalKeySink::press(Key key)
{
    checkOpen();
    const unsigned sym = keysym(key, m_decimalSign);
    m_queue.append({sym, kPressed});
    m_queue.append({sym, kReleased});
    sendNextKey();
    if (m_openValues == 0)
        waitForKeys();
}

void PortalKeySink::beginValue()
{
    ++m_openValues;
}

void PortalKeySink::endValue()
{
    if (m_openValues > 0 && --m_openValues == 0)
        waitForKeys();
}

void PortalKeySink::sendNextKey()
{
    if (m_inFlight || m_queue.isEmpty() || m_failure || m_closed)
        return;
    m_inFlightEvent = m_queue.takeFirst();
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kRemoteDesktop, kKeyCall);
    message << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariantMap() << int(m_inFlightEvent.keysym)
            << m_inFlightEvent.state;
    m_inFlight = new QDBusPendingCallWatcher(m_bus.asyncCall(message, m_options.answerTimeoutMs + kCallGraceMs),
                                             this);
    connect(m_inFlight, &QDBusPendingCallWatcher::finished, this, &PortalKeySink::onKeyReply);
}

void PortalKeySink::onKeyReply(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    if (watcher != m_inFlight)
        return; // given up on already
    m_inFlight = nullptr;
    if (watcher->isError()) {
        const QDBusError error = watcher->error();
        // A session the desktop closed may refuse keys before its signal arrives.
        if (m_closed || error.type() == QDBusError::Disconnected)
            fail(cannotType(added::typingSessionClosed));
        else
            fail(cannotType(added::portalError, {kKeyCall, error.message()}));
        return;
    }
    m_held = m_inFlightEvent.state == kPressed ? m_inFlightEvent.keysym : 0;
    ++m_repliesTaken;
    sendNextKey();
}

// The keys not yet sent are dropped: typed after a gap, they would land in
// the wrong place. A key held down is let go.
void PortalKeySink::fail(CannotType failure)
{
    if (!m_failure)
        m_failure.emplace(std::move(failure));
    m_queue.clear();
    if (m_inFlight && m_inFlightEvent.state == kPressed)
        m_held = m_inFlightEvent.keysym;
    m_inFlight = nullptr;
    closeSession();
}

// The desktop has taken every key given so far; each reply restarts the
// time the portal has for the next one.
void PortalKeySink::waitForKeys()
{
    while (!m_failure && (m_inFlight || !m_queue.isEmpty())) {
        const quint64 taken = m_repliesTaken;
        const bool stopping = m_stopping;
        const auto progressed = [&] {
            return m_failure || m_repliesTaken != taken || m_stopping != stopping
                || (!m_inFlight && m_queue.isEmpty());
        };
        switch (waitUntil(progressed, stopping ? kStopGraceMs : m_options.answerTimeoutMs)) {
        case Wait::Done: break;
        case Wait::TimedOut: fail(cannotType(added::portalNoAnswer, {kKeyCall})); break;
        case Wait::BusLost: fail(cannotType(added::typingSessionClosed)); break;
        }
    }
    checkOpen();
}

} // namespace acquisition
