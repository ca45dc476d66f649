// Quorix started by a user who may not open the multiplexer's port: it says
// so in the chosen language, naming the device and the fix, in its box and
// on the terminal, and does not go on.
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "tests/support/recordingkeysink.h"
#include "tests/support/standarderror.h"
#include "tests/support/unprivileged.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace acquisition;

namespace {

void checkPortClosedToTheUser(const QString &folder)
{
    const QString device = QDir(folder).filePath("port");
    qputenv("MUX_PORTS", device.toLocal8Bit());
    common::MessageBoxAnswerer boxes;
    boxes.answerWith("OK");
    RecordingKeySink keys;
    std::unique_ptr<QuorixProgram> program;
    const QByteArray terminal = testsupport::capturingStandardError(
        [&] { program = std::make_unique<QuorixProgram>(keys, QuorixFolders {folder, folder}); });
    const QString text = "Access to the serial port " + device
                         + " denied: add yourself to the dialout group (sudo usermod -aG dialout $USER), then log "
                           "out and log in again.";
    QCOMPARE(boxTexts(boxes), QStringList {"Error: " + text});
    QVERIFY2(terminal.contains(text.toUtf8() + '\n'), terminal.constData());
    QVERIFY(!program->mainWindow().muxFound());
}

} // namespace

class TestQuorixPortPermission : public QObject {
    Q_OBJECT
private slots:
    void portClosedToTheUser()
    {
        if (testsupport::isUnprivilegedChild())
            return checkPortClosedToTheUser(testsupport::childFolder());
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const QByteArray slave = ::ptsname(master);
        // Closed to its owner too, for a run as root without its power over permissions.
        QCOMPARE(::chmod(slave.constData(), 0), 0);
        QTemporaryDir dir;
        QVERIFY(QFile::link(QString::fromLocal8Bit(slave), dir.filePath("port")));
        QVERIFY(QFile::copy(QStringLiteral(SOURCE_DIR "/lang/quorix/English.lng"), dir.filePath("English.lng")));
        QVERIFY(QFile::setPermissions(dir.filePath("English.lng"), QFile::ReadOwner | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadOther | QFile::ExeOther));
        testsupport::runUnprivileged(dir.path(), checkPortClosedToTheUser);
        ::close(master);
    }
};

QTEST_MAIN(TestQuorixPortPermission)
#include "tst_ondo_pgm_permission.moc"
