// The whole path: cable operations through the serial layer to the simulator
// on a pseudo-terminal, each setting written and read back.
#include "configtool/cablelist/cablelist.h"
#include "configtool/cablelink.h"
#include "configtool/programmablecable.h"
#include "configtool/registerprogramming.h"
#include "link/commands.h"
#include "link/eventpump.h"
#include "link/opensequence.h"
#include "link/wsc.h"
#include "tests/support/cables/recordingviews.h"
#include "tests/support/muxsim_process.h"

#include <QTest>

using namespace configtool;

namespace {

const CableMessages messages{"L50", "L51", "L52 ", "L53", "gone", "parity %1", "no cable"};
const Message finished{MessageKind::Information, "L53"};

struct Line {
    explicit Line(const QStringList &args)
    {
        started = sim.start(args);
        ports = std::make_unique<muxlink::Wsc>(muxlink::PortMap({sim.linkPath()}));
        opened = started && muxlink::openSequenceA(*ports, 0);
        if (opened && args.contains("--interval"))
            muxlink::sendBytes(*ports, 0, muxlink::selectCommand(1));
        link = std::make_unique<CableLink>(*ports, pump, clock, 0);
    }
    testsupport::MuxSimProcess sim;
    std::unique_ptr<muxlink::Wsc> ports;
    muxlink::SteadyClock clock;
    muxlink::QtEventPump pump;
    std::unique_ptr<CableLink> link;
    bool started = false;
    bool opened = false;
};

// Readings of input 1 streaming as fast as the line carries them, its cable addressed.
QStringList streaming(QStringList args)
{
    return args << "--interval" << "40" << "--per-command" << "1";
}

// One text per grid cell, row by row: bytes that readings are made of among them.
QStringList gridTexts()
{
    QStringList cells;
    const QStringList specials = {"$56", "$20", "$2B", "$30", "$0D", "$0A", "T", "", "$7E", "$01"};
    for (int i = 0; i < 80; ++i)
        cells << (i < specials.size() ? specials.at(i) : QStringLiteral("$%1").arg(i * 3, 2, 16, QLatin1Char('0')).toUpper());
    return cells;
}

} // namespace

class TestCablesMuxSim : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void rs232ProgramWithGridThenRead()
    {
        Line line({"--model", "8", "--cable", "register", "--cable-input", "2", "--mismatch", "43:4"});
        QVERIFY2(line.opened, qPrintable(line.sim.errorString()));
        line.link->send("@*N2\r\n");
        RecordingRs232Page view;
        view.page.speed = "19200";
        view.page.endOfFrame = "$0A";
        view.currentReference = 300;
        view.cells[0][1] = "T";
        view.cells[9][8] = "$7F";
        programRs232Cable(*line.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{finished});
        const QByteArray log = line.sim.log();
        QCOMPARE(log.count("@P"), 98 + 4);
        QVERIFY(log.contains("@PA\x09\r\n@RA\r\n"));
        QVERIFY(log.contains("@PD\n@RD\r\n"));
        QVERIFY(log.contains("@PQ,\r\n@RQ\r\n@PR\x01\r\n@RR\r\n"));

        RecordingRs232Page back;
        CableList cableList(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt"));
        readRs232Cable(*line.link, back, cableList, messages);
        QVERIFY(back.messages.isEmpty());
        QVERIFY(back.changes.contains("speed=19200"));
        QVERIFY(back.changes.contains("eof=$0A"));
        QCOMPARE(back.changes.mid(back.changes.size() - 2), (QStringList{"reference=300", "name=300"}));
        QCOMPARE(back.cells[0][1], QString("T"));
        QCOMPARE(back.cells[0][2], QString(""));
        QCOMPARE(back.cells[9][8], QString("$7F"));
    }

    void analogProgramThenRead()
    {
        Line line({"--model", "M", "--cable", "register"});
        QVERIFY(line.opened);
        RecordingAnalogPage view;
        view.minimum = "0";
        view.maximum = "-12.5";
        view.decimalCount = 2;
        view.currentReference = 51902;
        programAnalogCable(*line.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{finished});
        QVERIFY(line.sim.log().startsWith(QByteArrayLiteral("@PA\0\r\n@RA\r\n@PB\0\r\n")));

        RecordingAnalogPage back;
        readAnalogCable(*line.link, back, CableList(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt")),
                        messages);
        QVERIFY(back.messages.isEmpty());
        QCOMPARE(back.changes.mid(0, 4), (QStringList{"min=0.000", "max=-12.500", "decimals=2", "reference=51902"}));
    }

    void programmableProgramThenRead()
    {
        Line line({"--model", "D", "--cable", "programmable"});
        QVERIFY(line.opened);
        line.link->send("@*N1\r\n");
        RecordingProgrammableCable view;
        view.page.offset = 12;
        view.page.endOfFrame = "$0A";
        view.page.interrogation = {"$4D", "", "$0D"};
        view.currentSupply = "5v";
        programProgrammableCable(*line.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{(Message{MessageKind::Information, "L53"})});
        QVERIFY(line.sim.log().contains(QByteArrayLiteral("@*F\n\r\n@*WM\r\n@*XM\r\n@*Y \r\n@*Z \r\n@*O<\r\n@*T0\r\n@*1M\r\n@*2\0\r\n@*3\r\r\n")));

        RecordingProgrammableCable back;
        readProgrammableCable(*line.link, back, messages);
        QVERIFY(back.messages.isEmpty());
        QVERIFY(back.changes.contains("offset=12"));
        QVERIFY(back.changes.contains("eof=$0A"));
        QVERIFY(back.changes.contains("supply=5v"));
    }

    // A reading every 40 ms keeps the line busy 33 ms in 40 while both kinds of
    // cable are programmed and read: every value read back is the cable's own,
    // none a byte of a reading.
    void registerValuesExactWhileReadingsStream()
    {
        Line line(streaming({"--model", "8", "--cable", "register"}));
        QVERIFY2(line.opened, qPrintable(line.sim.errorString()));
        RecordingRs232Page view;
        view.page.speed = "4800";
        view.page.dataBits = 7;
        view.page.parity = "IMPAIRE";
        view.page.endOfFrame = "$0A";
        view.page.unit = "INCH";
        view.page.offset = 17;
        view.page.interrogation = {"$56", "$20", "$2B", "$30", "$0D", "$0A", "$23", ""};
        view.currentReference = 300;
        const QStringList cells = gridTexts();
        for (int i = 0; i < cells.size(); ++i)
            view.cells[i / 8][i % 8 + 1] = cells.at(i);
        programRs232Cable(*line.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{finished});
        QCOMPARE(line.sim.log().count("@P"), 98);

        RecordingRs232Page back;
        readRs232Cable(*line.link, back, CableList(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt")),
                       messages);
        QVERIFY(back.messages.isEmpty());
        QCOMPARE(back.changes, (QStringList{"speed=4800", "bits=7", "parity=IMPAIRE", "eof=$0A", "unit=INCH",
                                            "offset=17", "i1=$56", "i2=$20", "i3=$2B", "i4=$30", "i5=$0D",
                                            "i6=$0A", "i7=$23", "i8=", "reference=300", "name=300"}));
        QStringList readCells;
        for (int i = 0; i < cells.size(); ++i)
            readCells << back.cells[i / 8][i % 8 + 1];
        QCOMPARE(readCells, cells);

        RecordingAnalogPage analog;
        analog.minimum = "-3.25";
        analog.maximum = "1234.5";
        analog.decimalCount = 1;
        analog.currentReference = 51902;
        programAnalogCable(*line.link, analog, messages);
        QCOMPARE(analog.messages, QList<Message>{finished});
        RecordingAnalogPage analogBack;
        readAnalogCable(*line.link, analogBack,
                        CableList(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt")), messages);
        QVERIFY(analogBack.messages.isEmpty());
        QCOMPARE(analogBack.changes.mid(0, 4),
                 (QStringList{"min=-3.250", "max=1234.500", "decimals=1", "reference=51902"}));
    }

    void programmableValuesExactWhileReadingsStream()
    {
        Line line(streaming({"--model", "D", "--cable", "programmable"}));
        QVERIFY2(line.opened, qPrintable(line.sim.errorString()));
        RecordingProgrammableCable view;
        view.page.speed = "2400";
        view.page.dataBits = 7;
        view.page.parity = "PAIRE";
        view.page.offset = 12;
        view.page.endOfFrame = "$0A";
        view.page.unit = "INCH";
        view.page.interrogation = {"$56", "$31", "$0D", "", "$20", "$2B", "$23", "$30"};
        view.currentSupply = "5v";
        programProgrammableCable(*line.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{finished});

        for (int round = 0; round < 3; ++round) {
            RecordingProgrammableCable back;
            readProgrammableCable(*line.link, back, messages);
            QVERIFY(back.messages.isEmpty());
            QCOMPARE(back.changes,
                     (QStringList{"reference=50417 RS232 PROGRAMMABLE ", "unit=INCH", "i1=$56", "i2=$31", "i3=$0D",
                                  "i4=", "i5=$20", "i6=$2B", "i7=$23", "i8=$30", "offset=12", "eof=$0A",
                                  "speed=2400", "bits=7", "parity=PAIRE", "supply=5v"}));
        }
    }

    void silentCablesEndWithTheirMessages()
    {
        Line line({"--model", "8", "--cable", "register", "--cable-silent"});
        QVERIFY(line.opened);
        RecordingRs232Page view;
        readRs232Cable(*line.link, view, CableList(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt")),
                       messages);
        QCOMPARE(view.messages, QList<Message>{(Message{MessageKind::Error, "Erreur de lecture"})});
        QCOMPARE(view.buttons, (QList<bool>{false, true}));

        Line programmable({"--model", "D", "--cable", "programmable", "--cable-silent"});
        QVERIFY(programmable.opened);
        RecordingProgrammableCable cable;
        readProgrammableCable(*programmable.link, cable, messages);
        QCOMPARE(cable.messages, QList<Message>{(Message{MessageKind::Error, "L50"})});
    }
};

QTEST_GUILESS_MAIN(TestCablesMuxSim)
#include "tst_cablelink_muxsim.moc"
