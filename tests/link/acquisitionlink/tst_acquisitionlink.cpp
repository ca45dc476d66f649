// Reading lines after a drop of what was not asked for: a line cut by the drop,
// or by a stop, never comes out as a reading.
#include "link/acquisitionlink.h"
#include "tests/support/fakes.h"

#include <QTest>

using namespace muxlink;
using testsupport::FakeClock;
using testsupport::FakeEventPump;
using testsupport::FakeSerialPorts;

namespace {

const QByteArray first = "V1 IN1 #0001 +00000000.001  MM\r\n";
const QByteArray second = "V1 IN1 #0002 +00000000.002  MM\r\n";

struct Rig {
    Rig()
    {
        ports.plug(0);
        opened = link.openPort(0);
    }
    AcquisitionLink::Receive receive(QByteArray &line, const std::function<bool()> &stop = [] { return false; })
    {
        return link.receiveLine(line, stop);
    }
    FakeClock clock;
    FakeSerialPorts ports {clock};
    FakeEventPump pump {clock, &ports};
    AcquisitionLink link {ports, pump, clock};
    bool opened = false;
};

} // namespace

class TestAcquisitionLink : public QObject {
    Q_OBJECT
private slots:
    void dropCutsALine_data()
    {
        QTest::addColumn<int>("cut");
        QTest::newRow("inside the value") << 17;
        QTest::newRow("before the line feed") << first.size() - 1;
        QTest::newRow("after the 'V'") << 1;
        QTest::newRow("whole line") << first.size();
        QTest::newRow("nothing yet") << 0;
    }

    void dropCutsALine()
    {
        QFETCH(int, cut);
        Rig rig;
        QVERIFY(rig.opened);
        rig.ports.arrive(0, first.left(cut));
        rig.link.discardInput();
        rig.ports.arrive(0, first.mid(cut) + second, 5, 1);
        QByteArray line;
        QCOMPARE(rig.receive(line), AcquisitionLink::Receive::Line);
        QCOMPARE(line, (cut == 0 ? first : second).trimmed());
    }

    // A stop that comes inside a line: the next wait skips the rest of it.
    void stopInsideALine()
    {
        Rig rig;
        QVERIFY(rig.opened);
        rig.ports.arrive(0, first.left(10));
        rig.ports.arrive(0, first.mid(10) + second, 50, 1);
        QByteArray line;
        bool stop = false;
        const qint64 start = rig.clock.now;
        rig.pump.onEvents = [&] { stop = rig.clock.now > start; };
        QCOMPARE(rig.receive(line, [&] { return stop; }), AcquisitionLink::Receive::Stopped);
        rig.pump.onEvents = {};
        QCOMPARE(rig.receive(line), AcquisitionLink::Receive::Line);
        QCOMPARE(line, second.trimmed());
    }
};

QTEST_GUILESS_MAIN(TestAcquisitionLink)
#include "tst_acquisitionlink.moc"
