#include "link/commands.h"
#include "link/identification.h"
#include "link/models.h"
#include "link/readingline.h"

#include <QTest>

using namespace muxlink;

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void commandBytes()
    {
        QCOMPARE(identifyCommand(), QByteArray("@*?\r\n"));
        QCOMPARE(selectCommand(3), QByteArray("@*N3\r\n"));
        QCOMPARE(readInstrumentCommand(), QByteArray("@*LD\r\n"));
        QCOMPARE(retroCommand(0), QByteArray("@*L0\r\n"));
        QCOMPARE(retroCommand(9), QByteArray("@*L9\r\n"));
        QCOMPARE(cableIdentityCommand(), QByteArray("@*AT\r\n"));
        // Inputs 2 and 4: the mask is a raw line feed; inputs 1, 3, 4 a raw CR.
        QCOMPARE(multipleCommand(0x0A), QByteArray("@*M0\x0A\r\n"));
        QCOMPARE(multipleCommand(0x0D), QByteArray("@*M0\x0D\r\n"));
        QCOMPARE(multipleCommand(0xFF), QByteArray("@*M0\xFF\r\n"));
    }

    void identification_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("recognised");
        QTest::newRow("DX") << QByteArray("DX MUXSIM v3 S/N 1") << "D" << "3" << true;
        QTest::newRow("MX") << QByteArray("MX MUXSIM v1") << "M" << "1" << true;
        QTest::newRow("M8") << QByteArray("M8 MUXSIM v2") << "8" << "2" << true;
        QTest::newRow("B4") << QByteArray("B4 MUXSIM v0") << "4" << "0" << true;
        QTest::newRow("BX") << QByteArray("BX") << "B" << "" << true;
        QTest::newRow("Z8 sets but is refused") << QByteArray("Z8 MUXSIM v5") << "8" << "5" << false;
        QTest::newRow("one character") << QByteArray("M") << "" << "" << true;
        QTest::newRow("empty") << QByteArray() << "" << "" << false;
        QTest::newRow("X alone at 1") << QByteArray("X") << "" << "" << false;
    }
    void identification()
    {
        QFETCH(QByteArray, line);
        const Identification id = parseIdentification(line);
        QTEST(id.model, "model");
        QTEST(id.version, "version");
        QTEST(id.recognised, "recognised");
    }

    void modelTable()
    {
        ModelInfo d = modelInfo("D", 0, "Mux ");
        QCOMPARE(d.statusText, QString("Vantor -> COM1"));
        QCOMPARE(d.inputs, 8);
        QCOMPARE(d.cable, CableConfiguration::ProgrammableCable);
        ModelInfo a = modelInfo("A", 4, "Mux ");
        QCOMPARE(a.statusText, QString("Brisca -> COM5"));
        QCOMPARE(a.cable, CableConfiguration::None);
        ModelInfo m = modelInfo("M", 15, "Mux ");
        QCOMPARE(m.statusText, QString("Pellum -> COM16"));
        QCOMPARE(m.inputs, 3);
        QCOMPARE(m.cable, CableConfiguration::CableTypeChooser);
        ModelInfo eight = modelInfo("8", 2, "Multiplexeur ");
        QCOMPARE(eight.statusText, QString("Multiplexeur 8 -> COM3"));
        QCOMPARE(eight.inputs, 8);
        QCOMPARE(modelInfo("2", 0, "").inputs, 2);
        QCOMPARE(modelInfo("4", 0, "").inputs, 4);
        // Any letter up to '9' is a digit model; its inputs stay as they were.
        ModelInfo five = modelInfo("5", 0, "P");
        QVERIFY(five.changesStatus);
        QCOMPARE(five.inputs, 0);
        QCOMPARE(five.cable, CableConfiguration::CableTypeChooser);
        ModelInfo b = modelInfo("B", 0, "P");
        QVERIFY(!b.changesStatus);
        QCOMPARE(b.cable, CableConfiguration::Nothing);
    }

    void readingLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("value");
        QTest::newRow("short whole") << QByteArray("V0012345\r\n") << "V0012345" << "V0012345";
        QTest::newRow("30 characters")
            << QByteArray("V1 IN1 #0001 +0000012.500 MMX\r\n") << "V1 IN1 #0001 +0000012.500 MMX"
            << "+0000012.500 ";
        QTest::newRow("V and 20") << QByteArray("V12345678901234567890\n")
                                  << "V12345678901234567890" << "34567890";
        QTest::newRow("noise before V") << QByteArray("\x01zz\xFFV123\n") << "V123" << "V123";
        QTest::newRow("control inside dropped") << QByteArray("V1\x00" "2\x7F" "3\xC3\n", 8) << "V123" << "V123";
        QTest::newRow("no V") << QByteArray("12345\r\n") << "" << "";
        QTest::newRow("13 characters") << QByteArray("V123456789012\n") << "V123456789012" << "";
    }
    void readingLines()
    {
        QFETCH(QByteArray, bytes);
        ReadingLineCollector collector;
        bool ended = false;
        for (char c : bytes) {
            QVERIFY(!ended);
            ended = collector.feed(static_cast<unsigned char>(c));
        }
        QVERIFY(ended);
        QTEST(QString::fromLatin1(collector.line()), "line");
        QTEST(extractValue(QString::fromLatin1(collector.line())), "value");
    }

    void overlongLinesStayBounded()
    {
        ReadingLineCollector reading;
        PrintableLineCollector printable;
        reading.feed('V');
        for (int i = 0; i < 100000; ++i) {
            QVERIFY(!reading.feed('7'));
            QVERIFY(!printable.feed('7'));
        }
        QCOMPARE(reading.line().size(), kMaxLineLength);
        QCOMPARE(printable.line().size(), kMaxLineLength);
        QVERIFY(reading.feed('\n'));
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_commands.moc"
