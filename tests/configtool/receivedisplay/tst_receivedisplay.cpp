// What one tick of the receive area takes from a scripted port.
#include "configtool/receivedisplay.h"
#include "tests/support/datacolumns.h"
#include "tests/support/fakes.h"

#include <QTest>

using namespace configtool;
using namespace testsupport;

class TestReceiveDisplay : public QObject {
    Q_OBJECT
private slots:
    void batches_data()
    {
        columns<QByteArray, QString, bool, bool, QByteArray>("incoming", "text", "received", "endsLine", "left");

        QTest::newRow("line") << QByteArray("abc\r\n") << "abc" << true << true << QByteArray();
        QTest::newRow("unprintable as spaces")
            << QByteArray("a\x01" "b\x7f\xe9" "c") << "a b  c" << true << false << QByteArray();
        QTest::newRow("only CR shows nothing") << QByteArray("\r\r") << "" << false << false << QByteArray();
        QTest::newRow("bare LF still ends a line") << QByteArray("\n") << "" << true << true << QByteArray();
        QTest::newRow("LF ends the batch") << QByteArray("ab\ncd\n") << "ab" << true << true << QByteArray("cd\n");
        QTest::newRow("zero byte ends the batch and is lost")
            << QByteArray("ab\0cd", 5) << "ab" << true << false << QByteArray("cd");
    }

    void batches()
    {
        QFETCH(QByteArray, incoming);
        FakeClock clock;
        FakeSerialPorts ports(clock);
        ports.plug(2);
        QCOMPARE(ports.SioReset(2, 2048, 512), 0);
        ports.arrive(2, incoming);

        QFETCH(QString, text);
        QFETCH(bool, received);
        QFETCH(bool, endsLine);
        QFETCH(QByteArray, left);
        const ReceivedBatch batch = gatherIncoming(ports, 2);
        QCOMPARE(batch.text, text);
        QCOMPARE(batch.received, received);
        QCOMPARE(batch.endsLine, endsLine);
        QVERIFY(!batch.gone);

        QByteArray rest;
        for (int c; (c = ports.SioGetc(2)) >= 0;)
            rest.append(char(c));
        QCOMPARE(rest, left);
    }

    // At most 128 gets per tick, CRs included; the rest waits for the next tick.
    void longLineGoesOnOverTicks()
    {
        FakeClock clock;
        FakeSerialPorts ports(clock);
        ports.plug(0);
        ports.SioReset(0, 2048, 512);
        const QByteArray line = QByteArray(127, 'x') + "\r" + "yz\r\n";
        ports.arrive(0, line);

        ReceivedBatch first = gatherIncoming(ports, 0);
        QCOMPARE(first.text, QString(127, u'x'));
        QVERIFY(!first.endsLine);
        ReceivedBatch second = gatherIncoming(ports, 0);
        QCOMPARE(second.text, QStringLiteral("yz"));
        QVERIFY(second.endsLine);
        ReceivedBatch idle = gatherIncoming(ports, 0);
        QVERIFY(!idle.received);
    }

    // Where line breaks go when text is added after a last line of a given length.
    void longLinesAreBroken_data()
    {
        columns<QString, int, QString>("text", "lastLine", "shown");
        QTest::newRow("fits") << "ab" << 2 << "ab";
        QTest::newRow("goes past") << "abcdef" << 2 << "ab\ncdef";
        QTest::newRow("line already full") << "a" << 4 << "\na";
        QTest::newRow("full line then its end: no empty line") << "ab\n" << 2 << "ab\n";
        QTest::newRow("a line end starts the count again") << "a\nbcdefg" << 3 << "a\nbcde\nfg";
    }

    void longLinesAreBroken()
    {
        QFETCH(QString, text);
        QFETCH(int, lastLine);
        QFETCH(QString, shown);
        QCOMPARE(breakLongLines(text, lastLine, 4), shown);
    }

    void lostDeviceIsReported()
    {
        FakeClock clock;
        FakeSerialPorts ports(clock);
        ports.plug(0);
        ports.SioReset(0, 2048, 512);
        ports.device(0).gone = true;
        const ReceivedBatch batch = gatherIncoming(ports, 0);
        QVERIFY(batch.gone);
        QVERIFY(!batch.received);

        // A port that was never opened is no lost device: nothing waits, that is all.
        QVERIFY(!gatherIncoming(ports, 5).gone);
    }
};

QTEST_GUILESS_MAIN(TestReceiveDisplay)
#include "tst_receivedisplay.moc"
