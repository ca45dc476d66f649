// How long a full RS232 cable programming with the grid takes against the
// simulator, and how much CPU the program uses meanwhile (the waits must block).
#include "configtool/cablelist/cablelist.h"
#include "configtool/cablelink.h"
#include "configtool/cableview.h"
#include "configtool/registerprogramming.h"
#include "link/eventpump.h"
#include "link/opensequence.h"
#include "link/wsc.h"
#include "tests/support/cables/recordingviews.h"
#include "tests/support/muxsim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "../common/cputime.h"

#include <cstdio>
#include <functional>

using namespace configtool;

namespace {

using bench::cpuSeconds;

// The tests' recording page, set for a grid that asks with "$4D".
class BenchRs232Page : public RecordingRs232Page {
public:
    BenchRs232Page()
    {
        currentReference = 51101;
        cells[0][1] = "$4D";
    }
};

void measure(const char *what, const std::function<int()> &operation)
{
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    const int messages = operation();
    const double seconds = wall.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("%-34s wall=%.2f s cpu=%.3f s (%.2f %% of wall), messages=%d\n", what, seconds, cpu,
                100.0 * cpu / seconds, messages);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    testsupport::MuxSimProcess sim;
    if (!sim.start({"--model", "8", "--cable", "register"})) {
        std::fprintf(stderr, "muxsim: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    muxlink::Wsc ports(muxlink::PortMap({sim.linkPath()}));
    muxlink::SteadyClock clock;
    muxlink::QtEventPump pump;
    if (!muxlink::openSequenceA(ports, 0)) {
        std::fprintf(stderr, "cannot open the simulator's port\n");
        return 1;
    }
    CableLink link(ports, pump, clock, 0);
    const CableMessages messages{"no reply",     "end of frame", "failed ", "done",
                                 "disconnected", "parity %1",    "no cable"};
    const CableList cableList(QStringLiteral(SOURCE_DIR_FOR_BENCH "/configtool/data/cable.txt"));

    std::printf("Register cable, RS232 page with the grid (98 registers, each first attempt right)\n");
    measure("program", [&] {
        BenchRs232Page page;
        programRs232Cable(link, page, messages);
        return int(page.messages.size());
    });
    std::printf("  expected about 98 x (100 ms + reply) = 10 s; CPU target under 5 %% of wall\n");
    measure("read", [&] {
        BenchRs232Page page;
        readRs232Cable(link, page, cableList, messages);
        return int(page.messages.size());
    });
    std::printf("  expected about 98 replies of a few ms each\n");
    return 0;
}
