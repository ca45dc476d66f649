#include "common/usererror.h"
#include "configtool/cablelist/cablelist.h"
#include "configtool/cablelist/cablelistfile.h"
#include "configtool/cableloading.h"
#include "tests/support/datacolumns.h"
#include "tests/support/usererrors.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace configtool;

using testsupport::errorOf;

namespace {

// Records the controls a record was loaded into, in order.
struct Recorder : Rs232RecordTarget, AnalogRecordTarget {
    QStringList calls;
    float minimum = 0, maximum = 0;
    void setSpeed(const QString &s) override { calls << "speed=" + s; }
    void setDataBits(int b) override { calls << QStringLiteral("bits=%1").arg(b); }
    void setParity(const QString &p) override { calls << "parity=" + p; }
    void setEndOfFrame(const QString &e) override { calls << "eof=" + e; }
    void setUnit(const QString &u) override { calls << "unit=" + u; }
    void setOffset(int o) override { calls << QStringLiteral("offset=%1").arg(o); }
    void setSupply(const QString &s) override { calls << "supply=" + s; }
    void setInterrogation(int i, const QString &t) override
    {
        calls << QStringLiteral("i%1=%2").arg(i).arg(t);
    }
    void setMinimum(float v) override { minimum = v; calls << "min"; }
    void setMaximum(float v) override { maximum = v; calls << "max"; }
    void setDecimals(int d) override { calls << QStringLiteral("decimals=%1").arg(d); }
};

QString pad(const QString &label) { return label.leftJustified(25, u' '); }

// Sixteen fields with distinct texts, so a field read from the wrong place shows.
QString rs232Fields(const QString &speed, const QString &bits = "8")
{
    return ";" + speed + ";" + bits + ";SANS;$0D;MM;1;12v;x;$4D;$0D;;;;;;$0A";
}

} // namespace

class CableListTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath("cable.txt");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write the test file");
        file.write(bytes);
        return path;
    }
    QString writeLines(const QStringList &lines, const char *end = "\r\n")
    {
        return write(lines.join(QLatin1String(end)).toLatin1() + end);
    }

private slots:
    void scanningSkipsShortLinesAndStopsAtEmptyLine()
    {
        const QString exactly25 = pad("51001 TWENTY-FIVE");
        const QString twentySix = pad("51002 TWENTY-SIX") + ";";
        QCOMPARE(exactly25.size(), 25);
        for (const char *end : {"\r\n", "\n"}) {
            const QString path = writeLines({"01/12/2026", exactly25, twentySix,
                                             pad("51003 BEFORE") + rs232Fields("9600"), "",
                                             pad("51004 HIDDEN") + rs232Fields("4800")},
                                            end);
            QCOMPARE(readCableRecords(path),
                     QStringList({twentySix, pad("51003 BEFORE") + rs232Fields("9600")}));
            const CableList cableList(path);
            QCOMPARE(cableList.registerCableLists().rs232,
                     QStringList({pad("51002 TWENTY-SIX"), pad("51003 BEFORE")}));
            QCOMPARE(cableList.findRs232Record("51004", MatchRule::Reference).speed, QString());
            QCOMPARE(cableList.cableNameForReference(51004), QStringLiteral("51004"));
        }
        // A last line without its line end is still read.
        const QString path = write((pad("51005 LAST") + rs232Fields("2400")).toLatin1());
        QCOMPARE(CableList(path).findRs232Record("51005", MatchRule::Reference).speed,
                 QStringLiteral("2400"));
    }

    void windowsCodePageBytesAreOneCharacterEach()
    {
        // "51007 JAUGE PROFONDEUR " + e-acute (0xE9) + " " = 25 bytes, then fields.
        QByteArray line = "51007 JAUGE PROFONDEUR \xE9 " + rs232Fields("9600").toLatin1();
        const CableList cableList(write(line + "\r\n"));
        QCOMPARE(cableList.registerCableLists().rs232,
                 QStringList({QStringLiteral("51007 JAUGE PROFONDEUR \u00E9 ")}));
    }

    void fieldsAreCountedFromTheEnd()
    {
        const QString longRecord = pad("51010 EXTRA FIELDS") + ";junk;more" + rs232Fields("1200");
        Rs232Record r = parseRs232Record(longRecord);
        QCOMPARE(r.speed, QStringLiteral("1200"));
        QCOMPARE(r.dataBits, QStringLiteral("8"));
        QCOMPARE(r.supply, QStringLiteral("12v"));
        QCOMPARE(r.interrogation[0], QStringLiteral("$4D"));
        QCOMPARE(r.interrogation[7], QStringLiteral("$0A"));

        // Too few fields: the missing leading ones are empty, the label is never one.
        const QString shortRecord = pad("51011 SHORT") + ";8;SANS";
        QCOMPARE(lastFields(shortRecord, 4), QStringList({"", "", "8", "SANS"}));
        r = parseRs232Record(shortRecord);
        QCOMPARE(r.speed, QString());
        QCOMPARE(r.interrogation[6], QStringLiteral("8"));
        QCOMPARE(r.interrogation[7], QStringLiteral("SANS"));
    }

    void listsAndMatchRules()
    {
        const QString first = pad("50432 PROG B") + rs232Fields("4800");
        const QString second = pad("50432 PROG A") + rs232Fields("1200");
        const QString path = writeLines({
            "01/12/2026", pad("51200 SECOND RS232") + rs232Fields("9600"),
            pad("51950 ANALOG") + ";1;2;3;4;5;6;7;8;3;", first,
            pad("51100 FIRST RS232") + rs232Fields("2400"), second,
            pad("50417 RS232 PROGRAMMABLE") + rs232Fields("600"),
            pad("52000 OTHER FAMILY") + rs232Fields("300")});
        const CableList cableList(path);

        const RegisterCableLists lists = cableList.registerCableLists();
        QCOMPARE(lists.rs232, QStringList({pad("51200 SECOND RS232"), pad("51100 FIRST RS232")}));
        QCOMPARE(lists.analog, QStringList({pad("51950 ANALOG")}));
        QCOMPARE(cableList.programmableCableList(),
                 QStringList({pad("50417 RS232 PROGRAMMABLE"), pad("50432 PROG A"),
                              pad("50432 PROG B")}));

        // By reference number the first record wins; by label each is found.
        QCOMPARE(cableList.findRs232Record(pad("50432 PROG A"), MatchRule::Reference).speed,
                 QStringLiteral("4800"));
        QCOMPARE(cableList.findRs232Record(pad("50432 PROG A"), MatchRule::Label).speed,
                 QStringLiteral("1200"));
        QCOMPARE(cableList.findRs232Record("50432 PROG", MatchRule::Label).speed, QString());
        QCOMPARE(cableList.findRs232Record("5043", MatchRule::Reference).speed, QString());
        // Lookups do not check the family.
        QCOMPARE(cableList.findRs232Record("52000", MatchRule::Reference).speed, QStringLiteral("300"));

        QCOMPARE(cableList.cableNameForReference(123), QStringLiteral("123"));
        QCOMPARE(cableList.cableNameForReference(50417), pad("50417 RS232 PROGRAMMABLE") + rs232Fields("600"));
        QCOMPARE(cableList.cableNameForReference(50432), first);
        QCOMPARE(referenceNumberOf(lists.rs232.first()), 51200);
        QCOMPARE(errorOf([] { referenceNumberOf("5A100 BAD"); }),
                 QStringLiteral("'5A100' n'est pas une valeur entière correcte"));
    }

    void findCableReference_data()
    {
        testsupport::columns<QString, QString>("text", "reference");
        QTest::newRow("none") << "ID 41 7" << "00000";
        QTest::newRow("empty") << "" << "00000";
        QTest::newRow("after text") << "RS232 50417 V2" << "50417";
        QTest::newRow("inside a number") << "150417" << "50417";
        QTest::newRow("first occurrence") << "A5043250417" << "50432";
        QTest::newRow("earlier 50 wins") << "1504 50417" << "504 5";
        QTest::newRow("short tail") << "X504" << "504";
    }
    void findCableReference()
    {
        QFETCH(QString, text);
        QFETCH(QString, reference);
        QCOMPARE(configtool::findCableReference(text), reference);
    }

    void loadingStopsAtTheFirstBadNumber()
    {
        const CableList cableList(writeLines({pad("51300 BAD BITS") + rs232Fields("9600", "8b"),
                                           pad("51301 GOOD") + rs232Fields("4800"),
                                           pad("51900 ANALOG") + ";old;$00;$00;$C0;$3F;"
                                                                 "$00;$00;$44;$C1;x;"}));
        Recorder rec;
        QCOMPARE(errorOf([&] {
                     loadRs232Record(cableList.findRs232Record("51300", MatchRule::Reference), rec);
                 }),
                 QStringLiteral("'8b' n'est pas une valeur entière correcte"));
        QCOMPARE(rec.calls, QStringList({"speed=9600"}));

        rec.calls.clear();
        loadRs232Record(cableList.findRs232Record("51301", MatchRule::Reference), rec);
        QCOMPARE(rec.calls, QStringList({"speed=4800", "bits=8", "parity=SANS", "eof=$0D",
                                         "unit=MM", "offset=1", "supply=12v", "i0=$4D",
                                         "i1=$0D", "i2=", "i3=", "i4=", "i5=", "i6=",
                                         "i7=$0A"}));

        // No match: the speed is emptied, then the empty data bits fail.
        rec.calls.clear();
        QCOMPARE(errorOf([&] {
                     loadRs232Record(cableList.findRs232Record("59999", MatchRule::Reference), rec);
                 }),
                 QStringLiteral("'' n'est pas une valeur entière correcte"));
        QCOMPARE(rec.calls, QStringList({"speed="}));

        rec.calls.clear();
        QCOMPARE(errorOf([&] { loadAnalogRecord(cableList.findAnalogRecord("51900"), rec); }),
                 QStringLiteral("'x' n'est pas une valeur entière correcte"));
        QCOMPARE(rec.calls, QStringList({"min", "max"}));
        QCOMPARE(rec.minimum, 1.5f);
        QCOMPARE(rec.maximum, -12.25f);

        // No analog match: both values are the all-255 bytes (not a number).
        rec.calls.clear();
        QVERIFY(!errorOf([&] { loadAnalogRecord(cableList.findAnalogRecord("51999"), rec); })
                     .isEmpty());
        QCOMPARE(rec.calls, QStringList({"min", "max"}));
        QVERIFY(std::isnan(rec.minimum) && std::isnan(rec.maximum));
    }

    void missingFile()
    {
        const CableList cableList(m_dir.filePath("absent.txt"));
        const QString message = QStringLiteral("Fichier introuvable");
        QCOMPARE(errorOf([&] { cableList.registerCableLists(); }), message);
        QCOMPARE(errorOf([&] { cableList.cableNameForReference(50417); }), message);
    }

    void starterListLoads()
    {
        const QString path = QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("01/12/2026\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));

        const CableList cableList(path);
        const RegisterCableLists lists = cableList.registerCableLists();
        const QStringList programmable = cableList.programmableCableList();
        QVERIFY(!lists.rs232.isEmpty() && !lists.analog.isEmpty());
        QCOMPARE(programmable.first(), pad("50417 RS232 PROGRAMMABLE"));
        QVERIFY(programmable.contains(pad("50432 RS232 PROG. 5V")));

        Recorder rec;
        for (const QString &label : lists.rs232)
            loadRs232Record(cableList.findRs232Record(label, MatchRule::Reference), rec);
        for (const QString &label : programmable)
            loadRs232Record(cableList.findRs232Record(label, MatchRule::Label), rec);
        for (const QString &label : lists.analog) {
            loadAnalogRecord(cableList.findAnalogRecord(label), rec);
            QVERIFY(std::isfinite(rec.minimum) && std::isfinite(rec.maximum));
            QVERIFY(rec.minimum < rec.maximum);
        }
        for (const QString &record : readCableRecords(path)) {
            const int fields = familyOf(record) == CableFamily::Analog ? 10 : 16;
            QCOMPARE(record.count(u';'), fields);
            QCOMPARE(record.indexOf(u';'), 25);
        }
    }
};

QTEST_GUILESS_MAIN(CableListTest)
#include "tst_cablelist.moc"
