// Which way of typing a session gets, the quorix.ini setting that forces one,
// and the key output that opens it at the first "Lecture".
#include "acquisition/addedmessages.h"
#include "acquisition/keyoutput/keyoutput.h"
#include "acquisition/keyoutput/portalkeysink.h"
#include "tests/support/datacolumns.h"
#include "tests/support/files.h"
#include "tests/support/recordingkeysink.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <utility>

using namespace acquisition;

namespace {

const QString kPrefix = QStringLiteral("Impossible de taper les valeurs au clavier : ");

// Openers that say which one was used; each can be made to fail.
struct Openers {
    QStringList opened;
    bool offered = true;
    bool compositorUnreachable = false;
    QString x11Fails, keyboardFails, portalFails;
    bool portalMissing = false;
    QList<RecordingKeySink *> sinks;

    std::unique_ptr<KeySink> make(const QString &name, const QString &failure)
    {
        opened << name;
        if (!failure.isEmpty())
            throw common::UserError(failure);
        auto sink = std::make_unique<RecordingKeySink>();
        sinks << sink.get();
        return sink;
    }
    KeySinkOpeners openers()
    {
        KeySinkOpeners o;
        o.x11 = [this] { return make("x11", x11Fails); };
        o.virtualKeyboardOffered = [this] {
            if (compositorUnreachable)
                throw cannotType(added::waylandDisplayUnreachable, {"wayland-9"});
            return offered;
        };
        o.virtualKeyboard = [this] { return make("wayland", keyboardFails); };
        o.portal = [this]() -> std::unique_ptr<KeySink> {
            if (portalMissing) {
                opened << "portal";
                throw PortalMissing(cannotType(added::noSessionBus));
            }
            return make("portal", portalFails);
        };
        return o;
    }
};

} // namespace

class TestKeyOutput : public QObject {
    Q_OBJECT
private slots:
    void choice_data()
    {
        testsupport::columns<QString, bool, bool, bool, QString>("setting", "wayland", "x11", "offered", "opened");
        QTest::newRow("X11 session") << "" << false << true << true << "x11";
        QTest::newRow("Wayland with XWayland, virtual keyboard") << "auto" << true << true << true << "wayland";
        QTest::newRow("Wayland without virtual keyboard") << " Auto " << true << true << false << "portal";
        QTest::newRow("forced x11 on Wayland") << "X11" << true << true << true << "x11";
        QTest::newRow("forced portal where a keyboard is offered") << "portail" << true << false << true
                                                                   << "portal";
        QTest::newRow("forced virtual keyboard on X11") << "wayland" << false << true << false << "wayland";
    }
    void choice()
    {
        QFETCH(QString, setting);
        QFETCH(bool, wayland);
        QFETCH(bool, x11);
        QFETCH(bool, offered);
        QFETCH(QString, opened);
        Openers openers;
        openers.offered = offered;
        const auto kind = parseKeyOutputKind(setting);
        QVERIFY(kind);
        openKeySink(*kind, {wayland, x11}, openers.openers());
        QCOMPARE(openers.opened, QStringList {opened});
    }

    void noWayToTypeIsNamed()
    {
        Openers openers;
        openers.offered = false;
        openers.portalMissing = true;
        try {
            openKeySink(KeyOutputKind::Automatic, {true, true}, openers.openers());
            QFAIL("a sink without a way to type");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), kPrefix + "le compositeur Wayland n'offre pas de clavier virtuel "
                                         "(zwp_virtual_keyboard_manager_v1) et le portail du bureau "
                                         "(org.freedesktop.portal.RemoteDesktop) est absent");
        }
        // XTest is never tried on a Wayland session: its keys reach no native window.
        QCOMPARE(openers.opened, QStringList {"portal"});
        // A WAYLAND_DISPLAY left over: XTest when an X display is set, else the compositor's fault.
        openers.opened.clear();
        openers.compositorUnreachable = true;
        openKeySink(KeyOutputKind::Automatic, {true, true}, openers.openers());
        QCOMPARE(openers.opened, QStringList {"x11"});
        try {
            openKeySink(KeyOutputKind::Automatic, {true, false}, openers.openers());
            QFAIL("a sink from an unreachable compositor");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), kPrefix + "affichage Wayland « wayland-9 » inaccessible");
        }
        openers.compositorUnreachable = false;
        try {
            openKeySink(KeyOutputKind::Automatic, {false, false}, openers.openers());
            QFAIL("a sink without a desktop");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), kPrefix + "aucun bureau graphique (ni WAYLAND_DISPLAY ni DISPLAY)");
        }
        // A refusal is said as the portal says it.
        openers.portalMissing = false;
        openers.portalFails = QStringLiteral("refusé");
        QVERIFY_THROWS_EXCEPTION(common::UserError,
                                 openKeySink(KeyOutputKind::Automatic, {true, true}, openers.openers()));
    }

    // Opened at the first prepare and kept; a failure while typing drops it
    // so the next run opens a new one; a bad setting types nothing.
    void sessionSinkOpensOnceAndAgainAfterAFailure()
    {
        QTemporaryDir folder;
        common::SettingsFile settings(QStringLiteral("quorix.ini"), folder.path());
        Openers openers;
        SessionKeySink keys(settings, openers.openers(), {false, true});
        QVERIFY(openers.opened.isEmpty());
        keys.prepare();
        keys.prepare();
        keys.beginValue();
        keys.press(Key::Numpad1);
        keys.endValue();
        QCOMPARE(openers.opened, QStringList {"x11"});
        QCOMPARE(openers.sinks.at(0)->keys(), QList<Key> {Key::Numpad1});
        QCOMPARE(openers.sinks.at(0)->valuesBegun(), 1);

        // The setting is read at each opening.
        testsupport::writeBytes(settings.path(), "[CLAVIER]\r\nSortie=clavier\r\n");
        SessionKeySink other(settings, openers.openers(), {false, true});
        try {
            other.press(Key::Up);
            QFAIL("typed with an unknown setting");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), kPrefix + "la clé Sortie de la section [CLAVIER] de " + settings.path()
                                   + " vaut « clavier » (valeurs possibles : auto, x11, wayland, portail)");
        }
        QCOMPARE(openers.opened, QStringList {"x11"});
    }

    // X11 keys chosen in a Wayland session reach XWayland windows only: said
    // once a run, at the first opening; never in an X11 session.
    void x11KeysOnWaylandSaidOnce()
    {
        QTemporaryDir folder;
        common::SettingsFile settings(QStringLiteral("quorix.ini"), folder.path());
        testsupport::writeBytes(settings.path(), "[CLAVIER]\r\nSortie=x11\r\n");
        Openers openers;
        openers.x11Fails = QStringLiteral("pas de serveur X");
        QList<const common::AddedText *> notices;
        SessionKeySink keys(settings, openers.openers(), {true, true});
        keys.setNoticeHook([&](const common::AddedText &text) { notices << &text; });
        QVERIFY_THROWS_EXCEPTION(common::UserError, keys.prepare());
        QVERIFY(notices.isEmpty());
        openers.x11Fails.clear();
        keys.prepare();
        QCOMPARE(notices, QList<const common::AddedText *> {&added::x11KeysOnWayland});
        SessionKeySink x11Session(settings, openers.openers(), {false, true});
        x11Session.setNoticeHook([&](const common::AddedText &text) { notices << &text; });
        x11Session.prepare();
        QCOMPARE(notices.size(), 1);
    }

    // A key given while the sink serves events (a timer during a wait) fails
    // first: the sink outlives the outer call it is still inside, then goes.
    void nestedFailureKeepsTheSinkUntilTheOuterCallEnds()
    {
        struct Reentrant : RecordingKeySink {
            std::function<void()> during;
            bool *destroyed = nullptr;
            ~Reentrant() override { *destroyed = true; }
            void press(Key key) override
            {
                if (key == Key::Down)
                    throw common::UserError("perdu");
                if (during)
                    std::exchange(during, {})();
                RecordingKeySink::press(key);
            }
        };
        QTemporaryDir folder;
        bool destroyed = false;
        bool aliveAfterNestedFailure = false;
        int made = 0;
        SessionKeySink *keys = nullptr;
        KeySinkOpeners o = Openers().openers();
        o.x11 = [&]() -> std::unique_ptr<KeySink> {
            ++made;
            auto sink = std::make_unique<Reentrant>();
            sink->destroyed = &destroyed;
            sink->during = [&] {
                QVERIFY_THROWS_EXCEPTION(common::UserError, keys->press(Key::Down));
                aliveAfterNestedFailure = !destroyed;
            };
            return sink;
        };
        SessionKeySink session(common::SettingsFile(QStringLiteral("quorix.ini"), folder.path()), o, {false, true});
        keys = &session;
        session.press(Key::Up);
        QVERIFY(aliveAfterNestedFailure);
        QVERIFY(destroyed);
        session.press(Key::Up);
        QCOMPARE(made, 2);
    }

    void failureWhileTypingReopens()
    {
        QTemporaryDir folder;
        Openers openers;
        struct Failing : RecordingKeySink {
            void press(Key) override { throw common::UserError("perdu"); }
        };
        KeySinkOpeners o = openers.openers();
        int made = 0;
        o.x11 = [&]() -> std::unique_ptr<KeySink> {
            ++made;
            if (made == 1)
                return std::make_unique<Failing>();
            return std::make_unique<RecordingKeySink>();
        };
        SessionKeySink keys(common::SettingsFile(QStringLiteral("quorix.ini"), folder.path()), o, {false, true});
        QVERIFY_THROWS_EXCEPTION(common::UserError, keys.press(Key::Up));
        keys.endValue(); // nothing open: nothing to end
        keys.press(Key::Up);
        QCOMPARE(made, 2);
    }
};

QTEST_GUILESS_MAIN(TestKeyOutput)
#include "tst_keyoutput.moc"
