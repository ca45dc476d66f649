// The acquisition cycle against a scripted multiplexer: bytes sent, keys typed,
// commands enabled, and the ways a cycle ends.
#include "acquisition/cursor.h"
#include "acquisition/cycle.h"
#include "acquisition/readingjournal.h"
#include "link/acquisitionlink.h"
#include "tests/support/datacolumns.h"
#include "tests/support/fakes.h"
#include "tests/support/keytext.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/recordingkeysink.h"

#include <QTest>

using namespace acquisition;
using namespace testsupport;

namespace acquisition {
// Shown by QCOMPARE when readings differ.
char *toString(const JournalReading &r)
{
    return qstrdup(QStringLiteral("(%1,%2,%3,%4,%5)").arg(r.batch).arg(r.series).arg(r.instrument).arg(r.line, r.value).toUtf8());
}
} // namespace acquisition

namespace {

constexpr int kPort = 0;

// A multiplexer whose instrument k answers each "@*Nk" with perSelection[k]
// readings and each "@*M0" mask with one reading per input, "V<k><n>" where n
// counts that instrument's readings from 1.
class Multiplexer {
public:
    explicit Multiplexer(FakeSerialPorts &ports)
    {
        perSelection.fill(1);
        ports.onWrite = [this](FakeSerialPorts &f, int port, const QByteArray &written) {
            if (!written.endsWith("\r\n"))
                return;
            const QByteArray command = written.mid(written.lastIndexOf("@*"));
            if (command.startsWith("@*N")) {
                const int k = command.at(3) - '0';
                for (int i = 0; i < perSelection.at(k); ++i)
                    answer(f, port, k, i);
            } else if (command.startsWith("@*M0") && command.size() == 7) {
                for (int k = 1, i = 0; k <= 8; ++k) {
                    if (quint8(command.at(4)) & (1u << (k - 1)))
                        answer(f, port, k, i++);
                }
            }
        };
    }
    std::array<int, 9> perSelection {};

private:
    void answer(FakeSerialPorts &f, int port, int k, int index)
    {
        f.arrive(port, "\x02V" + QByteArray::number(k) + QByteArray::number(++m_sent[k]) + "\r\n",
                 10 + 20 * index, 1);
    }
    std::array<int, 9> m_sent {};
};

// What the cycle notes: "v" per value, "|" per closing of the journal.
struct RecordingJournal : ReadingJournal {
    void record(const JournalReading &reading) override
    {
        readings << reading;
        events += 'v';
    }
    void closeSeries() override { events += '|'; }
    // "batch.series" of each reading.
    QString numbers() const
    {
        QStringList taken;
        for (const JournalReading &r : readings)
            taken << QStringLiteral("%1.%2").arg(r.batch).arg(r.series);
        return taken.join(' ');
    }
    QList<JournalReading> readings;
    QString events;
};

// A sink that serves the window's events while it types, as the portal's
// does: what they do runs inside a press.
struct ServingKeySink : RecordingKeySink {
    std::function<void()> duringPress;
    void press(Key key) override
    {
        RecordingKeySink::press(key);
        if (duringPress)
            duringPress();
    }
};

struct Rig : CycleView {
    Rig()
    {
        QVERIFY(link.openPort(kPort));
        cycle.setJournal(&journal);
        // The steps of a new configuration.
        config.setStep(Step::PerValueVertical, "0");
        config.setStep(Step::PerValueHorizontal, "1");
        config.setStep(Step::NextSeriesVertical, "1");
        config.setStep(Step::NextSeriesHorizontal, "0");
        // A cycle that a test fails to end is stopped after an hour of fake time.
        pump.onEvents = [this] {
            if (clock.now > 3600 * 1000) {
                runaway = true;
                cycle.stop();
            } else if (onEvents) {
                onEvents();
            }
        };
    }

    void setCommands(const CommandState &state) override { commands = state; }
    void setTimerEnabled(bool enabled) override { timer = enabled; }
    void setValueHolder(const QString &text) override { holder << text; }
    void showNoInstrument() override { messages << "aucun instrument"; }
    void showError(const QString &text) override { messages << text; }
    void showTypingFailure(const CannotType &failure) override { messages << failure.text(); }
    void showDeviceLost() override { messages << "device lost"; }

    // "Lecture", then the timer tick.
    void read()
    {
        cycle.start();
        QVERIFY(timer);
        tick();
    }
    void tick()
    {
        cycle.run();
        QVERIFY(!runaway);
    }
    // Stops the cycle at its first pump once `done` holds.
    void stopWhen(std::function<bool()> done)
    {
        onEvents = [this, done] {
            if (done() && !cycle.stopRequested())
                cycle.stop();
        };
    }
    void measureInBatchesOf(int size)
    {
        config.setMeasurementMode(kBatchMeasurement);
        config.setBatchSize(size);
    }
    // "Lecture", stopped once `command` has gone out `times` times.
    void readUntilSent(const QByteArray &command, int times)
    {
        stopWhen([this, command, times] { return sent(command) == times; });
        read();
    }
    QByteArray written() { return ports.device(kPort).written; }
    int sent(const QByteArray &command) { return int(written().count(command)); }
    QString typed() const { return keyText(keys.keys()); }

    FakeClock clock;
    FakeSerialPorts ports {clock};
    FakeEventPump pump {clock, &ports};
    muxlink::AcquisitionLink link {ports, pump, clock};
    Multiplexer mux {(ports.plug(kPort), ports)};
    MemoryConfiguration config;
    ServingKeySink keys;
    Cursor cursor {config, keys};
    RecordingJournal journal;
    AcquisitionCycle cycle {link, pump, config, cursor, *this};

    std::function<void()> onEvents;
    bool runaway = false;
    CommandState commands;
    bool timer = false;
    QStringList holder;
    QStringList messages;
};

const CommandState idle {true, false, false, true};

} // namespace

class TestCycle : public QObject {
    Q_OBJECT
private slots:
    void addressedSeries()
    {
        Rig rig;
        rig.config.setInstrumentCount(1, "2");
        rig.config.setInstrumentCount(3, "1");
        rig.mux.perSelection[1] = 2;
        rig.readUntilSent("@*N1", 2);
        QCOMPARE(rig.written(), QByteArray("@*N1\r\n@*N3\r\n@*N1\r\n"));
        // Three values in a row, back over them and one row down.
        QCOMPARE(rig.typed(), "11R12R31RLLLD");
        QCOMPARE(rig.holder.mid(0, 3), QStringList({"", "V11", "V11"}));
        QVERIFY(rig.messages.isEmpty());
        QVERIFY(!rig.cycle.running());
    }

    void multipleSeries()
    {
        Rig rig;
        rig.config.setMultiplexerMode(kMultipleMode);
        rig.config.setInstrumentChecked(1, true);
        rig.config.setInstrumentChecked(4, true);
        rig.config.setInstrumentCount(2, "3"); // ignored in this mode
        rig.readUntilSent("@*M0", 2);
        QCOMPARE(rig.written(), QByteArray("@*M0\x09\r\n@*M0\x09\r\n"));
        QCOMPARE(rig.typed(), "11R41RLLD");
        // Cleared once per series, not per value.
        QCOMPARE(rig.holder, QStringList({"", "V11", "V11", "V41", "V41"}));
    }

    void batchOfThree()
    {
        Rig rig;
        rig.measureInBatchesOf(3);
        rig.config.setStep(Step::NextBatchVertical, "2");
        rig.config.setInstrumentCount(1, "1");
        rig.readUntilSent("@*N1", 7);
        QCOMPARE(rig.typed(), "11RLD" "12RLD" "13RLDD" "14RLD" "15RLD" "16RLDD");
        QCOMPARE(rig.config.step(Step::NextBatchHorizontal), "0");
        QCOMPARE(rig.cycle.seriesNumber(), 1);
    }

    void repeatInFirstSeriesOfBatch()
    {
        Rig rig;
        rig.measureInBatchesOf(3);
        rig.config.setStep(Step::NextBatchVertical, "2");
        rig.config.setInstrumentCount(1, "1");
        rig.config.setInstrumentCount(2, "1");
        int repeats = 0;
        rig.onEvents = [&] {
            if (rig.sent("@*N2") == 4 && repeats == 0) {
                ++repeats;
                QVERIFY(rig.commands.repeat);
                rig.cycle.repeatSeries();
                // A tick while the old cycle unwinds must not start a nested one.
                QVERIFY(rig.timer);
                rig.cycle.run();
            }
            if (rig.sent("@*N1") == 6 && !rig.cycle.stopRequested())
                rig.cycle.stop();
        };
        // Series 1-3 answered; in series 4 instrument 2 stays silent.
        rig.ports.onWrite = [&, inner = rig.ports.onWrite](FakeSerialPorts &f, int port, const QByteArray &w) {
            if (w.endsWith("@*N2\r\n") && rig.sent("@*N2") == 4)
                return;
            inner(f, port, w);
        };
        rig.read();
        QCOMPARE(rig.cycle.seriesNumber(), 3);
        QVERIFY(rig.timer);
        QVERIFY(rig.commands.stop);
        QCOMPARE(rig.written(), QByteArray("@*N1\r\n@*N2\r\n").repeated(4));
        rig.tick(); // the next tick: from instrument 1, counted as the batch's last series
        QCOMPARE(rig.written(), QByteArray("@*N1\r\n@*N2\r\n").repeated(5) + "@*N1\r\n");
        QCOMPARE(rig.typed(), "11R21RLLD" "12R22RLLD" "13R23RLLDD" "14R" "15R24RLLLDD");
        QCOMPARE(rig.cycle.seriesNumber(), 1);
    }

    // Batch and series numbers as the cursor moves count them; the journal is
    // closed at each end of series and when the cycle ends.
    void journalNotesEveryValueInOrder()
    {
        Rig rig;
        rig.measureInBatchesOf(2);
        rig.config.setInstrumentCount(1, "2");
        rig.config.setInstrumentCount(3, "1");
        rig.mux.perSelection[1] = 2;
        rig.readUntilSent("@*N1", 4);
        const QList<JournalReading> expected {
            {1, 1, 1, "V11", "V11"}, {1, 1, 1, "V12", "V12"}, {1, 1, 3, "V31", "V31"},
            {1, 2, 1, "V13", "V13"}, {1, 2, 1, "V14", "V14"}, {1, 2, 3, "V32", "V32"},
            {2, 1, 1, "V15", "V15"}, {2, 1, 1, "V16", "V16"}, {2, 1, 3, "V33", "V33"}};
        QCOMPARE(rig.journal.readings, expected);
        QCOMPARE(rig.journal.events, "vvv|vvv|vvv||");
    }

    void journalNumbersAfterRepeatAndInContinuousMode()
    {
        Rig rig;
        rig.measureInBatchesOf(3);
        rig.config.setInstrumentCount(1, "1");
        rig.onEvents = [&] {
            if (rig.sent("@*N1") == 4 && rig.commands.repeat)
                rig.cycle.repeatSeries();
        };
        rig.read();
        // The series taken again is the last of batch 1.
        rig.stopWhen([&] { return rig.sent("@*N1") == 7; });
        rig.tick();
        QCOMPARE(rig.journal.numbers(), "1.1 1.2 1.3 1.3 2.1");

        // Continuous reading has no batches; its series go on counting.
        rig.journal.readings.clear();
        rig.config.setMeasurementMode(kContinuousMeasurement);
        rig.readUntilSent("@*N1", 10);
        QCOMPARE(rig.journal.numbers(), "0.1 0.2");
    }

    void stopWhileWaiting()
    {
        Rig rig;
        rig.config.setInstrumentCount(1, "1");
        rig.config.setInstrumentCount(2, "1");
        rig.mux.perSelection[2] = 0;
        rig.stopWhen([&] { return rig.sent("@*N2") == 1 && rig.clock.now > 60000; });
        rig.read();
        // Instrument 1's value and step, then nothing: no series move.
        QCOMPARE(rig.typed(), "11R");
        QCOMPARE(rig.commands, idle);
        QVERIFY(!rig.timer);
        QVERIFY(!rig.cycle.running());
        // Waiting served the events and blocked instead of polling.
        QVERIFY(rig.pump.waitCalls < 100);

        // The next "Lecture" starts again with instrument 1; the series move
        // returns over the interrupted series too.
        rig.mux.perSelection[2] = 1;
        rig.readUntilSent("@*N1", 3);
        QCOMPARE(rig.written(), QByteArray("@*N1\r\n@*N2\r\n@*N1\r\n@*N2\r\n@*N1\r\n"));
        QCOMPARE(rig.typed(), "11R" "12R21RLLLD");
    }

    void lineFeedBeforeAnyV()
    {
        Rig rig;
        rig.config.setInstrumentCount(1, "2");
        rig.mux.perSelection[1] = 0;
        rig.ports.arrive(kPort, "\r\n", 10);
        rig.ports.arrive(kPort, "garbage\nV7\n", 20);
        rig.readUntilSent("@*N1", 2);
        // An empty value: nothing typed, the cursor still steps; a line
        // without 'V' gives nothing either.
        QCOMPARE(rig.typed(), "RRLLD");
    }

    void readingsFromBeforeASelectionAreDropped()
    {
        Rig rig;
        rig.config.setInstrumentCount(1, "1");
        rig.config.setInstrumentCount(3, "1");
        rig.mux.perSelection[1] = 0;
        rig.ports.arrive(kPort, "V99\r\n"); // arrived while idle
        // Instrument 1 sends one reading more than was asked for.
        rig.ports.onWrite = [&](FakeSerialPorts &f, int port, const QByteArray &w) {
            if (w.endsWith("@*N1\r\n"))
                f.arrive(port, "V11\r\nV12\r\n", 10);
            else if (w.endsWith("@*N3\r\n"))
                f.arrive(port, "V31\r\n", 10);
        };
        rig.readUntilSent("@*N1", 2);
        // Neither the old reading nor instrument 1's extra one lands in
        // instrument 3's cell.
        QCOMPARE(rig.typed(), "11R31RLLD");
    }

    void commandStates()
    {
        Rig rig;
        rig.config.setInstrumentCount(1, "1");
        QCOMPARE(rig.cycle.commands(), idle);
        QList<CommandState> seen;
        rig.stopWhen([&] {
            seen << rig.commands;
            return rig.sent("@*N1") == 2;
        });
        rig.cycle.start();
        QCOMPARE(rig.commands, CommandState({false, true, false, false}));
        rig.tick();
        QCOMPARE(seen.first(), CommandState({false, true, false, false}));
        QCOMPARE(seen.last(), CommandState({false, true, true, false}));
        QCOMPARE(rig.commands, idle);

        // Closing ends the cycle but leaves the running state for "Stop".
        rig.stopWhen([] { return false; });
        rig.onEvents = [&] {
            if (rig.sent("@*N1") == 3)
                rig.cycle.requestStop();
        };
        rig.read();
        QCOMPARE(rig.commands, CommandState({false, true, false, false}));
        QVERIFY(!rig.cycle.running());
        rig.cycle.start();
        QVERIFY(!rig.timer);
        rig.cycle.stop();

        // "Reprise" then "Stop" before the tick: no cycle starts.
        rig.onEvents = [&] {
            if (rig.commands.repeat) {
                rig.cycle.repeatSeries();
                rig.cycle.stop();
            }
        };
        rig.read();
        QVERIFY(!rig.timer);
        QCOMPARE(rig.commands, idle);
    }

    void nothingToWaitForStopsOnce_data()
    {
        columns<int, QStringList, QList<int>>("mode", "counts", "checked");
        QTest::newRow("nothing set up") << kAddressedMode << QStringList() << QList<int>();
        QTest::newRow("addressed, counts zero or less") << kAddressedMode << QStringList({"0", "-3"})
                                                        << QList<int>();
        QTest::newRow("addressed, only boxes") << kAddressedMode << QStringList() << QList<int>({2});
        QTest::newRow("multiple, only counts") << kMultipleMode << QStringList({"2"}) << QList<int>();
        QTest::newRow("no mode chosen, only counts") << kNoMode << QStringList({"2"}) << QList<int>();
    }
    void nothingToWaitForStopsOnce()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, counts);
        QFETCH(QList<int>, checked);
        Rig rig;
        rig.config.setMultiplexerMode(mode);
        for (int i = 0; i < counts.size(); ++i)
            rig.config.setInstrumentCount(i + 1, counts.at(i));
        for (int k : checked)
            rig.config.setInstrumentChecked(k, true);
        rig.read();
        QCOMPARE(rig.messages, QStringList({"aucun instrument"}));
        QCOMPARE(rig.written(), QByteArray());
        QCOMPARE(rig.typed(), QString());
        QCOMPARE(rig.commands, idle);
        QVERIFY(!rig.timer);
    }

    void conversionErrorStops_data()
    {
        columns<QString, int, QString>("count3", "badStep", "message");
        // Counts and all six steps are read before the series sends anything,
        // the batch steps too in continuous mode.
        QTest::newRow("count") << "2 " << -1 << "'2 ' n'est pas une valeur entière correcte";
        for (int step = 0; step < kStepCount; ++step)
            QTest::addRow("step %d", step) << "1" << step << "'one' n'est pas une valeur entière correcte";
    }
    void conversionErrorStops()
    {
        Rig rig;
        rig.config.setInstrumentCount(1, "1");
        QFETCH(QString, count3);
        rig.config.setInstrumentCount(3, count3);
        QFETCH(int, badStep);
        if (badStep >= 0)
            rig.config.setStep(static_cast<Step>(badStep), "one");
        rig.read();
        QCOMPARE(rig.written(), QByteArray());
        QCOMPARE(rig.typed(), QString());
        QFETCH(QString, message);
        QCOMPARE(rig.messages, QStringList({message}));
        QCOMPARE(rig.commands, idle);
    }

    void longCursorRunIsPacedAndStops()
    {
        Rig rig;
        rig.config.setInstrumentCount(1, "1");
        rig.config.setStep(Step::PerValueHorizontal, "1000000");
        rig.stopWhen([&] { return rig.keys.keys().size() >= 500; });
        rig.read();
        // "Stop" landed within the run: the value whole, then the arrows sent
        // so far, each of them counted.
        const QString typed = rig.typed();
        QVERIFY2(typed.startsWith("11RRR") && typed.size() < 1000, qPrintable(typed.left(20)));
        QCOMPARE(typed.count(u'R'), typed.size() - 2);
        QCOMPARE(rig.cursor.horizontal(), qint64(typed.size() - 2));
        // In bursts of 64 keys, each followed by a pause of 40 ms.
        QVERIFY(rig.clock.now >= (typed.size() - 2) / 64 * 40);
        QCOMPARE(rig.commands, idle);
        QCOMPARE(rig.written(), QByteArray("@*N1\r\n"));
    }

    // "Stop" served inside a key of a long run ends the run at the next key,
    // not at the end of the burst.
    void stopServedWhileTypingEndsTheRunAtOnce()
    {
        Rig rig;
        rig.config.setInstrumentCount(1, "1");
        rig.config.setStep(Step::PerValueHorizontal, "1000000");
        rig.keys.duringPress = [&] {
            if (rig.keys.keys().size() == 100)
                rig.cycle.stop();
        };
        rig.read();
        QCOMPARE(rig.typed(), "11" + QString(98, u'R'));
        QCOMPARE(rig.cursor.horizontal(), qint64(98));
        QCOMPARE(rig.commands, idle);
    }

    void deviceLostTypesNothing()
    {
        for (const bool whileWaiting : {true, false}) {
            Rig rig;
            rig.config.setMultiplexerMode(kMultipleMode);
            rig.config.setInstrumentChecked(1, true);
            rig.mux.perSelection.fill(0);
            rig.ports.onWrite = nullptr;
            if (whileWaiting) {
                rig.ports.arrive(kPort, "V12.5", 50); // half a line, then the device goes
                rig.ports.device(kPort).goneAt = rig.clock.now + 100;
            } else {
                rig.ports.device(kPort).gone = true;
            }
            rig.read();
            QCOMPARE(rig.typed(), QString());
            QCOMPARE(rig.messages, QStringList({"device lost"}));
            QCOMPARE(rig.commands, idle);
        }
    }
};

QTEST_GUILESS_MAIN(TestCycle)
#include "tst_cycle.moc"
