// Files replaced whole or not at all: on a full disk, in a folder that refuses
// new files, and after an interrupted write.
#include "common/filereplace.h"
#include "tests/support/datacolumns.h"
#include "tests/support/files.h"
#include "tests/support/fullfilesystem.h"
#include "tests/support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using common::replaceFile;
using testsupport::fileNames;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

const QByteArray kOld = "[GENERAL]\r\nLangue=1\r\n[RETRO]\r\nrcmde0=Zero\r\n";

mode_t modeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void setMode(const QString &path, mode_t mode)
{
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
}

// A writable kelt.ini and a read-only locked.ini.
void writeSettingsFiles(const QString &folder)
{
    writeBytes(folder + "/kelt.ini", kOld);
    writeBytes(folder + "/locked.ini", "old");
    setMode(folder + "/locked.ini", 0444);
}

void rewritesInPlace(const QString &folder)
{
    const QString path = folder + "/kelt.ini";
    QVERIFY(replaceFile(path, "[GENERAL]\r\nLangue=2\r\n").ok());
    QCOMPARE(readBytes(path), QByteArray("[GENERAL]\r\nLangue=2\r\n"));
    const QByteArray longer = kOld + QByteArray(20000, 'x');
    QVERIFY(replaceFile(path, longer).ok());
    QCOMPARE(readBytes(path), longer);

    QCOMPARE(replaceFile(folder + "/locked.ini", "new").error, EACCES);
    QCOMPARE(readBytes(folder + "/locked.ini"), QByteArray("old"));
    QCOMPARE(replaceFile(folder + "/new.ini", "new").error, EACCES);
    QCOMPARE(fileNames(folder), QStringList({"kelt.ini", "locked.ini"}));
}

// In place on a full disk: a longer text cannot get its space and changes
// nothing; one that fits the file's own space is written.
void rewritesInPlaceOnFullDisk(const QString &folder)
{
    const QString path = folder + "/kelt.ini";
    QCOMPARE(replaceFile(path, kOld + QByteArray(8000, 'x')).error, ENOSPC);
    QCOMPARE(readBytes(path), kOld);
    QVERIFY(replaceFile(path, "[GENERAL]\r\nLangue=2\r\n").ok());
    QCOMPARE(readBytes(path), QByteArray("[GENERAL]\r\nLangue=2\r\n"));
}

} // namespace

class TestFileReplace : public QObject {
    Q_OBJECT
private slots:
    void replacesWholeKeepingModeAndLinks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("quorix.ini");
        QVERIFY(replaceFile(path, "one").ok());
        setMode(path, 0640);
        QVERIFY(replaceFile(path, "two").ok());
        QCOMPARE(readBytes(path), QByteArray("two"));
        QCOMPARE(modeOf(path), mode_t(0640));

        const QString link = dir.filePath("link.ini");
        QVERIFY(QFile::link(path, link));
        QVERIFY(replaceFile(link, "three").ok());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readBytes(path), QByteArray("three"));

        const QString fifo = dir.filePath("cable.txt");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(replaceFile(fifo, "list").ok());
        QCOMPARE(readBytes(fifo), QByteArray("list"));

        QCOMPARE(replaceFile(dir.path(), "x").error, EISDIR);
        QCOMPARE(replaceFile(path + "/x", "x").error, ENOTDIR);
        QCOMPARE(replaceFile(dir.filePath("missing/x"), "x").error, ENOENT);
        QCOMPARE(fileNames(dir.path()), QStringList({"cable.txt", "link.ini", "quorix.ini"}));
    }

    // Small texts used to pass through a buffer whose failed flush went unseen.
    void fullDiskKeepsTheOldFile_data()
    {
        testsupport::columns<int>("size");
        QTest::newRow("small") << 40;
        QTest::newRow("large") << 100000;
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(int, size);
        testsupport::FullFileSystem disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        const QString path = disk.filePath("cable.txt");
        writeBytes(path, kOld);
        QVERIFY(disk.fill());

        QCOMPARE(replaceFile(path, QByteArray(size, 'n')).error, ENOSPC);
        QCOMPARE(readBytes(path), kOld);
        QCOMPARE(fileNames(disk.path()), QStringList({".filler", "cable.txt"}));
    }

    void readOnlyFolderRewritesWritableFilesInPlace()
    {
        if (testsupport::isUnprivilegedChild())
            return rewritesInPlace(testsupport::childFolder());
        QTemporaryDir dir;
        writeSettingsFiles(dir.path());
        testsupport::SharedInstallFolder shared(dir.path(), {"kelt.ini"});
        testsupport::runUnprivileged(dir.path(), rewritesInPlace);
    }

    void readOnlyFolderOnFullDisk()
    {
        if (testsupport::isUnprivilegedChild())
            return rewritesInPlaceOnFullDisk(testsupport::childFolder());
        testsupport::FullFileSystem disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        writeSettingsFiles(disk.path());
        QVERIFY(disk.fill());
        testsupport::SharedInstallFolder shared(disk.path(), {"kelt.ini"});
        testsupport::runUnprivileged(disk.path(), rewritesInPlaceOnFullDisk);
    }

    // What a killed write left is removed by the next write of that file,
    // unless a live write holds it; nothing else is touched.
    void removesStaleTemporaryFiles()
    {
        QTemporaryDir dir;
        const QStringList kept = {"kelt.ini.Ab3xYz.tmp~", "kelt.ini.backup", "kelt.ini.toolong1.tmp",
                                  "quorix.ini.Ab3xYz.tmp"};
        for (const QString &name : kept + QStringList{"kelt.ini.Ab3xYz.tmp", "kelt.ini.Live00.tmp"})
            writeBytes(dir.filePath(name), "left");
        QVERIFY(QDir(dir.path()).mkdir("kelt.ini.Dir000.tmp"));
        const int live = ::open(QFile::encodeName(dir.filePath("kelt.ini.Live00.tmp")).constData(), O_RDONLY);
        QVERIFY(live >= 0 && ::flock(live, LOCK_EX) == 0);

        QVERIFY(replaceFile(dir.filePath("kelt.ini"), kOld).ok());
        ::close(live);
        QStringList expected = kept + QStringList{"kelt.ini", "kelt.ini.Dir000.tmp", "kelt.ini.Live00.tmp"};
        expected.sort();
        QCOMPARE(fileNames(dir.path()), expected);
        QCOMPARE(readBytes(dir.filePath("kelt.ini")), kOld);
    }
};

QTEST_GUILESS_MAIN(TestFileReplace)
#include "tst_filereplace.moc"
