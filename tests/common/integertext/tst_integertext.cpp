#include "common/integertext.h"
#include "common/usererror.h"
#include "tests/support/datacolumns.h"

#include <QTest>

class IntegerTextTest : public QObject {
    Q_OBJECT
private slots:
    void accepted_data()
    {
        testsupport::columns<QString, int>("text", "value");
        QTest::newRow("plain") << "25" << 25;
        QTest::newRow("leading blanks") << "  -5" << -5;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("plus") << "+3" << 3;
        QTest::newRow("minus") << "-5" << -5;
        QTest::newRow("hex") << "$1f" << 31;
        QTest::newRow("negative hex") << "-$10" << -16;
        QTest::newRow("0x") << "0x1F" << 31;
        QTest::newRow("0X") << "0X1f" << 31;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
    }
    void accepted()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(common::toInteger(text), value);
    }

    void refused_data()
    {
        testsupport::columns<QString>("text");
        for (const char *text : {"", " ", "\t5", "- 5", "5 ", "5\t", "1.0", "abc", "$", "-", "--5", "+-5", "$-5",
                                 "$ 1", "0x", "0x 1", "1e3", "2147483648", "-2147483649", "99999999999"})
            QTest::newRow(text) << QString::fromLatin1(text);
        QTest::newRow("arabic-indic digit") << QStringLiteral("\u0663");
        QTest::newRow("fullwidth digit") << QStringLiteral("\uFF15");
    }
    void refused()
    {
        QFETCH(QString, text);
        try {
            common::toInteger(text);
            QFAIL("accepted");
        } catch (const common::UserError &error) {
            QCOMPARE(error.text(), QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(text));
        }
    }
};

QTEST_GUILESS_MAIN(IntegerTextTest)
#include "tst_integertext.moc"
