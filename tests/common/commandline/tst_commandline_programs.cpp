#include "common/version.h"

#include <QProcess>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Without any display, as from a text console.
Run run(const QString &program, const QStringList &arguments, const QByteArray &platform = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(variable);
    if (!platform.isEmpty())
        environment.insert("QT_QPA_PLATFORM", platform);
    environment.insert("MUX_PORTS", ",");
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

} // namespace

class TestCommandLinePrograms : public QObject {
    Q_OBJECT

private slots:
    void helpAndVersion_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("name");
        QTest::newRow("setrix") << KELT2_PATH << "setrix";
        QTest::newRow("quorix") << ONDO_PRJ_PATH << "quorix";
    }
    void helpAndVersion()
    {
        QFETCH(QString, program);
        QFETCH(QString, name);

        const Run help = run(program, {"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.startsWith("Usage: " + name.toUtf8() + " [options]\n"), help.out.constData());
        QVERIFY(help.out.contains("MUX_PORTS"));
        QCOMPARE(help.err, QByteArray());

        const Run version = run(program, {"--version"});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, name.toUtf8() + " " SETRIX_QUORIX_VERSION "\n");
    }

    void unknownOptionStopsBeforeAnyWindow()
    {
        const Run bogus = run(KELT2_PATH, {"--bogus"}, "offscreen");
        QCOMPARE(bogus.exitCode, 2);
        QCOMPARE(bogus.out, QByteArray());
        QVERIFY2(bogus.err.contains("setrix: Unknown option 'bogus'.\nTry 'setrix --help' for more information.\n"),
                 bogus.err.constData());
    }

    void simulator()
    {
        const Run help = run(MUXSIM_PATH, {"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.startsWith("usage: muxsim --link PATH"));
        QVERIFY(help.out.contains("--firmware-version C"));

        const Run version = run(MUXSIM_PATH, {"--link", "/nonexistent/link", "--version"});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, "muxsim " SETRIX_QUORIX_VERSION "\n");

        const Run unknown = run(MUXSIM_PATH, {"--bogus"});
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY(unknown.err.startsWith("muxsim: unknown option --bogus\n"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLinePrograms)
#include "tst_commandline_programs.moc"
