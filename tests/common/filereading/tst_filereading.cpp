#include "common/filereading.h"
#include "tests/support/files.h"
#include "tests/support/usererrors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using common::readFileStart;
using common::readWholeFile;
using testsupport::errorOf;

namespace {

QString cannotOpen(const QString &path)
{
    return QStringLiteral("Impossible d'ouvrir le fichier ") + path;
}

} // namespace

class TestFileReading : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void wholeFileUpToItsLimit()
    {
        const QByteArray bytes("line 1\r\nline 2\n\0tail", 20);
        testsupport::writeBytes(path("ten.txt"), bytes);
        QCOMPARE(readWholeFile(path("ten.txt")), bytes);
        QCOMPARE(readWholeFile(path("ten.txt"), bytes.size()), bytes);
        QCOMPARE(errorOf([&] { readWholeFile(path("ten.txt"), bytes.size() - 1); }), cannotOpen(path("ten.txt")));

        testsupport::writeBytes(path("empty.txt"), {});
        QCOMPARE(readWholeFile(path("empty.txt"), 0), QByteArray());
    }

    void startOfAFileLongerThanTheLimit()
    {
        testsupport::writeBytes(path("long.txt"), QByteArray(10000, 'x') + "end");
        QCOMPARE(readFileStart(path("long.txt"), 4095), QByteArray(4095, 'x'));
        QCOMPARE(readFileStart(path("long.txt"), 20000), QByteArray(10000, 'x') + "end");
    }

    // Each would block, flood the memory or is no file at all: refused at once, by both readers.
    void onlyPlainFilesAreRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << path("missing.txt");
        QTest::newRow("folder") << path("folder");
        QTest::newRow("fifo") << path("fifo");
        QTest::newRow("link to a fifo") << path("fifo-link");
        QTest::newRow("device") << QStringLiteral("/dev/zero");
        QTest::newRow("empty path") << QString();
    }
    void onlyPlainFilesAreRead()
    {
        QFETCH(QString, name);
        QDir(m_dir.path()).mkdir(QStringLiteral("folder"));
        ::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600);
        QFile::link(path("fifo"), path("fifo-link"));

        QCOMPARE(errorOf([&] { readWholeFile(name); }), cannotOpen(name));
        QCOMPARE(errorOf([&] { readWholeFile(name, 100); }), cannotOpen(name));
        QCOMPARE(errorOf([&] { readFileStart(name, 100); }), cannotOpen(name));
        QVERIFY(!common::tryReadWholeFile(name));
    }

    void linkToAPlainFileIsRead()
    {
        testsupport::writeBytes(path("target.txt"), "bytes");
        QVERIFY(QFile::link(path("target.txt"), path("target-link")));
        QCOMPARE(readWholeFile(path("target-link"), 5), QByteArray("bytes"));
        QCOMPARE(common::tryReadWholeFile(path("target-link")), QByteArray("bytes"));
    }
};

QTEST_GUILESS_MAIN(TestFileReading)
#include "tst_filereading.moc"
