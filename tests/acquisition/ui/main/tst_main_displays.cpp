// Ondo_prj in a Wayland session whose X display cannot be reached (a wrong
// number, no authority): it starts, with a native Wayland window, and says why.
#include "tests/support/muxsim_process.h"
#include "tests/support/processes.h"
#include "tests/support/swaysession.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

class TestOndoPrjDisplays : public QObject {
    Q_OBJECT
private slots:
    void unreachableXDisplayGivesAWaylandWindow()
    {
        if (!testsupport::SwaySession::installed())
            QSKIP("sway is not installed (scripts/setup installs it)");
        testsupport::SwaySession sway;
        QVERIFY2(sway.start(), qPrintable(sway.errorString()));
        testsupport::MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8"}), qPrintable(sim.errorString()));

        QTemporaryDir folder;
        const QString program = folder.filePath("Ondo_prj");
        QVERIFY(QFile::copy(QStringLiteral(ONDO_PRJ_PATH), program));
        QProcess quorix;
        QProcessEnvironment env = sway.clientEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.insert("DISPLAY", ":987");
        env.insert("MUX_PORTS", sim.linkPath());
        env.insert("XDG_DATA_HOME", folder.filePath("data"));
        quorix.setProcessEnvironment(env);
        quorix.setWorkingDirectory(folder.path());
        quorix.start(program);
        const auto stopQuorix = qScopeGuard([&] { testsupport::endProcess(quorix, 3000); });

        QVERIFY(QTest::qWaitFor([&] { return sway.message({"[title=\"^Quorix$\"]", "mark", "seen"}); }, 30000));
        QByteArray said;
        QVERIFY2(QTest::qWaitFor([&] {
            said += quorix.readAllStandardError();
            return said.contains("X display :987 unreachable, native Wayland window");
        }, 5000), said.constData());
        QCOMPARE(quorix.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestOndoPrjDisplays)
#include "tst_main_displays.moc"
