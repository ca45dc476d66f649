// The journal of readings: the line of each value, one file per day, and a
// disk that is full or a folder that cannot be written.
#include "acquisition/journalfile.h"
#include "tests/support/datacolumns.h"
#include "tests/support/files.h"
#include "tests/support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>

#include <sys/mount.h>
#include <unistd.h>

using namespace acquisition;
using testsupport::readBytes;

namespace {

const QByteArray header = "time,configuration,batch,series,instrument,line,value\r\n";

// A journal with a clock and a configuration of the test's.
struct Rig {
    explicit Rig(const QString &folder)
        : journal(folder, {[this] { return now; }, [this] { return configuration; },
                           [this](const QString &where, const QString &why) { failures << where + ": " + why; },
                           [] { return QStringLiteral("not a plain file"); }})
    {
    }
    QString file(const QString &day = "2024-06-03") const { return journal.folder() + "/" + day + ".csv"; }

    QDateTime now {QDate(2024, 6, 3), QTime(14, 5, 7, 125), Qt::OffsetFromUTC, 2 * 3600};
    QString configuration = "/home/op/ateliers/ligne 2, poste \"B\".mux";
    QStringList failures;
    JournalFile journal;
};

// Descriptors of this process open on path.
int openCount(const QString &path)
{
    int count = 0;
    for (const QFileInfo &fd : QDir("/proc/self/fd").entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        count += fd.symLinkTarget() == path;
    return count;
}

// A tmpfs of two pages, unmounted at the end; skips when mounting is refused.
struct SmallDisk {
    QTemporaryDir mountPoint;
    bool mounted = ::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0,
                           "size=8k")
                   == 0;
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(QFile::encodeName(mountPoint.path()).constData(), MNT_DETACH);
    }
    QString path(const QString &name) const { return mountPoint.filePath(name); }
};

// Records three values on a thread; a record stuck on a FIFO is freed by
// opening its other end, so that the test ends either way.
bool recordsWithoutBlocking(Rig &rig)
{
    auto recorded = std::async(std::launch::async, [&rig] {
        for (int i = 0; i < 3; ++i)
            rig.journal.record({0, 1, 1 + i, "V1", "1"});
        rig.journal.closeSeries();
    });
    if (recorded.wait_for(std::chrono::seconds(30)) == std::future_status::ready)
        return true;
    const int reader = ::open(QFile::encodeName(rig.file()).constData(), O_RDONLY | O_NONBLOCK);
    recorded.wait();
    ::close(reader);
    return false;
}

// As an unprivileged user, in a folder of its own.
void unwritableFolderIsReportedOnce()
{
    QTemporaryDir dir;
    Rig rig(dir.filePath("journal"));
    QDir().mkpath(rig.journal.folder());
    QFile::setPermissions(rig.journal.folder(), QFile::ReadOwner | QFile::ExeOwner);
    for (int i = 0; i < 3; ++i)
        rig.journal.record({0, 1, 1, "V1", "1"});
    QCOMPARE(rig.failures.size(), 1);
    QVERIFY2(rig.failures.value(0).contains(rig.file())
                 && rig.failures.value(0).contains(QString::fromLocal8Bit(std::strerror(EACCES))),
             qPrintable("message names the file and the cause: " + rig.failures.value(0)));
    QVERIFY(!QFileInfo::exists(rig.file()));

    QFile::setPermissions(rig.journal.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    rig.journal.record({0, 1, 2, "V2", "2"});
    rig.journal.closeSeries();
    QCOMPARE(readBytes(rig.file()).count("\r\n"), 2);
    QCOMPARE(rig.failures.size(), 1);
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT
private slots:
    void eachValueIsOneLineOfTheDaysFile()
    {
        QTemporaryDir dir;
        Rig rig(dir.filePath("quorix/journal"));
        rig.journal.record({1, 2, 3, "V3 +012.50 mm", "+012.50"});
        rig.now = rig.now.addMSecs(250);
        rig.journal.record({0, 4, 8, "V8,\"x\"", ""});
        QCOMPARE(openCount(rig.file()), 1);
        rig.journal.closeSeries();
        QCOMPARE(openCount(rig.file()), 0);

        const QByteArray configuration = "\"/home/op/ateliers/ligne 2, poste \"\"B\"\".mux\"";
        QCOMPARE(readBytes(rig.file()),
                 header
                     + "2024-06-03T14:05:07.125+02:00," + configuration + ",1,2,3,V3 +012.50 mm,+012.50\r\n"
                     + "2024-06-03T14:05:07.375+02:00," + configuration + ",,4,8,\"V8,\"\"x\"\"\",\r\n");

        // A later run adds to the file without a second header; no
        // configuration file is an empty field.
        Rig later(rig.journal.folder());
        later.now = QDateTime(QDate(2024, 6, 3), QTime(16, 0), Qt::OffsetFromUTC, -5 * 3600);
        later.configuration.clear();
        later.journal.record({2, 1, 1, "V1", "V1"});
        later.journal.closeSeries();
        QVERIFY(readBytes(rig.file()).endsWith("+02:00," + configuration + ",,4,8,\"V8,\"\"x\"\"\",\r\n"
                                               "2024-06-03T16:00:00.000-05:00,,2,1,1,V1,V1\r\n"));
        QCOMPARE(readBytes(rig.file()).count(header), 1);
        QVERIFY(rig.failures.isEmpty() && later.failures.isEmpty());
    }

    void aNewDayStartsANewFile()
    {
        QTemporaryDir dir;
        Rig rig(dir.path());
        rig.now = QDateTime(QDate(2024, 6, 3), QTime(23, 59, 59, 999), Qt::OffsetFromUTC, 7200);
        rig.journal.record({0, 1, 1, "V1", "1"});
        // Midnight within one series.
        rig.now = rig.now.addMSecs(2);
        rig.journal.record({0, 1, 2, "V2", "2"});
        rig.journal.closeSeries();

        QCOMPARE(readBytes(rig.file("2024-06-03")), header + "2024-06-03T23:59:59.999+02:00,\"/home/op/ateliers/ligne 2, poste \"\"B\"\".mux\",,1,1,V1,1\r\n");
        QCOMPARE(readBytes(rig.file("2024-06-04")), header + "2024-06-04T00:00:00.001+02:00,\"/home/op/ateliers/ligne 2, poste \"\"B\"\".mux\",,1,2,V2,2\r\n");
        QCOMPARE(openCount(rig.file("2024-06-03")), 0);
    }

    void switchedOffWritesNothing()
    {
        QTemporaryDir dir;
        Rig rig(dir.filePath("journal"));
        rig.journal.setEnabled(false);
        rig.journal.record({0, 1, 1, "V1", "1"});
        QVERIFY(!QFileInfo::exists(rig.journal.folder()));
    }

    // One message however many values fail; the next value that can be
    // written ends the failure.
    void folderThatCannotBeWrittenIsReportedOnce()
    {
        testsupport::runUnprivileged(unwritableFolderIsReportedOnce);
    }

    // A FIFO, with or without a reader, or a folder where the day's file goes:
    // the values go on without waiting, the failure is said once.
    void dayFileThatIsNotPlain_data()
    {
        testsupport::columns<QString>("kind");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("fifo with a reader") << "reader";
        QTest::newRow("folder") << "folder";
    }
    void dayFileThatIsNotPlain()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        Rig rig(dir.path());
        const QByteArray path = QFile::encodeName(rig.file());
        if (kind == "folder")
            QVERIFY(QDir().mkdir(rig.file()));
        else
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        const int reader = kind == "reader" ? ::open(path.constData(), O_RDONLY | O_NONBLOCK) : -1;
        const bool free = recordsWithoutBlocking(rig);
        QByteArray received(64, '\0');
        const ssize_t got = reader >= 0 ? ::read(reader, received.data(), received.size()) : 0;
        if (reader >= 0)
            ::close(reader);
        QVERIFY2(free, "recording blocked on the FIFO");
        QCOMPARE(rig.failures, QStringList({rig.file() + ": not a plain file"}));
        QVERIFY2(got <= 0, received.left(got).constData()); // nothing went into the FIFO
    }

    void fullDiskLeavesNoHalfLine()
    {
        SmallDisk disk;
        if (!disk.mounted)
            QSKIP("mounting a small tmpfs needs root");
        // One of the two pages taken: the journal has the other.
        testsupport::writeBytes(disk.path("filler"), QByteArray(4096, 'x'));
        Rig rig(disk.path("journal"));
        int written = 0;
        while (rig.failures.isEmpty() && written < 200) {
            rig.journal.record({1, 1, 1, "V1 " + QString::number(written), "1"});
            written += rig.failures.isEmpty();
        }
        for (int i = 0; i < 3; ++i)
            rig.journal.record({1, 1, 1, "V1 again", "1"});
        QCOMPARE(rig.failures.size(), 1);
        QVERIFY2(rig.failures.at(0).contains(QString::fromLocal8Bit(std::strerror(ENOSPC))), qPrintable(rig.failures.at(0)));

        QByteArray content = readBytes(rig.file());
        QVERIFY(content.endsWith("\r\n"));
        QCOMPARE(content.count("\r\n"), written + 1);
        QVERIFY(content.contains(",V1 " + QByteArray::number(written - 1) + ",1\r\n"));

        // Room again: the values go on, and a new shortage is said again.
        QVERIFY(QFile::remove(disk.path("filler")));
        rig.journal.record({1, 1, 1, "V1 after", "1"});
        QVERIFY(readBytes(rig.file()).endsWith(",V1 after,1\r\n"));
        for (int i = 0; i < 200 && rig.failures.size() == 1; ++i)
            rig.journal.record({1, 1, 1, "V1 more", "1"});
        QCOMPARE(rig.failures.size(), 2);
        rig.journal.closeSeries();
        content = readBytes(rig.file());
        QVERIFY(content.endsWith(",V1 more,1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journalfile.moc"
