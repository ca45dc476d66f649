// Settings files rewritten in place: what a kill left half done is finished at
// the next start, so the file is only ever seen old or new.
#include "common/filereplace.h"
#include "common/rewriterecord.h"
#include "tests/support/files.h"
#include "tests/support/unprivileged.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using common::finishInterruptedRewrites;
using common::replaceFile;
using common::RewriteRecord;
using testsupport::fileNames;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

// Different lengths both ways, and long enough that a kill often lands
// inside the write itself.
const QByteArray kOld = "[GENERAL]\r\nLangue=1\r\n" + QByteArray(300000, 'o');
const QByteArray kNew = "[GENERAL]\r\nLangue=2\r\n" + QByteArray(120000, 'n');

constexpr int kKills = 300;

// In memory where possible: without disk syncs the rewrite itself takes most
// of each cycle, and most kills land in it.
QString inMemory(const QString &name)
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return (shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath()) + "/" + name + "-XXXXXX";
}

// A folder for the records that "nobody" may write, removed at the end.
struct RecordFolder {
    RecordFolder() { QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)); }
    QString path() const { return dir.filePath("records"); }
    QTemporaryDir dir {inMemory("records")};
};

[[noreturn]] void rewriteForever(const QString &path, const QString &records)
{
    for (int i = 0; i < 1000000; ++i)
        (void)replaceFile(path, i % 2 ? kOld : kNew, records);
    ::_exit(0);
}

void killedWritersLeaveOldOrNew(const QString &folder)
{
    const QString path = folder + "/kelt.ini";
    const QString records = QString::fromLocal8Bit(qgetenv("TEST_RECORDS"));
    // The kills spread over about two rewrites of this machine.
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 4; ++i)
        QVERIFY(replaceFile(path, i % 2 ? kOld : kNew, records).ok());
    const qint64 spreadUs = qMax<qint64>(200, timer.nsecsElapsed() / 2000);

    int torn = 0, completed = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t writer = ::fork();
        QVERIFY(writer >= 0);
        if (writer == 0)
            rewriteForever(path, records);
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(spreadUs)));
        ::kill(writer, SIGKILL);
        int status = 0;
        while (::waitpid(writer, &status, 0) < 0 && errno == EINTR) {
        }
        completed += int(finishInterruptedRewrites(records).size());
        const QByteArray now = readBytes(path);
        torn += now != kOld && now != kNew;
    }
    qInfo("%d kills, %d rewrites finished at the next start, %d torn files", kKills, completed, torn);
    QCOMPARE(torn, 0);
    QCOMPARE(fileNames(folder), QStringList({"kelt.ini"}));
}

} // namespace

class TestRewriteRecord : public QObject {
    Q_OBJECT
private slots:
    // A torn file gets the new bytes; an untouched or finished one is left;
    // a damaged record is never acted on. The record goes in every case.
    void nextStartFinishesOrDropsTheRecord()
    {
        QTemporaryDir dir;
        const QString records = dir.filePath("state/setrix");
        const QString path = dir.filePath("kelt.ini");
        const QByteArray target = QFile::encodeName(path);
        const QByteArray torn = kNew + kOld.mid(kNew.size());

        writeBytes(path, torn);
        QVERIFY(RewriteRecord::write(records, target, kOld, kNew).valid());
        QCOMPARE(finishInterruptedRewrites(records), QStringList({path}));
        QCOMPARE(readBytes(path), kNew);
        QCOMPARE(fileNames(records), QStringList());

        writeBytes(path, kOld);
        QVERIFY(RewriteRecord::write(records, target, kOld, kNew).valid());
        QCOMPARE(finishInterruptedRewrites(records), QStringList());
        QCOMPARE(readBytes(path), kOld);
        QCOMPARE(fileNames(records), QStringList());

        writeBytes(path, torn);
        QVERIFY(RewriteRecord::write(records, target, kOld, kNew).valid());
        const QString record = records + "/" + fileNames(records).value(0);
        QByteArray damaged = readBytes(record);
        damaged[damaged.size() / 2] = damaged[damaged.size() / 2] ^ 1;
        writeBytes(record, damaged);
        QCOMPARE(finishInterruptedRewrites(records), QStringList());
        QCOMPARE(readBytes(path), torn);
        QCOMPARE(fileNames(records), QStringList());
    }

    void killedInPlaceRewritesAreNeverTorn()
    {
        if (testsupport::isUnprivilegedChild())
            return killedWritersLeaveOldOrNew(testsupport::childFolder());
        QTemporaryDir dir(inMemory("settings"));
        RecordFolder records;
        qputenv("TEST_RECORDS", QFile::encodeName(records.path()));
        writeBytes(dir.filePath("kelt.ini"), kOld);
        testsupport::SharedInstallFolder shared(dir.path(), {"kelt.ini"});
        testsupport::runUnprivileged(dir.path(), killedWritersLeaveOldOrNew);
    }
};

QTEST_GUILESS_MAIN(TestRewriteRecord)
#include "tst_rewriterecord.moc"
