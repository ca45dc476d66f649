// Both programs' scans and the serial layer against the simulator on
// pseudo-terminals, with the port map naming a silent port, a missing path
// and the simulator.
#include "link/acquisitionlink.h"
#include "link/commands.h"
#include "link/configtoollink.h"
#include "link/eventpump.h"
#include "link/readingline.h"
#include "link/wsc.h"
#include "tests/support/muxsim_process.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTest>

using namespace muxlink;
using testsupport::MuxSimProcess;

class TestLinkMuxSim : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SteadyClock m_clock;
    QtEventPump m_pump;

    PortMap threePorts(const MuxSimProcess &silent, const MuxSimProcess &mux)
    {
        return PortMap({silent.linkPath(), m_dir.filePath("missing"), mux.linkPath()});
    }

private slots:
    void configToolFindsThirdPort()
    {
        MuxSimProcess silent, mux;
        QVERIFY(silent.start({"--silent"}));
        QVERIFY(mux.start({"--model", "D", "--version", "4"}));
        Wsc ports(threePorts(silent, mux));
        ConfigToolLink link(ports, m_pump, m_clock);
        QCOMPARE(link.scan(), ScanResult::Found);
        QCOMPARE(link.port(), 2);
        QCOMPARE(link.model(), QString("D"));
        QCOMPARE(link.version(), QString("4"));
        QCOMPARE(silent.log(), QByteArray("@*?\r\n"));
        // The found port stays open: a command goes through on it.
        QCOMPARE(link.send(selectCommand(3)), 0);
        QVERIFY(mux.waitForLog("@*?\r\n@*N3\r\n", 2000));
        QCOMPARE(link.send(cableIdentityCommand()), 0);
        const LineResult reply = link.readLine(500);
        QVERIFY(reply.complete);
        QCOMPARE(reply.line, QByteArray("50417 RS232 PROGRAMMABLE V2.1"));
    }

    void acquisitionFindsThirdPort()
    {
        MuxSimProcess silent, mux;
        QVERIFY(silent.start({"--silent"}));
        QVERIFY(mux.start({"--model", "8", "--per-command", "2", "--no-pace"}));
        Wsc ports(threePorts(silent, mux));
        AcquisitionLink link(ports, m_pump, m_clock);
        QVERIFY(link.scan());
        QCOMPARE(link.port(), 2);
        QCOMPARE(link.send(selectCommand(1)), 0);
        QByteArray line;
        auto never = [] { return false; };
        QCOMPARE(link.receiveLine(line, never), AcquisitionLink::Receive::Line);
        QCOMPARE(line, QByteArray("V1 IN1 #0001 +00000000.001  MM"));
        QCOMPARE(link.receiveLine(line, never), AcquisitionLink::Receive::Line);
        QCOMPARE(extractValue(QString::fromLatin1(line)), QString("+00000000.002"));
    }

    // The box still sends the readings of an instrument chosen earlier, as fast
    // as the line carries them: the probe finds it every time, and the cable's
    // identity line is taken from among the readings.
    void probeWhileReadingsStream()
    {
        MuxSimProcess mux;
        QVERIFY(mux.start({"--model", "D", "--version", "5", "--interval", "40", "--per-command", "1"}));
        Wsc ports(PortMap({mux.linkPath()}));
        ConfigToolLink link(ports, m_pump, m_clock);
        QVERIFY(link.openPort(0));
        QCOMPARE(link.send(selectCommand(1)), 0);
        for (int round = 0; round < 3; ++round) {
            QVERIFY(link.probe(0));
            QCOMPARE(link.model(), QString("D"));
            QCOMPARE(link.version(), QString("5"));
        }
        const LineResult reply = link.ask(cableIdentityCommand());
        QVERIFY(reply.complete);
        QCOMPARE(reply.line, QByteArray("50417 RS232 PROGRAMMABLE V2.1"));
    }

    // Readings at the same rate, dropped at every point of a line before each
    // wait: what comes next is always a whole reading.
    void droppedReadingsLeaveWholeLines()
    {
        MuxSimProcess mux;
        QVERIFY(mux.start({"--model", "8", "--interval", "40"}));
        Wsc ports(PortMap({mux.linkPath()}));
        AcquisitionLink link(ports, m_pump, m_clock);
        QVERIFY(link.openPort(0));
        QCOMPARE(link.send(selectCommand(1)), 0);
        const QRegularExpression reading("^V1 IN1 #\\d{4} \\+\\d{8}\\.\\d{3}  MM$");
        for (int i = 0; i < 40; ++i) {
            QThread::msleep(1 + i % 40);
            link.discardInput();
            QByteArray line;
            QCOMPARE(link.receiveLine(line, [] { return false; }), AcquisitionLink::Receive::Line);
            QVERIFY2(reading.match(QString::fromLatin1(line)).hasMatch(), line.constData());
        }
    }

    void lateLineFeedAndForeignLetters()
    {
        // A line feed 600 ms late is missed by both probes.
        MuxSimProcess late, late2;
        QVERIFY(late.start({"--model", "8", "--late-lf", "600"}));
        QVERIFY(late2.start({"--model", "8", "--late-lf", "600"}));
        {
            Wsc ports(PortMap({late.linkPath(), late2.linkPath()}));
            ConfigToolLink config(ports, m_pump, m_clock);
            QVERIFY(!config.probe(0));
            AcquisitionLink acquisition(ports, m_pump, m_clock);
            QVERIFY(!acquisition.probe(1));
        }
        // Letters that name no model: refused by the configuration tool, while
        // any line feed in time is enough for the acquisition program.
        MuxSimProcess foreign;
        QVERIFY(foreign.start({"--ident", "Z8 SOMETHING ELSE"}));
        Wsc ports(PortMap({foreign.linkPath()}));
        ConfigToolLink config(ports, m_pump, m_clock);
        QVERIFY(!config.probe(0));
        QCOMPARE(config.model(), QString("8"));
        AcquisitionLink acquisition(ports, m_pump, m_clock);
        QVERIFY(acquisition.probe(0));
    }

    void unpluggedDeviceIsReported()
    {
        MuxSimProcess mux;
        QVERIFY(mux.start({"--model", "8", "--vanish-after", "10"}));
        Wsc ports(PortMap({mux.linkPath()}));
        AcquisitionLink link(ports, m_pump, m_clock);
        QVERIFY(link.openPort(0));
        QCOMPARE(link.send(selectCommand(1)), 0);
        QCOMPARE(link.send(selectCommand(2)), 0);
        QVERIFY(mux.waitForVanished(5000));
        QByteArray line;
        QCOMPARE(link.receiveLine(line, [] { return false; }), AcquisitionLink::Receive::Gone);
        QVERIFY(ports.SioGetc(0) != SIO_NO_DATA);
    }

    void garbageAndOverlongLinesStayBounded()
    {
        MuxSimProcess mux;
        QVERIFY(mux.start({"--model", "4", "--version", "2", "--garbage"}));
        Wsc ports(PortMap({mux.linkPath()}));
        ConfigToolLink link(ports, m_pump, m_clock);
        QVERIFY(link.probe(0));
        QCOMPARE(link.model(), QString("4"));
        QCOMPARE(link.version(), QString("2"));

        MuxSimProcess longLine;
        QVERIFY(longLine.start({"--long-line", "20000", "--no-pace"}));
        Wsc ports2(PortMap({longLine.linkPath()}));
        ConfigToolLink link2(ports2, m_pump, m_clock);
        QVERIFY(link2.openPort(0));
        QCOMPARE(sendBytes(ports2, 0, identifyCommand()), 0);
        const LineResult reply = readLineWithin(ports2, m_clock, 0, 2000);
        QVERIFY(reply.complete);
        QCOMPARE(reply.line.size(), kMaxLineLength);
        QVERIFY(reply.line.startsWith("M8 MUXSIM v3"));
    }
};

QTEST_GUILESS_MAIN(TestLinkMuxSim)
#include "tst_wsc_muxsim.moc"
