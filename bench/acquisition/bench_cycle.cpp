// The acquisition cycle against the simulator: CPU while it waits for a
// reading that never comes, time from a reading's line feed to its last key
// and the rate of a long step's arrows (recorded, then through XTest, a
// compositor's virtual keyboard and a stand-in desktop portal answering each
// call after 1 ms, where they can be had), and 2,000 readings at the line
// rate in each mode, every value checked.
#include "acquisition/cursor.h"
#include "acquisition/cycle.h"
#include "acquisition/keyoutput/portalkeysink.h"
#include "acquisition/keysink.h"
#include "acquisition/keyoutput/virtualkeyboardsink.h"
#include "acquisition/keyoutput/xtestkeysink.h"
#include "link/acquisitionlink.h"
#include "link/eventpump.h"
#include "link/wsc.h"
#include "tests/support/desktop/portalstandin.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/swaysession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "../common/cputime.h"
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace acquisition;

namespace {

using bench::cpuSeconds;

qint64 nowNs()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.nsecsElapsed();
}

// The serial library, with the moment each line feed was taken and the bytes read.
class TimedPorts : public muxlink::Wsc {
public:
    using Wsc::Wsc;
    int SioGetc(int port) override
    {
        const int byte = Wsc::SioGetc(port);
        if (byte >= 0)
            ++bytesRead;
        if (byte == '\n')
            lastLineFeedNs = nowNs();
        return byte;
    }
    qint64 lastLineFeedNs = 0;
    qint64 bytesRead = 0;
};

// Keeps the typed values as text and the time of each value's last key (the
// arrow that follows it with the steps used here), passing every key on to a
// real sink when it has one.
class TimingSink : public KeySink {
public:
    KeySink *inner = nullptr;
    void beginValue() override
    {
        if (inner)
            inner->beginValue();
    }
    void endValue() override
    {
        if (inner)
            inner->endValue();
    }
    void press(Key key) override
    {
        if (inner)
            inner->press(key);
        if (key == Key::Down) {
            lastArrowNs = nowNs();
        } else if (key == Key::Right) {
            values << current;
            current.clear();
            lastKeyNs << nowNs();
            if (onValue)
                onValue();
        } else if (key == Key::Decimal) {
            current += u'.';
        } else if (key == Key::Add || key == Key::Subtract) {
            current += key == Key::Add ? u'+' : u'-';
        } else if (key <= Key::Numpad9) {
            current += QChar(u'0' + (int(key) - int(Key::Numpad0)));
        }
    }
    QString current;
    QStringList values;
    QList<qint64> lastKeyNs;
    qint64 lastArrowNs = 0;
    std::function<void()> onValue;
};

class QuietView : public CycleView {
public:
    void setCommands(const CommandState &) override {}
    void setTimerEnabled(bool) override {}
    void setValueHolder(const QString &) override {}
    void showNoInstrument() override { std::printf("  message: no instrument\n"); }
    void showError(const QString &text) override { std::printf("  error: %s\n", qPrintable(text)); }
    void showTypingFailure(const CannotType &failure) override { showError(failure.text()); }
    void showDeviceLost() override { std::printf("  error: device lost\n"); }
};

// The simulator on a pseudo-terminal of its own, stopped with the object.
struct Simulator {
    explicit Simulator(const QStringList &args)
    {
        link = dir.filePath("mux");
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(MUXSIM_PATH), QStringList {"--link", link} + args);
        for (int i = 0; i < 500 && !QFileInfo::exists(link); ++i)
            QThread::msleep(10);
        if (!QFileInfo::exists(link)) {
            std::fprintf(stderr, "muxsim did not start\n");
            std::exit(1);
        }
    }
    ~Simulator()
    {
        process.terminate();
        process.waitForFinished(2000);
    }
    QTemporaryDir dir;
    QString link;
    QProcess process;
};

// One simulator and the program's side of the link to it.
struct Bench {
    explicit Bench(const QStringList &simulatorArgs) : simulator(simulatorArgs)
    {
        if (!link.openPort(0)) {
            std::fprintf(stderr, "the simulator's port did not open\n");
            std::exit(1);
        }
        config.setStep(Step::PerValueHorizontal, "1");
        config.setStep(Step::PerValueVertical, "0");
        config.setStep(Step::NextSeriesHorizontal, "0");
        config.setStep(Step::NextSeriesVertical, "0");
    }
    void run()
    {
        cycle.start();
        cycle.run();
    }

    Simulator simulator;
    muxlink::SteadyClock clock;
    muxlink::QtEventPump pump;
    TimedPorts ports {muxlink::PortMap({simulator.link})};
    muxlink::AcquisitionLink link {ports, pump, clock};
    MemoryConfiguration config;
    TimingSink keys;
    Cursor cursor {config, keys};
    QuietView view;
    AcquisitionCycle cycle {link, pump, config, cursor, view};
};

double percentile(std::vector<double> sorted, double share)
{
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, size_t(share * double(sorted.size())))];
}

void idleWait()
{
    std::printf("Waiting 10 s for a reading that never comes\n");
    Bench bench({});
    bench.config.setInstrumentCount(1, "1");
    QTimer::singleShot(10000, [&] { bench.cycle.stop(); });
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    bench.run();
    const double seconds = wall.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("  wall %.2f s, cpu %.3f s = %.3f %% of one core (target < 1 %%), values typed %lld\n",
                seconds, cpu, 100.0 * cpu / seconds, qlonglong(bench.keys.values.size()));
}

void latency(const char *through, KeySink *sink)
{
    constexpr int samples = 300;
    std::printf("Line feed to last key %s, %d readings triggered one at a time\n", through, samples);
    Bench bench({"--no-pace", "--line", "long"});
    bench.keys.inner = sink;
    bench.config.setInstrumentCount(1, QString::number(samples));
    std::vector<double> fromLineFeed;
    std::vector<double> fromTrigger;
    qint64 triggeredNs = 0;
    const auto trigger = [&] {
        triggeredNs = nowNs();
        ::kill(pid_t(bench.simulator.process.processId()), SIGUSR1);
    };
    bench.keys.onValue = [&] {
        const qint64 last = bench.keys.lastKeyNs.last();
        fromLineFeed.push_back((last - bench.ports.lastLineFeedNs) / 1e6);
        fromTrigger.push_back((last - triggeredNs) / 1e6);
        if (int(fromLineFeed.size()) < samples)
            QTimer::singleShot(5, trigger);
        else
            bench.cycle.stop();
    };
    QTimer::singleShot(100, trigger);
    bench.run();
    std::printf("  line feed read -> last key: median %.3f ms, 99th percentile %.3f ms (target median < 2 ms)\n",
                percentile(fromLineFeed, 0.5), percentile(fromLineFeed, 0.99));
    std::printf("  trigger sent -> last key (simulator and kernel included): median %.3f ms, 99th %.3f ms\n",
                percentile(fromTrigger, 0.5), percentile(fromTrigger, 0.99));
}

// Each value is followed by a step of Down arrows: from the value's last key
// to the step's last arrow, the cycle's own pacing included.
void arrowRate(const char *through, KeySink *sink)
{
    constexpr int steps = 5;
    constexpr int stepKeys = 500;
    std::printf("Arrows of a %d-key step %s, %d steps\n", stepKeys, through, steps);
    Bench bench({"--line", "long", "--per-command", "10"});
    bench.keys.inner = sink;
    bench.config.setInstrumentCount(1, "10");
    bench.config.setStep(Step::PerValueVertical, QString::number(stepKeys));
    std::vector<double> rates;
    bench.keys.onValue = [&] {
        const qsizetype n = bench.keys.values.size();
        if (n >= 2)
            rates.push_back(stepKeys / ((bench.keys.lastArrowNs - bench.keys.lastKeyNs.at(n - 2)) / 1e9));
        if (n > steps)
            bench.cycle.stop();
    };
    bench.run();
    std::printf("  arrows a second: median %.0f, slowest %.0f\n", percentile(rates, 0.5), percentile(rates, 0.0));
}

void measureSink(const char *through, KeySink *sink)
{
    latency(through, sink);
    arrowRate(through, sink);
}

// The portal's conversation on a bus of the bench's own.
void measurePortal()
{
    const char *through = "through the desktop portal (stand-in, 1 ms a call)";
    testsupport::PrivateBus bus;
    testsupport::PortalStandIn portal;
    if (!bus.start() || !portal.start(bus.address, {"--hold", "1"})) {
        std::printf("Line feed to last key %s: the stand-in could not be started\n", through);
        return;
    }
    QTemporaryDir folder;
    QDBusConnection connection = QDBusConnection::connectToBus(bus.address, QStringLiteral("bench"));
    PortalKeySink keys(common::SettingsFile(QStringLiteral("quorix.ini"), folder.path()), QStringLiteral("."),
                       connection);
    measureSink(through, &keys);
    const int failures = int(portal.calls().filter(QStringLiteral("FAIL")).size());
    std::printf("  key events out of order or overlapping at the stand-in: %d\n", failures);
}

void throughput(const char *mode, const QStringList &simulatorArgs,
                const std::function<void(MemoryConfiguration &)> &configure)
{
    constexpr int readings = 2000;
    std::printf("%d readings at the line rate, %s\n", readings, mode);
    Bench bench(QStringList {"--line", "long"} + simulatorArgs);
    configure(bench.config);
    bench.keys.onValue = [&] {
        if (bench.keys.values.size() == readings)
            bench.cycle.stop();
    };
    QElapsedTimer wall;
    const double cpuBefore = cpuSeconds();
    wall.start();
    bench.run();
    const double seconds = wall.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    // The simulator counts its readings up from 0.001, in thousandths.
    int inOrder = 0;
    for (const QString &value : bench.keys.values) {
        if (qRound64(value.toDouble() * 1000) == inOrder + 1)
            ++inOrder;
        else
            break;
    }
    const double bytesPerReading = double(bench.ports.bytesRead) / std::max<qsizetype>(1, bench.keys.values.size());
    const double lineCapacity = 1e6 / 1042.0 / bytesPerReading; // readings a second at 9600 baud
    const double rate = bench.keys.values.size() / seconds;
    std::printf("  typed %lld values, %d in order from the first (expected %d)\n",
                qlonglong(bench.keys.values.size()), inOrder, readings);
    std::printf("  %.2f s, %.1f readings/s of %.1f the line carries (%.1f bytes each) = %.1f %%, cpu %.1f %%\n",
                seconds, rate, lineCapacity, bytesPerReading, 100.0 * rate / lineCapacity, 100.0 * cpu / seconds);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    nowNs();
    idleWait();
    measureSink("(keys recorded)", nullptr);
    if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
        XTestKeySink xtest;
        measureSink("through XTest", &xtest);
    } else {
        std::printf("Line feed to last key through XTest: no X display (run under xvfb-run)\n");
    }
    testsupport::SwaySession sway;
    if (testsupport::SwaySession::installed() && sway.start()) {
        sway.useInThisProcess();
        VirtualKeyboardSink keyboard;
        measureSink("through a virtual keyboard (headless sway)", &keyboard);
    } else {
        std::printf("Line feed to last key through a virtual keyboard: sway could not be started\n");
    }
    measurePortal();
    throughput("addressed mode, 10 readings per selection", {"--per-command", "10"},
               [](MemoryConfiguration &config) { config.setInstrumentCount(1, "10"); });
    throughput("multiple mode, eight inputs", {"--per-command", "1"}, [](MemoryConfiguration &config) {
        config.setMultiplexerMode(kMultipleMode);
        for (int k = 1; k <= kInstrumentCount; ++k)
            config.setInstrumentChecked(k, true);
    });
    return 0;
}
