#include "common/usererror.h"
#include "configtool/analogvalue.h"
#include "configtool/bytetext.h"
#include "configtool/registercommands.h"
#include "configtool/registers.h"
#include "tests/support/datacolumns.h"

#include <QTest>

using namespace configtool;

namespace {

const QLocale french(QLocale::French, QLocale::France);
const QLocale english(QLocale::English, QLocale::UnitedStates);

QString floatError(const QString &text, const QLocale &locale)
{
    try {
        parseAnalogValue(text, locale);
    } catch (const common::UserError &e) {
        return e.text();
    }
    return QStringLiteral("<no error>");
}

} // namespace

class RegistersTest : public QObject {
    Q_OBJECT

private slots:
    void char2int_data()
    {
        testsupport::columns<QString, int>("text", "value");
        QTest::newRow("upper hex") << "$0D" << 13;
        QTest::newRow("lower hex") << "$7f" << 127;
        QTest::newRow("non-hex digit counts 0") << "$/1" << 1;
        QTest::newRow("one character") << "T" << 84;
        QTest::newRow("lone dollar") << "$" << 36;
        QTest::newRow("code page character") << "\u20AC" << 0x80;
        QTest::newRow("three without dollar") << "ABC" << 0;
        QTest::newRow("empty") << "" << 255;
        QTest::newRow("two characters") << "$0" << 255;
    }
    void char2int()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(configtool::char2int(text), value);
    }

    void inputFilters_data()
    {
        testsupport::columns<QString, QString, QString>("typed", "box", "cell");
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("dollar") << "$" << "$" << "$";
        QTest::newRow("bad third digit") << "$0G" << "" << "";
        QTest::newRow("bad second digit") << "$x" << "" << "";
        QTest::newRow("lower case kept") << "$0d" << "$0d" << "$0d";
        QTest::newRow("fourth character cut") << "$0D1" << "$0D" << "$0D";
        QTest::newRow("T") << "T" << "" << "T";
        QTest::newRow("other start") << "0D" << "" << "";
    }
    void inputFilters()
    {
        QFETCH(QString, typed);
        QFETCH(QString, box);
        QFETCH(QString, cell);
        QCOMPARE(filterHexText(typed), box);
        QCOMPARE(filterGridCellText(typed), cell);
    }

    void rs232HeaderFromPage()
    {
        Rs232PageSettings page;
        page.speed = "4800";
        page.dataBits = 7;
        page.parityNames = {"NONE", "EVEN", "ODD"}; // captions from a language file
        page.parity = "ODD";
        page.endOfFrame = "$0d";
        page.unit = "INCH";
        page.offset = 31;
        page.interrogation = {"$4D", "$0", "", "T", "$7F", "", "", "$00"};
        page.reference = 300;
        const std::optional<HeaderValues> values = rs232HeaderValues(page);
        QVERIFY(values);
        QCOMPARE(*values, (HeaderValues{2, 7, 'I', 13, 2, 31, 255, 255,      // A .. H
                                        0x4D, 255, 255, 255, 0x7F, 255, 255, 0, // I .. P
                                        44, 1}));                               // Q, R

        page.speed = "300";
        page.parity = "NON"; // names no parity
        page.unit = "";
        page.reference = 51200;
        const HeaderValues other = *rs232HeaderValues(page);
        QCOMPARE((std::array{other[0], other[2], other[4], other[16], other[17]}),
                 (std::array{255, 255, 9, 0, 200}));
        page.endOfFrame = "$0";
        QVERIFY(!rs232HeaderValues(page));

        // The cable list's names count in every language, whatever their case;
        // an empty text names nothing, even beside empty entries.
        QCOMPARE(parityCode("paire", page.parityNames), int('P'));
        QCOMPARE(parityCode("Odd", page.parityNames), int('I'));
        QCOMPARE(parityCode("", {"", "", ""}), 255);
    }

    void textsFromReadRegisters()
    {
        QCOMPARE(speedText(8), std::optional<QString>("1200"));
        QCOMPARE(speedText(3), std::nullopt);
        QCOMPARE(parityIndex('P'), std::optional<int>(1));
        QCOMPARE(parityIndex('p'), std::nullopt);
        QCOMPARE(unitText(9), std::optional<QString>(""));
        QCOMPARE(unitText(0), std::nullopt);
        QCOMPARE(byteText(0x0d), QStringLiteral("$0D"));
        QCOMPARE(interrogationText(255), QString());
        QCOMPARE(gridCellText(254), QStringLiteral("T"));
        QCOMPARE(gridCellText(0), QStringLiteral("$00"));

        HeaderValues read{};
        read[16] = 44;
        read[17] = 1;
        QCOMPARE(referenceFromRegisters(read), 300);
    }

    void analogValues()
    {
        QCOMPARE(floatToBytes(1.5f), (FloatBytes{0x00, 0x00, 0xC0, 0x3F}));
        QCOMPARE(floatToBytes(-12.25f), (FloatBytes{0x00, 0x00, 0x44, 0xC1}));
        const HeaderValues values = analogHeaderValues(1.5f, -12.25f, 2, 51901);
        QCOMPARE(values, (HeaderValues{0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0x44, 0xC1, 2,
                                       255, 255, 255, 255, 255, 255, 255, 0xBD, 0xCA}));
        QCOMPARE(analogMinimum(values), 1.5f);
        QCOMPARE(analogMaximum(values), -12.25f);

        QCOMPARE(formatAnalogValue(-12.25f, english), QStringLiteral("-12.250"));
        QCOMPARE(formatAnalogValue(1234.5f, english), QStringLiteral("1234.500"));
        QCOMPARE(formatAnalogValue(1.5f, french), QStringLiteral("1,500"));
        QCOMPARE(formatAnalogValue(-0.0001f, english), QStringLiteral("0.000"));

        QCOMPARE(parseAnalogValue("1,5", french), 1.5f);
        QCOMPARE(parseAnalogValue(" -12.25 ", english), -12.25f);
        QCOMPARE(floatError("1.5", french),
                 QStringLiteral("'1.5' n'est pas une valeur en virgule flottante correcte"));
        QCOMPARE(floatError("1,500", english),
                 QStringLiteral("'1,500' n'est pas une valeur en virgule flottante correcte"));
        for (const char *unfit : {"1e39", "nan", "inf"})
            QCOMPARE(floatError(unfit, english),
                     QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte")
                         .arg(unfit));
    }

    void gridRegisters()
    {
        QCOMPARE(gridRegisterCode(0, 1), 0x59);
        QCOMPARE(gridRegisterCode(9, 8), 0xA8);
        QCOMPARE(gridCellValue("T"), 254);
        QCOMPARE(gridCellValue(""), 255);
        QCOMPARE(gridCellValue("$7F"), 127);
        QCOMPARE(registerFailureNumber('C'), 3);
        QCOMPARE(registerFailureNumber(0x59), 113);
        QCOMPARE(registerFailureNumber(0xA8), 192);
    }

    void commandBytes()
    {
        QCOMPARE(readRegisterCommand('Q'), QByteArray("@RQ\r\n"));
        QCOMPARE(programRegisterCommand('D', 13), QByteArray("@PD\r\r\n"));
        QCOMPARE(programRegisterCommand(0xA8, 0xFE), QByteArray("@P\xA8\xFE\r\n"));
        QCOMPARE(programRegisterCommand('A', 0), QByteArray("@PA\0\r\n", 6));
        QCOMPARE(programRegisterCommand('D', 10), QByteArray("@PD\n"));
    }
};

QTEST_GUILESS_MAIN(RegistersTest)
#include "tst_registers.moc"
