// The portal key sink's whole conversation with a stand-in portal on a
// private bus: the calls and their options, the keysyms in order against a
// portal that reorders what it holds, the restore token in quorix.ini, and
// the messages for a refusal, a closed session, a silent or late portal,
// answers of the wrong form, a lost bus and no portal.
#include "acquisition/keyoutput/portalkeysink.h"
#include "acquisition/valuekeys.h"
#include "tests/support/datacolumns.h"
#include "tests/support/desktop/portalstandin.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace acquisition;
using testsupport::PortalStandIn;
using testsupport::PrivateBus;

namespace {

const QString kPrefix = QStringLiteral("Impossible de taper les valeurs au clavier : ");

} // namespace

class TestPortal : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/setup installs it)");
    }

    void init()
    {
        m_bus = std::make_unique<PrivateBus>();
        QVERIFY(m_bus->start());
        m_connection = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_bus->address, QStringLiteral("quorix%1").arg(++m_connections)));
        QVERIFY(m_connection->isConnected());
        m_settings = std::make_unique<common::SettingsFile>(QStringLiteral("quorix.ini"), m_folder.path());
        QFile::remove(m_settings->path());
    }
    void cleanup()
    {
        m_connection.reset();
        m_bus.reset();
    }

    void keysyms()
    {
        QCOMPARE(PortalKeySink::keysym(Key::Numpad0, u'.'), 0x30u);
        QCOMPARE(PortalKeySink::keysym(Key::Numpad9, u'.'), 0x39u);
        QCOMPARE(PortalKeySink::keysym(Key::Decimal, u'.'), 0x2Eu);
        QCOMPARE(PortalKeySink::keysym(Key::Decimal, u','), 0x2Cu);
        QCOMPARE(PortalKeySink::keysym(Key::Decimal, QChar(0x066B)), 0x0100066Bu);
        QCOMPARE(PortalKeySink::keysym(Key::Subtract, u'.'), 0x2Du);
        QCOMPARE(PortalKeySink::keysym(Key::Add, u'.'), 0x2Bu);
        QCOMPARE(PortalKeySink::keysym(Key::Up, u'.'), 0xFF52u);
        QCOMPARE(PortalKeySink::keysym(Key::Right, u'.'), 0xFF53u);
        QCOMPARE(PortalKeySink::keysym(Key::Down, u'.'), 0xFF54u);
        QCOMPARE(PortalKeySink::keysym(Key::Left, u'.'), 0xFF51u);
        for (int digit = 0; digit < 10; ++digit)
            QCOMPARE(PortalKeySink::keysym(Key(int(Key::Numpad0) + digit), u'.'), 0x30u + digit);
    }

    // Session, keyboard only, kept until revoked, restored with the stored
    // token; the new token replaces it; the keys; the session closed at the end.
    void wholeConversation()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address));
        m_settings->Ecrire_chaine_ini(QStringLiteral("CLAVIER"), QStringLiteral("JetonPortail"),
                                      QStringLiteral("token-1"));
        {
            PortalKeySink keys(*m_settings, QStringLiteral(","), *m_connection);
            QCOMPARE(m_settings->Lire_chaine_ini(QStringLiteral("CLAVIER"), QStringLiteral("JetonPortail")),
                     QStringLiteral("token-2"));
            typeValue(keys, QStringLiteral("-1.5"));
            keys.press(Key::Right);
            keys.press(Key::Up);
        }
        QCOMPARE(portal.calls(QStringLiteral("Close")),
                 QStringList({"CreateSession options=handle_token,session_handle_token",
                              "SelectDevices session types=1 persist_mode=2 restore_token=token-1",
                              "Start session parent=",
                              "key session 2d 1", "key session 2d 0", "key session 31 1", "key session 31 0",
                              "key session 2c 1", "key session 2c 0", "key session 35 1", "key session 35 0",
                              "key session ff53 1", "key session ff53 0", "key session ff52 1", "key session ff52 0",
                              "Close"}));
    }

    // A portal of the first version knows no persistence: nothing asked,
    // no token kept.
    void firstVersionPortal()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, {"--version", "1"}));
        { PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection); }
        QCOMPARE(portal.calls(QStringLiteral("Close")),
                 QStringList({"CreateSession options=handle_token,session_handle_token", "SelectDevices session types=1",
                              "Start session parent=", "Close"}));
        QVERIFY(!QFile::exists(m_settings->path()));
    }

    void refusal()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, {"--refuse"}));
        m_settings->Ecrire_chaine_ini(QStringLiteral("CLAVIER"), QStringLiteral("JetonPortail"),
                                      QStringLiteral("token-1"));
        try {
            PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection);
            QFAIL("typing was allowed");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), kPrefix + "la permission de taper au clavier a été refusée");
        }
        // The refused session is closed, not left behind.
        QCOMPARE(portal.calls(QStringLiteral("Close")).mid(2),
                 QStringList({"Start session parent=", "Close"}));
        QCOMPARE(m_settings->Lire_chaine_ini(QStringLiteral("CLAVIER"), QStringLiteral("JetonPortail")),
                 QStringLiteral("token-1"));
    }

    // The desktop closes the session after three key events: the value in
    // progress fails with the message, and no further key goes out.
    void closedSession()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, {"--close-after", "3", "--hold", "2"}));
        PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection);
        try {
            typeValue(keys, QStringLiteral("123"));
            QFAIL("keys went to a closed session");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), kPrefix + "le bureau a fermé la session de saisie de Quorix");
        }
        QVERIFY_THROWS_EXCEPTION(common::UserError, keys.press(Key::Up));
        QCOMPARE(portal.calls(QStringLiteral("Closed")).filter(QStringLiteral("key")).size(), 3);
    }

    void noPortal_data()
    {
        testsupport::columns<QStringList>("portalOptions");
        QTest::newRow("no portal on the bus") << QStringList();
        QTest::newRow("a portal without remote keyboards") << QStringList {"--devices", "2"};
    }
    void noPortal()
    {
        QFETCH(QStringList, portalOptions);
        PortalStandIn portal;
        if (!portalOptions.isEmpty())
            QVERIFY(portal.start(m_bus->address, portalOptions));
        try {
            PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection);
            QFAIL("a sink without a portal");
        } catch (const PortalMissing &e) {
            QCOMPARE(e.text(), kPrefix + "le portail du bureau (org.freedesktop.portal.RemoteDesktop) "
                                         "n'offre pas de clavier à distance");
        }
    }

    // The portal holds the key calls it gets and answers them last first:
    // values with signs and decimals, moves both ways, and a key given from
    // a timer while the sink waits, all reach the desktop in order, each
    // press before its release, none doubled.
    void keysInOrderWhateverThePortalsScheduling()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, {"--hold", "3", "--max-in-flight", "1"}));
        {
            PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection);
            typeValue(keys, QStringLiteral("-12.345"));
            keys.press(Key::Left);
            keys.press(Key::Left);
            keys.press(Key::Down);
            bool given = false;
            QTimer::singleShot(0, [&] {
                keys.press(Key::Up);
                given = true;
            });
            typeValue(keys, QStringLiteral("+3.250"));
            QVERIFY(given);
        }
        const QStringList calls = portal.calls(QStringLiteral("Close"));
        QCOMPARE(calls.filter(QStringLiteral("FAIL")), QStringList());
        QStringList typed;
        for (const QString &line : calls.filter(QStringLiteral("key session"))) {
            if (line.endsWith(QLatin1String(" 1")))
                typed << line.section(u' ', 2, 2);
        }
        QCOMPARE(typed.join(u' '), QStringLiteral("2d 31 32 2e 33 34 35 ff51 ff51 ff54 2b 33 2e 32 35 30 ff52"));
        QCOMPARE(calls.filter(QStringLiteral("key session")).size(), 2 * typed.size());
    }

    // The stand-in catches the fault it is there for: calls sent together
    // without waiting reach its desktop out of order.
    void standInCatchesCallsInFlightTogether()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, {"--hold", "50"}));
        const auto key = [&](int keysym, uint state) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                "org.freedesktop.portal.RemoteDesktop", "NotifyKeyboardKeysym");
            call << QVariant::fromValue(QDBusObjectPath("/s")) << QVariantMap() << keysym << state;
            return m_connection->asyncCall(call);
        };
        QDBusPendingCall press = key(0x31, 1);
        QDBusPendingCall release = key(0x31, 0);
        press.waitForFinished();
        release.waitForFinished();
        // Answered last first, the press arrives last.
        const QStringList failures = portal.calls(QStringLiteral("key other:/s 31 1")).filter(QStringLiteral("FAIL"));
        QCOMPARE(failures, QStringList({"FAIL 2 key calls in flight", "FAIL release of 31 while it is not down"}));
    }

    // A portal that never answers, or too late, is named for what it did,
    // while the window's events go on being served.
    void silentOrLatePortal_data()
    {
        testsupport::columns<QStringList, QString>("portalOptions", "expected");
        QTest::newRow("no answer to CreateSession")
            << QStringList {"--silent", "CreateSession"} << "le portail du bureau n'a pas répondu (CreateSession)";
        QTest::newRow("SelectDevices answered late")
            << QStringList {"--late", "SelectDevices:3000"} << "le portail du bureau n'a pas répondu (SelectDevices)";
        QTest::newRow("Start answered with the wrong types")
            << QStringList {"--wrong-types", "Start"}
            << "le portail du bureau a répondu à Start dans une forme inattendue (sa{sv})";
    }
    void silentOrLatePortal()
    {
        QFETCH(QStringList, portalOptions);
        QFETCH(QString, expected);
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, portalOptions));
        bool served = false;
        QTimer::singleShot(10, [&] { served = true; });
        try {
            PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection, quickOptions());
            QFAIL("a sink from a portal that did not answer");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), kPrefix + expected);
        }
        QVERIFY(served);
    }

    // A late answer within the time allowed is taken.
    void lateAnswerInTime()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, {"--late", "CreateSession:200"}));
        PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection, answeringWithin(2000));
        typeValue(keys, QStringLiteral("7"));
        QCOMPARE(portal.calls(QStringLiteral("key session 37 0")).filter(QStringLiteral("key")),
                 QStringList({"key session 37 1", "key session 37 0"}));
    }

    // A key call the portal never answers fails the value with its own
    // message; the key it took is let go, the rest is dropped.
    void keyCallNeverAnswered()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, {"--silent", "NotifyKeyboardKeysym"}));
        PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection, quickOptions());
        bool served = false;
        QTimer::singleShot(10, [&] { served = true; });
        try {
            typeValue(keys, QStringLiteral("12"));
            QFAIL("a value typed into a silent portal");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), kPrefix + "le portail du bureau n'a pas répondu (NotifyKeyboardKeysym)");
        }
        QVERIFY(served);
        QVERIFY_THROWS_EXCEPTION(common::UserError, keys.press(Key::Up));
        QCOMPARE(portal.calls(QStringLiteral("Close")),
                 QStringList({"CreateSession options=handle_token,session_handle_token",
                              "SelectDevices session types=1 persist_mode=2", "Start session parent=",
                              "key session 31 1", "key session 31 0", "Close"}));
    }

    // "Stop" while a key call is never answered: the wait gives up after a
    // moment, long before the portal's own time is up, naming the portal.
    void stopCutsAnUnansweredWaitShort()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, {"--silent", "NotifyKeyboardKeysym"}));
        PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection, answeringWithin(60000));
        QTimer::singleShot(100, [&] { keys.stopWaiting(); });
        QElapsedTimer elapsed;
        elapsed.start();
        try {
            typeValue(keys, QStringLiteral("12"));
            QFAIL("a value typed into a silent portal");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), kPrefix + "le portail du bureau n'a pas répondu (NotifyKeyboardKeysym)");
        }
        QVERIFY(elapsed.elapsed() < 30000);
    }

    // After "Stop" a portal that answers still gets the value in hand out
    // whole; the next run gives a slow portal its usual time again.
    void stopKeepsAnAnsweringPortal()
    {
        {
            PortalStandIn portal;
            QVERIFY(portal.start(m_bus->address, {"--hold", "20"}));
            PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection, quickOptions());
            keys.stopWaiting();
            typeValue(keys, QStringLiteral("-1.5"));
            QCOMPARE(portal.calls(QStringLiteral("key session 35 0")).filter(QStringLiteral("key")).size(), 8);
        }
        PortalStandIn slow;
        QVERIFY(slow.start(m_bus->address, {"--hold", "300"}));
        PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection, quickOptions());
        keys.stopWaiting();
        keys.prepare();
        typeValue(keys, QStringLiteral("7"));
        QCOMPARE(slow.calls(QStringLiteral("key session 37 0")).filter(QStringLiteral("key")),
                 QStringList({"key session 37 1", "key session 37 0"}));
    }

    // The bus goes away while a key call is held: the value fails with the
    // session gone, and so does the next one, at once.
    void busGoneMidRun()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address, {"--hold", "200"}));
        PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection, answeringWithin(3000));
        QTimer::singleShot(50, [&] { m_bus->stop(); });
        for (const QString &value : {QStringLiteral("12"), QStringLiteral("3")}) {
            try {
                typeValue(keys, value);
                QFAIL("a value typed on a bus that went away");
            } catch (const common::UserError &e) {
                QCOMPARE(e.text(), kPrefix + "le bureau a fermé la session de saisie de Quorix");
            }
        }
    }

    // The window is told while the desktop may be asking the user, and only then.
    void userAskedAroundStart()
    {
        PortalStandIn portal;
        QVERIFY(portal.start(m_bus->address));
        QStringList seen;
        PortalKeySink::Options options;
        options.userAsked = [&](bool asking) {
            seen << QStringLiteral("%1 after %2").arg(asking).arg(portal.calls().last());
        };
        PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection, options);
        QCOMPARE(seen, QStringList({"1 after SelectDevices session types=1 persist_mode=2",
                                    "0 after Start session parent="}));
    }

private:
    // The portal's and the user's time, both.
    static PortalKeySink::Options answeringWithin(int ms)
    {
        PortalKeySink::Options options;
        options.answerTimeoutMs = ms;
        options.userAnswerTimeoutMs = ms;
        return options;
    }
    static PortalKeySink::Options quickOptions() { return answeringWithin(1000); }

    QTemporaryDir m_folder;
    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<QDBusConnection> m_connection;
    std::unique_ptr<common::SettingsFile> m_settings;
    int m_connections = 0;
};

QTEST_GUILESS_MAIN(TestPortal)
#include "tst_portalkeysink.moc"
