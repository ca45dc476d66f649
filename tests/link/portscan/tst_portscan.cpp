// Scans, probes and reading waits of both programs against scripted ports.
#include "link/acquisitionlink.h"
#include "link/configtoollink.h"
#include "link/commands.h"
#include "link/linereader.h"
#include "link/opensequence.h"
#include "tests/support/fakes.h"

#include <QTest>

using namespace muxlink;
using namespace testsupport;

namespace {

// A multiplexer on the port: answers "@*?" after replyDelayMs.
void answerIdentification(FakeSerialPorts &fake, int muxPort, const QByteArray &line,
                          qint64 replyDelayMs = 20, qint64 lineFeedDelayMs = 0)
{
    fake.onWrite = [=](FakeSerialPorts &f, int port, const QByteArray &written) {
        if (port != muxPort || !written.endsWith("@*?\r\n"))
            return;
        f.arrive(port, line + "\r", replyDelayMs, 1);
        f.arrive(port, "\n", replyDelayMs + line.size() + 1 + lineFeedDelayMs);
    };
}

struct Rig {
    explicit Rig(std::initializer_list<int> plugged)
    {
        for (int port : plugged)
            ports.plug(port);
    }

    FakeClock clock;
    FakeSerialPorts ports {clock};
    FakeEventPump pump {clock, &ports};
};

} // namespace

class TestScan : public QObject {
    Q_OBJECT
private slots:
    void openSequences()
    {
        Rig rig({0});
        QVERIFY(openSequenceA(rig.ports, 0));
        QCOMPARE(rig.ports.calls, QStringList({"SioDone(0)", "SioReset(0)", "SioBaud(0)",
                                               "SioParms(0,0,0,8)", "SioFlow(0,N)", "SioDTR(0)",
                                               "SioRTS(0)"}));
        rig.ports.calls.clear();
        const qint64 before = rig.clock.now;
        QVERIFY(openSequenceB(rig.ports, rig.pump, rig.clock, 0));
        QCOMPARE(rig.ports.calls, QStringList({"SioDone(0)", "SioReset(0)", "SioDTR(0)", "SioRTS(0)",
                                               "SioBaud(0)", "SioParms(0,0,2,8)", "SioFlow(0,S)"}));
        QCOMPARE(rig.clock.now - before, qint64(2000));
        QVERIFY(rig.pump.waitCalls > 0);

        // A failing step stops sequence A; the acquisition program ignores DTR/RTS.
        rig.ports.failing = QStringList {"SioDTR"};
        rig.ports.calls.clear();
        QVERIFY(!openSequenceA(rig.ports, 0));
        QVERIFY(!rig.ports.calls.contains("SioRTS(0)"));
        QVERIFY(openSequenceB(rig.ports, rig.pump, rig.clock, 0));
        rig.ports.failing = QStringList {"SioParms"};
        QVERIFY(!openSequenceB(rig.ports, rig.pump, rig.clock, 0));
    }

    void configToolFindsThirdPort()
    {
        Rig rig({0, 1, 2});
        answerIdentification(rig.ports, 2, "M8 MUXSIM v4 S/N 000123");
        ConfigToolLink link(rig.ports, rig.pump, rig.clock);
        const qint64 start = rig.clock.now;
        QCOMPARE(link.scan(), ScanResult::Found);
        QCOMPARE(link.port(), 2);
        QCOMPARE(link.model(), QString("8"));
        QCOMPARE(link.version(), QString("4"));
        QVERIFY(link.found());
        // Silent ports cost 2 s of serving events plus the 500 ms read each.
        const qint64 spent = rig.clock.now - start;
        QVERIFY2(spent >= 3 * 2000 + 2 * 500 && spent < 3 * 2000 + 2 * 500 + 200,
                 qPrintable(QString::number(spent)));
        QCOMPARE(rig.ports.device(0).written, QByteArray("@*?\r\n"));
        QVERIFY(!rig.ports.device(0).open);
        QVERIFY(!rig.ports.device(1).open);
        // The found port was opened again, which drops the rest of the line.
        QVERIFY(rig.ports.device(2).open);
        QCOMPARE(rig.ports.calls.filter("SioReset(2)").size(), 2);
    }

    void configToolRejects()
    {
        struct Case { QByteArray line; qint64 lineFeedDelay; };
        const Case cases[] = {
            {"Z8 MUXSIM v1", 0},   // wrong family
            {"DX MUXSIM v1", 600}, // line feed too late
        };
        for (const Case &c : cases) {
            Rig rig({0});
            answerIdentification(rig.ports, 0, c.line, 20, c.lineFeedDelay);
            ConfigToolLink link(rig.ports, rig.pump, rig.clock);
            QCOMPARE(link.scan(), ScanResult::NotFound);
            QCOMPARE(link.port(), 15);
            QVERIFY(!rig.ports.device(0).open);
        }
    }

    void unopenablePortsCostNothing()
    {
        Rig rig({5});
        answerIdentification(rig.ports, 5, "DX MUXSIM v1");
        ConfigToolLink link(rig.ports, rig.pump, rig.clock);
        const qint64 start = rig.clock.now;
        QCOMPARE(link.scan(), ScanResult::Found);
        QCOMPARE(link.port(), 5);
        QVERIFY(rig.clock.now - start < 2200);
    }

    void noReentryDuringProbeWait()
    {
        Rig rig({0});
        ConfigToolLink link(rig.ports, rig.pump, rig.clock);
        int nested = 0;
        ScanResult inner = ScanResult::Found;
        int innerSend = 0;
        rig.pump.onEvents = [&] {
            if (nested++ == 0) {
                inner = link.scan(); // the connect button clicked again
                innerSend = link.send(readInstrumentCommand());
            }
        };
        QCOMPARE(link.scan(), ScanResult::NotFound);
        QCOMPARE(inner, ScanResult::Busy);
        QCOMPARE(innerSend, SIO_BUSY);
        QCOMPARE(rig.ports.device(0).written, QByteArray("@*?\r\n"));
    }

    void closingStopsTheScan()
    {
        Rig rig({0, 1, 2});
        answerIdentification(rig.ports, 2, "M8 MUXSIM v4 S/N 000123");
        ConfigToolLink link(rig.ports, rig.pump, rig.clock);
        rig.pump.onEvents = [&] {
            if (rig.ports.device(1).open)
                link.close(); // the window closed while COM2 was being probed
        };
        QCOMPARE(link.scan(), ScanResult::Cancelled);
        QVERIFY(!link.found());
        QVERIFY(!link.scanning());
        QCOMPARE(rig.ports.device(1).written, QByteArray());
        QCOMPARE(rig.ports.calls.filter("(2)").size(), 0);
        for (int p : {0, 1, 2})
            QVERIFY(!rig.ports.device(p).open);

        // The next scan is not cancelled by the last one.
        rig.pump.onEvents = nullptr;
        QCOMPARE(link.scan(), ScanResult::Found);
        QCOMPARE(link.port(), 2);
    }

    void lineReadStopsAtDeadlineAndOnLoss()
    {
        Rig rig({0});
        QVERIFY(openSequenceA(rig.ports, 0));
        rig.ports.arrive(0, "AB\x01" "C\r\n", 100, 1);
        LineResult r = readLineWithin(rig.ports, rig.clock, 0, 500);
        QVERIFY(r.complete);
        QCOMPARE(r.line, QByteArray("ABC"));

        const qint64 start = rig.clock.now;
        r = readLineWithin(rig.ports, rig.clock, 0, 500);
        QVERIFY(!r.complete);
        QVERIFY(rig.clock.now - start > 500 && rig.clock.now - start <= 502);

        rig.ports.arrive(0, "DX", 10);
        rig.ports.device(0).goneAt = rig.clock.now + 50;
        r = readLineWithin(rig.ports, rig.clock, 0, 500);
        QVERIFY(!r.complete);
        QVERIFY(r.gone);
        QCOMPARE(r.line, QByteArray("DX"));
    }

    void acquisitionProbeTakesAnyLineFeed()
    {
        Rig rig({0, 1, 2});
        // The acquisition program does not look at the letters.
        answerIdentification(rig.ports, 2, "Z8 whatever");
        AcquisitionLink link(rig.ports, rig.pump, rig.clock);
        const qint64 start = rig.clock.now;
        QVERIFY(link.scan());
        QCOMPARE(link.port(), 2);
        // 2.5 s per port that opens, then 2 s to open the found one again.
        const qint64 spent = rig.clock.now - start;
        QVERIFY2(spent >= 3 * 2500 + 2000 && spent < 3 * 2500 + 2000 + 100, qPrintable(QString::number(spent)));
        QVERIFY(rig.ports.device(2).open);
        QCOMPARE(rig.ports.calls.filter("SioFlow(2,S)").size(), 2);
    }

    void acquisitionProbeMissesLateLineFeed()
    {
        Rig rig({0});
        answerIdentification(rig.ports, 0, "DX MUXSIM v3", 20, 600);
        AcquisitionLink link(rig.ports, rig.pump, rig.clock);
        QVERIFY(!link.scan());
        QVERIFY(!rig.ports.device(0).open);
    }

    void receiveLineWaitsStopsAndSeesLoss()
    {
        Rig rig({0});
        AcquisitionLink link(rig.ports, rig.pump, rig.clock);
        QVERIFY(link.openPort(0));
        bool stop = false;
        auto stopped = [&] { return stop; };

        rig.ports.arrive(0, "xxV0012345\r\n", 3000, 1);
        QByteArray line;
        QCOMPARE(link.receiveLine(line, stopped), AcquisitionLink::Receive::Line);
        QCOMPARE(line, QByteArray("V0012345"));

        // A line feed before any V ends the line empty.
        rig.ports.arrive(0, "\n", 5);
        QCOMPARE(link.receiveLine(line, stopped), AcquisitionLink::Receive::Line);
        QCOMPARE(line, QByteArray());

        // Nothing comes: only a stop ends the wait, and waiting does not spin.
        rig.pump.waitCalls = 0;
        int events = 0;
        rig.pump.onEvents = [&] { if (++events == 40) stop = true; };
        QCOMPARE(link.receiveLine(line, stopped), AcquisitionLink::Receive::Stopped);
        QVERIFY(rig.pump.waitCalls < 40);
        QVERIFY(rig.pump.waitedMs >= 10000);

        stop = false;
        rig.pump.onEvents = nullptr;
        rig.ports.device(0).goneAt = rig.clock.now + 100;
        QCOMPARE(link.receiveLine(line, stopped), AcquisitionLink::Receive::Gone);
    }
};

QTEST_GUILESS_MAIN(TestScan)
#include "tst_portscan.moc"
