#include "common/textlines.h"
#include "tests/support/datacolumns.h"

#include <QTest>

class TestTextLines : public QObject {
    Q_OBJECT
private slots:
    void splitsAtEveryLineEnd_data()
    {
        testsupport::columns<QString, QStringList>("text", "lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one line, no end") << QStringLiteral("a") << QStringList{"a"};
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("CR") << QStringLiteral("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("LF, last not ended") << QStringLiteral("a\nb") << QStringList{"a", "b"};
        QTest::newRow("mixed") << QStringLiteral("a\r\n\rb\n\nc") << QStringList{"a", "", "b", "", "c"};
        // LF CR is two line ends, not one.
        QTest::newRow("LF CR") << QStringLiteral("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("only ends") << QStringLiteral("\r\n\n") << QStringList{"", ""};
        QTest::newRow("blanks kept") << QStringLiteral(" a \t\r\n ") << QStringList{" a \t", " "};
    }
    void splitsAtEveryLineEnd()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(common::splitLines(text), lines);
    }
};

QTEST_GUILESS_MAIN(TestTextLines)
#include "tst_textlines.moc"
