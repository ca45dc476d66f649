#include "acquisition/configfile.h"
#include "common/usererror.h"
#include "tests/support/datacolumns.h"
#include "tests/support/files.h"
#include "tests/support/instrumentfields.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/usererrors.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using acquisition::ConfigurationFile;
using acquisition::MemoryConfiguration;
using acquisition::Step;

using testsupport::checks;
using testsupport::counts;
using testsupport::readBytes;
using testsupport::writeBytes;
using testsupport::errorOf;
using testsupport::fixture;

namespace {

using Lines = QList<QByteArray>;

// The lines of a complete addressed-mode file in Windows-1252, 25 lines ending in CR LF.
Lines sampleLines()
{
    Lines lines = testsupport::fixture("addressed.mux").split('\n');
    lines.removeLast(); // after the last line end
    for (QByteArray &line : lines)
        line.chop(1);
    return lines;
}

QByteArray joined(const Lines &lines, const QByteArray &ending = "\r\n", bool lastEnded = true)
{
    QByteArray bytes = lines.join(ending);
    return lastEnded && !lines.isEmpty() ? bytes + ending : bytes;
}

Lines padded(Lines lines)
{
    while (lines.size() < ConfigurationFile::kMinimumLines)
        lines << QByteArray();
    return lines;
}

// Values that differ from everything the test files hold.
void fillWithOldValues(MemoryConfiguration &values)
{
    for (int i = 0; i < acquisition::kStepCount; ++i)
        values.setStep(Step(i), QStringLiteral("old"));
    values.setBatchSize(7);
    values.setMeasurementMode(-1);
    values.setMultiplexerMode(-1);
    for (int k = 1; k <= acquisition::kInstrumentCount; ++k) {
        values.setInstrumentCount(k, QStringLiteral("9"));
        values.setInstrumentChecked(k, k % 2 == 0);
    }
    values.setModified(false);
}

} // namespace

class ConfigurationFileTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Writes bytes to a file, loads it into values and saves it to another file.
    QByteArray loadAndSave(const QByteArray &bytes, MemoryConfiguration &values,
                           ConfigurationFile &file)
    {
        writeBytes(path("in.mux"), bytes);
        file.load(path("in.mux"), values);
        file.save(path("out.mux"), values);
        return readBytes(path("out.mux"));
    }

private slots:
    void roundTripKeepsEveryLine_data()
    {
        testsupport::columns<int, QByteArray, bool>("lineCount", "ending", "lastEnded");
        QTest::newRow("10 lines, CR LF") << 10 << QByteArray("\r\n") << true;
        QTest::newRow("20 lines, LF") << 20 << QByteArray("\n") << true;
        QTest::newRow("25 lines, CR") << 25 << QByteArray("\r") << true;
        QTest::newRow("20 lines, CR LF, last not ended") << 20 << QByteArray("\r\n") << false;
        QTest::newRow("25 lines, LF, last not ended") << 25 << QByteArray("\n") << false;
    }
    void roundTripKeepsEveryLine()
    {
        QFETCH(int, lineCount);
        QFETCH(QByteArray, ending);
        QFETCH(bool, lastEnded);
        const Lines lines = sampleLines().mid(0, lineCount);
        MemoryConfiguration values;
        ConfigurationFile file;

        const QByteArray saved = loadAndSave(joined(lines, ending, lastEnded), values, file);

        QCOMPARE(values.step(Step::NextSeriesVertical), QStringLiteral("-1"));
        QCOMPARE(values.step(Step::NextBatchHorizontal), QStringLiteral("$1"));
        QCOMPARE(values.batchSize(), 5);
        QCOMPARE(values.measurementMode(), 1);
        QCOMPARE(values.multiplexerMode(), 0);
        QCOMPARE(saved, joined(padded(lines)));
    }

    void batchSizeAndModesAreClamped_data()
    {
        testsupport::columns<Lines, QList<int>>("numbers", "expected");
        QTest::newRow("above") << Lines{"40", "7", "2"} << QList<int>{25, 1, 1};
        QTest::newRow("below") << Lines{"1", "-5", "-2147483648"} << QList<int>{2, -1, -1};
        QTest::newRow("signs and hex") << Lines{"$10", "+0", "-1"} << QList<int>{16, 0, -1};
    }
    void batchSizeAndModesAreClamped()
    {
        QFETCH(Lines, numbers);
        QFETCH(QList<int>, expected);
        Lines lines = sampleLines();
        std::copy(numbers.begin(), numbers.end(), lines.begin() + 7);
        MemoryConfiguration values;
        ConfigurationFile file;

        const Lines saved = loadAndSave(joined(lines), values, file).split('\n');

        QCOMPARE((QList<int>{values.batchSize(), values.measurementMode(), values.multiplexerMode()}),
                 expected);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(saved.at(7 + i), QByteArray::number(expected.at(i)) + '\r');
    }

    void instrumentLinesFollowTheMultiplexerMode_data()
    {
        testsupport::columns<QByteArray, Lines, QStringList, QString>(
            "mode", "instrumentLines", "expectedCounts", "expectedChecks");
        const QStringList oldCounts(8, QStringLiteral("9"));
        const QString oldChecks = QStringLiteral(".x.x.x.x");
        QTest::newRow("addressed, 10-line file") << QByteArray("0") << Lines{}
                                                 << QStringList(8) << oldChecks;
        QTest::newRow("multiple, 10-line file") << QByteArray("1") << Lines{}
                                                << oldCounts << QStringLiteral("xxxxxxxx");
        QTest::newRow("addressed counts taken whole")
            << QByteArray("0") << Lines{"2", " 1", "", "x", "0", "-1", "", "3 "}
            << QStringList{"2", " 1", "", "x", "0", "-1", "", "3 "} << oldChecks;
        QTest::newRow("multiple, only exact 0 clears")
            << QByteArray("1") << Lines{"0", "", "1", "x", " 0", "0 ", "00", "0"}
            << oldCounts << QStringLiteral(".xxxxxx.");
        QTest::newRow("no mode selected reads flags")
            << QByteArray("-1") << Lines{"1", "0", "0", "0", "0", "0", "0", "1"}
            << oldCounts << QStringLiteral("x......x");
    }
    void instrumentLinesFollowTheMultiplexerMode()
    {
        QFETCH(QByteArray, mode);
        QFETCH(Lines, instrumentLines);
        QFETCH(QStringList, expectedCounts);
        QFETCH(QString, expectedChecks);
        Lines lines = sampleLines().mid(0, 10);
        lines[9] = mode;
        if (!instrumentLines.isEmpty())
            lines << instrumentLines;
        writeBytes(path("modes.mux"), joined(lines));
        MemoryConfiguration values;
        fillWithOldValues(values);

        ConfigurationFile().load(path("modes.mux"), values);

        QCOMPARE(counts(values), expectedCounts);
        QCOMPARE(checks(values), expectedChecks);
    }

    void onlyTheSetOfTheModeIsSaved()
    {
        MemoryConfiguration values;
        ConfigurationFile file;
        const QByteArray addressed = loadAndSave(fixture("addressed.mux"), values, file);
        QCOMPARE(addressed, fixture("addressed.mux"));

        values.setMultiplexerMode(1);
        values.setInstrumentChecked(3, true);
        file.save(path("multiple.mux"), values);
        QCOMPARE(readBytes(path("multiple.mux")), fixture("addressed-as-multiple.saved.mux"));

        // The counts stay in memory and come back with the addressed mode.
        values.setMultiplexerMode(0);
        file.save(path("addressed.mux"), values);
        QCOMPARE(readBytes(path("addressed.mux")), addressed);
    }

    void badIntegerStopsTheLoadAtItsLine_data()
    {
        testsupport::columns<int, QByteArray>("badLine", "badText");
        QTest::newRow("line 8") << 8 << QByteArray("abc");
        QTest::newRow("line 9 empty") << 9 << QByteArray();
        QTest::newRow("line 10 blank after") << 10 << QByteArray("1 ");
    }
    void badIntegerStopsTheLoadAtItsLine()
    {
        QFETCH(int, badLine);
        QFETCH(QByteArray, badText);
        Lines lines = sampleLines();
        lines[badLine - 1] = badText;
        writeBytes(path("bad.mux"), joined(lines));
        MemoryConfiguration values;
        fillWithOldValues(values);
        ConfigurationFile file;

        QCOMPARE(errorOf([&] { file.load(path("bad.mux"), values); }),
                 QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(QString::fromLatin1(badText)));

        QVERIFY(values.isModified());
        QCOMPARE(values.step(Step::PerValueVertical), QStringLiteral("0"));
        QCOMPARE(values.step(Step::NextBatchHorizontal), QStringLiteral("$1"));
        QCOMPARE(values.batchSize(), badLine > 8 ? 5 : 7);
        QCOMPARE(values.measurementMode(), badLine > 9 ? 1 : -1);
        QCOMPARE(values.multiplexerMode(), -1);
        QCOMPARE(counts(values), QStringList(8, QStringLiteral("9")));
        QCOMPARE(checks(values), QStringLiteral(".x.x.x.x"));
        QCOMPARE(file.carriedText(), QString());
    }

    void unreadableFileChangesNothing_data()
    {
        testsupport::columns<QString>("name");
        QTest::newRow("missing") << QStringLiteral("missing.mux");
        QTest::newRow("directory") << QStringLiteral("folder.mux");
        QTest::newRow("fifo") << QStringLiteral("fifo.mux");
        QTest::newRow("oversized") << QStringLiteral("huge.mux");
    }
    void unreadableFileChangesNothing()
    {
        QFETCH(QString, name);
        QDir(m_dir.path()).mkdir(QStringLiteral("folder.mux"));
        ::mkfifo(QFile::encodeName(path(QStringLiteral("fifo.mux"))).constData(), 0600);
        QFile huge(path(QStringLiteral("huge.mux")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(2 << 20));
        huge.close();
        ConfigurationFile file;
        writeBytes(path("first.mux"), joined(sampleLines()));
        MemoryConfiguration values;
        file.load(path("first.mux"), values);
        values.setModified(false);
        const QStringList heldBefore = file.heldLines();

        QCOMPARE(errorOf([&] { file.load(path(name), values); }),
                 QStringLiteral("Impossible d'ouvrir le fichier %1").arg(path(name)));

        QVERIFY(!values.isModified());
        QCOMPARE(file.heldLines(), heldBefore);
        QCOMPARE(file.carriedText(), QStringLiteral("note 19"));
    }

    void carriedLineGoesIntoEveryLaterFile()
    {
        MemoryConfiguration values;
        ConfigurationFile file;
        loadAndSave(joined(sampleLines()), values, file);

        acquisition::applyEditorDefaults(values);
        file.save(path("other.mux"), values);
        const Lines saved = readBytes(path("other.mux")).split('\n');
        QCOMPARE(saved.at(0), QByteArray("; atelier B\r"));
        QCOMPARE(saved.at(18), QByteArray("note 19\r"));

        // A shorter file has no line 19: nothing is carried any more.
        writeBytes(path("short.mux"), joined(sampleLines().mid(0, 10)));
        file.load(path("short.mux"), values);
        file.save(path("after-short.mux"), values);
        QCOMPARE(readBytes(path("after-short.mux")).split('\n').at(18), QByteArray("\r"));
    }

    void freshStartSavesExactlyTwentyLines()
    {
        MemoryConfiguration values;
        acquisition::applyMainWindowDefaults(values);
        ConfigurationFile().save(path("fresh.mux"), values);
        QCOMPARE(readBytes(path("fresh.mux")), fixture("main-window-new.saved.mux"));
    }

    void lineBreakInAFieldKeepsLinesInPlace()
    {
        MemoryConfiguration values;
        values.setStep(Step::PerValueVertical, QStringLiteral("1\r\n2"));
        values.setInstrumentCount(1, QStringLiteral("3\n"));
        ConfigurationFile().save(path("breaks.mux"), values);
        const Lines saved = readBytes(path("breaks.mux")).split('\n');
        QCOMPARE(saved.size(), 21);
        QCOMPARE(saved.at(1), QByteArray("1  2\r"));
        QCOMPARE(saved.at(10), QByteArray("3 \r"));
    }

    void failedSaveReportsAndKeepsTheOldFile()
    {
        MemoryConfiguration values;
        ConfigurationFile file;
        writeBytes(path("plain"), "not a folder");
        const QString underFile = path("plain/new.mux");
        QCOMPARE(errorOf([&] { file.save(underFile, values); }),
                 QStringLiteral("Impossible de créer le fichier %1").arg(underFile));

        if (::geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("locked")));
        const QString old = path("locked/old.mux");
        writeBytes(old, "old content\r\n");
        QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
        const QString message = errorOf([&] { file.save(old, values); });
        QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(message, QStringLiteral("Impossible de créer le fichier %1").arg(old));
        QCOMPARE(readBytes(old), QByteArray("old content\r\n"));
    }

    // Lines 1, 19 and 20 are the user's own text; a Windows-1252 file comes back
    // byte for byte, a UTF-8 one comes back in Windows-1252.
    void accentedTextIsKept_data()
    {
        testsupport::columns<QString, QString>("onDisk", "saved");
        QTest::newRow("windows-1252") << "accented-windows-1252.mux" << "accented-windows-1252.mux";
        QTest::newRow("utf-8") << "accented-utf-8.mux" << "accented-utf-8.saved.mux";
    }
    void accentedTextIsKept()
    {
        QFETCH(QString, onDisk);
        QFETCH(QString, saved);
        MemoryConfiguration values;
        ConfigurationFile file;
        QCOMPARE(loadAndSave(fixture(onDisk), values, file), fixture(saved));
    }

    void defaultSets_data()
    {
        testsupport::columns<bool, QStringList, QString>("mainWindow", "steps", "firstCount");
        QTest::newRow("editor") << false << QStringList(6) << QString();
        QTest::newRow("main window") << true << QStringList{"0", "1", "1", "0", "", ""}
                                     << QStringLiteral("1");
    }
    void defaultSets()
    {
        QFETCH(bool, mainWindow);
        QFETCH(QStringList, steps);
        QFETCH(QString, firstCount);
        MemoryConfiguration values;
        fillWithOldValues(values);

        mainWindow ? acquisition::applyMainWindowDefaults(values) : acquisition::applyEditorDefaults(values);

        QStringList stepTexts;
        for (int i = 0; i < acquisition::kStepCount; ++i)
            stepTexts << values.step(Step(i));
        QCOMPARE(stepTexts, steps);
        QCOMPARE(values.batchSize(), 2);
        QCOMPARE(values.measurementMode(), 0);
        QCOMPARE(values.multiplexerMode(), 0);
        QCOMPARE(counts(values), QStringList{firstCount} + QStringList(7));
        QCOMPARE(checks(values), QStringLiteral("x......."));
        QVERIFY(values.isModified());
    }
};

QTEST_GUILESS_MAIN(ConfigurationFileTest)
#include "tst_configfile.moc"
