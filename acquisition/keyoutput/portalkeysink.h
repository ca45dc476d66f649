#pragma once

#include "acquisition/keysink.h"
#include "common/settingsfile.h"
#include "link/eventpump.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class QDBusPendingCallWatcher;

namespace acquisition {

// The portal is not there at all (as opposed to refusing): the automatic
// choice then names both ways it tried.
class PortalMissing : public CannotType {
public:
    explicit PortalMissing(CannotType reason) : CannotType(std::move(reason)) {}
};

// How long the portal and the user may take, and who must know about the
// user being asked.
struct PortalKeySinkOptions {
    // How long the portal may take over any one call, or a request's answer.
    int answerTimeoutMs = 5000;
    // How long the user may take over the permission dialog.
    int userAnswerTimeoutMs = 300000;
    // Told true while the desktop's permission dialog may be up, then false.
    std::function<void(bool)> userAsked;
};

// Types through the desktop portal's remote desktop interface (GNOME, KDE
// Plasma): a keyboard-only session that the desktop asks the user to allow,
// once when it keeps the permission, its restore token kept in quorix.ini.
//
// Keys go as keysyms of the main keyboard (digits, minus, plus, the locale's
// decimal sign) and the arrows, never keypad keys: the desktop turns a keysym
// into a key of the user's layout, and a keypad key there would type a digit
// or move the cursor depending on a Num Lock the program cannot see.
//
// One key call is in flight at a time, the next one sent as the previous
// reply arrives: a portal may hand calls that are in flight together to the
// desktop in any order, which swaps digits and lets a release overtake its
// press.
//
// Every wait for the portal serves the window's events (the constructor
// while the desktop asks the user, press() outside a value, endValue()), so a
// caller must expect its own timers and buttons to run inside these calls,
// and may call press() again from there: such keys queue behind the ones
// already given and go out in order. Inside a value, press() only queues;
// endValue() returns once the desktop has taken every key, or throws.
class PortalKeySink : public QObject, public KeySink {
    Q_OBJECT
public:
    using Options = PortalKeySinkOptions;

    // Runs the portal's conversation. Throws PortalMissing when no portal
    // offers remote keyboards, common::UserError when the user refuses, the
    // portal fails or does not answer.
    PortalKeySink(common::SettingsFile settings, const QString &decimalSign,
                  QDBusConnection bus = QDBusConnection::sessionBus(), Options options = {});
    ~PortalKeySink() override;

    // The keysym sent for a key, with this decimal sign.
    static unsigned keysym(Key key, QChar decimalSign);

    void prepare() override { m_stopping = false; }
    void press(Key key) override;
    void beginValue() override;
    void endValue() override;
    void stopWaiting() override { m_stopping = true; }

private slots:
    void onResponse(const QDBusMessage &message);
    void onClosed();

private:
    struct KeyEvent {
        unsigned keysym;
        uint state;
    };
    enum class Wait { Done, TimedOut, BusLost };

    void start();
    void closeSession();
    QDBusMessage call(const QString &interface, const QString &method, const QList<QVariant> &arguments);
    QVariantMap request(const QString &method, const QList<QVariant> &arguments, QVariantMap options,
                        int answerTimeoutMs);
    QString requestPath(const QString &token) const;
    void checkVersion();
    Wait waitUntil(const std::function<bool()> &done, int timeoutMs);

    void sendNextKey();
    void onKeyReply(QDBusPendingCallWatcher *watcher);
    void fail(CannotType failure);
    void waitForKeys();
    void checkOpen() const;

    common::SettingsFile m_settings;
    QChar m_decimalSign;
    QDBusConnection m_bus;
    Options m_options;
    muxlink::QtEventPump m_pump;
    uint m_version = 0;
    QString m_session;
    bool m_closed = false;
    bool m_stopping = false;
    int m_openValues = 0;

    // The keys not yet sent, the one in flight, and the keysym the desktop
    // holds down (its press taken, its release not yet).
    QList<KeyEvent> m_queue;
    QDBusPendingCallWatcher *m_inFlight = nullptr;
    KeyEvent m_inFlightEvent {};
    unsigned m_held = 0;
    quint64 m_repliesTaken = 0;
    std::optional<CannotType> m_failure;

    // The request whose Response is awaited.
    QString m_requestPath;
    std::optional<QDBusMessage> m_response;
};

} // namespace acquisition
