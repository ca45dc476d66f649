// The whole path: cable operations through the serial layer to the simulator
// on a pseudo-terminal, each setting written and read back.
#include "configtool/cabledatabase.h"
#include "configtool/cablelink.h"
#include "configtool/programmablecable.h"
#include "configtool/registerprogramming.h"
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
        CableDatabase database(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt"));
        readRs232Cable(*line.link, back, database, messages);
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
        readAnalogCable(*line.link, back, CableDatabase(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt")),
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

    void silentCablesEndWithTheirMessages()
    {
        Line line({"--model", "8", "--cable", "register", "--cable-silent"});
        QVERIFY(line.opened);
        RecordingRs232Page view;
        readRs232Cable(*line.link, view, CableDatabase(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt")),
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
