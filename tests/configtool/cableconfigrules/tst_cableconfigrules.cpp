// What the cable configuration button does, by model letter, version and chosen input.
#include "configtool/cableconfigrules.h"
#include "configtool/setrixtexts.h"
#include "tests/support/datacolumns.h"

#include <QTest>

using namespace configtool;
using Box = CableConfigStep::Box;
using Next = CableConfigStep::Next;

Q_DECLARE_METATYPE(Box)
Q_DECLARE_METATYPE(Next)

namespace {

// Each message line holds its own number, so a box's text shows which lines built it.
SetrixTexts numberedTexts()
{
    SetrixTexts texts;
    CaptionRegistry registry(captionTable());
    texts.registerTargets(registry);
    QStringList lines;
    for (int line = 1; line <= languageLineCount; ++line)
        lines << QStringLiteral("<%1>").arg(line);
    registry.apply(lines);
    return texts;
}

} // namespace

class TestCableRules : public QObject {
    Q_OBJECT
private slots:
    void rules_data()
    {
        testsupport::columns<QString, QString, int, Box, QString, bool, Next>(
            "model", "version", "instrument", "box", "text", "hideMore", "next");

        const QString choose = QStringLiteral("<63>");
        QTest::newRow("M") << "M" << "0" << 0 << Box::Information << "<47> 3" << false << Next::OpenCableTypeChooser;

        QTest::newRow("8 v0") << "8" << "0" << 0 << Box::None << "" << false << Next::OpenCableTypeChooser;
        QTest::newRow("8 v1") << "8" << "1" << 0 << Box::Information << "<47> 5" << true << Next::OpenCableTypeChooser;
        QTest::newRow("8 v5 none") << "8" << "5" << 0 << Box::Information << choose << false << Next::Stop;
        QTest::newRow("8 v5 chosen") << "8" << "5" << 4 << Box::None << "" << false << Next::OpenCableTypeChooser;

        QTest::newRow("4 v2") << "4" << "2" << 1 << Box::Error << "<48>4 <49>" << false << Next::Stop;
        QTest::newRow("4 no version") << "4" << "" << 1 << Box::Error << "<48>4 <49>" << false << Next::Stop;
        QTest::newRow("4 v3") << "4" << "3" << 0 << Box::Information << "<47> 1" << true << Next::OpenCableTypeChooser;
        QTest::newRow("4 v4 none") << "4" << "4" << 0 << Box::Information << choose << false << Next::Stop;
        QTest::newRow("4 v9 chosen") << "4" << "9" << 2 << Box::None << "" << false << Next::OpenCableTypeChooser;
        // Letters sort after digits: a letter version counts as "above".
        QTest::newRow("4 vA chosen") << "4" << "A" << 2 << Box::None << "" << false << Next::OpenCableTypeChooser;

        QTest::newRow("2 v1") << "2" << "1" << 1 << Box::Error << "<48>2 <49>" << false << Next::Stop;
        QTest::newRow("2 v2") << "2" << "2" << 0 << Box::Information << "<47> 1" << true << Next::OpenCableTypeChooser;
        QTest::newRow("2 v3 none") << "2" << "3" << 0 << Box::Information << choose << false << Next::Stop;
        QTest::newRow("2 v3 chosen") << "2" << "3" << 1 << Box::None << "" << false << Next::OpenCableTypeChooser;

        QTest::newRow("D none") << "D" << "1" << 0 << Box::Information << choose << false << Next::Stop;
        QTest::newRow("D chosen") << "D" << "1" << 5 << Box::None << "" << false << Next::CheckCableIdentity;

        // Other digit models open the chooser without a version check; other letters open nothing.
        QTest::newRow("digit 6") << "6" << "0" << 0 << Box::None << "" << false << Next::OpenCableTypeChooser;
        QTest::newRow("A") << "A" << "9" << 1 << Box::None << "" << false << Next::Stop;
        QTest::newRow("B") << "B" << "9" << 1 << Box::None << "" << false << Next::Stop;
        QTest::newRow("no model") << "" << "" << 0 << Box::None << "" << false << Next::Stop;
    }

    void rules()
    {
        QFETCH(QString, model);
        QFETCH(QString, version);
        QFETCH(int, instrument);
        QFETCH(Box, box);
        QFETCH(QString, text);
        QFETCH(bool, hideMore);
        QFETCH(Next, next);
        const CableConfigStep step = cableConfigStep(model, version, instrument, numberedTexts());
        QCOMPARE(step.box, box);
        QCOMPARE(step.boxText, text);
        QCOMPARE(step.hideMoreButton, hideMore);
        QCOMPARE(step.next, next);
    }

    void programmableCableReply()
    {
        QVERIFY(isProgrammableCableReply(QStringLiteral("AT 50417 RS232 PROG")));
        QVERIFY(isProgrammableCableReply(QStringLiteral("50432")));
        QVERIFY(!isProgrammableCableReply(QStringLiteral("AT 50418")));
        QVERIFY(!isProgrammableCableReply(QStringLiteral("5041")));
        QVERIFY(!isProgrammableCableReply(QString()));
    }
};

QTEST_GUILESS_MAIN(TestCableRules)
#include "tst_cableconfigrules.moc"
