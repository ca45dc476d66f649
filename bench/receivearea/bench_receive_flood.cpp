// Setrix's CPU while an addressed device streams at the full line rate
// (960 bytes/s) and never sends a line feed: the receive area must cost the
// same at the end of the run as at its start.
//
//   bench_receive_flood [SECONDS [SLICE_SECONDS]]    (default 300 and 30)
//
// Runs the real main window; under Xvfb (QT_QPA_PLATFORM=xcb) it is painted too.
#include "configtool/ui/setrixprogram.h"
#include "tests/support/muxsim_process.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "../common/cputime.h"

#include <cstdio>

using namespace configtool;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 300;
    const int slice = argc > 2 ? std::atoi(argv[2]) : 30;
    if (seconds <= 0 || slice <= 0) {
        std::fprintf(stderr, "usage: bench_receive_flood [SECONDS [SLICE_SECONDS]]\n");
        return 2;
    }

    testsupport::MuxSimProcess sim;
    if (!sim.start({"--model", "8", "--reading-end", "none", "--interval", "1"})) {
        std::fprintf(stderr, "muxsim: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    // A cable list of today, so that no update question stops the start-up.
    QTemporaryDir start, settings;
    QFile list(start.filePath(QStringLiteral("cable.txt")));
    if (!list.open(QIODevice::WriteOnly)
        || list.write(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + "\r\n") < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(list.fileName()));
        return 1;
    }
    list.close();

    qputenv("MUX_PORTS", sim.linkPath().toLocal8Bit());
    SetrixProgram program({settings.path(), start.path(), {}});
    TForm1 &window = program.mainWindow();
    window.show();
    if (!QTest::qWaitFor([&] { return window.startupDone(); }, 30000) || !window.mux_trouve()) {
        std::fprintf(stderr, "Setrix did not find the simulator\n");
        return 1;
    }
    window.instClick(1);

    std::printf("Flood of 960 bytes/s without a line feed, %d s, platform %s\n", seconds,
                qPrintable(QGuiApplication::platformName()));
    std::printf("%8s %10s %8s %12s\n", "time s", "cpu %", "lines", "characters");
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = bench::cpuSeconds();
    double cpuBefore = cpuStart;
    qint64 sliceStart = 0;
    for (int done = slice; done <= seconds; done += slice) {
        // An event loop like the program's own: QTest::qWait would wake every 10 ms.
        QEventLoop loop;
        QTimer::singleShot(int(done * 1000 - wall.elapsed()), &loop, &QEventLoop::quit);
        loop.exec();
        const qint64 now = wall.elapsed();
        const double cpu = bench::cpuSeconds();
        std::printf("%8d %10.2f %8d %12lld\n", done, 100.0 * (cpu - cpuBefore) * 1000 / double(now - sliceStart),
                    window.Memo1->document()->blockCount(),
                    static_cast<long long>(window.Memo1->document()->characterCount()));
        std::fflush(stdout);
        cpuBefore = cpu;
        sliceStart = now;
    }
    const double total = bench::cpuSeconds() - cpuStart;
    std::printf("CPU over %d s: %.2f %% of a core (target: well under 5 %%)\n", seconds,
                100.0 * total * 1000 / double(wall.elapsed()));
    return 0;
}
