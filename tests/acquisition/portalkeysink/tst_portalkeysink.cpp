// The portal key sink's whole conversation with a stand-in portal on a
// private bus: the calls and their options, the keysyms, the restore token in
// quorix.ini, and the messages for a refusal, a closed session and no portal.
#include "acquisition/keyoutput.h"
#include "acquisition/portalkeysink.h"
#include "acquisition/valuekeys.h"
#include "tests/support/datacolumns.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

using namespace acquisition;

namespace {

const QString kPrefix = QStringLiteral("Impossible de taper les valeurs au clavier : ");

void dieWithTest(QProcess &process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

// A bus daemon of the test's own, with no service that could start by itself.
class PrivateBus {
public:
    bool start()
    {
        const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                   " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>session</type><listen>unix:dir="
                   + m_dir.path().toUtf8()
                   + "</listen><auth>EXTERNAL</auth>"
                     "<policy context=\"default\"><allow send_destination=\"*\"/>"
                     "<allow receive_sender=\"*\"/><allow own=\"*\"/>"
                     "</policy></busconfig>\n");
        file.close();
        dieWithTest(m_daemon);
        m_daemon.setStandardErrorFile(QProcess::nullDevice());
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForReadyRead(5000))
            return false;
        address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        return !address.isEmpty();
    }
    ~PrivateBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished(2000);
    }
    QString address;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
};

// The stand-in portal, and the calls it reports.
class FakePortal {
public:
    bool start(const QString &bus, const QStringList &options = {})
    {
        dieWithTest(m_process);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/fakeportal"),
                        QStringList {QStringLiteral("--bus"), bus} + options);
        return waitFor(QStringLiteral("ready"));
    }
    ~FakePortal()
    {
        m_process.terminate();
        m_process.waitForFinished(2000);
    }
    // Every line after "ready", once `last` has come (or after 5 s).
    QStringList calls(const QString &last = {})
    {
        if (!last.isEmpty())
            waitFor(last);
        read();
        return m_lines.mid(1);
    }

private:
    bool waitFor(const QString &line)
    {
        const QDeadlineTimer deadline(5000);
        read();
        while (!m_lines.contains(line)) {
            if (!m_process.waitForReadyRead(int(deadline.remainingTime())))
                return false;
            read();
        }
        return true;
    }
    void read()
    {
        while (m_process.canReadLine())
            m_lines << QString::fromUtf8(m_process.readLine()).trimmed();
    }
    QProcess m_process;
    QStringList m_lines;
};

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
    }

    // Session, keyboard only, kept until revoked, restored with the stored
    // token; the new token replaces it; the keys; the session closed at the end.
    void wholeConversation()
    {
        FakePortal portal;
        QVERIFY(portal.start(m_bus->address));
        m_settings->Ecrire_chaine_ini(QStringLiteral("CLAVIER"), QStringLiteral("JetonPortail"),
                                      QStringLiteral("token-1"));
        {
            PortalKeySink keys(*m_settings, QStringLiteral(","), *m_connection);
            QCOMPARE(m_settings->Lire_chaine_ini(QStringLiteral("CLAVIER"), QStringLiteral("JetonPortail")),
                     QStringLiteral("token-2"));
            typeValue(keys, QStringLiteral("-1.5"));
            moveBy(keys, 1, -1);
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
        FakePortal portal;
        QVERIFY(portal.start(m_bus->address, {"--version", "1"}));
        { PortalKeySink keys(*m_settings, QStringLiteral("."), *m_connection); }
        QCOMPARE(portal.calls(QStringLiteral("Close")),
                 QStringList({"CreateSession options=handle_token,session_handle_token", "SelectDevices session types=1",
                              "Start session parent=", "Close"}));
        QVERIFY(!QFile::exists(m_settings->path()));
    }

    void refusal()
    {
        FakePortal portal;
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
        FakePortal portal;
        QVERIFY(portal.start(m_bus->address, {"--close-after", "3"}));
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
        FakePortal portal;
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

private:
    QTemporaryDir m_folder;
    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<QDBusConnection> m_connection;
    std::unique_ptr<common::SettingsFile> m_settings;
    int m_connections = 0;
};

QTEST_GUILESS_MAIN(TestPortal)
#include "tst_portalkeysink.moc"
