// The question put to a cable before the programmable cable window opens: the
// bytes sent, and what each kind of reply (or none) makes of it.
#include "configtool/cableidentity.h"
#include "link/configtoollink.h"
#include "tests/support/datacolumns.h"
#include "tests/support/fakes.h"

#include <QTest>

using namespace configtool;
using namespace testsupport;

namespace {

struct Rig {
    FakeClock clock;
    FakeSerialPorts ports {clock};
    FakeEventPump pump {clock, &ports};
    muxlink::ConfigToolLink link {ports, pump, clock};

    // A multiplexer on COM1 whose cable answers "@*AT" with `reply`.
    explicit Rig(const QByteArray &reply)
    {
        ports.plug(0);
        link.openPort(0);
        ports.onWrite = [reply](FakeSerialPorts &f, int port, const QByteArray &written) {
            if (written.endsWith("@*AT\r\n") && !reply.isNull())
                f.arrive(port, reply, 10, 1);
        };
    }
};

} // namespace

class TestCableIdentity : public QObject {
    Q_OBJECT
private slots:
    void asksTheChosenInput_data()
    {
        columns<QByteArray, QString, bool>("reply", "line", "programmable");
        QTest::newRow("programmable") << QByteArray("50417 VTR\r\n") << "50417 VTR" << true;
        QTest::newRow("other programmable") << QByteArray("50432\r\n") << "50432" << true;
        QTest::newRow("register cable") << QByteArray("51101 C10\r\n") << "51101 C10" << false;
        QTest::newRow("no reply") << QByteArray() << "" << false;
    }
    void asksTheChosenInput()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, line);
        QFETCH(bool, programmable);
        Rig rig(reply);
        const CableIdentity identity = askCableIdentity(rig.link, 3);
        QCOMPARE(rig.ports.device(0).written, QByteArray("@*N3\r\n@*AT\r\n"));
        QVERIFY(!identity.gone);
        QCOMPARE(identity.reply, line);
        QCOMPARE(identity.programmable, programmable);
    }

    void deviceGoneWhileWaiting()
    {
        Rig rig({});
        rig.ports.device(0).goneAt = rig.clock.now + 100;
        const CableIdentity identity = askCableIdentity(rig.link, 1);
        QVERIFY(identity.gone);
        QVERIFY(identity.reply.isEmpty());
        QVERIFY(!identity.programmable);
    }
};

QTEST_GUILESS_MAIN(TestCableIdentity)
#include "tst_cableidentity.moc"
