// Keys paced for slow targets: order, brackets, timing against a fake clock,
// calls that serve events, and a target that stops taking keys.
#include "acquisition/addedmessages.h"
#include "acquisition/pacedtyping.h"
#include "acquisition/valuekeys.h"
#include "tests/support/datacolumns.h"
#include "tests/support/fakes.h"
#include "tests/support/keytext.h"
#include "tests/support/usererrors.h"

#include <QRegularExpression>
#include <QTest>

using namespace acquisition;

namespace {

// Notes every call as "<ms> <what>": "[" and "]" bracket a value, "s" settles.
class TraceSink : public KeySink {
public:
    explicit TraceSink(testsupport::FakeClock &clock) : m_clock(clock) {}

    bool paceWanted = true;
    int failAtPress = -1; // this press (from 0) throws
    std::function<void()> duringPress;
    QStringList trace;

    void press(Key key) override
    {
        if (m_presses++ == failAtPress)
            throw cannotType(added::typingSessionClosed);
        note(keyText({key}));
        if (duringPress)
            duringPress();
    }
    void beginValue() override { note("["); }
    void endValue() override { note("]"); }
    bool needsPace() override { return paceWanted; }
    void settle() override { note("s"); }

private:
    void note(const QString &what) { trace << QString::number(m_clock.now) + u' ' + what; }
    testsupport::FakeClock &m_clock;
    int m_presses = 0;
};

// The trace without its times.
QString steps(const QStringList &trace)
{
    QString text;
    for (const QString &entry : trace)
        text += entry.section(u' ', 1);
    return text;
}

struct Rig {
    testsupport::FakeClock clock;
    TraceSink target {clock};
    PacedTyping typing {target, clock};

    // Lets the time pass key after key, as the timer would.
    void typeAll()
    {
        for (int next = typing.typeDue(); next >= 0; next = typing.typeDue())
            clock.advance(next);
    }
};

} // namespace

class TestPacedTyping : public QObject {
    Q_OBJECT
private slots:
    void unpacedKeysPassStraightThrough()
    {
        Rig rig;
        rig.target.paceWanted = false;
        typeValue(rig.typing, "-1.5");
        rig.typing.press(Key::Right);
        QCOMPARE(rig.target.trace, QStringList({"1000 [", "1000 -", "1000 1", "1000 .", "1000 5", "1000 ]", "1000 R"}));
        QVERIFY(rig.typing.idle());

        // A pace of 0 set by hand wins over a target asking for one.
        Rig forced;
        forced.typing.setPace({false, 0});
        typeValue(forced.typing, "7");
        QCOMPARE(forced.target.trace, QStringList({"1000 [", "1000 7", "1000 ]"}));
    }

    void pacedValuesQueueInOrder()
    {
        Rig rig;
        int changes = 0;
        rig.typing.setChanged([&] { ++changes; });
        typeValue(rig.typing, "11");
        rig.typing.press(Key::Up);
        // The next value arrives while the first is still being typed.
        typeValue(rig.typing, "2");
        QCOMPARE(rig.typing.valuesWaiting(), 2);
        QCOMPARE(rig.typing.keysWaiting(), 3);
        rig.typeAll();
        const int gap = kAutomaticGapMs;
        const auto at = [gap](int keys, const QString &what) { return QString::number(1000 + keys * gap) + u' ' + what; };
        QCOMPARE(rig.target.trace, QStringList({at(0, "["), at(0, "1"), at(0, "s"), at(1, "1"), at(1, "s"), at(1, "]"),
                                                at(2, "U"), at(2, "s"), at(2, "["), at(3, "2"), at(3, "s"), at(3, "]")}));
        QVERIFY(rig.typing.idle());
        QCOMPARE(rig.typing.valuesWaiting(), 0);
        QCOMPARE(changes, 4); // two values queued, two typed
        // The last arrow of a move is told too: the queue is idle after it.
        typeValue(rig.typing, "3");
        rig.typing.press(Key::Down);
        rig.typeAll();
        QVERIFY(rig.typing.idle());
        QCOMPARE(changes, 7);
    }

    void aBusyTargetHoldsTheNextKeyForAWhile()
    {
        const auto at = [](int ms, const QString &what) { return QString::number(ms) + u' ' + what; };
        // Idle all along: a key goes once the target has looked idle for a
        // while, the looks during the pause after a key costing nothing more.
        Rig idle;
        idle.typing.setBusyCheck([] { return false; });
        typeValue(idle.typing, "12");
        idle.typeAll();
        const int first = 1000 + kIdleSpanMs;
        QCOMPARE(idle.target.trace, QStringList({"1000 [", at(first, "1"), at(first, "s"),
                                                 at(first + kAutomaticGapMs, "2"), at(first + kAutomaticGapMs, "s"),
                                                 at(first + kAutomaticGapMs, "]")}));

        // Busy after the first key until 1060 but for one look at 1040: idle
        // for a moment is not idle, the second key waits for a quiet spell.
        Rig rig;
        rig.typing.setBusyCheck([&] {
            const qint64 now = rig.clock.now;
            return now > first && now < 1060 && now != 1040;
        });
        typeValue(rig.typing, "12");
        rig.typeAll();
        const int second = 1060 + kIdleSpanMs;
        QCOMPARE(rig.target.trace, QStringList({"1000 [", at(first, "1"), at(first, "s"), at(second, "2"),
                                                at(second, "s"), at(second, "]")}));

        // Busy for good: each key goes once its wait is over.
        Rig stuck;
        stuck.typing.setBusyCheck([] { return true; });
        typeValue(stuck.typing, "34");
        stuck.typeAll();
        const int gaveUp = 1000 + kBusyWaitMs;
        QCOMPARE(stuck.target.trace.at(1), at(gaveUp, "3"));
        QCOMPARE(stuck.target.trace.at(3), at(gaveUp + kAutomaticGapMs + kBusyWaitMs, "4"));

        // The first character after an arrow waits longer: the arrow may not
        // have been acted on yet. Arrows after a value do not.
        Rig moved;
        moved.typing.setBusyCheck([] { return true; });
        typeValue(moved.typing, "5");
        moved.typing.press(Key::Down);
        typeValue(moved.typing, "6");
        moved.typeAll();
        const int arrow = gaveUp + kAutomaticGapMs + kBusyWaitMs;
        QCOMPARE(moved.target.trace.filter(QRegularExpression(" [0-9D]$")),
                 QStringList({at(gaveUp, "5"), at(arrow, "D"), at(arrow + kAutomaticGapMs + kBusyWaitAfterMoveMs, "6")}));

        // A pace set by hand for a target that takes keys at any speed does
        // not wait for the busy one.
        Rig byHand;
        byHand.target.paceWanted = false;
        byHand.typing.setPace({false, 30});
        byHand.typing.setBusyCheck([] { return true; });
        typeValue(byHand.typing, "78");
        byHand.typeAll();
        QCOMPARE(byHand.target.trace.filter(QRegularExpression(" [0-9]$")), QStringList({at(1000, "7"), at(1030, "8")}));

        // Unpaced keys never wait for it.
        Rig unpaced;
        unpaced.target.paceWanted = false;
        unpaced.typing.setBusyCheck([] { return true; });
        typeValue(unpaced.typing, "56");
        QCOMPARE(steps(unpaced.target.trace), "[56]");
    }

    void pacePerSetting_data()
    {
        testsupport::columns<QString, bool, bool, int>("setting", "valid", "automatic", "gap");
        QTest::newRow("none") << "" << true << true << 0;
        QTest::newRow("auto") << " AUTO " << true << true << 0;
        QTest::newRow("never") << "0" << true << false << 0;
        QTest::newRow("25 ms") << "25" << true << false << 25;
        QTest::newRow("negative") << "-1" << false << false << 0;
        QTest::newRow("beyond a second") << "1001" << false << false << 0;
        QTest::newRow("words") << "lent" << false << false << 0;
    }
    void pacePerSetting()
    {
        QFETCH(QString, setting);
        QFETCH(bool, valid);
        const std::optional<TypingPace> pace = parseTypingPace(setting);
        QCOMPARE(pace.has_value(), valid);
        if (!pace)
            return;
        QTEST(pace->automatic, "automatic");
        QTEST(pace->gapMs, "gap");
    }

    void aTimerTickInsideAPressTypesNothing()
    {
        Rig rig;
        rig.typing.setPace({false, 5});
        bool inside = false;
        rig.target.duringPress = [&] {
            QVERIFY2(!inside, "a press began inside another");
            inside = true;
            // What a timer tick does while the call serves events.
            rig.clock.advance(50);
            rig.typing.typeDue();
            inside = false;
        };
        typeValue(rig.typing, "34");
        rig.typing.press(Key::Down);
        rig.typeAll();
        QCOMPARE(steps(rig.target.trace), "[3s4s]Ds");
    }

    void aFailureDropsTheQueueAndIsReportedOnce()
    {
        Rig rig;
        rig.target.failAtPress = 1;
        typeValue(rig.typing, "56");
        typeValue(rig.typing, "7");
        rig.typeAll();
        QVERIFY(rig.typing.failed());
        QVERIFY(rig.typing.idle());
        QCOMPARE(rig.typing.valuesWaiting(), 0);
        QCOMPARE(rig.target.trace, QStringList({"1000 [", "1000 5", "1000 s"}));

        // The next key brings the failure to the cycle, once; the value it
        // opened is not ended at a target that never saw it begin.
        const QString text = testsupport::errorOf([&] { typeValue(rig.typing, "8"); });
        QVERIFY2(text.contains(QString::fromUtf16(added::typingSessionClosed.french)), qPrintable(text));
        QVERIFY(!rig.typing.failed());
        rig.target.failAtPress = -1;
        typeValue(rig.typing, "9");
        rig.typeAll();
        QCOMPARE(steps(rig.target.trace), "[5s[9s]");
    }
};

QTEST_GUILESS_MAIN(TestPacedTyping)
#include "tst_pacedtyping.moc"
