#include "acquisition/valuekeys.h"
#include "tests/support/datacolumns.h"
#include "tests/support/recordingkeysink.h"

#include <QTest>

using namespace acquisition;

namespace {

// The expected event list for a sequence of virtual-key codes.
QStringList pairs(std::initializer_list<const char *> codes)
{
    QStringList events;
    for (const char *code : codes)
        events << QStringLiteral("down ") + code << QStringLiteral("up ") + code;
    return events;
}

} // namespace

class TestKeys : public QObject {
    Q_OBJECT
private slots:
    void valueKeys_data()
    {
        testsupport::columns<QString, QStringList>("value", "events");
        QTest::newRow("negative decimal") << "-12.5" << pairs({"0x6D", "0x61", "0x62", "0x6E", "0x65"});
        QTest::newRow("every digit and plus")
            << "+0123456789"
            << pairs({"0x6B", "0x60", "0x61", "0x62", "0x63", "0x64", "0x65", "0x66", "0x67", "0x68", "0x69"});
        QTest::newRow("decimal comma") << "1,5" << pairs({"0x61", "0x6E", "0x65"});
        QTest::newRow("blanks, units and V") << " V12 mm" << pairs({"0x61", "0x62"});
        QTest::newRow("digits of other scripts") << QStringLiteral("\u0661\uFF12") << QStringList();
        QTest::newRow("empty") << "" << QStringList();
    }
    void valueKeys()
    {
        QFETCH(QString, value);
        RecordingKeySink sink;
        typeValue(sink, value);
        QTEST(sink.events(), "events");
        // One Num Lock scope per value, closed again; none when nothing is typed.
        QCOMPARE(sink.valuesBegun(), sink.keys().isEmpty() ? 0 : 1);
        QCOMPARE(sink.openValues(), 0);
    }
};

QTEST_GUILESS_MAIN(TestKeys)
#include "tst_valuekeys.moc"
