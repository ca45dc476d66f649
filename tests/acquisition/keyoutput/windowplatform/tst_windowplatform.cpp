// Where Quorix's window goes at start-up, from the displays set and the ones
// that can really be reached.
#include "acquisition/keyoutput/windowplatform.h"
#include "tests/support/datacolumns.h"

#include <QTest>

using namespace acquisition;

class TestWindowPlatform : public QObject {
    Q_OBJECT
private slots:
    void choice_data()
    {
        testsupport::columns<QString, QString, bool, bool, bool, QByteArray, bool, bool>(
            "wayland", "x11", "forced", "x11Connects", "waylandConnects", "platform", "onXWayland", "unreachable");
        QTest::newRow("X11 session") << "" << ":0" << false << true << false << QByteArray() << false << false;
        QTest::newRow("Wayland without X") << "wayland-0" << "" << false << false << true << QByteArray() << false
                                           << false;
        QTest::newRow("Wayland with XWayland") << "wayland-0" << ":0" << false << true << true << QByteArray("xcb")
                                               << true << false;
        QTest::newRow("X display set but unreachable")
            << "wayland-0" << ":7" << false << false << true << QByteArray("wayland") << false << true;
        QTest::newRow("neither reachable: Qt's own message") << "wayland-9" << ":7" << false << false << false
                                                             << QByteArray() << false << false;
        QTest::newRow("platform forced by the user") << "wayland-0" << ":7" << true << false << true << QByteArray()
                                                     << false << false;
    }
    void choice()
    {
        QFETCH(QString, wayland);
        QFETCH(QString, x11);
        QFETCH(bool, forced);
        QFETCH(bool, x11Connects);
        QFETCH(bool, waylandConnects);
        DisplayEnvironment environment {wayland, x11, forced, [&] { return x11Connects; },
                                        [&] { return waylandConnects; }};
        const WindowPlatform chosen = chooseWindowPlatform(environment);
        QTEST(chosen.platform, "platform");
        QTEST(chosen.onXWayland, "onXWayland");
        QTEST(chosen.x11Unreachable, "unreachable");
    }
};

QTEST_GUILESS_MAIN(TestWindowPlatform)
#include "tst_windowplatform.moc"
