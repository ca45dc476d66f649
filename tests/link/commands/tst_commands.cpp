#include "link/commands.h"
#include "link/identification.h"
#include "link/models.h"
#include "link/readingline.h"
#include "tests/support/datacolumns.h"

#include <QTest>

#include <tuple>

using namespace muxlink;

namespace {

using Shown = std::tuple<bool, QString, int, CableConfiguration>;

Shown shown(const ModelInfo &info) { return {info.changesStatus, info.statusText, info.inputs, info.cable}; }

} // namespace

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
        testsupport::columns<QByteArray, QString, QString, bool>("line", "model", "version", "recognised");
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
        using Cable = CableConfiguration;
        QCOMPARE(shown(modelInfo("D", 0, "Mux ")), Shown(true, "Vantor -> COM1", 8, Cable::ProgrammableCable));
        QCOMPARE(shown(modelInfo("A", 4, "Mux ")), Shown(true, "Brisca -> COM5", 8, Cable::None));
        QCOMPARE(shown(modelInfo("M", 15, "Mux ")), Shown(true, "Pellum -> COM16", 3, Cable::CableTypeChooser));
        QCOMPARE(shown(modelInfo("8", 2, "Multiplexeur ")),
                 Shown(true, "Multiplexeur 8 -> COM3", 8, Cable::CableTypeChooser));
        QCOMPARE(modelInfo("2", 0, "").inputs, 2);
        QCOMPARE(modelInfo("4", 0, "").inputs, 4);
        // Any letter up to '9' is a digit model; its inputs stay as they were.
        QCOMPARE(shown(modelInfo("5", 0, "P")), Shown(true, "P5 -> COM1", 0, Cable::CableTypeChooser));
        QCOMPARE(shown(modelInfo("B", 0, "P")), Shown(false, "", 0, Cable::Nothing));
    }

    // The reading-mode window's boxes follow the digit models alone; a
    // lettered model, even with eight inputs, leaves them as they are.
    void instrumentBoxes()
    {
        QCOMPARE(instrumentBoxCount("2"), std::optional<int>(2));
        QCOMPARE(instrumentBoxCount("4"), std::optional<int>(4));
        QCOMPARE(instrumentBoxCount("8"), std::optional<int>(8));
        for (const char *other : {"D", "A", "M", "5", "", "88"})
            QCOMPARE(instrumentBoxCount(other), std::nullopt);
    }

    void inputMasks()
    {
        QCOMPARE(inputMask({}), quint8(0));
        QCOMPARE(inputMask({true, false, true, false, false, false, false, true}), quint8(0x85));
        QCOMPARE(inputMask({true, true, true, true, true, true, true, true}), quint8(0xFF));
        QVERIFY(maskHasInput(0x85, 1) && maskHasInput(0x85, 3) && maskHasInput(0x85, 8));
        QVERIFY(!maskHasInput(0x85, 2) && !maskHasInput(0xFF, 0) && !maskHasInput(0xFF, 9));
    }

    void readingLines_data()
    {
        testsupport::columns<QByteArray, QString, QString>("bytes", "line", "value");
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
