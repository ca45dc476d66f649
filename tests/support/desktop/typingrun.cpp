#include "tests/support/desktop/typingrun.h"

#include "acquisition/configfile.h"
#include "acquisition/cursor.h"
#include "acquisition/cycle.h"
#include "acquisition/pacedtyping.h"
#include "acquisition/readingjournal.h"
#include "acquisition/targetactivity.h"
#include "link/acquisitionlink.h"
#include "link/eventpump.h"
#include "link/portmap.h"
#include "link/wsc.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

namespace testsupport {

namespace {

using namespace acquisition;

class TakenAt : public ReadingJournal {
public:
    TakenAt(TypingRun &run, QElapsedTimer &clock) : m_run(run), m_clock(clock) {}
    void record(const JournalReading &reading) override
    {
        m_run.values << reading.value;
        m_run.takenNs << m_clock.nsecsElapsed();
    }

private:
    TypingRun &m_run;
    QElapsedTimer &m_clock;
};

class LastKeyAt : public KeySink {
public:
    LastKeyAt(KeySink &inner, TypingRun &run, QElapsedTimer &clock) : m_inner(inner), m_run(run), m_clock(clock) {}
    void prepare() override { m_inner.prepare(); }
    void press(Key key) override { m_inner.press(key); }
    void beginValue() override { m_inner.beginValue(); }
    void endValue() override
    {
        m_inner.endValue();
        m_run.lastKeyNs << m_clock.nsecsElapsed();
    }
    bool needsPace() override { return m_inner.needsPace(); }
    void settle() override { m_inner.settle(); }

private:
    KeySink &m_inner;
    TypingRun &m_run;
    QElapsedTimer &m_clock;
};

class NotedView : public CycleView {
public:
    explicit NotedView(TypingRun &run) : m_run(run) {}
    void setCommands(const CommandState &) override {}
    void setTimerEnabled(bool) override {}
    void setValueHolder(const QString &) override {}
    void showNoInstrument() override { m_run.errors << "no instrument"; }
    void showError(const QString &text) override { m_run.errors << text; }
    void showTypingFailure(const CannotType &failure) override { m_run.errors << failure.text(); }
    void showDeviceLost() override { m_run.errors << "device lost"; }

private:
    TypingRun &m_run;
};

} // namespace

void readTwoInstrumentsDownColumns(MemoryConfiguration &config)
{
    config.setInstrumentCount(1, "5");
    config.setInstrumentCount(2, "5");
    config.setStep(Step::PerValueHorizontal, "0");
    config.setStep(Step::PerValueVertical, "1");
    config.setStep(Step::NextSeriesHorizontal, "1");
    config.setStep(Step::NextSeriesVertical, "0");
}

TypingRun runTyping(const QString &linkPath, KeySink &keys, int values,
                    const std::function<void(MemoryConfiguration &)> &configure)
{
    TypingRun run;
    QElapsedTimer clock;
    clock.start();
    muxlink::SteadyClock steady;
    muxlink::QtEventPump pump;
    muxlink::Wsc ports {muxlink::PortMap({linkPath})};
    muxlink::AcquisitionLink link {ports, pump, steady};
    if (!link.openPort(0)) {
        run.errors << "the simulator's port did not open";
        return run;
    }
    MemoryConfiguration config;
    applyMainWindowDefaults(config);
    configure(config);
    LastKeyAt timed(keys, run, clock);
    PacedTyping typing(timed, steady);
    TargetActivity activity(steady);
    typing.setBusyCheck([&activity] { return activity.busy(); });
    Cursor cursor(config, typing);
    NotedView view(run);
    TakenAt taken(run, clock);
    AcquisitionCycle cycle(link, pump, config, cursor, view);
    cycle.setJournal(&taken);
    cycle.setTyping(&typing);
    try {
        typing.prepare();
    } catch (const common::UserError &e) {
        run.errors << e.text();
        return run;
    }
    QTimer enough;
    QObject::connect(&enough, &QTimer::timeout, [&] {
        if (run.values.size() >= values)
            cycle.stop();
    });
    enough.start(5);
    cycle.start();
    cycle.run();
    if (!QTest::qWaitFor([&] { return typing.idle(); }, 3600000))
        run.errors << "keys still waiting after an hour";
    return run;
}

} // namespace testsupport
