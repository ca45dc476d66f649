#include "common/languagefiles.h"
#include "common/usererror.h"
#include "tests/support/datacolumns.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void putFile(const QString &path, const QByteArray &bytes = {})
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray numberedLines(int count, const QByteArray &end)
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += "line " + QByteArray::number(i) + end;
    return text;
}

} // namespace

class TestLanguageFiles : public QObject {
    Q_OBJECT

private slots:
    void listsSortedFilesOnly()
    {
        QTemporaryDir dir;
        for (const char *name : {"Francais.lng", "English.lng", "Deutsch.LNG", "notes.txt", "lng"})
            putFile(dir.filePath(name));
        QVERIFY(QDir(dir.path()).mkdir("y.lng"));
        int pumped = 0;
        const common::LanguageList list = common::listLanguageFiles(dir.path() + "/", [&] { ++pumped; });
        QCOMPARE(list.names, QStringList({"Deutsch", "English", "Francais"}));
        QCOMPARE(list.paths, QStringList({dir.filePath("Deutsch.LNG"), dir.filePath("English.lng"),
                                          dir.filePath("Francais.lng")}));
        QVERIFY(pumped >= 2);

        QCOMPARE(common::languageFilePath(list, 2), dir.filePath("English.lng"));
        for (int outside : {0, 4, 5, 6, -1})
            QCOMPARE(common::languageFilePath(list, outside), QString());
    }

    void keepsFirstFiveAndShortNames()
    {
        QTemporaryDir dir;
        for (const char *name : {"g.lng", "f.lng", "e.lng", "d.lng", "c.lng", "x.lng", ".lng"})
            putFile(dir.filePath(name));
        const common::LanguageList list = common::listLanguageFiles(dir.path());
        QCOMPARE(list.names, QStringList({".lng", "c", "d", "e", "f"}));
        QCOMPARE(list.paths.size(), 5);
        QCOMPARE(common::listLanguageFiles(dir.filePath("none")).names, QStringList());
    }

    void readsRequestedLineCount_data()
    {
        testsupport::columns<QByteArray>("end");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void readsRequestedLineCount()
    {
        QFETCH(QByteArray, end);
        QTemporaryDir dir;
        const QString path = dir.filePath("EN.lng");
        putFile(path, numberedLines(40, end));
        const QStringList lines = common::readLanguageLines(path, 84);
        QCOMPARE(lines.size(), 84);
        QCOMPARE(lines.at(0), QString("line 1"));
        QCOMPARE(lines.at(39), QString("line 40"));
        QCOMPARE(lines.mid(40), QStringList(44));
        QCOMPARE(common::readLanguageLines(path, 3), QStringList({"line 1", "line 2", "line 3"}));
    }

    void keepsLinesAsWritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("odd.lng");
        putFile(path, "  &Fichier \t\r\n\r\n; not a comment\nlast");
        QCOMPARE(common::readLanguageLines(path, 5),
                 QStringList({"  &Fichier \t", "", "; not a comment", "last", ""}));
    }

    void decodesAnsiAndUtf8Alike()
    {
        QTemporaryDir dir;
        putFile(dir.filePath("ansi.lng"), "Fran\xe7" "ais\r\nPr\xe9" "c\xe9" "dent\r\n");
        putFile(dir.filePath("utf8.lng"), "Français\r\nPrécédent\r\n");
        const QStringList expected({"Français", "Précédent"});
        QCOMPARE(common::readLanguageLines(dir.filePath("ansi.lng"), 2), expected);
        QCOMPARE(common::readLanguageLines(dir.filePath("utf8.lng"), 2), expected);

        // UTF-16 with its byte-order mark, either byte order; the mark is not text.
        putFile(dir.filePath("le.lng"), QByteArray("\xFF\xFE" "F\0r\0\xE7\0\r\0\n\0" "\0\x01" "\r\0\n\0", 18));
        putFile(dir.filePath("be.lng"), QByteArray("\xFE\xFF" "\0F\0r\0\xE7\0\r\0\n" "\x01\0" "\0\r\0\n", 18));
        const QStringList utf16({"Frç", "Ā"});
        QCOMPARE(common::readLanguageLines(dir.filePath("le.lng"), 2), utf16);
        QCOMPARE(common::readLanguageLines(dir.filePath("be.lng"), 2), utf16);
        // A file cut in the middle of a character still reads, without a crash.
        putFile(dir.filePath("odd.lng"), QByteArray("\xFF\xFE" "A\0B", 5));
        QCOMPARE(common::readLanguageLines(dir.filePath("odd.lng"), 1).value(0).left(1), QStringLiteral("A"));
    }

    void reportsUnreadableFiles()
    {
        QTemporaryDir dir;
        try {
            common::readLanguageLines(dir.filePath("gone.lng"), 84);
            QFAIL("no error");
        } catch (const common::UserError &error) {
            QCOMPARE(error.text(), QString("Fichier introuvable"));
        }
        try {
            common::readLanguageLines(dir.path(), 84);
            QFAIL("no error");
        } catch (const common::UserError &error) {
            QCOMPARE(error.text(), "Impossible d'ouvrir le fichier " + dir.path());
        }
    }
};

QTEST_GUILESS_MAIN(TestLanguageFiles)
#include "tst_languagefiles.moc"
