#include "common/inifile.h"
#include "common/usererror.h"
#include "tests/support/datacolumns.h"
#include "tests/support/files.h"
#include "tests/support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using common::IniFile;

using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

const QByteArray handEdited = "; settings\n"
                              "orphan=1\n"
                              "[general]\n"
                              "# kept\n"
                              "  LANGUE = 3  \n"
                              "langue=4\n"
                              "this is not a key\n"
                              "Proxy = \"  host \"\n"
                              "empty=\n"
                              "\n"
                              "[INTERNET]\n"
                              "port=0x1F";

// The file's bytes once one key is written into it.
QByteArray afterWriting(const QByteArray &before, const QString &section, const QString &key, const QString &value)
{
    IniFile ini(before);
    ini.writeString(section, key, value);
    return ini.contents();
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void readsHandEditedFile()
    {
        const IniFile ini(handEdited);
        QCOMPARE(ini.readString("GENERAL", "Langue"), QString("3")); // first of two wins
        QCOMPARE(ini.readInteger("General", "langue", 1), 3);
        QCOMPARE(ini.readString("GENERAL", "proxy"), QString("  host "));
        QCOMPARE(ini.readString("GENERAL", "empty", "dflt"), QString());
        QCOMPARE(ini.readString("GENERAL", "orphan", "dflt"), QString("dflt"));
        QCOMPARE(ini.readString("GENERAL", "port", "dflt"), QString("dflt"));
        QCOMPARE(ini.readString("RETRO", "rcmde0", "dflt"), QString("dflt"));
        QCOMPARE(ini.readInteger("INTERNET", "port", 80), 31);
        QCOMPARE(IniFile("\xEF\xBB\xBF[FICHIER]\r\nQuorix=a.mux\r\n").readString("FICHIER", "Quorix"),
                 QString("a.mux"));
    }

    void readsIntegers_data()
    {
        testsupport::columns<QByteArray, int>("value", "expected");
        QTest::newRow("decimal") << QByteArray("42") << 42;
        QTest::newRow("negative") << QByteArray("-7") << -7;
        QTest::newRow("hex") << QByteArray("0x1F") << 31;
        QTest::newRow("upper hex") << QByteArray("0X1f") << 31;
        QTest::newRow("letters") << QByteArray("abc") << 80;
        QTest::newRow("trailing letters") << QByteArray("12abc") << 80;
        QTest::newRow("inner blank") << QByteArray("1 2") << 80;
        QTest::newRow("empty") << QByteArray("") << 80;
        QTest::newRow("too large") << QByteArray("99999999999") << 80;
    }
    void readsIntegers()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        QCOMPARE(IniFile("[INTERNET]\r\nport=" + value + "\r\n").readInteger("INTERNET", "port", 80),
                 expected);
    }

    void cutsLongTexts()
    {
        const QByteArray text(3000, 'a');
        const IniFile ini("[RETRO]\nrcmde0=" + text + "\n");
        QCOMPARE(ini.readString("RETRO", "rcmde0"), QString(2047, u'a'));
    }

    void writeChangesOnlyItsOwnLine()
    {
        IniFile ini(handEdited);
        ini.writeString("GENERAL", "langue", "5");
        ini.writeString("INTERNET", "PORT", "8080");
        QByteArray expected = handEdited;
        expected.replace("  LANGUE = 3  \n", "  LANGUE =5\n");
        expected.replace("port=0x1F", "port=8080");
        QCOMPARE(ini.contents(), expected);
    }

    void writeAddsKeyAtEndOfSection()
    {
        IniFile ini("[A]\r\nk=1\r\n; note\r\n\r\n[B]\r\nx=2");
        ini.writeString("a", "new", "v");
        ini.writeString("B", "y", "3");
        QCOMPARE(ini.contents(),
                 QByteArray("[A]\r\nk=1\r\n; note\r\nnew=v\r\n\r\n[B]\r\nx=2\r\ny=3\r\n"));
    }

    void writeAddsSectionWithFilesLineEnds()
    {
        QCOMPARE(afterWriting("[A]\nk=1\n", "RETRO", "rcmde0", "Zero"),
                 QByteArray("[A]\nk=1\n\n[RETRO]\nrcmde0=Zero\n"));
        QCOMPARE(afterWriting({}, "GENERAL", "Langue", "3"), QByteArray("[GENERAL]\r\nLangue=3\r\n"));
    }

    // Blanks, quotes and line breaks must not change the text read back nor
    // break the file apart.
    void writtenTextsReadBackUnchanged_data()
    {
        testsupport::columns<QString, QString>("value", "readBack");
        QTest::newRow("plain") << "Zéro" << "Zéro";
        QTest::newRow("blanks") << "  pad " << "  pad ";
        QTest::newRow("quoted") << "\"q\"" << "\"q\"";
        QTest::newRow("inner quote") << "a\"b" << "a\"b";
        QTest::newRow("line breaks") << "a\r\nb\nc=d\re" << "a b c=d e";
    }
    void writtenTextsReadBackUnchanged()
    {
        QFETCH(QString, value);
        QFETCH(QString, readBack);
        IniFile ini("[RETRO]\r\nrcmde1=one\r\n");
        ini.writeString("RETRO", "rcmde0", value);
        QCOMPARE(ini.readString("RETRO", "rcmde0"), readBack);
        QCOMPARE(ini.readString("RETRO", "rcmde1"), QString("one"));
        QCOMPARE(ini.contents().count('\n'), 3);
    }

    void writeKeepsFileEncoding()
    {
        QCOMPARE(afterWriting("; Français\r\n", "RETRO", "rcmde0", "Réglage"),
                 QByteArray("; Français\r\n\r\n[RETRO]\r\nrcmde0=Réglage\r\n"));

        IniFile ascii;
        ascii.writeString("RETRO", "rcmde0", "é");
        ascii.writeString("RETRO", "rcmde1", "€");
        QCOMPARE(ascii.contents(), QByteArray("[RETRO]\r\nrcmde0=\xe9\r\nrcmde1=\x80\r\n"));
        QCOMPARE(ascii.readString("RETRO", "rcmde1"), QString("€"));
    }

    // A text the Windows code page lacks turns the file into UTF-8, every
    // other line re-encoded and otherwise unchanged.
    void textOutsideTheCodePageTurnsTheFileIntoUtf8()
    {
        IniFile ansi("; Fran\xe7" "ais\r\n[FICHIER]\nQuorix=/mux/\xe9t\xe9.mux\r\n");
        ansi.writeString("FICHIER", "Quorix", "/mux/Łódź/pomiar.mux");
        ansi.writeString("RETRO", "rcmde0", "Réglage Ω");
        QCOMPARE(ansi.contents(), QByteArray("; Français\r\n[FICHIER]\nQuorix=/mux/Łódź/pomiar.mux\r\n"
                                             "\r\n[RETRO]\r\nrcmde0=Réglage Ω\r\n"));
    }

    // An editor's byte order mark before a file that also holds a
    // Windows-1252 line must not hide the first section.
    void byteOrderMarkWithMixedEncodings()
    {
        const QByteArray file = "\xEF\xBB\xBF[GENERAL]\r\nLangue=2\r\n[RETRO]\r\nrcmde0=Z\xe9ro\r\nrcmde1=Zéro\r\n";
        IniFile ini(file);
        QCOMPARE(ini.readInteger("GENERAL", "Langue", 1), 2);
        QCOMPARE(ini.readString("RETRO", "rcmde0"), QString("Zéro"));
        QCOMPARE(ini.readString("RETRO", "rcmde1"), QString("Zéro"));
        ini.writeString("GENERAL", "Langue", "3");
        QByteArray expected = file;
        QCOMPARE(ini.contents(), expected.replace("Langue=2", "Langue=3"));
    }

    // Whatever the file and the text, the text reads back as written and no
    // other key reads differently.
    void writeNeverAltersAnyText_data()
    {
        testsupport::columns<QByteArray, QString, QString>("file", "key", "value");
        const QList<std::pair<const char *, QByteArray>> files = {
            {"ascii", "[RETRO]\r\nrcmde0=Zero\r\nrcmde1=One\r\n"},
            {"windows-1252", "[RETRO]\r\nrcmde0=Z\xe9ro\r\nrcmde1=caf\xe9\r\n"},
            {"utf-8", "[RETRO]\r\nrcmde0=Zéro\r\nrcmde1=café\r\n"},
            {"mixed", "[RETRO]\r\nrcmde0=Z\xe9ro\r\nrcmde1=café\r\n"},
            {"byte order mark", "\xEF\xBB\xBF[RETRO]\r\nrcmde0=Z\xe9ro\r\nrcmde1=One\r\n"},
        };
        const QStringList values = {"Plain", "Réglage", "Łódź", "Ã©", "€ ‰", ""};
        for (const auto &[name, bytes] : files) {
            for (const QString &value : values) {
                for (const QString key : {"rcmde0", "rcmde5"})
                    QTest::addRow("%s, %s=%s", name, qPrintable(key), qPrintable(value)) << bytes << key << value;
            }
        }
    }
    void writeNeverAltersAnyText()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const auto readAll = [](const IniFile &ini) {
            QStringList texts;
            for (int i = 0; i < 6; ++i)
                texts << ini.readString("RETRO", QString("rcmde%1").arg(i), "<none>");
            return texts;
        };
        IniFile ini(file);
        QStringList expected = readAll(ini);
        expected[key.back().digitValue()] = value;
        ini.writeString("RETRO", key, value);
        QCOMPARE(readAll(IniFile(ini.contents())), expected);
    }

    void writesFileAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("kelt.ini");
        common::writeIniInteger(path, "GENERAL", "Langue", 3);
        QCOMPARE(readBytes(path), QByteArray("[GENERAL]\r\nLangue=3\r\n"));
        common::writeIniString(path, "RETRO", "rcmde0", "Zero");
        QCOMPARE(readBytes(path), QByteArray("[GENERAL]\r\nLangue=3\r\n\r\n[RETRO]\r\nrcmde0=Zero\r\n"));
        QCOMPARE(IniFile::load(path).readInteger("general", "langue", 1), 3);
        QCOMPARE(IniFile::load(dir.filePath("none.ini")).contents(), QByteArray());
    }

    void refusedWriteThrowsAndKeepsFile()
    {
        QTemporaryDir dir;
        const QString notAFolder = dir.filePath("file");
        writeBytes(notAFolder, "x");
        const QString path = notAFolder + "/kelt.ini";
        try {
            common::writeIniInteger(path, "GENERAL", "Langue", 3);
            QFAIL("write succeeded");
        } catch (const common::UserError &error) {
            QCOMPARE(error.text(), QString("Impossible d'écrire dans %1").arg(path));
        }
        QCOMPARE(readBytes(notAFolder), QByteArray("x"));

        // A file that exists but cannot be read back must not be replaced.
        const QString folderAsFile = dir.filePath("quorix.ini");
        QVERIFY(QDir(dir.path()).mkdir("quorix.ini"));
        QVERIFY_THROWS_EXCEPTION(common::UserError,
                                 common::writeIniInteger(folderAsFile, "GENERAL", "Demo", 1));
    }

    // A shared install: the folder refuses new files, the settings file is
    // writable for all. Only a file the user may not write is refused.
    void readOnlyFolderRefusesOnlyReadOnlyFiles()
    {
        if (testsupport::isUnprivilegedChild())
            return writesInReadOnlyFolder(testsupport::childFolder());
        QTemporaryDir dir;
        writeBytes(dir.filePath("kelt.ini"), "[GENERAL]\nLangue=1\n[INTERNET]\nproxy=p\n");
        writeBytes(dir.filePath("locked.ini"), "[GENERAL]\nLangue=1\n");
        QFile::setPermissions(dir.filePath("locked.ini"), QFile::ReadOwner | QFile::ReadOther);
        testsupport::SharedInstallFolder shared(dir.path(), {"kelt.ini"});
        testsupport::runUnprivileged(dir.path(), writesInReadOnlyFolder);
    }

private:
    static void writesInReadOnlyFolder(const QString &folder)
    {
        const QString path = folder + "/kelt.ini";
        common::writeIniInteger(path, "GENERAL", "Langue", 2);
        QCOMPARE(readBytes(path), QByteArray("[GENERAL]\nLangue=2\n[INTERNET]\nproxy=p\n"));

        const QString locked = folder + "/locked.ini";
        QVERIFY_THROWS_EXCEPTION(common::UserError, common::writeIniInteger(locked, "GENERAL", "Langue", 2));
        QCOMPARE(readBytes(locked), QByteArray("[GENERAL]\nLangue=1\n"));
        const QString fresh = folder + "/new.ini";
        QVERIFY_THROWS_EXCEPTION(common::UserError, common::writeIniInteger(fresh, "GENERAL", "Langue", 2));
        QVERIFY(!QFile::exists(fresh));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
