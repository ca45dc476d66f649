// Deadlines and the byte reads that wait on the port until one passes.
#include "link/deadline.h"
#include "link/portinput.h"
#include "tests/support/datacolumns.h"
#include "tests/support/fakes.h"

#include <QTest>

#include <limits>

using namespace muxlink;
using namespace testsupport;

namespace {

constexpr int kPort = 3;

struct Rig {
    Rig()
    {
        ports.plug(kPort);
        ports.device(kPort).open = true;
    }
    FakeClock clock;
    FakeSerialPorts ports {clock};
    FakeEventPump pump {clock, &ports};
};

} // namespace

class TestPortInput : public QObject {
    Q_OBJECT
private slots:
    void deadlineBounds()
    {
        FakeClock clock;
        const Deadline plain(clock, 500);
        const Deadline strict = Deadline::moreThan(clock, 500);
        const Deadline past(clock, -20);
        QCOMPARE(plain.remainingMs(), 500);
        QCOMPARE(strict.remainingMs(), 501);
        // A deadline already behind the clock leaves 0, never a negative wait.
        QCOMPARE(past.remainingMs(), 0);
        QVERIFY(past.passed());

        clock.advance(500);
        QVERIFY(plain.passed());
        QCOMPARE(strict.remainingMs(), 1);
        clock.advance(1000);
        QCOMPARE(plain.remainingMs(), 0);
        QCOMPARE(strict.remainingMs(), 0);

        const Deadline soon(clock, 10), late(clock, 20);
        QCOMPARE(Deadline::earlier(soon, late).remainingMs(), 10);
        QCOMPARE(Deadline::earlier(late, soon).remainingMs(), 10);
        // Far ends still give a wait the port accepts.
        QCOMPARE(Deadline(clock, qint64(1) << 40).remainingMs(), std::numeric_limits<int>::max());
    }

    void byteAroundTheBound_data()
    {
        columns<qint64, bool>("arrivesAfter", "taken");
        QTest::newRow("waiting already") << qint64(0) << true;
        QTest::newRow("within") << qint64(250) << true;
        QTest::newRow("as the wait ends") << qint64(501) << true;
        QTest::newRow("one ms late") << qint64(502) << false;
    }
    void byteAroundTheBound()
    {
        QFETCH(qint64, arrivesAfter);
        QFETCH(bool, taken);
        for (const bool serving : {false, true}) {
            Rig rig;
            rig.ports.arrive(kPort, "A", arrivesAfter);
            const qint64 start = rig.clock.now;
            const Deadline deadline = Deadline::moreThan(rig.clock, 500);
            const NextByte next = serving ? nextByte(rig.ports, kPort, deadline, rig.pump)
                                          : nextByte(rig.ports, kPort, deadline);
            QCOMPARE(next.isByte(), taken);
            if (taken) {
                QCOMPARE(next.value, int('A'));
                QCOMPARE(rig.clock.now - start, arrivesAfter);
            } else {
                // One wait to the bound, and the late byte stays for the next read.
                QCOMPARE(next.kind, NextByte::Kind::TimedOut);
                QCOMPARE(rig.clock.now - start, qint64(501));
                QCOMPARE(rig.ports.nextArrival(kPort), start + arrivesAfter);
            }
            if (serving) {
                QVERIFY(rig.pump.pendingCalls >= 1);
                QVERIFY(rig.pump.waitCalls <= 1);
            }
        }
    }

    void passedDeadlineStillTakesWaitingBytes()
    {
        Rig rig;
        const Deadline past(rig.clock, -50);
        rig.ports.arrive(kPort, "Z");
        QCOMPARE(nextByte(rig.ports, kPort, past).value, int('Z'));
        // Nothing waits: no wait at all, and above all not a negative one.
        const qint64 before = rig.clock.now;
        QCOMPARE(nextByte(rig.ports, kPort, past).kind, NextByte::Kind::TimedOut);
        QCOMPARE(nextByte(rig.ports, kPort, past, rig.pump).kind, NextByte::Kind::TimedOut);
        QCOMPARE(rig.clock.now, before);
        QCOMPARE(rig.pump.waitCalls, 0);
    }

    void deviceGoneEndsTheWaitAtOnce()
    {
        for (const bool serving : {false, true}) {
            Rig rig;
            rig.ports.arrive(kPort, "ok", 10);
            rig.ports.device(kPort).goneAt = rig.clock.now + 100;
            const qint64 start = rig.clock.now;
            const Deadline deadline(rig.clock, 1000);
            auto next = [&] {
                return serving ? nextByte(rig.ports, kPort, deadline, rig.pump)
                               : nextByte(rig.ports, kPort, deadline);
            };
            // What arrived before the loss is still delivered.
            QCOMPARE(next().value, int('o'));
            QCOMPARE(next().value, int('k'));
            const NextByte lost = next();
            QCOMPARE(lost.kind, NextByte::Kind::Failed);
            QVERIFY(lost.deviceGone());
            QCOMPARE(rig.clock.now - start, qint64(100));
        }

        // A closed port fails too, but it is no lost device.
        Rig rig;
        rig.ports.device(kPort).open = false;
        const NextByte closed = nextByte(rig.ports, kPort, Deadline(rig.clock, 500));
        QCOMPARE(closed.kind, NextByte::Kind::Failed);
        QCOMPARE(closed.value, SIO_NOT_OPEN);
        QVERIFY(!closed.deviceGone());
    }

    void discardTakesOnlyWhatWaits()
    {
        Rig rig;
        rig.ports.arrive(kPort, "V001\r\n");
        rig.ports.arrive(kPort, "V002\r\n", 5);
        const qint64 before = rig.clock.now;
        discardInput(rig.ports, kPort);
        QCOMPARE(rig.clock.now, before);
        QCOMPARE(nextByte(rig.ports, kPort, Deadline(rig.clock, 100)).value, int('V'));
        QCOMPARE(rig.clock.now - before, qint64(5));
    }
};

QTEST_GUILESS_MAIN(TestPortInput)
#include "tst_portinput.moc"
