#pragma once

#include "acquisition/keysink.h"
#include "common/settingsfile.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QList>
#include <QObject>
#include <QVariantMap>

namespace acquisition {

// Types through the desktop portal's remote desktop interface (GNOME, KDE
// Plasma): a keyboard-only session that the desktop asks the user to allow,
// once when it keeps the permission, its restore token kept in quorix.ini.
//
// Keys go as keysyms of the main keyboard (digits, minus, plus, the locale's
// decimal sign) and the arrows, never keypad keys: the desktop turns a keysym
// into a key of the user's layout, and a keypad key there would type a digit
// or move the cursor depending on a Num Lock the program cannot see.
class PortalKeySink : public QObject, public KeySink {
    Q_OBJECT
public:
    // Runs the portal's conversation, waiting for the user's answer while the
    // window goes on serving its events. Throws PortalMissing when no portal
    // offers remote keyboards, common::UserError when the user refuses or
    // the desktop ends the session.
    PortalKeySink(common::SettingsFile settings, const QString &decimalSign,
                  QDBusConnection bus = QDBusConnection::sessionBus(), int userAnswerTimeoutMs = 300000);
    ~PortalKeySink() override;

    // The keysym sent for a key, with this decimal sign.
    static unsigned keysym(Key key, QChar decimalSign);

    void press(Key key) override;
    void beginValue() override;
    void endValue() override;

signals:
    void answered();

private slots:
    void onResponse(uint response, const QVariantMap &results);
    void onClosed();

private:
    void start();
    void closeSession();
    QVariantMap request(const QString &method, const QList<QVariant> &arguments, QVariantMap options,
                        int timeoutMs);
    QString requestPath(const QString &token) const;
    void checkVersion();
    void waitForReplies();
    void checkOpen() const;

    common::SettingsFile m_settings;
    QChar m_decimalSign;
    QDBusConnection m_bus;
    int m_userAnswerTimeoutMs;
    uint m_version = 0;
    QString m_session;
    bool m_closed = false;
    int m_openValues = 0;
    QList<QDBusPendingCall> m_pending;
    // The Response being waited for.
    bool m_answered = false;
    uint m_response = 0;
    QVariantMap m_results;
};

} // namespace acquisition
