// How long each program takes to find the multiplexer behind two silent
// ports, and how much CPU it burns meanwhile (the waits must block).
#include "link/acquisitionlink.h"
#include "link/configtoollink.h"
#include "link/eventpump.h"
#include "link/wsc.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "../common/cputime.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

using bench::cpuSeconds;

std::unique_ptr<QProcess> startSimulator(const QString &linkPath, const QStringList &extra)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(MUXSIM_PATH), QStringList {"--link", linkPath} + extra);
    for (int i = 0; i < 500 && !QFileInfo::exists(linkPath); ++i)
        QThread::msleep(10);
    if (!QFileInfo::exists(linkPath)) {
        std::fprintf(stderr, "muxsim did not start\n");
        std::exit(1);
    }
    return process;
}

template <typename Scan>
void measure(const char *what, Scan scan)
{
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    const bool found = scan();
    const double seconds = wall.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("%-22s found=%s wall=%.2f s cpu=%.3f s (%.2f %% of wall)\n", what, found ? "yes" : "no",
                seconds, cpu, 100.0 * cpu / seconds);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> simulators;
    simulators.push_back(startSimulator(dir.filePath("silent1"), {"--silent"}));
    simulators.push_back(startSimulator(dir.filePath("silent2"), {"--silent"}));
    simulators.push_back(startSimulator(dir.filePath("mux"), {"--model", "8"}));
    const muxlink::PortMap map({dir.filePath("silent1"), dir.filePath("silent2"), dir.filePath("mux")});

    std::printf("Finding the multiplexer on COM3 behind two silent ports\n");
    muxlink::SteadyClock clock;
    muxlink::QtEventPump pump;
    {
        muxlink::Wsc ports(map);
        muxlink::ConfigToolLink link(ports, pump, clock);
        measure("configuration tool", [&] { return link.scan() == muxlink::ScanResult::Found; });
        std::printf("  expected about 2 x 2.5 s + 2 s for the found port's probe wait = 7 s\n");
    }
    {
        muxlink::Wsc ports(map);
        muxlink::AcquisitionLink link(ports, pump, clock);
        measure("acquisition program", [&] { return link.scan(); });
        std::printf("  expected about 3 x 2.5 s + 2 s to reopen = 9.5 s\n");
    }
    for (auto &s : simulators) {
        s->terminate();
        s->waitForFinished(2000);
    }
    return 0;
}
