// Quorix typing through a desktop portal that stops answering in the middle
// of a value: "Stop" brings the window back at once and names the portal,
// rather than after the portal's own time.
#include "acquisition/keyoutput/portalkeysink.h"
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "common/settingsfile.h"
#include "tests/support/desktop/portalstandin.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/quorixfolder.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace acquisition;

class TestQuorixSilentPortal : public QObject {
    Q_OBJECT
private slots:
    void stopWhileThePortalIsSilent()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/setup installs it)");
        testsupport::PrivateBus bus;
        QVERIFY(bus.start());
        const QDBusConnection connection = QDBusConnection::connectToBus(bus.address, QStringLiteral("quorix"));
        testsupport::PortalStandIn portal;
        QVERIFY(portal.start(bus.address, {"--silent", "NotifyKeyboardKeysym"}));

        QTemporaryDir folder;
        MemoryConfiguration values;
        applyMainWindowDefaults(values);
        values.setInstrumentCount(1, "1");
        QVERIFY(testsupport::writeQuorixStart(folder.path(), "atelier.mux", values));
        QVERIFY(QFile::copy(QStringLiteral(SOURCE_DIR "/lang/quorix/Francais.lng"), folder.filePath("Francais.lng")));
        testsupport::MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8", "--values", "12.5", "--line", "short", "--per-command", "1"}), qPrintable(sim.errorString()));
        qputenv("MUX_PORTS", sim.linkPath().toLocal8Bit());

        PortalKeySink::Options options;
        options.answerTimeoutMs = 60000; // far beyond what "Stop" may take
        PortalKeySink keys(common::SettingsFile(QStringLiteral("quorix.ini"), folder.path()), QStringLiteral("."),
                           connection, options);
        common::MessageBoxAnswerer boxes;
        boxes.answerWith("OK");
        QuorixProgram program(keys, {folder.path(), folder.path(), folder.filePath("journal")});
        TQuorix &w = program.mainWindow();
        w.show();
        QTest::qWait(50);

        // The cycle waits inside the click's events: Stop is clicked, and the
        // window watched, from timers served there.
        const QDir journal(folder.filePath("journal"));
        QElapsedTimer sinceStop;
        qint64 idleAfterMs = -1;
        QTimer watch;
        connect(&watch, &QTimer::timeout, &w, [&] {
            // The value is in the journal before its keys go.
            if (!sinceStop.isValid() && w.Stop->isEnabled() && !journal.entryList(QDir::Files).isEmpty()) {
                QTest::qWait(300); // its first key taken, the second never answered
                sinceStop.start();
                QTest::mouseClick(w.Stop, Qt::LeftButton);
            } else if (sinceStop.isValid() && idleAfterMs < 0 && !boxes.seen().isEmpty()) {
                idleAfterMs = sinceStop.elapsed();
            }
        });
        watch.start(10);
        QTest::mouseClick(w.btn_read, Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return idleAfterMs >= 0; }, 30000));
        qInfo("stopped %lld ms after the click", idleAfterMs);
        QVERIFY(idleAfterMs < 20000);
        QCOMPARE(common::boxTexts(boxes),
                 QStringList({"Erreur: Impossible de taper les valeurs au clavier : le portail du bureau n'a pas "
                              "répondu (NotifyKeyboardKeysym)"}));
        // The key taken is let go as the session closes; nothing else went.
        QCOMPARE(portal.calls(QStringLiteral("Close")).filter(QStringLiteral("key")),
                 QStringList({"key session 31 1", "key session 31 0"}));
    }
};

QTEST_MAIN(TestQuorixSilentPortal)
#include "tst_ondo_pgm_portal.moc"
